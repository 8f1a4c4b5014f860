#include "tests/support/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace testsupport {

RawServer::RawServer(Reply reply, int port) : m_reply(std::move(reply)) {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(m_listener, 16);
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

RawServer::~RawServer() {
    m_stopping = true;
    shutdown(m_listener, SHUT_RDWR);
    close(m_listener);
    if (m_thread.joinable()) m_thread.join();
    for (std::thread& worker : m_workers) worker.join();
}

std::string RawServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> RawServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void RawServer::Send(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

void RawServer::WaitForPeerToClose(int fd, int seconds) {
    char buffer[256];
    for (int waited = 0; waited < seconds * 10; ++waited) {
        pollfd c{fd, POLLIN, 0};
        if (poll(&c, 1, 100) > 0 && recv(fd, buffer, sizeof buffer, 0) <= 0) return;
    }
}

void RawServer::Serve() {
    while (!m_stopping) {
        pollfd p{m_listener, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        const int fd = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        m_workers.emplace_back([this, fd] {
            // The request: headers, then as many body bytes as Content-Length says.
            std::string request;
            char buffer[4096];
            std::size_t wanted = std::string::npos;
            while (true) {
                pollfd c{fd, POLLIN, 0};
                if (poll(&c, 1, 5000) <= 0) break;
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, static_cast<std::size_t>(n));
                const std::size_t end = request.find("\r\n\r\n");
                if (end == std::string::npos) continue;
                if (wanted == std::string::npos) {
                    wanted = end + 4;
                    const std::size_t cl = request.find("Content-Length: ");
                    if (cl != std::string::npos && cl < end) wanted += std::stoul(request.substr(cl + 16));
                }
                if (request.size() >= wanted) break;
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request);
            }
            m_reply(fd, request);
            close(fd);
        });
    }
}

}  // namespace testsupport

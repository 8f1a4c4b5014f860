#pragma once
// A loopback HTTP server that answers with whatever bytes a test gives it, for
// replies no ordinary server would send. It records every request it reads.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

class RawServer {
public:
    // reply(fd, request) writes the answer to the connection; the server then closes it.
    using Reply = std::function<void(int fd, const std::string& request)>;
    // Listens on 127.0.0.1 at port (0: any free port).
    explicit RawServer(Reply reply, int port = 0);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/") const;
    std::vector<std::string> Requests() const;

    // Writes all of data, ignoring a peer that has gone.
    static void Send(int fd, const std::string& data);
    // Waits until the peer closes the connection, at most `seconds`.
    static void WaitForPeerToClose(int fd, int seconds);

private:
    void Serve();

    Reply m_reply;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_workers;
    std::thread m_thread;
};

}  // namespace testsupport

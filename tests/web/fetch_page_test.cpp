// Page fetches against servers of the test's own on 127.0.0.1.

#include "web/fetch_page.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

#include "core/text_ops.h"
#include "platform/internet.h"
#include "tests/support/raw_server.h"

using core::ByteSet;
using core::Text;
using testsupport::RawServer;
using namespace std::chrono_literals;

namespace {

const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

std::string Reply(const std::string& body, const std::string& extraHeaders = "") {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
}

RawServer::Reply Answer(std::string bytes) {
    return [bytes](int fd, const std::string&) { RawServer::Send(fd, bytes); };
}

// The header lines of a recorded request, sorted, without the request line.
std::vector<std::string> HeaderLines(const std::string& request) {
    std::vector<std::string> lines;
    std::istringstream in(request.substr(0, request.find("\r\n\r\n")));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) lines.push_back(line.substr(0, line.size() - (line.back() == '\r')));
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string RequestLine(const std::string& request) { return request.substr(0, request.find("\r\n")); }
std::string BodyOf(const std::string& request) { return request.substr(request.find("\r\n\r\n") + 4); }

class FetchPageTest : public ::testing::Test {
protected:
    platform::InternetTimeouts previous;
    void SetUp() override { previous = platform::SetInternetTimeouts({2000ms, 1000ms}); }
    void TearDown() override { platform::SetInternetTimeouts(previous); }
};

}  // namespace

TEST_F(FetchPageTest, SendsTheRequestLineAndTheDefaultHeaders) {
    RawServer server(Answer(Reply("hello")));
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.Port());
    // Without a scheme: "http://" is put in front, and the Referer carries the completed address.
    EXPECT_EQ(web::FetchPage(Text(hostPort + "/a/b?uin=12345")).View(), "hello");
    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    EXPECT_EQ(RequestLine(request), "GET /a/b?uin=12345 HTTP/1.1");
    std::vector<std::string> want = {
        kAccept,
        "Accept-Language: zh-cn",
        "Host: " + hostPort,
        "Referer: http://" + hostPort + "/a/b?uin=12345",
        "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
    };
    std::sort(want.begin(), want.end());
    EXPECT_EQ(HeaderLines(request), want);
}

TEST_F(FetchPageTest, CallerHeadersSuppressTheDefaultsTheyName) {
    RawServer server(Answer(Reply("x")));
    web::FetchPage(Text(server.Url("/")), {}, {}, "x-accept: 1\r\nREFERER: me\r\n");
    ASSERT_EQ(server.Requests().size(), 1u);
    const auto lines = HeaderLines(server.Requests()[0]);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.rfind("Accept:", 0) == 0; }), 0);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "REFERER: me"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Accept-Language: zh-cn"), lines.end());
}

TEST_F(FetchPageTest, PostAddsItsHeadersAndBody) {
    RawServer server(Answer(Reply("ok")));
    EXPECT_EQ(web::FetchPage(Text(server.Url("/f")), "POST", {}, "Content-Type: text/plain\r\n", "a=1&b=%E4").View(),
              "ok");
    web::FetchPage(Text(server.Url("/g")), "POST");                   // no body: no content headers
    web::FetchPage(Text(server.Url("/h")), {}, {}, {}, "ignored=1");  // GET: the body is left out
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestLine(requests[0]), "POST /f HTTP/1.1");
    const auto lines = HeaderLines(requests[0]);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Content-Type: application/x-www-form-urlencoded"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Content-Type: text/plain"), 1) << "appended even so";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Content-Length: 9"), 1);
    EXPECT_EQ(BodyOf(requests[0]), "a=1&b=%E4");
    // No content headers of the routine's; only the protocol's own length of an empty body.
    for (const auto& line : HeaderLines(requests[1])) {
        if (line.rfind("Content-", 0) == 0) {
            EXPECT_EQ(line, "Content-Length: 0");
        }
    }
    EXPECT_EQ(RequestLine(requests[2]), "GET /h HTTP/1.1");
    EXPECT_EQ(BodyOf(requests[2]), "");
}

TEST_F(FetchPageTest, RefusedMethodsSendNothing) {
    RawServer server(Answer(Reply("x")));
    for (const char* method : {"get", "post", "PUT", "HEAD"}) {
        SCOPED_TRACE(method);
        EXPECT_TRUE(web::FetchPage(Text(server.Url("/")), method).IsNull());
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(FetchPageTest, BodiesComeBackWholeAcrossManyReads) {
    std::string big;
    for (int i = 0; i < 300'000; ++i) big += static_cast<char>(i * 7 % 251);  // zero bytes included
    httplib::Server http;
    http.Get("/big", [&](const httplib::Request&, httplib::Response& res) { res.set_content(big, "application/x-data"); });
    http.Get("/chunked", [&](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [&](size_t offset, httplib::DataSink& sink) {
            if (offset < big.size()) sink.write(big.data() + offset, std::min<size_t>(1000, big.size() - offset));
            else sink.done();
            return true;
        });
    });
    http.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    const int port = http.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { http.listen_after_bind(); });
    const std::string base = "http://127.0.0.1:" + std::to_string(port);

    EXPECT_TRUE(web::FetchPage(Text(base + "/big")).View() == big);
    EXPECT_TRUE(web::FetchPage(Text(base + "/chunked")).View() == big);
    EXPECT_TRUE(web::FetchPage(Text(base + "/empty")).IsNull());
    EXPECT_EQ(web::FetchPageText(Text(base + "/big")).View(), big.substr(0, big.find('\0')));
    http.stop();
    serving.join();
}

TEST_F(FetchPageTest, CookiesAreHandedOverAndSentToThatHostOnly) {
    std::vector<std::string> cookies;
    httplib::Server http;
    http.Get("/set", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Set-Cookie", "zone=abc; path=/");
        res.set_content("set", "text/plain");
    });
    http.Get("/see", [&](const httplib::Request& req, httplib::Response& res) {
        cookies.push_back(req.get_header_value("Cookie"));
        res.set_content("seen", "text/plain");
    });
    const int port = http.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { http.listen_after_bind(); });
    const std::string port_ = std::to_string(port);

    EXPECT_EQ(web::FetchPage(Text("127.0.0.1:" + port_ + "/set")).View(), "set");
    platform::InternetSetCookie(("http://127.0.0.1:" + port_).c_str(), "given", "1; path=/");
    web::FetchPage(Text("127.0.0.1:" + port_ + "/see"));
    web::FetchPage(Text("localhost:" + port_ + "/see"));  // another host name
    http.stop();
    serving.join();

    ASSERT_EQ(cookies.size(), 2u);
    EXPECT_NE(cookies[0].find("zone=abc"), std::string::npos) << cookies[0];
    EXPECT_NE(cookies[0].find("given=1"), std::string::npos) << cookies[0];
    EXPECT_EQ(cookies[1], "") << "cookies stay with their host";
}

TEST_F(FetchPageTest, ProxyGetsTheRequestAndDirectAccessIgnoresProxyVariables) {
    RawServer proxy(Answer(Reply("via proxy")));
    RawServer server(Answer(Reply("direct")));
    const std::string proxyAddress = "127.0.0.1:" + std::to_string(proxy.Port());

    EXPECT_EQ(web::FetchPage(Text("http://zone.test/p?q=1"), {}, Text(proxyAddress)).View(), "via proxy");
    ASSERT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(RequestLine(proxy.Requests()[0]), "GET http://zone.test/p?q=1 HTTP/1.1");

    setenv("http_proxy", ("http://" + proxyAddress).c_str(), 1);
    setenv("HTTP_PROXY", ("http://" + proxyAddress).c_str(), 1);
    EXPECT_EQ(web::FetchPage(Text(server.Url("/d")), {}, "  \xA1\xA1 ").View(), "direct") << "spaces only: direct";
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    EXPECT_EQ(proxy.Requests().size(), 1u);
}

TEST_F(FetchPageTest, FaultsGiveTheEmptyResultWithoutHanging) {
    struct Case { const char* name; RawServer::Reply reply; std::string want; };
    const Case cases[] = {
        {"never_answers", [](int fd, const std::string&) { RawServer::WaitForPeerToClose(fd, 5); }, ""},
        {"headers_then_stall",
         [](int fd, const std::string&) {
             RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nab");
             RawServer::WaitForPeerToClose(fd, 5);
         },
         "ab"},
        {"closes_mid_body", Answer("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"), "abc"},
        {"nul_in_header", Answer(std::string("HTTP/1.1 200 OK\r\nX-A: a\0b\r\nContent-Length: 2\r\n\r\nok", 46)), ""},
        {"line_without_colon", Answer("HTTP/1.1 200 OK\r\nnonsense\r\nContent-Length: 2\r\n\r\nok"), ""},
        {"byte_26_in_cookie_line", Answer(Reply("ok", "Set-Cookie: a=\x1a" "b\r\n")), "ok"},
        {"cookie_without_equals", Answer(Reply("ok", "Set-Cookie: lonely\r\nSet-Cookie: =x\r\n")), "ok"},
        {"headers_over_1023", Answer(Reply("ok", "X-Long: " + std::string(1100, 'x') + "\r\nSet-Cookie: c=1\r\n")),
         "ok"},
        {"error_status_body", Answer("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone"), "gone"},
        {"no_headers_at_all", Answer("just text"), "just text"},
        {"redirect_loop",
         [](int fd, const std::string& request) {
             RawServer::Send(fd, "HTTP/1.1 302 Found\r\nLocation: " + request.substr(4, request.find(' ', 4) - 4) +
                                     "\r\nContent-Length: 0\r\n\r\n");
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(c.reply);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(web::FetchPage(Text(server.Url("/x"))).View(), c.want);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    }

    // A port nobody listens on.
    int closedPort = 0;
    {
        RawServer gone(Answer(""));
        closedPort = gone.Port();
    }
    EXPECT_TRUE(web::FetchPage(Text("127.0.0.1:" + std::to_string(closedPort))).IsNull());
}

TEST_F(FetchPageTest, WindowEventsRunWhileTheServerIsSlow) {
    RawServer server([](int fd, const std::string&) {
        std::this_thread::sleep_for(400ms);
        RawServer::Send(fd, Reply("late"));
    });
    int turns = 0;
    auto previous = platform::SetStillWaitingHook([&] { ++turns; });
    EXPECT_EQ(web::FetchPage(Text(server.Url("/"))).View(), "late");
    platform::SetStillWaitingHook(previous);
    EXPECT_GE(turns, 4) << "about every 50 ms";
}

TEST_F(FetchPageTest, ConversionCodes) {
    struct Case { const char* name; std::string body; int conversion; std::string want; };
    const Case cases[] = {
        {"utf8", "\xE4\xB8\xAD" "a", 1, "\xD6\xD0" "a"},
        {"big5_traditional", "\xB3\x6F\xA4\xA4", 2, "\xD5\xE2\xD6\xD0"},
        {"utf8_stops_at_nul", std::string("a\0b", 3), 1, "a"},
        {"none_keeps_nul", std::string("a\0b", 3), 0, std::string("a\0b", 3)},
        {"other_code_keeps_bytes", "\xE4\xB8\xAD", 3, "\xE4\xB8\xAD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(Answer(Reply(c.body)));
        EXPECT_EQ(web::FetchPage(Text(server.Url("/")), {}, {}, {}, {}, c.conversion).View(), c.want);
    }
}

TEST_F(FetchPageTest, FetchPageTextCompletesWwwAddresses) {
    // "www" addresses name a host of their own; the proxy shows what was asked for.
    RawServer proxy(Answer(Reply("page")));
    EXPECT_EQ(web::FetchPage(Text("www.zone.test/a"), {}, Text("127.0.0.1:" + std::to_string(proxy.Port()))).View(),
              "page");
    EXPECT_EQ(RequestLine(proxy.Requests().at(0)), "GET http://www.zone.test/a HTTP/1.1");
    RawServer server(Answer(Reply(std::string("te\0xt", 5))));
    EXPECT_EQ(web::FetchPageText(Text(server.Url("/"))), Text("te"));
}

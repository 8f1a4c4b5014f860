#pragma once
// An HTTP client in the shape of the program's internet functions (open,
// connect, open request, send, read, query raw headers, set cookie, close),
// over libcurl. Handles are owners: closing one is letting it go.
//
// Every request of the process shares one cookie store: cookies that replies
// set, and cookies given to InternetSetCookie, go out with later requests to
// their host. All calls belong to one thread. While a call waits for the
// network it runs the still-waiting hook about every 50 ms, so the caller's
// window can repaint and answer; the hook may start other requests.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

inline constexpr unsigned kInternetOpenTypeDirect = 1;
inline constexpr unsigned kInternetOpenTypeProxy = 3;
inline constexpr unsigned kInternetServiceHttp = 3;
inline constexpr unsigned kInternetFlagReload = 0x80000000;
inline constexpr unsigned kHttpQueryContentLength = 5;
inline constexpr unsigned kHttpQueryRawHeadersCrlf = 22;

struct InternetTimeouts {
    std::chrono::milliseconds connect{60'000};
    std::chrono::milliseconds idle{30'000};  // no byte at all while waiting
};
// Time-outs for requests opened from now on; gives the previous ones.
InternetTimeouts SetInternetTimeouts(InternetTimeouts timeouts);
// Connections to one host:port go to another instead ("host:port:other:port",
// as curl's --connect-to): what a test uses so that a program that names real
// hosts talks to a local server. Names and Host headers stay as they were.
void SetConnectTo(const std::vector<std::string>& mappings);
// Run about every 50 ms while a call waits; gives the previous hook.
std::function<void()> SetStillWaitingHook(std::function<void()> hook);

class InternetSession;
class InternetConnection;
class HttpRequest;
// Closing a handle: what letting an owner go does.
struct InternetCloseHandle {
    void operator()(InternetSession* handle) const;
    void operator()(InternetConnection* handle) const;
    void operator()(HttpRequest* handle) const;
};
using Internet = std::unique_ptr<InternetSession, InternetCloseHandle>;
using Connection = std::unique_ptr<InternetConnection, InternetCloseHandle>;
using Request = std::unique_ptr<HttpRequest, InternetCloseHandle>;

// proxy: with kInternetOpenTypeProxy, "http=" then host:port. Direct access
// ignores the environment's proxy variables. Null on failure.
Internet InternetOpen(const char* agent, unsigned accessType, const char* proxy, const char* bypass, unsigned flags);
// server: a host name, possibly followed by ":" and a port (the port argument
// decides); port 0 is 80. Null on failure.
Connection InternetConnect(InternetSession& internet, const char* server, int port, const char* user,
                           const char* password, unsigned service, unsigned flags);
// verb: null is GET. Plain HTTP, never a cache. Null on failure.
Request HttpOpenRequest(InternetConnection& connection, const char* verb, const char* object, const char* version,
                        const char* referrer, const char* const* acceptTypes, unsigned flags);
// Sends the header block as it is (CRLF-separated lines) and the optional body;
// returns once the final response's headers are in. False when none came.
bool HttpSendRequest(HttpRequest& request, const char* headers, int headersLength, const void* optional,
                     int optionalLength);
// Up to toRead bytes of the body into buffer; *read is 0 at the end of the
// body and on failure (false then).
bool InternetReadFile(HttpRequest& request, void* buffer, int toRead, int* read);
// kHttpQueryRawHeadersCrlf: the final response's status line and header lines,
// each ending in CRLF, NUL-terminated. kHttpQueryContentLength: the length its
// headers give the body, in decimal. False when the answer does not fit
// *length bytes (then *length is the size needed) or there is none.
bool HttpQueryInfo(HttpRequest& request, unsigned level, char* buffer, int* length);
// Stores a cookie for the host of url ("http://host..."); data is the value,
// optionally followed by "; " and attributes (path, domain, expires, max-age).
bool InternetSetCookie(const char* url, const char* name, const char* data);

// A GET that runs while its owner goes on with other work: each Advance does
// what the network allows without waiting. Redirects are followed, and the
// process's cookie store is used both ways. Letting it go cancels it.
class BackgroundTransfer {
public:
    BackgroundTransfer(const std::string& address, const std::string& agent);
    ~BackgroundTransfer();
    BackgroundTransfer(const BackgroundTransfer&) = delete;
    BackgroundTransfer& operator=(const BackgroundTransfer&) = delete;

    // True once the transfer has finished, well or not.
    bool Advance();
    bool Succeeded() const;
    const std::string& Body() const;
    // Where the document came from after redirects; the address asked for until then.
    std::string Location() const;
    std::string ContentType() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace platform

#include "platform/internet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <utility>
#include <cstring>
#include <string_view>
#include <vector>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

template <auto Fn>
struct CFree {
    template <class T>
    void operator()(T* p) const { Fn(p); }
};
using CurlEasy = std::unique_ptr<CURL, CFree<curl_easy_cleanup>>;
using CurlMulti = std::unique_ptr<CURLM, CFree<curl_multi_cleanup>>;
using CurlList = std::unique_ptr<curl_slist, CFree<curl_slist_free_all>>;

constexpr std::size_t kCurlBuffer = 64 * 1024;
constexpr auto kWaitSlice = std::chrono::milliseconds(50);
constexpr long kMaxRedirects = 20;

InternetTimeouts g_timeouts;
std::unique_ptr<curl_slist, void (*)(curl_slist*)> g_connectTo(nullptr, curl_slist_free_all);
std::function<void()> g_stillWaiting;

// The process-wide cookie store: a share handle that every request joins.
// Everything runs on one thread, so it needs no lock callbacks.
CURLSH* CookieStore() {
    static CURLSH* share = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        CURLSH* s = curl_share_init();
        curl_share_setopt(s, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return s;
    }();
    return share;
}

void StillWaiting() {
    if (g_stillWaiting) g_stillWaiting();
}

bool Append(CurlList& list, const std::string& line) {
    curl_slist* head = curl_slist_append(list.get(), line.c_str());
    if (!head) return false;  // the old list stays ours
    list.release();
    list.reset(head);
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// The object as a URL path: bytes a URL cannot hold as they are (controls,
// spaces, bytes of 0x80 and above) are percent-encoded; everything else,
// "%" included, goes as the caller wrote it.
std::string EscapeForUrl(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c <= 0x20 || c >= 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string EscapeObject(std::string_view object) {
    std::string out = EscapeForUrl(object);
    if (out.empty() || out[0] != '/') out.insert(0, "/");
    return out;
}

// Options every transfer of this layer shares.
void SetCommonOptions(CURL* e, const std::string& agent, const std::string& proxy) {
    curl_easy_setopt(e, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(e, CURLOPT_PROXY, proxy.c_str());  // "" ignores http_proxy and friends
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_HTTP09_ALLOWED, 1L);
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, static_cast<long>(kCurlBuffer));
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(g_timeouts.connect.count()));
    curl_easy_setopt(e, CURLOPT_SHARE, CookieStore());
    curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");  // the cookie engine, in memory only
    curl_easy_setopt(e, CURLOPT_CONNECT_TO, g_connectTo.get());
}

// The host of a server name: after any user information, before any ":port".
std::string HostOf(std::string_view server) {
    if (const std::size_t at = server.rfind('@'); at != std::string_view::npos) server.remove_prefix(at + 1);
    if (!server.empty() && server[0] == '[') {  // [v6 address]
        const std::size_t close = server.find(']');
        return std::string(server.substr(0, close == std::string_view::npos ? server.size() : close + 1));
    }
    return std::string(server.substr(0, server.find(':')));
}

}  // namespace

class InternetSession {
public:
    std::string agent;
    std::string proxy;  // empty: direct
};

class InternetConnection {
public:
    std::string agent, proxy;
    std::string host;
    int port = 80;
};

class HttpRequest {
public:
    std::string agent, proxy, host, verb, object;
    int port = 80;

    CurlMulti multi;
    CurlEasy easy;
    CurlList headers;
    std::string postData;

    std::string body;           // delivered by curl, not yet read
    std::size_t bodyRead = 0;   // how much of body the caller has taken
    std::string rawHeaders;     // of the response being received
    std::string finalHeaders;   // of the final response, once its headers are complete
    bool headersComplete = false;
    bool headersGivenBack = false;  // the send call has returned
    bool sawLocation = false;
    bool paused = false;
    bool done = false;
    CURLcode result = CURLE_OK;
    Clock::time_point lastActivity;
    Clock::time_point lastHook;

    ~HttpRequest() {
        if (multi && easy) curl_multi_remove_handle(multi.get(), easy.get());
    }

    std::size_t Buffered() const { return body.size() - bodyRead; }

    static size_t OnHeader(char* data, size_t size, size_t count, void* self) {
        auto* r = static_cast<HttpRequest*>(self);
        std::string_view line(data, size * count);
        r->lastActivity = Clock::now();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (line.substr(0, 5) == "HTTP/") {  // a new response begins: a redirect's, or after 100 Continue
            r->rawHeaders.clear();
            r->sawLocation = false;
        }
        if (line.empty()) {
            r->ResponseHeadersEnded();
            return size * count;
        }
        if (StartsWithNoCase(line, "location:")) r->sawLocation = true;
        r->rawHeaders.append(line).append("\r\n");
        return size * count;
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto* r = static_cast<HttpRequest*>(self);
        const std::size_t n = size * count;
        r->lastActivity = Clock::now();
        if (!r->headersComplete) r->ResponseHeadersEnded();  // a reply without headers (HTTP/0.9)
        // Hold at most about one curl buffer: pause the transfer until the
        // caller has read what is here. Pausing at every chunk is much slower.
        if (r->Buffered() > 0 && r->Buffered() + n > kCurlBuffer) {
            r->paused = true;
            return CURL_WRITEFUNC_PAUSE;
        }
        if (r->bodyRead > 0 && r->bodyRead >= r->body.size() / 2) {
            r->body.erase(0, r->bodyRead);
            r->bodyRead = 0;
        }
        r->body.append(data, n);
        return n;
    }

    void ResponseHeadersEnded() {
        long code = 0;
        curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &code);
        const bool interim = code >= 100 && code < 200;
        const bool followed = sawLocation && (code == 301 || code == 302 || code == 303 || code == 307 || code == 308);
        if (interim || followed) return;
        headersComplete = true;
        finalHeaders = rawHeaders;
    }

    // One turn of the transfer: runs curl, then waits up to one slice for the
    // network, then lets the caller's window breathe.
    void Pump() {
        int running = 0;
        curl_multi_perform(multi.get(), &running);
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi.get(), &queued)) {
            if (msg->msg == CURLMSG_DONE) Finish(msg->data.result);
        }
        if (done) return;
        if (Clock::now() - lastActivity > g_timeouts.idle) {
            Finish(CURLE_OPERATION_TIMEDOUT);
            return;
        }
        // Wait for the network only when this turn brought nothing to give back.
        const bool progress = Buffered() > 0 || paused || (headersComplete && !headersGivenBack);
        if (!progress) curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(kWaitSlice.count()), nullptr);
        if (Clock::now() - lastHook >= kWaitSlice) {
            lastHook = Clock::now();
            StillWaiting();
        }
    }

    void Finish(CURLcode code) {
        if (done) return;
        done = true;
        result = code;
        curl_multi_remove_handle(multi.get(), easy.get());
        if (code == CURLE_OK && !headersComplete) {
            headersComplete = true;
            finalHeaders = rawHeaders;
        }
    }

    void Resume() {
        if (!paused) return;
        paused = false;
        lastActivity = Clock::now();
        curl_easy_pause(easy.get(), CURLPAUSE_CONT);  // may deliver the held chunk at once
    }
};

void InternetCloseHandle::operator()(InternetSession* handle) const { delete handle; }
void InternetCloseHandle::operator()(InternetConnection* handle) const { delete handle; }
void InternetCloseHandle::operator()(HttpRequest* handle) const { delete handle; }

InternetTimeouts SetInternetTimeouts(InternetTimeouts timeouts) { return std::exchange(g_timeouts, timeouts); }

void SetConnectTo(const std::vector<std::string>& mappings) {
    curl_slist* list = nullptr;
    for (const std::string& m : mappings) list = curl_slist_append(list, m.c_str());
    g_connectTo.reset(list);
}

std::function<void()> SetStillWaitingHook(std::function<void()> hook) {
    return std::exchange(g_stillWaiting, std::move(hook));
}

Internet InternetOpen(const char* agent, unsigned accessType, const char* proxy, const char*, unsigned) {
    CookieStore();
    Internet session(new InternetSession());
    session->agent = agent ? agent : "";
    if (accessType == kInternetOpenTypeProxy) {
        std::string_view p = proxy ? proxy : "";
        if (p.substr(0, 5) == "http=") p.remove_prefix(5);
        if (p.empty()) return nullptr;
        session->proxy = "http://" + std::string(p);
    } else if (accessType != kInternetOpenTypeDirect) {
        return nullptr;
    }
    return session;
}

Connection InternetConnect(InternetSession& internet, const char* server, int port, const char*, const char*,
                           unsigned service, unsigned) {
    if (service != kInternetServiceHttp || !server || !*server || port < 0 || port > 65535) return nullptr;
    Connection connection(new InternetConnection());
    connection->agent = internet.agent;
    connection->proxy = internet.proxy;
    connection->host = HostOf(server);
    connection->port = port == 0 ? 80 : port;
    if (connection->host.empty()) return nullptr;
    return connection;
}

Request HttpOpenRequest(InternetConnection& connection, const char* verb, const char* object, const char*,
                        const char*, const char* const*, unsigned) {
    Request request(new HttpRequest());
    request->agent = connection.agent;
    request->proxy = connection.proxy;
    request->host = connection.host;
    request->port = connection.port;
    request->verb = verb && *verb ? verb : "GET";
    request->object = object ? object : "/";
    return request;
}

bool HttpSendRequest(HttpRequest& r, const char* headers, int headersLength, const void* optional,
                     int optionalLength) {
    if (r.easy) return false;  // sent already
    r.multi.reset(curl_multi_init());
    r.easy.reset(curl_easy_init());
    if (!r.multi || !r.easy) return false;
    CURL* e = r.easy.get();

    // The header block goes out as the caller built it: one header per line.
    std::string_view block(headers ? headers : "", headers ? static_cast<std::size_t>(std::max(headersLength, 0)) : 0);
    if (headers && headersLength < 0) block = headers;
    bool hasAccept = false, hasContentType = false;
    while (!block.empty()) {
        const std::size_t eol = block.find('\n');
        std::string_view line = block.substr(0, eol);
        block.remove_prefix(eol == std::string_view::npos ? block.size() : eol + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (line.empty()) continue;
        hasAccept |= StartsWithNoCase(line, "accept:");
        hasContentType |= StartsWithNoCase(line, "content-type:");
        Append(r.headers, std::string(line));
    }
    // Keep curl from adding headers of its own.
    Append(r.headers, "Expect:");
    if (!hasAccept) Append(r.headers, "Accept:");
    if (!hasContentType) Append(r.headers, "Content-Type:");

    const std::string url = "http://" + (r.host.find(':') != std::string::npos ? "[" + r.host + "]" : r.host) + ":" +
                            std::to_string(r.port) + EscapeObject(r.object);
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    SetCommonOptions(e, r.agent, r.proxy);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, r.headers.get());
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &HttpRequest::OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &r);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &HttpRequest::OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &r);

    if (r.verb == "POST") {
        r.postData.assign(static_cast<const char*>(optional ? optional : ""),
                          optional ? static_cast<std::size_t>(std::max(optionalLength, 0)) : 0);
        curl_easy_setopt(e, CURLOPT_POST, 1L);
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, static_cast<long>(r.postData.size()));
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, r.postData.c_str());
    } else if (r.verb == "HEAD") {
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else if (r.verb != "GET") {
        curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, r.verb.c_str());
    }

    r.lastActivity = r.lastHook = Clock::now();
    if (curl_multi_add_handle(r.multi.get(), e) != CURLM_OK) return false;
    while (!r.headersComplete && !r.done) r.Pump();
    r.headersGivenBack = true;
    return r.headersComplete;
}

bool InternetReadFile(HttpRequest& r, void* buffer, int toRead, int* read) {
    if (read) *read = 0;
    if (!r.easy || toRead < 0 || (toRead > 0 && !buffer)) return false;
    while (r.Buffered() == 0 && !r.done) {
        r.Resume();
        if (r.Buffered() == 0) r.Pump();
    }
    const std::size_t n = std::min(r.Buffered(), static_cast<std::size_t>(toRead));
    std::memcpy(buffer, r.body.data() + r.bodyRead, n);
    r.bodyRead += n;
    if (r.Buffered() == 0) {
        r.body.clear();
        r.bodyRead = 0;
    }
    if (read) *read = static_cast<int>(n);
    return n > 0 || r.result == CURLE_OK;
}

bool HttpQueryInfo(HttpRequest& r, unsigned level, char* buffer, int* length) {
    if (!length || !r.headersComplete) return false;
    std::string answer;
    if (level == kHttpQueryRawHeadersCrlf) {
        answer = r.finalHeaders;
    } else if (level == kHttpQueryContentLength) {
        curl_off_t size = -1;
        curl_easy_getinfo(r.easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
        if (size >= 0) answer = std::to_string(size);
    }
    if (answer.empty()) return false;
    const int needed = static_cast<int>(answer.size()) + 1;
    if (!buffer || *length < needed) {
        *length = needed;
        return false;
    }
    std::memcpy(buffer, answer.c_str(), static_cast<std::size_t>(needed));
    *length = needed - 1;
    return true;
}

bool InternetSetCookie(const char* url, const char* name, const char* data) {
    if (!url) return false;
    std::string_view u(url);
    if (u.substr(0, 7) == "http://") u.remove_prefix(7);
    else if (u.substr(0, 8) == "https://") u.remove_prefix(8);
    const std::string host = HostOf(u.substr(0, u.find('/')));
    if (host.empty()) return false;

    // data: the value, then "; "-separated attributes as a reply would give them.
    std::string_view rest = data ? data : "";
    const std::size_t semi = rest.find(';');
    std::string value(rest.substr(0, semi));
    std::string domain = host, path = "/";
    bool subdomains = false;
    curl_off_t expires = 0;  // a session cookie
    while (semi != std::string_view::npos && !rest.empty()) {
        const std::size_t next = rest.find(';');
        if (next == std::string_view::npos) break;
        rest.remove_prefix(next + 1);
        std::string_view attribute = rest.substr(0, rest.find(';'));
        while (!attribute.empty() && attribute.front() == ' ') attribute.remove_prefix(1);
        const std::size_t eq = attribute.find('=');
        const std::string key(attribute.substr(0, eq));
        const std::string val(eq == std::string_view::npos ? std::string_view() : attribute.substr(eq + 1));
        if (StartsWithNoCase(key, "path") && !val.empty()) path = val;
        else if (StartsWithNoCase(key, "domain") && !val.empty()) {
            domain = val[0] == '.' ? val.substr(1) : val;
            subdomains = true;
        } else if (StartsWithNoCase(key, "expires")) {
            const time_t when = curl_getdate(val.c_str(), nullptr);
            if (when > 0) expires = when;
        } else if (StartsWithNoCase(key, "max-age")) {
            expires = static_cast<curl_off_t>(time(nullptr)) + std::atol(val.c_str());
        }
    }
    // A Netscape cookie-file line names the host, so the cookie goes out to
    // that host only (a "Set-Cookie:" line given to the store has no host).
    const std::string line = (subdomains ? "." : "") + domain + "\t" + (subdomains ? "TRUE" : "FALSE") + "\t" + path +
                             "\tFALSE\t" + std::to_string(expires) + "\t" + (name ? name : "") + "\t" + value;
    CurlEasy easy(curl_easy_init());
    if (!easy) return false;
    curl_easy_setopt(easy.get(), CURLOPT_SHARE, CookieStore());
    return curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.c_str()) == CURLE_OK;
}

struct BackgroundTransfer::State {
    CurlMulti multi;
    CurlEasy easy;
    std::string address;
    std::string body;
    bool done = false;
    CURLcode result = CURLE_OK;
    Clock::time_point lastActivity = Clock::now();

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto* state = static_cast<State*>(self);
        state->body.append(data, size * count);
        state->lastActivity = Clock::now();
        return size * count;
    }
    static size_t OnHeader(char*, size_t size, size_t count, void* self) {
        static_cast<State*>(self)->lastActivity = Clock::now();
        return size * count;
    }
};

BackgroundTransfer::BackgroundTransfer(const std::string& address, const std::string& agent)
    : m_state(std::make_unique<State>()) {
    State& s = *m_state;
    s.address = address;
    s.multi.reset(curl_multi_init());
    s.easy.reset(curl_easy_init());
    if (!s.multi || !s.easy) {
        s.done = true;
        s.result = CURLE_FAILED_INIT;
        return;
    }
    const std::string url =
        EscapeForUrl(address.find("://") == std::string::npos ? "http://" + address : address);
    CURL* e = s.easy.get();
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    SetCommonOptions(e, agent, "");
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &State::OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &s);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &State::OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &s);
    curl_multi_add_handle(s.multi.get(), e);
}

BackgroundTransfer::~BackgroundTransfer() {
    if (m_state->multi && m_state->easy) curl_multi_remove_handle(m_state->multi.get(), m_state->easy.get());
}

bool BackgroundTransfer::Advance() {
    State& s = *m_state;
    if (s.done) return true;
    int running = 0;
    curl_multi_perform(s.multi.get(), &running);
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(s.multi.get(), &queued)) {
        if (msg->msg == CURLMSG_DONE) {
            s.done = true;
            s.result = msg->data.result;
        }
    }
    if (!s.done && Clock::now() - s.lastActivity > g_timeouts.idle) {
        s.done = true;
        s.result = CURLE_OPERATION_TIMEDOUT;
    }
    return s.done;
}

bool BackgroundTransfer::Succeeded() const { return m_state->done && m_state->result == CURLE_OK; }
const std::string& BackgroundTransfer::Body() const { return m_state->body; }

std::string BackgroundTransfer::Location() const {
    char* url = nullptr;
    if (m_state->easy && curl_easy_getinfo(m_state->easy.get(), CURLINFO_EFFECTIVE_URL, &url) == CURLE_OK && url &&
        Succeeded())
        return url;
    return m_state->address;
}

std::string BackgroundTransfer::ContentType() const {
    char* type = nullptr;
    if (m_state->easy && curl_easy_getinfo(m_state->easy.get(), CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        return type;
    return {};
}

}  // namespace platform

#include "web/fetch_page.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "core/memory_file.h"
#include "core/text_ops.h"
#include "core/user.h"
#include "platform/internet.h"
#include "web/code_pages.h"
#include "web/url.h"

namespace web {

using core::ByteSet;
using core::Text;

namespace {

constexpr int kChunk = 512;
constexpr int kRawHeaderSize = 1024;
constexpr const char* kSetCookie = "Set-Cookie: ";
constexpr int kSetCookieLength = 12;

constexpr const char* kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

bool Contains(const Text& text, const char* name) { return core::FindText(text, name, 1, 1) >= 1; }

// Each default header goes in only when the block does not name it anywhere
// yet (a substring test, so "X-Accept: " counts too).
Text WithDefaultHeaders(Text block, const Text& address) {
    if (!Contains(block, "Accept: ")) block = core::ConcatText(block, kAcceptLine);
    if (!Contains(block, "Referer: ")) block = core::ConcatText(block, "Referer: ", address, "\r\n");
    if (!Contains(block, "Accept-Language: ")) block = core::ConcatText(block, "Accept-Language: zh-cn\r\n");
    return block;
}

// Every "Set-Cookie: " line of the raw headers, cut at its first "=" into name
// and data (the data keeps the cookie's attributes), goes to the cookie store.
void HandOverCookies(const Text& rawHeaders, const Text& host) {
    const Text url = core::ConcatText("http://", host);
    const int file = core::OpenMemoryFile();
    core::WriteText(file, rawHeaders);
    core::SeekToStart(file);
    while (!core::IsAtEnd(file)) {
        const Text line = core::ReadLine(file);
        if (!Contains(line, kSetCookie)) continue;
        const Text rest = core::ReplaceTextAt(line, 1, kSetCookieLength);
        const int equals = core::FindText(rest, "=");
        const Text name = core::TextLeft(rest, equals - 1);
        const Text data = core::TextRight(rest, core::TextLength(rest) - equals);
        platform::InternetSetCookie(url.CStr(), name.CStr(), data.CStr());  // empty parts go as null
    }
    core::CloseFile(file);
}

// What the reply says its body will hold, as a first size for the buffer (so
// that a large body is not copied while it grows); bounded, since the server
// may say anything.
std::size_t ExpectedBodySize(platform::HttpRequest& request) {
    constexpr std::size_t kMostReserved = 256u << 20;
    char digits[32] = {};
    int length = sizeof digits;
    if (!platform::HttpQueryInfo(request, platform::kHttpQueryContentLength, digits, &length)) return 0;
    return std::min<std::size_t>(std::strtoull(digits, nullptr, 10), kMostReserved);
}

ByteSet Converted(ByteSet body, int conversion) {
    if (conversion == 1) return core::ToBytes(Utf8ToGb2312(core::ToText(body)));
    if (conversion == 2) return core::ToBytes(Big5ToSimplified(core::ToText(body)));
    return body;
}

}  // namespace

ByteSet FetchPage(const Text& address, const Text& method, const Text& proxy, const Text& headers,
                  const Text& postData, int conversion) {
    const bool hasScheme = core::TextLeft(address, 7) == Text("http://") || core::TextLeft(address, 8) == Text("https://");
    const Text url = hasScheme ? core::ToText(address) : core::ConcatText("http://", address);
    const Text host = UrlHost(url);
    const Text path = UrlPath(url);

    // Handles close in reverse order of opening, on every way out.
    platform::Internet internet =
        core::RemoveAllSpaces(proxy).IsEmpty()
            ? platform::InternetOpen(kUserAgent, platform::kInternetOpenTypeDirect, nullptr, nullptr, 0)
            : platform::InternetOpen(kUserAgent, platform::kInternetOpenTypeProxy,
                                     core::ConcatText("http=", proxy).CStr(), "", 0);
    if (!internet) return {};
    platform::Connection connection = platform::InternetConnect(*internet, host.CStr(), UrlPort(url), nullptr,
                                                                nullptr, platform::kInternetServiceHttp, 0);
    if (!connection) return {};
    // The request is opened before the method is examined.
    platform::Request request = platform::HttpOpenRequest(*connection, method.CStr(), path.CStr(), "HTTP/1.1",
                                                          nullptr, nullptr, platform::kInternetFlagReload);
    if (!request) return {};

    Text block = WithDefaultHeaders(core::ToText(headers), url);
    if (method.IsEmpty() || method == Text("GET")) {
        platform::HttpSendRequest(*request, block.CStr(), block.Length(), nullptr, 0);
    } else if (method == Text("POST")) {
        if (!postData.IsEmpty()) {
            block = core::ConcatText(block, "Content-Type: application/x-www-form-urlencoded\r\n");
            block = core::ConcatText(block, "Content-Length: ", core::ToText(postData.Length()), "\r\n");
        }
        platform::HttpSendRequest(*request, block.CStr(), block.Length(), postData.CStr(), postData.Length());
    } else {
        return {};  // "get", "post" and every other verb are refused
    }

    // Gathered in one growing block that becomes the result: linear time, no copy.
    core::Bytes body;
    body.reserve(ExpectedBodySize(*request));
    char chunk[kChunk];
    for (;;) {
        core::ProcessEvents();
        int count = 0;
        platform::InternetReadFile(*request, chunk, kChunk, &count);
        if (count <= 0) break;
        body.append(chunk, static_cast<std::size_t>(count));
    }

    // Headers that do not fit leave the spaces: then no cookie is handed over.
    std::string raw(kRawHeaderSize, ' ');
    int length = kRawHeaderSize;
    platform::HttpQueryInfo(*request, platform::kHttpQueryRawHeadersCrlf, raw.data(), &length);
    const Text rawHeaders(std::string_view(raw.data(), raw.size()));

    request.reset();
    connection.reset();
    internet.reset();

    if (Contains(rawHeaders, kSetCookie)) HandOverCookies(rawHeaders, host);
    return Converted(body.empty() ? ByteSet() : ByteSet::Adopt(std::move(body)), conversion);
}

Text FetchPageText(const Text& address) {
    const Text url = core::TextLeft(address, 3) == Text("www") ? core::ConcatText("http://", address)
                                                               : core::ToText(address);
    return core::ToText(FetchPage(url));
}

}  // namespace web

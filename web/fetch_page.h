#pragma once
// Fetching a page over HTTP with browser-like default headers.

#include "core/text.h"

namespace web {

inline constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// One request for address (an address without "http://" or "https://" gets
// "http://"), always as plain HTTP. method: empty or "GET", or "POST" with
// postData as the body; anything else is refused. proxy: empty or spaces for a
// direct connection, else host:port of an HTTP proxy. headers: extra lines, each
// ending in CRLF. conversion: 1 the body is UTF-8, 2 it is Big5; both become
// GBK. Cookies the reply sets are handed to the process's cookie store.
// The body, or the empty byte set when the request failed. Window events run
// before every read of the body.
core::ByteSet FetchPage(const core::Text& address, const core::Text& method = {}, const core::Text& proxy = {},
                        const core::Text& headers = {}, const core::Text& postData = {}, int conversion = 0);

// A plain GET of address ("www..." gets "http://"), the body as text up to its
// first zero byte; the empty text on failure.
core::Text FetchPageText(const core::Text& address);

}  // namespace web

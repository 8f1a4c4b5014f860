#pragma once
// Splitting an address into the pieces a connection needs. Plain text work on
// a few fixed markers, not a URL parser: a scheme is only "http://" or
// "https://", and the host keeps whatever stands before the first "/", a port
// and user information included.

#include "core/text.h"

namespace web {

// The address with every "https://" and "http://" removed (anywhere, exact
// case), up to its first "/", in small letters. Possibly empty.
core::Text UrlHost(const core::Text& address);
// Everything from the first "/" after the host on; "/" when there is none.
core::Text UrlPath(const core::Text& address);
// The leading number after the first ":" of the host part; 80 without ":".
// "https://" is not recognised here, so an https address gives 0.
int UrlPort(const core::Text& address);

}  // namespace web

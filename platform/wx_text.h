#pragma once
// GBK text to and from the toolkit's Unicode strings: the one place where the
// program's 8-bit texts meet the toolkit.

#include <string>
#include <string_view>

#include <wx/string.h>

namespace platform {

wxString ToWx(std::string_view gbk);
// Characters GBK lacks become "?".
std::string FromWx(const wxString& text);

}  // namespace platform

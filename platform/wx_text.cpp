#include "platform/wx_text.h"

#include "platform/national_language.h"

namespace platform {
namespace {

// bytes in one code page to bytes in another, through UTF-16.
std::string Recode(std::string_view bytes, unsigned from, unsigned to) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(from, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(from, 0, bytes.data(), length, wide.data(), units);
    const int size = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(to, 0, wide.data(), units, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

wxString ToWx(std::string_view gbk) {
    const std::string utf8 = Recode(gbk, kCpGbk, kCpUtf8);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Recode(std::string_view(utf8.data(), utf8.length()), kCpUtf8, kCpGbk);
}

}  // namespace platform

#include "web/code_pages.h"

#include <algorithm>
#include <cstring>

#include "core/text_ops.h"
#include "platform/national_language.h"

namespace web {

using core::ByteSet;
using core::Text;

namespace {

// The units of a byte set up to and including its first zero unit; all whole
// units when it has none. Never reaches past the set.
int UnitsToConvert(const ByteSet& units) {
    const int whole = units.Length() / 2;
    const auto* bytes = units.Data();
    for (int i = 0; i < whole; ++i)
        if (bytes[2 * i] == 0 && bytes[2 * i + 1] == 0) return i + 1;
    return whole;
}

const char16_t* UnitsOf(const ByteSet& units) {
    // A ByteSet's block comes from malloc, which aligns it for any type.
    return units.IsNull() ? nullptr : reinterpret_cast<const char16_t*>(units.Data());
}

}  // namespace

Text Utf8ToGb2312(const Text& text) {
    return Utf16ToText(TextToUtf16(text), kCodePageGbk);
}

Text Big5ToSimplified(const Text& text) {
    return TraditionalToSimplified(Big5ToGbk(text));
}

ByteSet TextToUtf16(const Text& text, std::optional<int> codePage) {
    const unsigned page = static_cast<unsigned>(codePage.value_or(kCodePageUtf8));
    // Sized for the code page actually read: a text can need more units in it
    // than in the ANSI code page.
    const int count = platform::MultiByteToWideChar(page, 0, text.CStr(), -1, nullptr, 0);
    ByteSet buffer = core::BlankBytes(count * 2);
    if (count > 0) {
        platform::MultiByteToWideChar(page, 0, text.CStr(), -1,
                                      reinterpret_cast<char16_t*>(const_cast<std::uint8_t*>(buffer.Data())), count);
    }
    return buffer;
}

Text Utf16ToText(const ByteSet& units, std::optional<int> codePage) {
    const unsigned page = static_cast<unsigned>(codePage.value_or(kCodePageAnsi));
    const int unitCount = UnitsToConvert(units);
    if (unitCount == 0) return {};
    const char16_t* wide = UnitsOf(units);
    // Twice the ANSI count always holds GBK; another page may need its own count.
    const int ansi = platform::WideCharToMultiByte(platform::kCpAcp, 0, wide, unitCount, nullptr, 0, nullptr, nullptr);
    const int own = platform::WideCharToMultiByte(page, 0, wide, unitCount, nullptr, 0, nullptr, nullptr);
    const int size = std::max(ansi * 2, own);
    if (size <= 0) return {};
    std::string buffer(static_cast<std::size_t>(size), ' ');
    const int written = platform::WideCharToMultiByte(page, 0, wide, unitCount, buffer.data(), size, nullptr, nullptr);
    return core::MakeText(std::string_view(buffer.data(), static_cast<std::size_t>(std::max(written, 0))));
}

Text Big5ToGbk(const Text& text) {
    const int count = platform::MultiByteToWideChar(platform::kCpBig5, 0, text.CStr(), -1, nullptr, 0);
    if (count <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(count), u'\0');
    platform::MultiByteToWideChar(platform::kCpBig5, 0, text.CStr(), -1, wide.data(), count);
    // "?" for a character GBK lacks, as on the UTF-8 road; a zero byte there
    // would end the text and lose the rest of the reply.
    const int size = platform::WideCharToMultiByte(platform::kCpGbk, 0, wide.data(), count, nullptr, 0, "?", nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), ' ');
    platform::WideCharToMultiByte(platform::kCpGbk, 0, wide.data(), count, out.data(), size, "?", nullptr);
    return core::MakeText(out);  // up to the terminator
}

Text TraditionalToSimplified(const Text& text) {
    const int length = text.Length();
    if (length == 0) return {};
    std::string buffer(static_cast<std::size_t>(length), ' ');
    platform::LCMapStringA(platform::kLocaleChinesePrc, platform::kLcmapSimplifiedChinese, text.CStr(), length,
                           buffer.data(), length);
    return core::MakeText(buffer);
}

ByteSet ZeroBytes(int n) { return core::BlankBytes(n); }
Text SpaceText(int n) { return core::BlankText(n); }

}  // namespace web

#include "web/code_pages.h"

#include <algorithm>
#include <cstring>
#include <utility>

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
    if (text.IsNull()) return {};  // a null text counts nothing
    // Sized for the code page actually read, never from another one. No code
    // page makes more units than bytes, so the text's length (and one unit for
    // the terminator) holds them all, and one pass converts and counts.
    const int room = text.Length() + 1;
    core::Bytes buffer(static_cast<std::size_t>(room) * 2, '\0');
    const int units = platform::MultiByteToWideChar(page, 0, text.CStr(), -1,
                                                    reinterpret_cast<char16_t*>(buffer.data()), room);
    if (units <= 0) return {};
    buffer.resize(static_cast<std::size_t>(units) * 2);
    return ByteSet::Adopt(std::move(buffer));
}

Text Utf16ToText(const ByteSet& units, std::optional<int> codePage) {
    const unsigned page = static_cast<unsigned>(codePage.value_or(kCodePageAnsi));
    const int unitCount = UnitsToConvert(units);
    if (unitCount == 0) return {};
    const char16_t* wide = UnitsOf(units);
    // GBK (the ANSI code page here) writes at most two bytes a unit; another
    // code page is asked how much it needs.
    const bool gbk = page == static_cast<unsigned>(kCodePageAnsi) || page == static_cast<unsigned>(kCodePageGbk);
    const int size = gbk ? unitCount * 2
                         : std::max(unitCount * 2, platform::WideCharToMultiByte(page, 0, wide, unitCount, nullptr, 0,
                                                                                 nullptr, nullptr));
    core::Bytes buffer(static_cast<std::size_t>(size), ' ');
    const int written = platform::WideCharToMultiByte(page, 0, wide, unitCount, buffer.data(), size, nullptr, nullptr);
    buffer.resize(static_cast<std::size_t>(std::max(written, 0)));
    return Text::Adopt(std::move(buffer));
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

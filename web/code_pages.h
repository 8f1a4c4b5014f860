#pragma once
// Turning reply bodies in other code pages into the program's GBK text, through
// UTF-16 (16-bit units, low byte first, held in a ByteSet).

#include <optional>

#include "core/text.h"

namespace web {

inline constexpr int kCodePageAnsi = 0;     // the system's code page: 936 here
inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageBig5 = 950;
inline constexpr int kCodePageUtf8 = 65001;

// UTF-8 text to GBK; characters GBK lacks become "?".
core::Text Utf8ToGb2312(const core::Text& text);
// Big5 text to GBK with traditional characters made simplified.
core::Text Big5ToSimplified(const core::Text& text);

// text read in codePage (UTF-8 when none is given) to UTF-16 units, their zero
// unit included. A null text gives the null byte set; the empty block, one zero unit.
core::ByteSet TextToUtf16(const core::Text& text, std::optional<int> codePage = std::nullopt);
// UTF-16 units, up to the first zero unit (or the end of the set), to text in
// codePage (the ANSI code page when none is given, 0 included).
core::Text Utf16ToText(const core::ByteSet& units, std::optional<int> codePage = std::nullopt);
// Big5 to GBK; a character GBK lacks becomes "?".
core::Text Big5ToGbk(const core::Text& text);
// GBK to GBK with each traditional character replaced by its simplified form;
// the byte length never changes.
core::Text TraditionalToSimplified(const core::Text& text);

// n zero bytes; the empty byte set for n of 0 or less.
core::ByteSet ZeroBytes(int n);
// n spaces; the empty text for n of 0 or less.
core::Text SpaceText(int n);

}  // namespace web

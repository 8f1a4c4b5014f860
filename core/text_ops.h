#pragma once
// The primitive text and byte-set operations.
//
// Positions and lengths count bytes; positions are 1-based; a search that finds
// nothing gives kNotFound. Searching, replacing, case folding, space removal and
// line reading use the character walk: a byte of 0x80 or above begins a two-byte
// character and takes the next byte with it, whatever that byte is. Slicing
// counts plain bytes and may cut a character in two.

#include <initializer_list>
#include <string_view>

#include "core/text.h"

namespace core {

int TextLength(const Text& text);
int BytesLength(const ByteSet& bytes);

Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
Text TextMid(const Text& text, int start, int n);
ByteSet BytesLeft(const ByteSet& bytes, int n);
Text CharFromCode(int code);  // code 0 gives the null text

// caseInsensitive folds A-Z only when it is exactly 1; any other value compares exactly.
// A match begins only where a character begins, walking from start.
int FindText(const Text& text, const Text& needle, int start = 1, int caseInsensitive = 0);
// 0 when equal. caseSensitive false: ASCII letters fold, a two-byte character is one character.
int CompareText(const Text& a, const Text& b, int caseSensitive = 0);

Text ToLowerCase(const Text& text);
Text RemoveAllSpaces(const Text& text);
Text ReplaceTextAt(const Text& text, int start, int count, const Text& replacement = {});
// count -1 (or any negative) replaces every match; caseSensitive is tested against 0.
Text ReplaceSubtext(const Text& text, const Text& find, const Text& replacement = {}, int start = 1,
                    int count = -1, int caseSensitive = 0);

// FindText over plain bytes: the 0-based offset of the first match of a
// non-empty needle at or after from, where the character walk begins, or npos.
// Runs in time linear in the bytes it passes over.
std::size_t FindBytes(std::string_view hay, std::string_view needle, std::size_t from, bool foldCase);

// A whole number computed through floating point, truncated toward zero to 32
// bits; a value outside the range (or not a number) gives INT_MIN, as the
// processor's own conversion does.
int TruncateToInt(double value);

Text BlankText(int n);
ByteSet BlankBytes(int n);

ByteSet ToBytes(const Text& text);
Text ToText(const Text& text);
Text ToText(const ByteSet& bytes);  // up to the first zero byte
Text ToText(int value);
int ToInteger(const Text& text);  // 32-bit wrap-around, no overflow check
double ToNumber(const Text& text);

inline std::string_view ViewOf(const Text& t) { return t.View(); }
inline std::string_view ViewOf(const ByteSet& b) { return b.View(); }
inline std::string_view ViewOf(std::string_view s) { return s; }
inline std::string_view ViewOf(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// Joined in the order given; always a block, never null.
Text ConcatText(std::initializer_list<std::string_view> parts);
template <class... Parts>
Text ConcatText(const Parts&... parts) {
    return ConcatText({ViewOf(parts)...});
}
// Joined in the order given; null when the total is empty.
ByteSet ConcatBytes(std::initializer_list<std::string_view> parts);
template <class... Parts>
ByteSet ConcatBytes(const Parts&... parts) {
    return ConcatBytes({ViewOf(parts)...});
}


}  // namespace core

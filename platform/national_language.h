#pragma once
// Code-page conversion in the shape of the three national-language functions
// the program calls, over ICU.
//
// Code pages: 0 (the ANSI code page, which is 936 here), 936 (GBK), 950 (Big5),
// 65001 (UTF-8). A length of -1 means the text up to and including its
// terminator, which the count then includes. A call with an output size of 0
// only counts. A call whose output does not fit writes what fits and gives 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline constexpr unsigned kCpAcp = 0;
inline constexpr unsigned kCpGbk = 936;
inline constexpr unsigned kCpBig5 = 950;
inline constexpr unsigned kCpUtf8 = 65001;
inline constexpr unsigned kLocaleChinesePrc = 2052;
inline constexpr unsigned kLcmapSimplifiedChinese = 0x02000000;

// Bytes of codePage to UTF-16 units. Invalid input becomes U+FFFD.
int MultiByteToWideChar(unsigned codePage, unsigned flags, const char* text, int length, char16_t* out,
                        int outUnits);

// UTF-16 units to bytes of codePage. A character the code page cannot represent
// becomes defaultChar (its first byte, or two bytes for a double-byte default),
// or "?" when defaultChar is null; *usedDefault says whether that happened.
int WideCharToMultiByte(unsigned codePage, unsigned flags, const char16_t* units, int count, char* out,
                        int outBytes, const char* defaultChar, bool* usedDefault);

// With locale 2052 and kLcmapSimplifiedChinese: writes the simplified form of
// GBK text, character by character, always as many bytes as the text has (a
// traditional character whose simplified form is not in GBK stays). Gives the
// bytes written, or 0 when the output is too small or the request is another one.
int LCMapStringA(unsigned locale, unsigned flags, const char* text, int length, char* out, int outBytes);

// A document's bytes in the named character set (an IANA or ICU name, such as
// a page declares) as UTF-8; GBK when the name is empty or unknown.
std::string DocumentToUtf8(std::string_view bytes, const std::string& charset);

}  // namespace platform

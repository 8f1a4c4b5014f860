#include "core/text_ops.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

namespace core {
namespace {

bool IsLead(unsigned char c) { return c >= 0x80; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; }

bool SameBytes(std::string_view a, std::string_view b, bool foldCase) {
    if (a == b) return true;
    if (!foldCase) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Full-width forms that ToInteger and ToNumber read as their ASCII counterparts.
// An incomplete character at the end is dropped.
std::string FoldHalfWidth(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (!IsLead(c)) {
            out += s[i++];
            continue;
        }
        if (i + 1 >= s.size()) break;
        const auto t = static_cast<unsigned char>(s[i + 1]);
        if (c == 0xA3 && t >= 0xA1 && t <= 0xFE) out += static_cast<char>(t - 0x80);
        else if (c == 0xA1 && t == 0xA1) out += ' ';
        else if (c == 0xA1 && t == 0xAB) out += '~';
        else if (c == 0xA1 && (t == 0xEE || t == 0xEF)) out += '*';
        else out.append(s.substr(i, 2));
        i += 2;
    }
    return out;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int TextLength(const Text& text) { return text.Length(); }
int BytesLength(const ByteSet& bytes) { return bytes.Length(); }

Text TextLeft(const Text& text, int n) {
    if (n <= 0) return {};
    return MakeText(text.View().substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
    if (n <= 0) return {};
    const std::string_view v = text.View();
    const std::size_t take = std::min(v.size(), static_cast<std::size_t>(n));
    return MakeText(v.substr(v.size() - take));
}

Text TextMid(const Text& text, int start, int n) {
    const std::string_view v = text.View();
    if (start < 1 || static_cast<std::size_t>(start) > v.size() || n <= 0) return {};
    return MakeText(v.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

ByteSet BytesLeft(const ByteSet& bytes, int n) {
    if (n <= 0) return {};
    return MakeBytes(bytes.View().substr(0, static_cast<std::size_t>(n)));
}

Text CharFromCode(int code) {
    const char c = static_cast<char>(code);
    return MakeText(std::string_view(&c, 1));
}

std::size_t FindBytes(std::string_view hay, std::string_view needle, std::size_t from, bool foldCase) {
    const std::size_t n = needle.size();
    if (n == 0 || from >= hay.size() || hay.size() - from < n) return std::string_view::npos;
    const std::size_t last = hay.size() - n;  // the last place a match can begin

    // Candidates are found with memchr on the needle's first byte (both cases
    // when folding); a candidate counts only where the walk from `from` puts
    // the start of a character there.
    const char first = needle[0];
    char other = first;
    if (foldCase && first >= 'a' && first <= 'z') other = static_cast<char>(first - 0x20);
    if (foldCase && first >= 'A' && first <= 'Z') other = static_cast<char>(first + 0x20);
    std::size_t boundary = from;  // a place known to begin a character
    std::size_t i = from;
    while (i <= last) {
        const char* a = static_cast<const char*>(std::memchr(hay.data() + i, first, last - i + 1));
        const char* b = other == first ? nullptr
                                       : static_cast<const char*>(std::memchr(hay.data() + i, other, last - i + 1));
        const char* hit = !a ? b : (!b ? a : std::min(a, b));
        if (!hit) return std::string_view::npos;
        const std::size_t c = static_cast<std::size_t>(hit - hay.data());

        // Every byte below 0x80 ends a character (alone or as a second byte), so
        // the walk is at a boundary right after the last such byte before c;
        // from there, an odd run of bytes of 0x80 or above ends in a lead byte
        // that takes c with it.
        std::size_t run = 0;
        for (std::size_t k = c; k > boundary && IsLead(static_cast<unsigned char>(hay[k - 1])); --k) ++run;
        if (run % 2 == 0) {
            if (SameBytes(hay.substr(c, n), needle, foldCase)) return c;
            boundary = c;
            i = c + 1;
            if (IsLead(static_cast<unsigned char>(hay[c]))) {  // skip the whole character
                boundary = c + 2;
                i = c + 2;
            }
        } else {
            boundary = c + 1;  // c is a second byte; the next byte begins a character
            i = c + 1;
        }
    }
    return std::string_view::npos;
}

int FindText(const Text& text, const Text& needle, int start, int caseInsensitive) {
    const std::string_view hay = text.View();
    const std::size_t offset = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (offset >= hay.size()) return kNotFound;
    if (needle.IsEmpty()) return 1;  // 1, not the start position
    const std::size_t at = FindBytes(hay, needle.View(), offset, caseInsensitive == 1);
    return at == std::string_view::npos ? kNotFound : static_cast<int>(at) + 1;
}

int TruncateToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
    return static_cast<int>(value);
}

int CompareText(const Text& a, const Text& b, int caseSensitive) {
    const std::string_view x = a.View(), y = b.View();
    if (caseSensitive) return x.compare(y) < 0 ? -1 : (x == y ? 0 : 1);
    // Character by character: ASCII folded, a two-byte character as one code.
    std::size_t i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        auto next = [](std::string_view s, std::size_t& k) -> unsigned {
            const auto c = static_cast<unsigned char>(s[k++]);
            if (!IsLead(c)) return static_cast<unsigned char>(LowerAscii(static_cast<char>(c)));
            if (k >= s.size()) return c << 8;
            return (c << 8) | static_cast<unsigned char>(s[k++]);
        };
        const unsigned cx = next(x, i), cy = next(y, j);
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    if (i < x.size()) return 1;
    if (j < y.size()) return -1;
    return 0;
}

Text ToLowerCase(const Text& text) {
    std::string out(text.View());
    for (std::size_t i = 0; i < out.size();) {
        if (IsLead(static_cast<unsigned char>(out[i]))) {
            i += 2;  // both bytes stay; an incomplete last character too
        } else {
            out[i] = LowerAscii(out[i]);
            i += 1;
        }
    }
    return MakeText(out);
}

Text RemoveAllSpaces(const Text& text) {
    const std::string_view v = text.View();
    std::string out;
    out.reserve(v.size());
    for (std::size_t i = 0; i < v.size();) {
        const auto c = static_cast<unsigned char>(v[i]);
        if (!IsLead(c)) {
            if (c != ' ') out += v[i];
            i += 1;
            continue;
        }
        if (i + 1 >= v.size()) break;  // incomplete character: dropped
        if (!(c == 0xA1 && static_cast<unsigned char>(v[i + 1]) == 0xA1)) out.append(v.substr(i, 2));
        i += 2;
    }
    return MakeText(out);
}

Text ReplaceTextAt(const Text& text, int start, int count, const Text& replacement) {
    std::string out(text.View());
    const long long wanted = static_cast<long long>(start) - 1;
    const std::size_t offset =
        wanted < 0 ? 0 : std::min(out.size(), static_cast<std::size_t>(wanted));
    if (count > 0) out.erase(offset, std::min(static_cast<std::size_t>(count), out.size() - offset));
    out.insert(offset, replacement.View());
    return MakeText(out);
}

Text ReplaceSubtext(const Text& text, const Text& find, const Text& replacement, int start, int count,
                    int caseSensitive) {
    const std::string_view v = text.View();
    const std::string_view pin = find.View();
    const std::size_t offset = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    int limit = count < 0 ? -1 : count;
    if (v.empty() || pin.empty() || offset >= v.size() || limit == 0) return ToText(text);

    const bool fold = caseSensitive == 0;
    std::string out(v.substr(0, offset));
    std::size_t i = offset;
    while (v.size() - i >= pin.size()) {
        if (SameBytes(v.substr(i, pin.size()), pin, fold)) {
            out.append(replacement.View());
            i += pin.size();
            if (limit != -1 && --limit == 0) break;
            continue;
        }
        if (IsLead(static_cast<unsigned char>(v[i]))) {
            if (i + 1 >= v.size()) {  // incomplete character at the end: dropped
                i = v.size();
                break;
            }
            out.append(v.substr(i, 2));
            i += 2;
        } else {
            out += v[i++];
        }
    }
    if (i < v.size()) out.append(v.substr(i));
    return MakeText(out);
}

Text BlankText(int n) { return n <= 0 ? Text() : Text(std::string(static_cast<std::size_t>(n), ' ')); }

ByteSet BlankBytes(int n) {
    return n <= 0 ? ByteSet() : ByteSet(std::string(static_cast<std::size_t>(n), '\0'));
}

ByteSet ToBytes(const Text& text) { return MakeBytes(text.View()); }
Text ToText(const Text& text) { return MakeText(text.View()); }
Text ToText(const ByteSet& bytes) { return MakeText(bytes.View()); }
Text ToText(int value) { return Text(std::to_string(value).c_str()); }

int ToInteger(const Text& text) {
    const std::string s = FoldHalfWidth(text.View());
    std::size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::uint32_t value = 0;  // gathered modulo 2^32, as the platform's atoi does
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

double ToNumber(const Text& text) {
    const std::string s = FoldHalfWidth(text.View());
    std::size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    // The longest beginning of the form [sign] digits [. digits] [e [sign] digits].
    const std::size_t begin = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t digitsFrom = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    std::size_t mantissaDigits = i - digitsFrom;
    if (i < s.size() && s[i] == '.') {
        const std::size_t afterPoint = ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        mantissaDigits += i - afterPoint;
    }
    if (mantissaDigits == 0) return 0;
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        const std::size_t expDigits = k;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        if (k > expDigits) end = k;
    }
    std::string number = s.substr(begin, end - begin);
    if (!number.empty() && number[0] == '+') number.erase(0, 1);  // from_chars takes no plus sign
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

Text ConcatText(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view p : parts) total += p.size();
    std::string out;
    out.reserve(total);
    for (std::string_view p : parts) out.append(p);
    return Text(std::string_view(out));
}

ByteSet ConcatBytes(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view p : parts) total += p.size();
    if (total == 0) return {};
    std::string out;
    out.reserve(total);
    for (std::string_view p : parts) out.append(p);
    return ByteSet(out);
}

}  // namespace core

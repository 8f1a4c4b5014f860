#include "web/code_pages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "core/text_ops.h"

using core::ByteSet;
using core::Text;
using namespace web;

namespace {

std::string Hex(std::string_view bytes) {
    std::string out;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02x", c);
        out += two;
    }
    return out;
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) s += static_cast<char>(c);
    else if (c < 0x800) s += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    else if (c < 0x10000)
        s += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
              static_cast<char>(0x80 | (c & 0x3F))};
    else
        s += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
              static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    return s;
}

struct Encodings {
    std::string gbk, big5;  // empty: the code page lacks the character
};

// The independent oracle: Perl's Encode tables for cp936 and cp950, round trips
// only (its one-way best fits, such as e for \u00e9 in cp950, are no encoding).
std::map<char32_t, Encodings> PerlEncodings(const std::vector<char32_t>& characters) {
    std::ostringstream command;
    command << "perl -MEncode -e 'for (@ARGV) { my $c = chr(hex $_); my @e = map { my $s = $c; my $b = eval { encode($_, $s, "
               "Encode::FB_CROAK) }; defined $b && decode($_, $b) eq $c ? unpack(\"H*\", $b) : \"-\" } "
               "qw(cp936 cp950); print \"$_ @e\\n\" }'";
    for (char32_t c : characters) command << " " << std::hex << static_cast<unsigned>(c);
    std::map<char32_t, Encodings> table;
    FILE* perl = popen(command.str().c_str(), "r");
    if (!perl) return table;
    char line[128];
    while (std::fgets(line, sizeof line, perl)) {
        unsigned code;
        char gbk[32], big5[32];
        if (std::sscanf(line, "%x %31s %31s", &code, gbk, big5) != 3) continue;
        table[code] = {std::string(gbk) == "-" ? "" : Unhex(gbk), std::string(big5) == "-" ? "" : Unhex(big5)};
    }
    pclose(perl);
    return table;
}

// Chosen characters (ASCII, traditional and simplified, Big5 characters with
// ASCII second bytes, punctuation, characters GBK lacks, default-ignorables),
// then a sweep through the CJK block and the punctuation and symbol blocks.
std::vector<char32_t> Characters() {
    std::vector<char32_t> list = {
        U'A', U'~', 0x4E2D, 0x6587, 0x9019, 0x570B, 0x56FD, 0x529F, 0x8A31, 0xFF01, 0x3000, 0x201C,
        0x20AC, 0x00B7, 0xD55C, 0x200B, 0xFEFF, 0x1F600, 0x2574, 0x5341, 0x7E41, 0x9AD4, 0x0410, 0x00E9,
    };
    for (char32_t c = 0x4E00; c <= 0x9FA5; c += 37) list.push_back(c);
    for (char32_t c = 0x2000; c <= 0x33FF; c += 11) list.push_back(c);
    for (char32_t c = 0xFF01; c <= 0xFFE5; c += 3) list.push_back(c);
    return list;
}
const std::vector<char32_t> kCharacters = Characters();

}  // namespace

TEST(CodePages, Utf8ToGb2312AgreesWithTheOracle) {
    const auto oracle = PerlEncodings(kCharacters);
    for (char32_t c : kCharacters) ASSERT_EQ(oracle.count(c), 1u) << "perl with Encode is needed";
    for (char32_t c : kCharacters) {
        SCOPED_TRACE(std::to_string(c));
        const std::string want = oracle.at(c).gbk.empty() ? "?" : oracle.at(c).gbk;
        EXPECT_EQ(Hex(Utf8ToGb2312(Text(Utf8(c))).View()), Hex(want));
    }
    // A whole text converts as its characters do, in order.
    std::string utf8, gbk;
    for (char32_t c : kCharacters) {
        utf8 += Utf8(c);
        gbk += oracle.at(c).gbk.empty() ? "?" : oracle.at(c).gbk;
    }
    EXPECT_EQ(Hex(Utf8ToGb2312(Text(utf8)).View()), Hex(gbk));
}

TEST(CodePages, Big5ToGbkAgreesWithTheOracle) {
    const auto oracle = PerlEncodings(kCharacters);
    std::string big5, gbk;
    for (char32_t c : kCharacters) {
        const Encodings& e = oracle.at(c);
        if (e.big5.empty()) continue;
        SCOPED_TRACE(std::to_string(c));
        const std::string want = e.gbk.empty() ? "?" : e.gbk;  // "?", and the rest of the text goes on
        EXPECT_EQ(Hex(Big5ToGbk(Text(e.big5 + "z")).View()), Hex(want + "z"));
        big5 += e.big5;
        gbk += want;
    }
    EXPECT_EQ(Hex(Big5ToGbk(Text(big5)).View()), Hex(gbk));
}

TEST(CodePages, Big5ToSimplifiedMakesTraditionalCharactersSimplified) {
    // Traditional character, its simplified form.
    const std::vector<std::pair<char32_t, char32_t>> pairs = {
        {0x9019, 0x8FD9}, {0x570B, 0x56FD}, {0x5B78, 0x5B66}, {0x8AAA, 0x8BF4}, {0x611B, 0x7231},
        {0x9AD4, 0x4F53}, {0x9580, 0x95E8}, {0x99AC, 0x9A6C}, {0x8A31, 0x8BB8}, {0x4E2D, 0x4E2D}, {0x529F, 0x529F},
    };
    std::vector<char32_t> all;
    for (auto [t, s] : pairs) all.insert(all.end(), {t, s});
    const auto oracle = PerlEncodings(all);
    std::string big5, want;
    for (auto [t, s] : pairs) {
        SCOPED_TRACE(std::to_string(t));
        ASSERT_FALSE(oracle.at(t).big5.empty());
        EXPECT_EQ(Hex(Big5ToSimplified(Text(oracle.at(t).big5)).View()), Hex(oracle.at(s).gbk));
        big5 += oracle.at(t).big5 + "a";
        want += oracle.at(s).gbk + "a";
    }
    // Second bytes that are ASCII letters or "\" stay part of their characters.
    EXPECT_EQ(Hex(Big5ToSimplified(Text(big5)).View()), Hex(want));
    EXPECT_EQ(Hex(Big5ToSimplified(Text("\xA4\xA4\xA4\xE5")).View()), "d6d0cec4");
    EXPECT_EQ(Hex(Big5ToSimplified(Text("\xB3\x6F")).View()), "d5e2");
}

TEST(CodePages, TraditionalToSimplifiedKeepsTheByteLength) {
    // 這 in GBK, "x", 中, then a lead byte at the very end.
    const Text gbk("\xDF\x40x\xD6\xD0\x81");
    const Text got = TraditionalToSimplified(gbk);
    EXPECT_EQ(got.Length(), gbk.Length());
    EXPECT_EQ(Hex(got.View()), "d5e278d6d081");
    EXPECT_TRUE(TraditionalToSimplified(Text()).IsNull());
}

TEST(CodePages, Utf16NullEmptyAndGivenCodePages) {
    EXPECT_TRUE(TextToUtf16(Text()).IsNull());
    EXPECT_EQ(TextToUtf16(Text("")).View(), std::string_view("\0\0", 2));
    EXPECT_EQ(TextToUtf16(Text("ab")).View(), std::string_view("a\0b\0\0\0", 6));
    EXPECT_EQ(Hex(TextToUtf16(Text("\xD6\xD0"), 936).View()), "2d4e0000");
    EXPECT_EQ(Hex(TextToUtf16(Text("\xD6\xD0"), 0).View()), "2d4e0000") << "0 given is the ANSI code page";

    const ByteSet zhong = TextToUtf16(Text("\xE4\xB8\xAD"));
    EXPECT_EQ(Hex(Utf16ToText(zhong).View()), "d6d0");
    EXPECT_EQ(Utf16ToText(zhong, 0), Utf16ToText(zhong));
    EXPECT_EQ(Hex(Utf16ToText(zhong, 65001).View()), "e4b8ad");
    // Reading stops at the first zero unit; a set without one is read to its end, never past.
    EXPECT_EQ(Utf16ToText(ByteSet(std::string_view("a\0\0\0b\0", 6))), Text("a"));
    EXPECT_EQ(Utf16ToText(ByteSet(std::string_view("a\0b", 3))), Text("a"));
    EXPECT_TRUE(Utf16ToText(ByteSet()).IsNull());
}

TEST(CodePages, BadInputNeverReadsPastTheEnd) {
    struct Case { const char* name; const char* text; const char* want; };
    const Case cases[] = {
        {"invalid_utf8", "a\xFF" "b", "a?b"},
        {"lead_at_the_end", "ab\xE4\xB8", "ab?"},
        {"lone_continuation", "\x80z", "?z"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToGb2312(c.text), Text(c.want));
    }
    // Big5 with a lead byte at the end, and GBK text read as UTF-8 (more units than bytes).
    EXPECT_EQ(Big5ToSimplified(Text("\xA4\xA4\xA4")).View().substr(0, 2), "\xD6\xD0");
    EXPECT_FALSE(Utf8ToGb2312(Text("\xD6\xD0\xCE\xC4\xB5\xC4")).IsEmpty());
    EXPECT_TRUE(Big5ToSimplified(Text()).IsNull());
}

TEST(CodePages, ZeroBytesAndSpaceText) {
    EXPECT_EQ(ZeroBytes(3).View(), std::string_view("\0\0\0", 3));
    EXPECT_TRUE(ZeroBytes(0).IsNull());
    EXPECT_TRUE(ZeroBytes(-1).IsNull());
    EXPECT_EQ(SpaceText(2), Text("  "));
    EXPECT_TRUE(SpaceText(0).IsNull());
}

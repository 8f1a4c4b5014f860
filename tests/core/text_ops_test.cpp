#include "core/text_ops.h"

#include <gtest/gtest.h>

#include <random>

using namespace core;

TEST(FindText, Table) {
    struct Case { const char* name; const char* hay; const char* needle; int from, fold, want; };
    const Case cases[] = {
        {"first", "abcabc", "abc", 1, 0, 1},
        {"from_2", "abcabc", "abc", 2, 0, 4},
        {"from_0", "abcabc", "abc", 0, 0, 1},
        {"from_negative", "abcabc", "abc", -5, 0, 1},
        {"from_past_end", "abcabc", "abc", 7, 0, kNotFound},
        {"empty_needle", "abc", "", 2, 0, 1},
        {"empty_needle_past_end", "abc", "", 4, 0, kNotFound},
        {"empty_needle_empty_text", "", "", 1, 0, kNotFound},
        {"second_byte_skipped", "\x81" "A", "A", 1, 0, kNotFound},
        {"walk_starts_mid_character", "\x81" "A", "A", 2, 0, 2},
        {"lead_before_terminator", "ab\x81", "zz", 1, 0, kNotFound},
        {"fold_exactly_1", "X-Set-Cookie: a", "set-cookie: ", 1, 1, 3},
        {"fold_2_is_exact", "Set-Cookie: a", "set-cookie: ", 1, 2, kNotFound},
        {"needle_longer", "ab", "abc", 1, 0, kNotFound},
        {"after_double_byte", "\xD6\xD0" "abc", "b", 1, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindText(c.hay, c.needle, c.from, c.fold), c.want);
    }
    EXPECT_EQ(FindText(Text(), "a"), kNotFound);
}

TEST(Slicing, Table) {
    struct Case { const char* name; Text got; const char* want; };
    const Case cases[] = {
        {"left_beyond", TextLeft("abc", 10), "abc"},
        {"left_zero", TextLeft("abc", 0), ""},
        {"left_negative", TextLeft("abc", -1), ""},
        {"left_half_character", TextLeft("a\xD6\xD0", 2), "a\xD6"},
        {"right_beyond", TextRight("abc", 10), "abc"},
        {"right_two", TextRight("abc", 2), "bc"},
        {"right_zero", TextRight("abc", 0), ""},
        {"mid_start_0", TextMid("abcdef", 0, 3), ""},
        {"mid_tail", TextMid("abcdef", 5, 10), "ef"},
        {"mid_past_end", TextMid("abcdef", 7, 1), ""},
        {"mid_middle", TextMid("abcdef", 2, 3), "bcd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, Text(c.want));
        if (*c.want == '\0') {
            EXPECT_TRUE(c.got.IsNull()) << "an empty result is null";
        }
    }
    EXPECT_EQ(BytesLeft(ByteSet(std::string_view("a\0b", 3)), 2).View(), std::string_view("a\0", 2));
    EXPECT_TRUE(BytesLeft(ByteSet("ab"), 0).IsNull());
    EXPECT_TRUE(CharFromCode(0).IsNull());
    EXPECT_EQ(CharFromCode('x'), Text("x"));
}

TEST(ToInteger, Table) {
    struct Case { const char* name; const char* text; int want; };
    const Case cases[] = {
        {"leading_spaces_and_letters", "  123abc", 123},
        {"plus", "+5", 5},
        {"minus", "-12", -12},
        {"minus_space", "- 12", 0},
        {"empty", "", 0},
        {"no_digits", "abc", 0},
        {"full_width_digits", "\xA3\xB1\xA3\xB2\xA3\xB3", 123},
        {"full_width_space_first", "\xA1\xA1" "42", 42},
        {"white_space_kinds", "\t\n\v\f\r 7", 7},
        {"wraps_to_negative", "2147483648", -2147483647 - 1},
        {"wraps_to_zero", "4294967296", 0},
        {"incomplete_last_character_dropped", "12\xA3", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToInteger(c.text), c.want);
    }
    EXPECT_EQ(ToInteger(Text()), 0);
}

TEST(ToNumber, Table) {
    struct Case { const char* name; const char* text; double want; };
    const Case cases[] = {
        {"port", "8080", 8080},
        {"empty", "", 0},
        {"fraction", " -1.5x", -1.5},
        {"exponent", "2e3", 2000},
        {"exponent_without_digits", "2e", 2},
        {"plus", "+3", 3},
        {"point_only", ".", 0},
        {"full_width", "\xA3\xB8\xA3\xB0", 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(ToNumber(c.text), c.want);
    }
}

TEST(Building, Table) {
    struct Case { const char* name; Text got; const char* want; };
    const Case cases[] = {
        {"lower_ascii_only", ToLowerCase("AbC\xC1\x41Z"), "abc\xC1\x41z"},
        {"lower_incomplete_end", ToLowerCase("A\xC1"), "a\xC1"},
        {"remove_spaces", RemoveAllSpaces(" a\xA1\xA1" "b\t"), "ab\t"},
        {"remove_spaces_incomplete_end", RemoveAllSpaces("a \xA1"), "a"},
        {"replace_at_cut_12", ReplaceTextAt("Set-Cookie: a=b", 1, 12), "a=b"},
        {"replace_at_more_than_text", ReplaceTextAt("abc", 1, 12), ""},
        {"replace_at_beyond_end", ReplaceTextAt("abc", 9, 2), "abc"},
        {"replace_at_insert", ReplaceTextAt("abc", 2, 1, "XY"), "aXYc"},
        {"replace_at_negative_start", ReplaceTextAt("abc", -3, 1), "bc"},
        {"subtext_case_sensitive", ReplaceSubtext("ABCdef", "abc", "", 1, -1, 1), "ABCdef"},
        {"subtext_fold", ReplaceSubtext("ABCdef", "abc"), "def"},
        {"subtext_all", ReplaceSubtext("a.b.c", ".", "-"), "a-b-c"},
        {"subtext_count_1", ReplaceSubtext("a.b.c", ".", "-", 1, 1), "a-b.c"},
        {"subtext_from_start", ReplaceSubtext("a.b.c", ".", "-", 3), "a.b-c"},
        {"subtext_negative_count", ReplaceSubtext("a.b.c", ".", "-", 1, -7), "a-b-c"},
        {"subtext_count_0", ReplaceSubtext("a.b", ".", "-", 1, 0), "a.b"},
        {"subtext_second_byte_not_matched", ReplaceSubtext("\x81/x/", "/", ""), "\x81/x"},
        {"subtext_incomplete_end_dropped", ReplaceSubtext("a/\x81", "/", "-"), "a-"},
        {"concat", ConcatText("ab", Text(), "", "c"), "abc"},
        {"to_text_negative", ToText(-5), "-5"},
        {"to_text_bytes_stop_at_zero", ToText(ByteSet(std::string_view("a\0b", 3))), "a"},
        {"blank", BlankText(2), "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, Text(c.want));
    }
}

TEST(NullAndEmpty, BuildersGiveNullButConcatTextGivesABlock) {
    EXPECT_FALSE(ConcatText(Text(), "").IsNull());
    EXPECT_TRUE(ConcatBytes(ByteSet(), ByteSet("")).IsNull());
    EXPECT_TRUE(BlankText(0).IsNull());
    EXPECT_TRUE(BlankBytes(-1).IsNull());
    EXPECT_EQ(BlankBytes(3).View(), std::string_view("\0\0\0", 3));
    EXPECT_TRUE(ToBytes("").IsNull());
    EXPECT_TRUE(ToText(ByteSet(std::string_view("\0a", 2))).IsNull());
    EXPECT_EQ(Text(), Text(""));
    EXPECT_FALSE(Text("a") == Text("A"));
    EXPECT_EQ(ConcatBytes(ByteSet(std::string_view("a\0", 2)), ByteSet("b")).View(), std::string_view("a\0b", 3));
}

TEST(CompareText, Table) {
    EXPECT_EQ(CompareText("HTTP://", "http://"), 0);
    EXPECT_NE(CompareText("HTTP://", "http://", 1), 0);
    EXPECT_EQ(CompareText(Text(), ""), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "abc"), 0);
    EXPECT_NE(CompareText("\xD6\xD0", "\xD6\xD1"), 0);
}

namespace {

// The search exactly as the character walk reads it: one place at a time.
int WalkingFind(std::string_view hay, std::string_view needle, int start, bool fold) {
    std::size_t i = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    if (i >= hay.size()) return kNotFound;
    if (needle.empty()) return 1;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    while (hay.size() - i >= needle.size()) {
        bool same = true;
        for (std::size_t k = 0; k < needle.size() && same; ++k)
            same = fold ? lower(hay[i + k]) == lower(needle[k]) : hay[i + k] == needle[k];
        if (same) return static_cast<int>(i) + 1;
        if (static_cast<unsigned char>(hay[i]) >= 0x80) {
            if (i + 1 >= hay.size()) return kNotFound;
            i += 2;
        } else {
            i += 1;
        }
    }
    return kNotFound;
}

}  // namespace

TEST(FindText, AgreesWithTheCharacterWalkOnRandomTexts) {
    const char alphabet[] = {'a', 'A', 'b', '"', '\x81', '\xA1', '\xD6'};
    std::mt19937 random(7);
    auto pick = [&](int length) {
        std::string s;
        for (int i = 0; i < length; ++i) s += alphabet[random() % sizeof alphabet];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string hay = pick(static_cast<int>(random() % 24));
        const std::string needle = pick(1 + static_cast<int>(random() % 3));
        const int start = static_cast<int>(random() % 8) - 1;
        const int fold = static_cast<int>(random() % 2);
        ASSERT_EQ(FindText(Text(hay), Text(needle), start, fold), WalkingFind(hay, needle, start, fold == 1))
            << "hay=" << ::testing::PrintToString(hay) << " needle=" << ::testing::PrintToString(needle)
            << " start=" << start << " fold=" << fold;
    }
}

#include "lookup/extract_between.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text_ops.h"

using namespace core;
using lookup::ExtractBetween;

namespace {

// A straightforward transcription of the extraction, copies of the rest and all.
Text ReferenceExtract(const Text& source, const Text& start, const Text& end, bool batch, TextArray& results,
                      bool edge) {
    ArrayClear(results);
    if (!batch) {
        if (start.IsEmpty() && end.IsEmpty()) return edge ? ToText(source) : Text();
        Text rest;
        if (start.IsEmpty()) {
            if (!edge) return {};
            rest = ToText(source);
        } else {
            const int p = FindText(source, start, 1, 1);
            if (p == -1) {
                if (!edge) return {};
                rest = ToText(source);
            } else {
                rest = TextRight(source, TextLength(source) - p - TextLength(start) + 1);
            }
        }
        if (end.IsEmpty()) return edge ? rest : Text();
        const int q = FindText(rest, end, 1, 1);
        if (q == -1) return edge ? rest : Text();
        return TextLeft(rest, q - 1);
    }
    if (start.IsEmpty() || end.IsEmpty()) return edge ? ToText(source) : Text();
    Text rest = ToText(source);
    int p = FindText(rest, start, 1, 1);
    while (p != -1) {
        rest = TextRight(rest, TextLength(rest) - p - TextLength(start) + 1);
        const int q = FindText(rest, end, 1, 1);
        if (q != -1) ArrayAppend(results, TextLeft(rest, q - 1));
        rest = TextRight(rest, TextLength(rest) - q - TextLength(end) + 1);
        p = FindText(rest, start, 1, 1);
    }
    return ToText(ArraySize(results));
}

std::vector<std::string> Items(const TextArray& a) {
    std::vector<std::string> out;
    for (int i = 1; i <= ArraySize(a); ++i) out.push_back(a.At(i).Str());
    return out;
}

}  // namespace

TEST(ExtractBetween, Table) {
    using V = std::vector<std::string>;
    struct Case { const char* name; const char* source; const char* start; const char* end; bool batch, edge;
                  const char* want; V values; };
    const Case cases[] = {
        {"single_first_value", "{1}{2}", "{", "}", false, false, "1", {}},
        {"batch_side_by_side", "{1}{2}", "{", "}", true, false, "2", {"1", "2"}},
        {"batch_last_open", "{1}{2", "{", "}", true, false, "1", {"1"}},
        {"batch_none_gives_0", "abc", "{", "}", true, false, "0", {}},
        {"batch_empty_values", "{}{}", "{", "}", true, false, "2", {"", ""}},
        {"batch_empty_start", "{1}", "", "}", true, false, "", {}},
        {"batch_empty_end_edge", "{1}", "{", "", true, true, "{1}", {}},
        {"single_empty_value", "{}", "{", "}", false, false, "", {}},
        {"single_ends_with_start", "ab{", "{", "}", false, false, "", {}},
        {"single_end_before_start", "a}b{c", "{", "}", false, false, "", {}},
        {"single_empty_start", "12}", "", "}", false, false, "", {}},
        {"single_empty_start_edge", "12}3", "", "}", false, true, "12", {}},
        {"single_no_end_edge", "{12", "{", "}", false, true, "12", {}},
        {"single_no_start_edge", "12}", "{", "}", false, true, "12", {}},
        {"both_empty_edge", "abc", "", "", false, true, "abc", {}},
        {"both_empty", "abc", "", "", false, false, "", {}},
        {"start_in_capitals", "\"VisitCount\":12,", "\"visitcount\":", ",", false, false, "12", {}},
        {"marker_only_as_second_byte", "\x81{1}", "{", "}", false, false, "", {}},
        {"gbk_around", "\xD6\xD0\"sun\":7,\xCE\xC4", "\"sun\":", ",", false, false, "7", {}},
        {"batch_long_end_missing", "{1{2", "{", "}}}", true, false, "0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextArray results;
        ArrayAppend(results, "left over");
        EXPECT_EQ(ExtractBetween(c.source, c.start, c.end, c.batch, &results, c.edge), Text(c.want));
        EXPECT_EQ(Items(results), c.values) << "results are emptied at every call";
    }
}

TEST(ExtractBetween, AgreesWithTheStepByStepAlgorithmOnRandomTexts) {
    const char alphabet[] = {'{', '}', 'a', 'A', '\x81', 'x', ','};
    std::mt19937 random(11);
    auto pick = [&](int length) {
        std::string s;
        for (int i = 0; i < length; ++i) s += alphabet[random() % sizeof alphabet];
        return s;
    };
    for (int round = 0; round < 5000; ++round) {
        const Text source(pick(static_cast<int>(random() % 30)));
        const Text start(pick(static_cast<int>(random() % 3)));
        const Text end(pick(static_cast<int>(random() % 4)));
        const bool batch = random() % 2, edge = random() % 2;
        TextArray got, want;
        const Text g = ExtractBetween(source, start, end, batch, &got, edge);
        const Text w = ReferenceExtract(source, start, end, batch, want, edge);
        ASSERT_EQ(g, w) << ::testing::PrintToString(source.Str()) << " start=" << start.Str() << " end=" << end.Str()
                        << " batch=" << batch << " edge=" << edge;
        ASSERT_EQ(Items(got), Items(want));
    }
}

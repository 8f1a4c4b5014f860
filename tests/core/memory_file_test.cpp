#include "core/memory_file.h"

#include <gtest/gtest.h>

#include <vector>

using namespace core;

namespace {

// Every line until IsAtEnd, as the cookie hand-over reads them; bounded so that
// a file that never ends fails instead of hanging.
std::vector<std::string> Lines(std::string_view data) {
    const int f = OpenMemoryFile();
    EXPECT_TRUE(WriteText(f, Text(data)));
    EXPECT_TRUE(SeekToStart(f));
    std::vector<std::string> lines;
    for (int guard = 0; !IsAtEnd(f) && guard < 1000; ++guard) lines.push_back(ReadLine(f).Str());
    EXPECT_TRUE(IsAtEnd(f));
    CloseFile(f);
    return lines;
}

}  // namespace

TEST(MemoryFile, ReadLineTable) {
    using L = std::vector<std::string>;
    struct Case { const char* name; std::string data; L want; };
    const Case cases[] = {
        {"crlf_and_lf", "a\r\nb\nc", L{"a", "b", "c"}},
        {"one_cr_dropped", "a\r\r\n", L{"a\r"}},
        {"lone_cr_last_line", "\r", L{""}},
        {"empty_lines", "\n\n", L{"", ""}},
        {"byte_26_ends_line_and_the_loop", "a\x1a" "b\n", L{"a", "b"}},
        {"lead_byte_takes_the_lf", "\x81\nb\n", L{"\x81\nb"}},
        {"lead_byte_last", "ab\x81", L{"ab\x81"}},
        {"lines_past_512_bytes", std::string(600, 'x') + "\ny", L{std::string(600, 'x'), "y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Lines(c.data), c.want);
    }
}

TEST(MemoryFile, WritesAndClosedNumbers) {
    const int f = OpenMemoryFile();
    EXPECT_NE(f, 0);
    EXPECT_TRUE(IsAtEnd(f)) << "an empty file is at its end at once";
    EXPECT_TRUE(WriteText(f, Text("ab"), Text(), Text("cd")));
    EXPECT_TRUE(SeekToStart(f));
    EXPECT_TRUE(WriteText(f, Text("X")));  // overwrites at the position
    EXPECT_TRUE(SeekToStart(f));
    EXPECT_EQ(ReadLine(f), Text("Xbcd"));
    const int g = OpenMemoryFile();
    EXPECT_NE(f, g);
    CloseFile(f);
    EXPECT_FALSE(WriteText(f, Text("a")));
    EXPECT_FALSE(SeekToStart(f));
    EXPECT_TRUE(IsAtEnd(f));
    EXPECT_TRUE(ReadLine(f).IsNull());
    CloseFile(f);  // ignored
    CloseFile(g);
}

TEST(MemoryFile, StopAtMarkerOnlyWhenExactly1) {
    const int f = OpenMemoryFile();
    WriteText(f, Text("\x1a" "a"));
    SeekToStart(f);
    EXPECT_TRUE(IsAtEnd(f, 1));
    EXPECT_FALSE(IsAtEnd(f, 2));
    EXPECT_FALSE(IsAtEnd(f));
    CloseFile(f);
}

#include <gtest/gtest.h>
#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/files.h"
#include "core/text_array.h"
#include "core/text_ops.h"
#include "core/user.h"
#include "platform/user_interface.h"

using namespace core;

TEST(TextArray, AppendClearAndFreshCopies) {
    TextArray a;
    EXPECT_EQ(ArraySize(a), 0);
    Text source("x");
    ArrayAppend(a, source);
    ArrayAppend(a, "");
    EXPECT_EQ(ArraySize(a), 2);
    EXPECT_EQ(a.At(1), Text("x"));
    EXPECT_TRUE(a.At(2).IsNull()) << "an empty element is held as null";
    TextArray copy = a;
    ArrayAppend(copy, "y");
    EXPECT_EQ(ArraySize(a), 2) << "arrays are values";
    ArrayClear(a);
    EXPECT_EQ(ArraySize(a), 0);
    EXPECT_TRUE(a.At(1).IsNull());
}

class WriteFileTest : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("ziventa-files-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    static std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(WriteFileTest, ReplacesContentsAndJoinsParts) {
    const std::string path = (dir / "f.bin").string();
    EXPECT_TRUE(WriteFile(Text(path), ByteSet("a long first content")));
    EXPECT_TRUE(WriteFile(Text(path), ByteSet(std::string_view("a\0", 2)), ByteSet(), ByteSet("b")));
    EXPECT_EQ(Read(path), std::string("a\0b", 3));
}

TEST_F(WriteFileTest, FailuresGiveFalse) {
    EXPECT_FALSE(WriteFile(Text(""), ByteSet("x")));
    EXPECT_FALSE(WriteFile(Text(), ByteSet("x")));
    EXPECT_FALSE(WriteFile(Text((dir / "missing" / "f").string()), ByteSet("x")));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

namespace {

struct Recorder : platform::UserInterface {
    struct Box { std::string message, title; unsigned style; };
    std::vector<Box> boxes;
    int pumps = 0;
    platform::MessageBoxButton ShowMessageBox(std::string_view m, std::string_view t, unsigned s) override {
        boxes.push_back({std::string(m), std::string(t), s});
        return platform::MessageBoxButton::Ok;
    }
    void ProcessEvents() override { ++pumps; }
};

}  // namespace

TEST(User, MessageBoxDefaultTitleAndModality) {
    Recorder recorder;
    platform::UserInterface* previous = platform::InstallUserInterface(&recorder);
    EXPECT_EQ(ShowMessageBox("hello"), 0);
    ShowMessageBox("m", 0x1000, "t");
    ProcessEvents();
    platform::InstallUserInterface(previous);

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].title, "信息：");
    EXPECT_EQ(recorder.boxes[0].style, 0x2000u) << "task-modal is added";
    EXPECT_EQ(recorder.boxes[1].title, "t");
    EXPECT_EQ(recorder.boxes[1].style, 0x1000u) << "system-modal stays as it is";
    EXPECT_EQ(recorder.pumps, 1);
}

TEST(User, FatalReportText) {
    EXPECT_EQ(FatalReportText(0, "m"), Text("运行时出错!\r\n\r\n错误信息：m\r\n"));
    EXPECT_EQ(FatalReportText(7, ""), Text("运行时出错!\r\n\r\n错误代码：7\r\n\r\n"));
    EXPECT_EQ(FatalReportText(0, Text()), Text("运行时出错!\r\n\r\n"));
}

TEST(UserDeathTest, FatalErrorShowsTheReportAndExitsWithMinusOne) {
    // Without a toolkit the report goes to standard error.
    EXPECT_EXIT(FatalError(0, "boom"), ::testing::ExitedWithCode(255),
                ::testing::HasSubstr("[错误] 运行时出错!\r\n\r\n错误信息：boom"));
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(UserDeathTest, AllocationFailureIsReportedWithItsSize) {
    // 2^31 - 1 spaces fit in the size type but not in any heap this test leaves.
    EXPECT_EXIT(
        {
            platform::InstallUserInterface(nullptr);
            ReportAllocationFailure(12345);
        },
        ::testing::ExitedWithCode(255), ::testing::HasSubstr("分配 12345 字节内存失败!"));
}
#endif

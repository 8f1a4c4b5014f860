// The shell's logic without a display: the external-function table and control access.

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <cstring>

#include "app/control_access.h"
#include "app/external_functions.h"
#include "app/layout.h"

using namespace app;
using ::testing::HasSubstr;

TEST(ExternalFunctions, BindsAtFirstCallAndKeepsTheBinding) {
    ExternalFunction cosine{"libm.so.6", "cos"};
    EXPECT_EQ(cosine.address, nullptr);
    EXPECT_DOUBLE_EQ(CallExternal<double(double)>(cosine, 0.0), 1.0);
    void* first = cosine.address;
    EXPECT_NE(first, nullptr);
    EXPECT_TRUE(cosine.provider);
    CallExternal<double(double)>(cosine, 1.0);
    EXPECT_EQ(cosine.address, first);
}

TEST(ExternalFunctions, LibraryNameForms) {
    ExternalFunction system{"", "strlen"};  // the standard system libraries
    EXPECT_EQ(CallExternal<size_t(const char*)>(system, "abcd"), 4u);

    ExternalFunction local{"libziventa_test_plugin.so", "TestPluginAnswer"};  // the program's folder
    EXPECT_EQ(CallExternal<int()>(local), 42);

    ExternalFunction path{ProgramFolder() + "/libziventa_test_plugin.so", "TestPluginAnswer"};
    EXPECT_EQ(CallExternal<int()>(path), 42);
}

TEST(ExternalFunctions, TableRowsAreReleasedAtShutdown) {
    ExternalFunction& row = ExternalFunctionRow("libm.so.6", "sqrt");
    EXPECT_EQ(&row, &ExternalFunctionRow("libm.so.6", "sqrt"));
    EXPECT_DOUBLE_EQ(CallExternal<double(double)>(row, 9.0), 3.0);
    ReleaseExternalLibraries();
    EXPECT_EQ(row.address, nullptr);
    EXPECT_FALSE(row.provider);
}

TEST(ExternalFunctionsDeathTest, MissingLibraryOrFunctionIsFatal) {
    struct Case { const char* name; const char* library; const char* function; const char* report; };
    const Case cases[] = {
        {"missing_function", "libm.so.6", "NoSuchFunction",
         "错误信息：无法找到指定DLL库文件“libm.so.6”中的输出命令“NoSuchFunction”\r\n"},
        {"missing_library", "/nowhere/Skin.so", "AttachSkin",
         "错误信息：无法找到指定DLL库文件“/nowhere/Skin.so”中的输出命令“AttachSkin”\r\n"},
        {"missing_in_system_libraries", "", "NoSuchFunction",
         "错误信息：无法找到指定DLL库文件中的输出命令“NoSuchFunction”\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExternalFunction row{c.library, c.function};
        EXPECT_EXIT(BindExternalFunction(row), ::testing::ExitedWithCode(255), HasSubstr(c.report));
    }
}

TEST(ExternalFunctionsDeathTest, LibrariesOthersCanChangeAreNotLoaded) {
    // The same library, copied into a folder anyone can write to.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ziventa-open-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    const std::filesystem::path copy = folder / "libziventa_test_plugin.so";
    std::filesystem::copy_file(ProgramFolder() + "/libziventa_test_plugin.so", copy);
    ExternalFunction row{copy.string(), "TestPluginAnswer"};
    EXPECT_EXIT(BindExternalFunction(row), ::testing::ExitedWithCode(255),
                HasSubstr("无法找到指定DLL库文件“" + copy.string() + "”中的输出命令“TestPluginAnswer”"));
    std::filesystem::remove_all(folder);
}

namespace {
struct MapStore : ControlStore {
    std::map<std::pair<std::string, Property>, std::string> texts;
    core::Text Read(const core::Text& c, Property p) override { return core::MakeText(texts[{c.Str(), p}]); }
    void Write(const core::Text& c, Property p, const core::Text& t) override { texts[{c.Str(), p}] = t.Str(); }
};
}  // namespace

TEST(ControlAccess, ReachesTheInstalledStore) {
    MapStore store;
    ControlStore* previous = InstallControlStore(&store);
    SetControlText("标签4", Property::Caption, "12");
    EXPECT_EQ(GetControlText("标签4", Property::Caption), core::Text("12"));
    EXPECT_TRUE(GetControlText("编辑框1", Property::Content).IsNull());
    InstallControlStore(previous);
}

TEST(ControlAccessDeathTest, WithTheWindowGoneEveryAccessIsFatal) {
    InstallControlStore(nullptr);
    EXPECT_EXIT(GetControlText("编辑框1", Property::Content), ::testing::ExitedWithCode(255),
                HasSubstr("错误信息：指定窗口尚未载入"));
    EXPECT_EXIT(SetControlText("标签4", Property::Caption, "1"), ::testing::ExitedWithCode(255),
                HasSubstr("指定窗口尚未载入"));
}

TEST(Layout, TwentyThreeControlsWithUniqueNamesAndKnownParents) {
    std::set<std::string> names;
    for (const ControlRow& row : kLayout) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        if (row.parent) {
            const ControlRow* box = FindControl(row.parent);
            ASSERT_NE(box, nullptr) << row.name;
            EXPECT_EQ(box->kind, ControlKind::GroupBox);
            EXPECT_LE(row.left + row.width, box->width) << row.name << " lies inside its box";
            EXPECT_LE(row.top + row.height, box->height) << row.name;
        }
    }
    EXPECT_EQ(names.size(), 23u);
}

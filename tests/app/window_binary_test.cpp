// The real program on a private display, watched from outside as a person would.

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <thread>

#include "tests/support/desktop_session.h"

using namespace std::chrono_literals;
using testsupport::DesktopSession;

namespace {

struct Geometry {
    int x = -1, y = -1, width = -1, height = -1;
};

Geometry Parse(const std::string& xwininfo) {
    Geometry g;
    std::smatch m;
    if (std::regex_search(xwininfo, m, std::regex("Absolute upper-left X: +(-?\\d+)"))) g.x = std::stoi(m[1]);
    if (std::regex_search(xwininfo, m, std::regex("Absolute upper-left Y: +(-?\\d+)"))) g.y = std::stoi(m[1]);
    if (std::regex_search(xwininfo, m, std::regex("Width: +(\\d+)"))) g.width = std::stoi(m[1]);
    if (std::regex_search(xwininfo, m, std::regex("Height: +(\\d+)"))) g.height = std::stoi(m[1]);
    return g;
}

class RunningProgram : public ::testing::TestWithParam<bool> {
protected:
    DesktopSession desktop{GetParam()};
    std::filesystem::path data = std::filesystem::temp_directory_path() / ("ziventa-data-" + std::to_string(getpid()));
    pid_t pid = -1;
    std::string window;  // the X id of the program's main window

    void SetUp() override {
        ASSERT_TRUE(desktop.Ok()) << "Xvfb did not start";
        auto env = desktop.Environment();
        env["XDG_DATA_HOME"] = data.string();
        pid = testsupport::Spawn({ZIVENTA_BINARY}, env);
        ASSERT_GT(pid, 0);
        window = desktop.RunWhenReady("xdotool search --onlyvisible --name '^Ziventa  V1.0$' | head -1", 20s);
        while (!window.empty() && window.back() == '\n') window.pop_back();
        ASSERT_FALSE(window.empty()) << "the main window did not appear";
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            testsupport::WaitExit(pid, 5s);
        }
        std::filesystem::remove_all(data);
    }

    // The outer frame: with a window manager, the decorated window that holds ours.
    Geometry Outer() const {
        std::string id = window;
        if (GetParam()) {
            std::smatch m;
            const std::string tree = desktop.Run("xwininfo -tree -id " + window);
            if (std::regex_search(tree, m, std::regex("Parent window id: (0x[0-9a-f]+)"))) id = m[1];
        }
        return Parse(desktop.Run("xwininfo -id " + id));
    }

    // Waits until the window manager has settled the frame where we expect it.
    Geometry SettledOuter() const {
        Geometry g;
        for (int i = 0; i < 100; ++i) {
            g = Outer();
            if (g.x == 358 && g.y == 174 && g.width == 308 && g.height == 420) break;
            std::this_thread::sleep_for(50ms);
        }
        return g;
    }
};

}  // namespace

TEST_P(RunningProgram, WindowHasItsTitleOuterSizeAndCentredPlace) {
    const Geometry g = SettledOuter();
    EXPECT_EQ(g.width, 308);
    EXPECT_EQ(g.height, 420);
    EXPECT_EQ(g.x, (1024 - 308) / 2);
    EXPECT_EQ(g.y, (768 - 420) / 2);
    EXPECT_EQ(desktop.Run("xdotool getwindowname " + window), "Ziventa  V1.0\n");
    if (GetParam()) {
        const std::string actions = desktop.Run("xprop -id " + window + " _NET_WM_ALLOWED_ACTIONS");
        EXPECT_EQ(actions.find("MAXIMIZE"), std::string::npos) << actions;
        EXPECT_EQ(actions.find("RESIZE"), std::string::npos) << actions;
        EXPECT_NE(actions.find("_NET_WM_ACTION_MOVE"), std::string::npos) << actions;

        // A picture of the window for a person to look at.
        std::filesystem::create_directories(ZIVENTA_SCREENSHOT_DIR);
        desktop.Run(std::string("import -window root -crop 308x420+358+174 ") + ZIVENTA_SCREENSHOT_DIR +
                    "/main_window.png");
    }
}

TEST_P(RunningProgram, EscapeClosesTheWindowWithExitCode0) {
    SettledOuter();
    desktop.Run("xdotool windowfocus --sync " + window + " key --clearmodifiers Escape");
    EXPECT_EQ(testsupport::WaitExit(pid, 10s), 0);
    pid = -1;
}

INSTANTIATE_TEST_SUITE_P(Desktop, RunningProgram, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "openbox" : "bare_x"; });

TEST(ProgramWithoutDisplay, SaysSoInOneLine) {
    const std::string out = testsupport::Capture(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + ZIVENTA_BINARY +
                                                 " 2>&1; echo \"exit=$?\"");
    EXPECT_NE(out.find("no display"), std::string::npos) << out;
    EXPECT_NE(out.find("exit=1"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;

    // A display that is named but cannot be opened.
    const std::string closed = testsupport::Capture(std::string("DISPLAY=:4242 ") + ZIVENTA_BINARY + " 2>&1; echo \"exit=$?\"");
    EXPECT_NE(closed.find("cannot open the display \":4242\""), std::string::npos) << closed;
    EXPECT_NE(closed.find("exit=1"), std::string::npos) << closed;
}

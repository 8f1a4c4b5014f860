// The real program, driven as a person drives it: typing and clicking on a
// private display, reading what the window shows through the accessibility
// tree. It runs in a network and mount namespace of its own, where only the
// loopback interface exists and /etc/hosts maps the zone's hosts to 127.0.0.1,
// so nothing can leave the machine.
//
// This file is compiled with UTF-8 literals: it compares with what the
// accessibility tree and the window manager report.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/layout.h"
#include "platform/national_language.h"
#include "tests/support/desktop_session.h"
#include "tests/support/raw_server.h"

using namespace std::chrono_literals;
using testsupport::DesktopSession;
using testsupport::RawServer;

namespace {

constexpr const char* kInside = "ZIVENTA_E2E_INSIDE";
testsupport::DesktopSession* g_desktop = nullptr;

std::string Utf8(const char* gbk) { return platform::DocumentToUtf8(gbk, "windows-936-2000"); }

const app::ControlRow& Row(const std::string& utf8Name) {
    for (const app::ControlRow& row : app::kLayout)
        if (Utf8(row.name) == utf8Name) return row;
    throw std::runtime_error("no control " + utf8Name);
}

// A control's place in the client area of the main window.
std::pair<int, int> ClientPlace(const app::ControlRow& row) {
    int x = row.left, y = row.top;
    if (row.parent) {
        const app::ControlRow* box = app::FindControl(row.parent);
        x += box->left;
        y += box->top;
    }
    return {x, y};
}

struct Shown {
    std::string role, name;
    int x, y, width, height;
};

std::vector<Shown> Tree() {
    std::vector<Shown> out;
    std::istringstream lines(g_desktop->Run(std::string("/usr/bin/python3 ") + ZIVENTA_READ_WINDOW + " ziventa"));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::size_t start = 0, tab;
        while ((tab = line.find('\t', start)) != std::string::npos) {
            f.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        f.push_back(line.substr(start));
        if (f.size() == 6) out.push_back({f[0], f[1], std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5])});
    }
    return out;
}

std::string Reply(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

const std::string kStatisticsPath = "/fcg-bin/cgi_emotion_list.fcg?uin=";

class ProgramTest : public ::testing::Test {
protected:
    std::filesystem::path data = std::filesystem::temp_directory_path() / ("ziventa-e2e-" + std::to_string(getpid()));
    std::string body = "_Callback({\"visitcount\":1234,\"dayvisit\":56,\"sun\":7,\"rain\":8,\"love\":9,\"level\":3,});";
    std::chrono::milliseconds delay{0};
    RawServer statistics{[this](int fd, const std::string&) {
                             std::this_thread::sleep_for(delay);
                             RawServer::Send(fd, Reply(body));
                         },
                         80};
    pid_t pid = -1;
    std::string window;
    int originX = 0, originY = 0;  // the client area's top-left corner on the screen

    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            testsupport::WaitExit(pid, 5s);
        }
        std::filesystem::remove_all(data);
    }

    void StartProgram() {
        std::filesystem::create_directories(data);
        auto env = g_desktop->Environment(true);
        env["XDG_DATA_HOME"] = data.string();
        pid = testsupport::Spawn({ZIVENTA_BINARY}, env);
        ASSERT_GT(pid, 0);
        window = g_desktop->RunWhenReady("xdotool search --onlyvisible --name '^Ziventa  V1.0$' | head -1", 20s);
        ASSERT_FALSE(window.empty()) << "the main window did not appear";
        window.pop_back();
        // The caption of 标签3 anchors the layout on the screen.
        const app::ControlRow& anchor = Row("标签3");
        for (int i = 0; i < 200 && originX == 0; ++i) {
            for (const Shown& s : Tree()) {
                if (s.role == "label" && s.name == Utf8(anchor.text) && s.x > 0) {
                    originX = s.x - ClientPlace(anchor).first;
                    originY = s.y - ClientPlace(anchor).second;
                }
            }
            if (originX == 0) std::this_thread::sleep_for(50ms);
        }
        ASSERT_NE(originX, 0) << "the accessibility tree does not show the window";
    }

    // What the control that the layout puts at a place shows, by role.
    std::string ShownAt(const std::string& name, const std::string& role) {
        const auto [x, y] = ClientPlace(Row(name));
        for (const Shown& s : Tree())
            if (s.role == role && s.x == originX + x && s.y == originY + y) return s.name;
        return "<nothing at " + name + ">";
    }
    std::string Label(const std::string& name) { return ShownAt(name, "label"); }
    std::vector<std::string> ValueLabels() {
        std::vector<std::string> out;
        for (const char* name : {"标签4", "标签6", "标签8", "标签12", "标签14", "标签13"}) out.push_back(Label(name));
        return out;
    }

    void ClickOn(const std::string& name) {
        const app::ControlRow& row = Row(name);
        const auto [x, y] = ClientPlace(row);
        g_desktop->Run("xdotool mousemove --sync " + std::to_string(originX + x + row.width / 2) + " " +
                       std::to_string(originY + y + row.height / 2) + " click 1");
    }
    void Type(const std::string& text) {
        ClickOn("编辑框1");
        g_desktop->Run("xdotool key --clearmodifiers ctrl+a BackSpace");
        g_desktop->Run("xdotool type --delay 10 '" + text + "'");
    }

    // Waits until the value labels show `want`.
    std::vector<std::string> ValueLabelsWhen(const std::vector<std::string>& want) {
        std::vector<std::string> now;
        for (int i = 0; i < 100; ++i) {
            now = ValueLabels();
            if (now == want) break;
            std::this_thread::sleep_for(100ms);
        }
        return now;
    }

    // The text of the message box with that title once it shows, then closes it
    // with Enter; "" when none showed within the time.
    std::string TakeMessageBox(const std::string& title, std::chrono::milliseconds wait = 10s) {
        std::string box = g_desktop->RunWhenReady("xdotool search --onlyvisible --name '^" + title + "$' | head -1", wait);
        if (box.empty()) return "";
        box.pop_back();
        std::string text;
        for (int i = 0; i < 50 && text.empty(); ++i) {
            for (const Shown& s : Tree())
                if (s.role == "label" && s.name.size() > 0 && s.x > 0 && s.name != "ziventa" && IsInBox(s)) text = s.name;
            if (text.empty()) std::this_thread::sleep_for(50ms);
        }
        g_desktop->Run("xdotool windowactivate --sync " + box + " key Return");
        for (int i = 0; i < 100; ++i) {
            if (g_desktop->Run("xdotool search --onlyvisible --name '^" + title + "$'").empty()) break;
            std::this_thread::sleep_for(50ms);
        }
        return text.empty() ? "<box without text>" : text;
    }

    // A label that is not one of the main window's controls belongs to a box.
    bool IsInBox(const Shown& s) {
        for (const app::ControlRow& row : app::kLayout) {
            const auto [x, y] = ClientPlace(row);
            if (s.x == originX + x && s.y == originY + y) return false;
            if (row.kind == app::ControlKind::GroupBox && s.name == Utf8(row.text)) return false;
        }
        return true;
    }

    std::vector<std::string> StatisticsRequests() {
        std::vector<std::string> out;
        for (const std::string& r : statistics.Requests())
            if (r.find(" " + kStatisticsPath) != std::string::npos) out.push_back(r);
        return out;
    }
};

}  // namespace

TEST_F(ProgramTest, AGoodReplyFillsTheSixLabelsInOneClick) {
    StartProgram();
    Type("12345");
    ClickOn("按钮1");
    const std::vector<std::string> want = {"1234", "56", "7", "9", "8", "3"};
    EXPECT_EQ(ValueLabelsWhen(want), want);
    EXPECT_EQ(ShownAt("超级链接框1", "link"), "http://user.qzone.qq.com/12345");

    // One statistics request of the program's own, with its user agent and
    // default headers; the browser box's navigation goes there too.
    std::this_thread::sleep_for(500ms);
    int own = 0;
    for (const std::string& r : StatisticsRequests()) {
        EXPECT_EQ(r.rfind("GET " + kStatisticsPath + "12345 HTTP/1.1\r\n", 0), 0u) << r;
        EXPECT_NE(r.find("\r\nHost: g.qzone.qq.com\r\n"), std::string::npos) << r;
        EXPECT_NE(r.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos);
        if (r.find("\r\nReferer: http://g.qzone.qq.com" + kStatisticsPath + "12345\r\n") != std::string::npos &&
            r.find("\r\nAccept-Language: zh-cn\r\n") != std::string::npos && r.find("\r\nAccept: image/gif") != std::string::npos)
            ++own;
    }
    EXPECT_EQ(own, 1);
    EXPECT_EQ(StatisticsRequests().size(), 2u) << "the lookup's request and the browser box's";

    std::filesystem::create_directories(ZIVENTA_SCREENSHOT_DIR);
    g_desktop->Run("import -window root -crop 308x420+358+174 " + std::string(ZIVENTA_SCREENSHOT_DIR) +
                   "/filled_window.png");

    // A second lookup replaces the values.
    body = "{\"visitcount\":99999,\"dayvisit\":1,\"sun\":2,\"rain\":3,\"love\":4,\"level\":5,}";
    Type("54321");
    ClickOn("按钮1");
    const std::vector<std::string> second = {"99999", "1", "2", "4", "3", "5"};
    EXPECT_EQ(ValueLabelsWhen(second), second);
    EXPECT_EQ(ShownAt("超级链接框1", "link"), "http://user.qzone.qq.com/54321");
}

TEST_F(ProgramTest, ABadNumberGivesTheBoxTwiceAndEnterStartsNothing) {
    StartProgram();
    Type("9999");
    ClickOn("按钮1");
    EXPECT_EQ(TakeMessageBox("信息："), "请输入正确的QQ号码");
    EXPECT_EQ(TakeMessageBox("信息："), "请输入正确的QQ号码");
    EXPECT_EQ(TakeMessageBox("信息：", 1s), "") << "twice, not three times";

    Type("12345");
    g_desktop->Run("xdotool key Return");
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(StatisticsRequests().empty()) << "Enter starts no lookup";
}

TEST_F(ProgramTest, AnEmptyReplyGivesItsBoxAndLeavesTheLabels) {
    StartProgram();
    Type("12345");
    ClickOn("按钮1");
    const std::vector<std::string> want = {"1234", "56", "7", "9", "8", "3"};
    ASSERT_EQ(ValueLabelsWhen(want), want);
    body = "";
    Type("54321");
    ClickOn("按钮1");
    EXPECT_EQ(TakeMessageBox("信息："), "该空间禁止访问或未开通空间，可以多尝试几次！");
    EXPECT_EQ(ValueLabels(), want);
    EXPECT_EQ(TakeMessageBox("信息：", 1s), "") << "once";
}

TEST_F(ProgramTest, ClosingTheWindowDuringASlowReplyExitsWith0) {
    delay = 4s;
    StartProgram();
    Type("12345");
    ClickOn("按钮1");
    std::this_thread::sleep_for(500ms);
    g_desktop->Run("xdotool windowactivate --sync " + window + " key --clearmodifiers Escape");
    EXPECT_EQ(testsupport::WaitExit(pid, 15s), 0);
    pid = -1;
    EXPECT_TRUE(g_desktop->Run("xdotool search --name '^错误$'").empty()) << "no fatal report";
}

TEST_F(ProgramTest, ASkinFolderOthersCanWriteIsRefusedBeforeTheWindowShows) {
    std::filesystem::create_directories(data / "ziventa");
    std::filesystem::permissions(data / "ziventa", std::filesystem::perms::all);
    auto env = g_desktop->Environment(true);
    env["XDG_DATA_HOME"] = data.string();
    pid = testsupport::Spawn({ZIVENTA_BINARY}, env);
    const std::string report = TakeMessageBox("错误", 20s);
    EXPECT_NE(report.find("无法找到指定DLL库文件“" + (data / "ziventa" / "Skin.so").string() + "”中的输出命令“AttachSkin”"),
              std::string::npos)
        << report;
    EXPECT_EQ(testsupport::WaitExit(pid, 10s), 255);
    pid = -1;
    EXPECT_TRUE(g_desktop->Run("xdotool search --name '^Ziventa  V1.0$'").empty()) << "the window never showed";
}

int main(int argc, char** argv) {
    const std::vector<std::string> given(argv + 1, argv + argc);  // passed on, gtest flags included
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv(kInside)) {
        // Into a namespace of our own, with a session bus for the accessibility tree.
        std::vector<std::string> args = {"unshare", "--net", "--mount", "--", "env", std::string(kInside) + "=1",
                                         "dbus-run-session", "--", "/proc/self/exe"};
        char self[4096] = {};
        if (readlink("/proc/self/exe", self, sizeof self - 1) > 0) args.back() = self;
        args.insert(args.end(), given.begin(), given.end());
        std::vector<char*> raw;
        for (auto& a : args) raw.push_back(a.data());
        raw.push_back(nullptr);
        execvp("unshare", raw.data());
        std::perror("unshare");
        return 1;
    }
    // Only loopback, and the zone's hosts on it.
    if (std::system("ip link set lo up") != 0) return 1;
    const std::string hosts = "/tmp/ziventa-e2e-hosts-" + std::to_string(getpid());
    std::ofstream(hosts) << "127.0.0.1 localhost g.qzone.qq.com user.qzone.qq.com\n";
    if (mount(hosts.c_str(), "/etc/hosts", nullptr, MS_BIND, nullptr) != 0) {
        std::perror("mount /etc/hosts");
        return 1;
    }
    DesktopSession desktop(true);
    if (!desktop.Ok()) return 1;
    g_desktop = &desktop;
    const int result = RUN_ALL_TESTS();
    g_desktop = nullptr;
    umount("/etc/hosts");
    std::remove(hosts.c_str());
    return result;
}

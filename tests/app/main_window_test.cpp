// The main window in this process, on a private display: every control where
// the layout puts it, in its colours and fonts, and the control texts.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/control_access.h"
#include "app/fonts.h"
#include "app/hyperlink_box.h"
#include "app/layout.h"
#include "app/main_window.h"
#include "platform/html_browser_box.h"
#include "platform/wx_text.h"
#include "tests/support/desktop_session.h"
#include "tests/support/raw_server.h"

#include <thread>

using namespace app;

namespace {

testsupport::DesktopSession* g_desktop = nullptr;

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    ADD_FAILURE() << "toolkit assertion " << cond << " " << msg << " in " << func << " at " << file << ":" << line;
}

void Pump() {
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
}

wxPoint ClientPlaceOf(const ControlRow& row) {
    wxPoint p(row.left, row.top);
    if (row.parent) p += wxPoint(FindControl(row.parent)->left, FindControl(row.parent)->top);
    return p;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindow* window = nullptr;
    void SetUp() override {
        window = new MainWindow();
        window->Show();
        Pump();
    }
    void TearDown() override {
        if (window) window->Destroy();
        Pump();
    }
};

}  // namespace

TEST_F(MainWindowTest, EveryControlHasItsPlaceSizeKindAndText) {
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        wxWindow* control = window->Control(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetPosition(), ClientPlaceOf(row));
        EXPECT_EQ(control->GetSize(), wxSize(row.width, row.height));
        switch (row.kind) {
            case ControlKind::Label:
                ASSERT_NE(dynamic_cast<wxStaticText*>(control), nullptr);
                EXPECT_EQ(platform::FromWx(control->GetLabel()), row.text);
                break;
            case ControlKind::Button:
                ASSERT_NE(dynamic_cast<wxButton*>(control), nullptr);
                EXPECT_EQ(platform::FromWx(control->GetLabel()), row.text);
                break;
            case ControlKind::EditBox:
                ASSERT_NE(dynamic_cast<wxTextCtrl*>(control), nullptr);
                EXPECT_EQ(control->GetBackgroundColour(), wxColour(236, 236, 236));
                break;
            case ControlKind::GroupBox:
                ASSERT_NE(dynamic_cast<wxStaticBox*>(control), nullptr);
                EXPECT_EQ(platform::FromWx(control->GetLabel()), row.text);
                break;
            case ControlKind::Hyperlink:
                ASSERT_NE(dynamic_cast<HyperlinkBox*>(control), nullptr);
                break;
            case ControlKind::BrowserBox:
                ASSERT_NE(dynamic_cast<platform::HtmlBrowserBox*>(control), nullptr);
                break;
        }
    }
}

TEST_F(MainWindowTest, ColoursAndFonts) {
    const wxColour red(255, 0, 0);
    for (const char* name : {"标签4", "标签6", "标签8", "标签12", "标签13", "标签14"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(window->Control(name)->GetForegroundColour(), red);
        EXPECT_EQ(window->Control(name)->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
        EXPECT_EQ(platform::FromWx(window->Control(name)->GetFont().GetFaceName()), "宋体");
    }
    EXPECT_EQ(window->Control("标签15")->GetForegroundColour(), wxColour(0, 0, 255));
    EXPECT_EQ(window->Control("标签15")->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);

    auto* zoneLink = static_cast<HyperlinkBox*>(window->Control("超级链接框1"));
    EXPECT_EQ(zoneLink->GetNormalColour(), red);
    EXPECT_EQ(zoneLink->GetHoverColour(), wxColour(10, 36, 106));
    EXPECT_EQ(zoneLink->GetVisitedColour(), wxColour(128, 0, 0));
    EXPECT_EQ(zoneLink->GetFont().GetWeight(), wxFONTWEIGHT_NORMAL);
    EXPECT_FALSE(zoneLink->GetFont().GetUnderlined());
    auto* credit = static_cast<HyperlinkBox*>(window->Control("超级链接框2"));
    EXPECT_EQ(credit->GetNormalColour(), wxColour(0, 0, 255));

    EXPECT_EQ(window->GetBackgroundColour(), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    EXPECT_EQ(window->GetSize(), wxSize(308, 420));
    EXPECT_EQ(window->GetTitle(), wxString::FromUTF8("Ziventa  V1.0"));
}

TEST_F(MainWindowTest, CaptionsFitTheirControls) {
    // The fixed layout only works if no caption needs more room than its control.
    // A full-width colon at the end draws in its left half, so its right half
    // may stand outside (as "QQ空间今日访问量：" does by 4 pixels).
    const wxString colon = platform::ToWx("：");
    for (const ControlRow& row : kLayout) {
        if (row.kind != ControlKind::Label || !*row.text) continue;
        SCOPED_TRACE(row.name);
        wxWindow* label = window->Control(row.name);
        wxString caption = platform::ToWx(row.text);
        int slack = 0;
        if (caption.EndsWith(colon)) {
            caption.RemoveLast();
            slack = label->GetTextExtent(colon).x / 2;
        }
        const wxSize text = label->GetTextExtent(caption);
        EXPECT_LE(text.x + slack, row.width);
        EXPECT_LE(text.y, row.height);
    }
}

TEST_F(MainWindowTest, BrowserBoxLiesOutsideTheClientArea) {
    const wxRect box = window->ClientRect("超文本浏览框1");
    EXPECT_FALSE(wxRect(window->GetClientSize()).Intersects(box));
}

TEST_F(MainWindowTest, ControlTextsThroughControlAccess) {
    EXPECT_TRUE(GetControlText("编辑框1", Property::Content).IsNull());
    static_cast<wxTextCtrl*>(window->Control("编辑框1"))->ChangeValue(platform::ToWx("１２３45 号"));
    EXPECT_EQ(GetControlText("编辑框1", Property::Content), core::Text("１２３45 号"));

    SetControlText("标签4", Property::Caption, "1&2");
    EXPECT_EQ(GetControlText("标签4", Property::Caption), core::Text("1&2"));
    SetControlText("标签4", Property::Caption, "");
    EXPECT_TRUE(GetControlText("标签4", Property::Caption).IsNull());

    auto* link = static_cast<HyperlinkBox*>(window->Control("超级链接框1"));
    EXPECT_TRUE(link->GetLabel().empty()) << "no caption and no address: nothing shown";
    SetControlText("超级链接框1", Property::WebAddress, "http://user.qzone.qq.com/10001");
    EXPECT_EQ(link->GetLabel(), wxString("http://user.qzone.qq.com/10001"));
    EXPECT_EQ(GetControlText("超级链接框1", Property::WebAddress), core::Text("http://user.qzone.qq.com/10001"));

    EXPECT_TRUE(GetControlText("超文本浏览框1", Property::Url).IsNull()) << "no document yet";
}

TEST_F(MainWindowTest, ClosingTheWindowTakesItsControlsAway) {
    EXPECT_TRUE(HasControlStore());
    window->Close();
    window = nullptr;
    Pump();
    EXPECT_FALSE(HasControlStore());
}

TEST_F(MainWindowTest, TabVisitsTheEditBoxTheButtonAndTheBrowserBox) {
    std::vector<wxWindow*> stops;
    for (wxWindow* child : window->Control("编辑框1")->GetParent()->GetChildren())
        if (child->CanAcceptFocus()) stops.push_back(child);
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0], window->Control("编辑框1"));
    EXPECT_EQ(stops[1], window->Control("按钮1"));
    EXPECT_EQ(stops[2], window->Control("超文本浏览框1"));
}

namespace {

// Runs window events until the browser box reports a location other than
// `from`, for at most five seconds.
core::Text LocationAfter(const core::Text& from) {
    for (int i = 0; i < 500; ++i) {
        wxTheApp->Yield(true);
        const core::Text now = GetControlText("超文本浏览框1", Property::Url);
        if (!(now == from)) return now;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return from;
}

}  // namespace

TEST_F(MainWindowTest, BrowserBoxNavigatesInTheBackground) {
    using testsupport::RawServer;
    RawServer server([](int fd, const std::string& request) {
        if (request.rfind("GET /start", 0) == 0) {
            RawServer::Send(fd, "HTTP/1.1 302 Found\r\nLocation: /stats\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        const std::string body = "<html><body>\xD6\xD0 visitcount</body></html>";  // GBK, no charset given
        RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\n\r\n" + body);
    });
    auto* box = static_cast<platform::HtmlBrowserBox*>(window->Control("超文本浏览框1"));

    SetControlText("超文本浏览框1", Property::Url, core::Text(server.Url("/start")));
    EXPECT_TRUE(GetControlText("超文本浏览框1", Property::Url).IsNull()) << "writing returns before anything arrives";
    EXPECT_EQ(LocationAfter({}), core::Text(server.Url("/stats"))) << "the location after the redirect";
    EXPECT_TRUE(box->ToText().Contains(wxString::FromUTF8("中 visitcount"))) << box->ToText();

    // Until a new document arrives, the old location stays.
    SetControlText("超文本浏览框1", Property::Url, core::Text(server.Url("/again")));
    EXPECT_EQ(GetControlText("超文本浏览框1", Property::Url), core::Text(server.Url("/stats")));
    EXPECT_EQ(LocationAfter(core::Text(server.Url("/stats"))), core::Text(server.Url("/again")));

    // A failed navigation reports the address it tried.
    int closedPort = 0;
    {
        RawServer gone([](int, const std::string&) {});
        closedPort = gone.Port();
    }
    const core::Text tried("http://127.0.0.1:" + std::to_string(closedPort) + "/x");
    SetControlText("超文本浏览框1", Property::Url, tried);
    EXPECT_EQ(LocationAfter(core::Text(server.Url("/again"))), tried);
    EXPECT_FALSE(box->Navigating());
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::DesktopSession desktop(false);
    if (!desktop.Ok()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    g_desktop = &desktop;
    for (const auto& [key, value] : desktop.Environment()) setenv(key.c_str(), value.c_str(), 1);
    UseLayoutFonts();
    wxSetAssertHandler(FailOnAssert);
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) return 1;
    wxTheApp->CallOnInit();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}

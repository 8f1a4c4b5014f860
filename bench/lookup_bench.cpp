// From a click of the query button to six filled labels, in the real window,
// against a local stand-in for the statistics service; and curl fetching the
// same reply, in one run.

#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <thread>

#include "app/fonts.h"
#include "app/main_window.h"
#include "bench/measure.h"
#include "platform/internet.h"
#include "platform/wx_text.h"
#include "platform/wx_user_interface.h"
#include "tests/support/desktop_session.h"
#include "tests/support/raw_server.h"

using testsupport::RawServer;

int main(int argc, char** argv) {
    testsupport::DesktopSession desktop(false);
    if (!desktop.Ok()) return 1;
    for (const auto& [key, value] : desktop.Environment()) setenv(key.c_str(), value.c_str(), 1);

    const std::string body = "_Callback({\"visitcount\":1234,\"dayvisit\":56,\"sun\":7,\"rain\":8,\"love\":9,\"level\":3,});";
    RawServer server([&](int fd, const std::string&) {
        RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    });
    // The program names the real host; here it is this machine.
    platform::SetConnectTo({"g.qzone.qq.com:80:127.0.0.1:" + std::to_string(server.Port())});

    app::UseLayoutFonts();
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) return 1;
    wxTheApp->CallOnInit();
    platform::WxUserInterface ui;
    platform::InstallUserInterface(&ui);
    auto* window = new app::MainWindow();
    window->Show();
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);

    auto* edit = static_cast<wxTextCtrl*>(window->Control("编辑框1"));
    auto* button = window->Control("按钮1");
    wxWindow* lastLabel = window->Control("标签13");
    const double ours = bench::BestSeconds(
        [&] {
            lastLabel->SetLabel("");
            edit->ChangeValue("12345");
            wxCommandEvent click(wxEVT_BUTTON, button->GetId());
            click.SetEventObject(button);
            button->GetEventHandler()->ProcessEvent(click);  // returns once the labels are written
            wxTheApp->Yield(true);                           // and painted
        },
        10);
    const bool filled = lastLabel->GetLabel() == "3";

    const std::string curl = "curl -s -o /dev/null http://127.0.0.1:" + std::to_string(server.Port()) +
                             "/fcg-bin/cgi_emotion_list.fcg?uin=12345";
    const double peer = bench::BestSeconds([&] { (void)!std::system(curl.c_str()); }, 10);
    std::printf("click to filled labels: %.1f ms%s; curl fetching the same reply: %.1f ms; difference %.1f ms "
                "(wanted at most 20)\n",
                ours * 1e3, filled ? "" : " (LABELS NOT FILLED)", peer * 1e3, (ours - peer) * 1e3);

    window->Destroy();
    wxTheApp->Yield(true);
    platform::InstallUserInterface(nullptr);
    wxEntryCleanup();
    return filled ? 0 : 1;
}

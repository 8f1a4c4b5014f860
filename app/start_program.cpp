#include "app/start_program.h"

#include <unistd.h>

#include <wx/app.h>
#include <wx/uilocale.h>

#include "app/external_functions.h"
#include "app/fonts.h"
#include "app/main_window.h"
#include "app/main_window_created.h"
#include "core/user.h"
#include "platform/internet.h"
#include "platform/wx_user_interface.h"

namespace app {
namespace {

class ZiventaApp : public wxApp {
public:
    bool OnInit() override {
        // Window titles and texts reach the toolkit as UTF-8 only under a UTF-8 locale.
        wxUILocale::UseDefault();
        platform::InstallUserInterface(&m_ui);
        // While a request waits for the network, the window goes on answering.
        platform::SetStillWaitingHook([] { core::ProcessEvents(); });

        auto* window = new MainWindow();  // hidden until the created event has run
        MainWindowCreated();
        if (!HasControlStore()) return false;
        window->CentreOnScreen();
        window->Show();
        return true;
    }

    int OnExit() override {
        platform::SetStillWaitingHook(nullptr);
        platform::InstallUserInterface(nullptr);
        return wxApp::OnExit();
    }

private:
    platform::WxUserInterface m_ui;
};

}  // namespace

int StartProgram(int argc, char** argv) {
    // The program's folder is the current directory, whatever it was started
    // from. Nothing depends on it, so a folder that cannot be entered is no error.
    (void)!chdir(ProgramFolder().c_str());
    UseLayoutFonts();

    wxApp::SetInstance(new ZiventaApp());
    wxEntry(argc, argv);

    ReleaseExternalLibraries();
    return 0;
}

}  // namespace app

#pragma once
// The program's only window, built hidden from the fixed layout.

#include <map>
#include <string>

#include <wx/frame.h>

#include "app/control_access.h"
#include "app/layout.h"

class wxPanel;

namespace app {

class MainWindow : public wxFrame, public ControlStore {
public:
    MainWindow();
    ~MainWindow() override;

    core::Text Read(const core::Text& control, Property property) override;
    void Write(const core::Text& control, Property property, const core::Text& text) override;

    // The toolkit window of a control, by GBK name; nullptr for no such control.
    wxWindow* Control(const std::string& name) const;
    // Its place in the main window's client area.
    wxRect ClientRect(const std::string& name) const;

private:
    void CreateControl(const ControlRow& row);
    void SettlePlace();
    // Runs an event handler; a close that comes while handlers run (they may
    // run window events while they wait) takes effect once the last returns.
    void RunHandler(void (*handler)());

    wxPanel* m_client = nullptr;  // the client area: every control's toolkit parent
    std::map<std::string, std::pair<const ControlRow*, wxWindow*>> m_controls;
    bool m_placedByUs = false;
    int m_handlersRunning = 0;
    bool m_closeWaiting = false;
};

// The default GUI font and fonts F1 and F2.
wxFont LayoutFont(FontKind kind);

}  // namespace app

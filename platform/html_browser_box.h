#pragma once
// The hidden HTML browser box: an HTML view that goes to the addresses written
// to it in the background, while the window goes on answering.

#include <memory>
#include <string>

#include <wx/html/htmlwin.h>
#include <wx/timer.h>

#include "platform/internet.h"

namespace platform {

class HtmlBrowserBox : public wxHtmlWindow {
public:
    HtmlBrowserBox(wxWindow* parent, const wxPoint& pos, const wxSize& size);

    // Starts going to address (GBK) and returns at once; replaces a navigation
    // still running.
    void Navigate(const std::string& address);
    // The location of the document shown now (after redirects); the previous
    // one until a new document has arrived, empty before the first.
    const std::string& LocationUrl() const { return m_location; }
    bool Navigating() const { return m_transfer != nullptr; }

private:
    void OnTick();
    void Show(const BackgroundTransfer& transfer);

    std::unique_ptr<BackgroundTransfer> m_transfer;
    wxTimer m_ticker;
    std::string m_location;
};

}  // namespace platform

#pragma once
// The hidden HTML browser box: an HTML view that keeps the address written to it.

#include <string>

#include <wx/html/htmlwin.h>

namespace platform {

class HtmlBrowserBox : public wxHtmlWindow {
public:
    HtmlBrowserBox(wxWindow* parent, const wxPoint& pos, const wxSize& size);

    // Keeps address and starts going there; returns at once.
    void Navigate(const std::string& address);
    // The location of the document shown now; empty before any has arrived.
    const std::string& LocationUrl() const { return m_location; }

private:
    std::string m_location;
};

}  // namespace platform

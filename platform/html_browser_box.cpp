#include "platform/html_browser_box.h"

namespace platform {

HtmlBrowserBox::HtmlBrowserBox(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : wxHtmlWindow(parent, wxID_ANY, pos, size, wxHW_DEFAULT_STYLE) {}

void HtmlBrowserBox::Navigate(const std::string&) {}

}  // namespace platform

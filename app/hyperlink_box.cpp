#include "app/hyperlink_box.h"

#include "app/layout.h"
#include "platform/accessibility.h"
#include "platform/desktop_open.h"
#include "platform/wx_text.h"

namespace app {
namespace {
wxColour ToColour(Rgb c) { return wxColour(c.r, c.g, c.b); }
}  // namespace

HyperlinkBox::HyperlinkBox(wxWindow* parent, const wxPoint& pos, const wxSize& size, const wxFont& font,
                           const wxColour& normal)
    : wxGenericHyperlinkCtrl(parent, wxID_ANY, " ", " ", pos, size, wxHL_ALIGN_CENTRE | wxBORDER_NONE) {
    SetFont(font);  // the generic control underlines its font; the box does not
    SetNormalColour(normal);
    SetHoverColour(ToColour(kLinkHover));
    SetVisitedColour(ToColour(kLinkVisited));
    SetBackgroundColour(parent->GetBackgroundColour());
    SetMinSize(wxDefaultSize);  // lets the control centre its text in its own size
    SetSize(size);
    ShowText();
    // Handled here without Skip(), so the control does not open the address itself.
    Bind(wxEVT_HYPERLINK, [this](wxHyperlinkEvent&) { Open(); });
}

void HyperlinkBox::SetCaption(const std::string& caption) {
    m_caption = caption;
    ShowText();
}

void HyperlinkBox::SetWebAddress(const std::string& address) {
    m_address = address;
    SetURL(platform::ToWx(address));
    ShowText();
}

void HyperlinkBox::ShowText() {
    // No prefix processing: an "&" is shown as it is.
    const wxString shown = platform::ToWx(m_caption.empty() ? m_address : m_caption);
    SetLabel(shown);
    platform::DescribeAsLink(this, shown);
    Refresh();
}

void HyperlinkBox::Open() {
    const std::string utf8(platform::ToWx(m_address).utf8_str());
    SetVisited(platform::OpenWithDesktop(utf8));
    Refresh();
}

}  // namespace app

#pragma once
// A borderless link that shows its caption, or else its web address, centred in
// three colours: normal, hover while the pointer is over it, visited once it has
// been opened. A click opens the address with the desktop's handler.

#include <string>

#include <wx/hyperlink.h>
#include <wx/generic/hyperlink.h>

namespace app {

class HyperlinkBox : public wxGenericHyperlinkCtrl {
public:
    HyperlinkBox(wxWindow* parent, const wxPoint& pos, const wxSize& size, const wxFont& font,
                 const wxColour& normal);

    // Texts are GBK.
    void SetCaption(const std::string& caption);
    void SetWebAddress(const std::string& address);
    const std::string& Caption() const { return m_caption; }
    const std::string& WebAddress() const { return m_address; }

    bool AcceptsFocus() const override { return false; }

private:
    void ShowText();
    void Open();

    std::string m_caption;
    std::string m_address;
};

}  // namespace app

#include "platform/wx_user_interface.h"

#include <wx/evtloop.h>
#include <wx/msgdlg.h>

#include "platform/wx_text.h"

namespace platform {

MessageBoxButton WxUserInterface::ShowMessageBox(std::string_view message, std::string_view title,
                                                 unsigned style) {
    // The program only asks for one OK button, with or without the error icon.
    long flags = wxOK | wxCENTRE;
    flags |= (style & kMbIconError) ? wxICON_ERROR : wxICON_NONE;
    wxMessageDialog box(nullptr, ToWx(message), ToWx(title), flags);
    box.ShowModal();
    return MessageBoxButton::Ok;
}

void WxUserInterface::ProcessEvents() {
    // YieldFor runs everything waiting, CallAfter items and nested handlers
    // included, and is safe when called again from inside one of them.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_ALL);
}

}  // namespace platform

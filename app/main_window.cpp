#include "app/main_window.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/hyperlink_box.h"
#include "app/window_icon.h"
#include "lookup/query_button_clicked.h"
#include "platform/html_browser_box.h"
#include "platform/wx_text.h"

namespace app {
namespace {

// A 9-point face whose Latin letters are half as wide as its Chinese ones keeps
// every caption inside its fixed pixel size.
constexpr double kGuiPoints = 9.0;
constexpr const char* kGuiFace = "Noto Sans Mono CJK SC";

wxColour ToColour(Rgb c) { return wxColour(c.r, c.g, c.b); }

// Group boxes clip the windows inside them, and the toolkit measures their
// children from inside the frame and below the caption. So a group's controls
// are placed beside the box, at the box's place plus their own: what the user
// sees is exactly the layout's places.
wxPoint ClientPlace(const ControlRow& row) {
    wxPoint place(row.left, row.top);
    if (row.parent) {
        const ControlRow* box = FindControl(row.parent);
        place += wxPoint(box->left, box->top);
    }
    return place;
}

}  // namespace

wxFont LayoutFont(FontKind kind) {
    switch (kind) {
        case FontKind::F1: return wxFont(wxFontInfo(kGuiPoints).FaceName(platform::ToWx(kFontF1Face)).Bold());
        case FontKind::F2: return wxFont(wxFontInfo(kGuiPoints).FaceName(platform::ToWx(kFontF1Face)));
        case FontKind::DefaultGui: break;
    }
    return wxFont(wxFontInfo(kGuiPoints).FaceName(kGuiFace));
}

MainWindow::MainWindow()
    : wxFrame(nullptr, wxID_ANY, platform::ToWx(kWindowTitle), wxDefaultPosition,
              wxSize(kWindowWidth, kWindowHeight), wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX) {
    const wxSize outer(kWindowWidth, kWindowHeight);
    SetSizeHints(outer, outer);
    SetIcons(WindowIcons());
    SetFont(LayoutFont(FontKind::DefaultGui));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));

    m_client = new wxPanel(this, wxID_ANY);
    m_client->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));

    // The toolkit stacks a later sibling above an earlier one: create the
    // bottom row first.
    for (auto row = kLayout.rbegin(); row != kLayout.rend(); ++row) CreateControl(*row);

    // Tab visits the edit box, the button and the browser box.
    Control("按钮1")->MoveAfterInTabOrder(Control("编辑框1"));
    Control("超文本浏览框1")->MoveAfterInTabOrder(Control("按钮1"));
    Control("编辑框1")->SetFocus();

    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE) Close();
        else event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        InstallControlStore(nullptr);  // the window is gone for every routine from here on
        if (m_handlersRunning > 0) {
            Hide();  // gone for the user; destroyed once the handlers have returned
            m_closeWaiting = true;
            return;
        }
        event.Skip();
    });
    // A window manager may place and size the frame before it has read its size
    // hints (openbox puts it at (0, 0), four pixels short); once it has taken the
    // window and activated it, size and centre it again.
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        if (event.GetActive() && !m_placedByUs) CallAfter([this] { SettlePlace(); });
        event.Skip();
    });
    InstallControlStore(this);
}

MainWindow::~MainWindow() {
    if (HasControlStore()) {
        ControlStore* current = InstallControlStore(nullptr);
        if (current != this) InstallControlStore(current);
    }
}

void MainWindow::RunHandler(void (*handler)()) {
    ++m_handlersRunning;
    handler();
    --m_handlersRunning;
    if (m_handlersRunning == 0 && m_closeWaiting) Destroy();
}

void MainWindow::SettlePlace() {
    m_placedByUs = true;
    const wxSize outer(kWindowWidth, kWindowHeight);
    SetSizeHints(outer, outer);
    SetSize(outer);
    CentreOnScreen();
}

void MainWindow::CreateControl(const ControlRow& row) {
    const wxPoint place = ClientPlace(row);
    const wxSize size(row.width, row.height);
    const wxFont font = LayoutFont(row.font);
    const wxString text = platform::ToWx(row.text);
    wxWindow* window = nullptr;

    switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new wxStaticText(m_client, wxID_ANY, text, place, size, wxST_NO_AUTORESIZE);
            // One line, left-aligned, vertically centred in the label's height.
            gtk_label_set_yalign(GTK_LABEL(label->GetHandle()), 0.5f);
            gtk_label_set_xalign(GTK_LABEL(label->GetHandle()), 0.0f);
            gtk_label_set_line_wrap(GTK_LABEL(label->GetHandle()), FALSE);
            window = label;
            break;
        }
        case ControlKind::Button: {
            auto* button = new wxButton(m_client, wxID_ANY, text, place, size);
            button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RunHandler(lookup::QueryButtonClicked); });
            window = button;
            break;
        }
        case ControlKind::EditBox: {
            auto* edit = new wxTextCtrl(m_client, wxID_ANY, text, place, size, wxBORDER_SUNKEN);
            edit->SetBackgroundColour(ToColour(kEditBackground));
            window = edit;
            break;
        }
        case ControlKind::GroupBox:
            window = new wxStaticBox(m_client, wxID_ANY, text, place, size);
            break;
        case ControlKind::Hyperlink: {
            auto* link = new HyperlinkBox(m_client, place, size, font, ToColour(row.textColour.value_or(kLinkNormal)));
            link->SetCaption(row.text);
            link->SetWebAddress(row.webAddress ? row.webAddress : "");
            window = link;
            break;
        }
        case ControlKind::BrowserBox:
            window = new platform::HtmlBrowserBox(m_client, place, size);
            break;
    }
    window->SetFont(font);
    if (row.textColour) window->SetForegroundColour(ToColour(*row.textColour));
    m_controls[row.name] = {&row, window};
}

wxWindow* MainWindow::Control(const std::string& name) const {
    auto it = m_controls.find(name);
    return it == m_controls.end() ? nullptr : it->second.second;
}

wxRect MainWindow::ClientRect(const std::string& name) const {
    const wxWindow* window = Control(name);
    return window ? window->GetRect() : wxRect();
}

core::Text MainWindow::Read(const core::Text& control, Property property) {
    auto it = m_controls.find(control.Str());
    if (it == m_controls.end()) return {};
    const auto [row, window] = it->second;
    switch (property) {
        case Property::Content:
            if (row->kind == ControlKind::EditBox)
                return core::MakeText(platform::FromWx(static_cast<wxTextCtrl*>(window)->GetValue()));
            break;
        case Property::Caption:
            if (row->kind == ControlKind::Hyperlink)
                return core::MakeText(static_cast<HyperlinkBox*>(window)->Caption());
            return core::MakeText(platform::FromWx(window->GetLabel()));
        case Property::WebAddress:
            if (row->kind == ControlKind::Hyperlink)
                return core::MakeText(static_cast<HyperlinkBox*>(window)->WebAddress());
            break;
        case Property::Url:
            if (row->kind == ControlKind::BrowserBox)
                return core::MakeText(static_cast<platform::HtmlBrowserBox*>(window)->LocationUrl());
            break;
    }
    return {};
}

void MainWindow::Write(const core::Text& control, Property property, const core::Text& text) {
    auto it = m_controls.find(control.Str());
    if (it == m_controls.end()) return;
    const auto [row, window] = it->second;
    switch (property) {
        case Property::Content:
            if (row->kind == ControlKind::EditBox) static_cast<wxTextCtrl*>(window)->ChangeValue(platform::ToWx(text.View()));
            break;
        case Property::Caption:
            if (row->kind == ControlKind::Hyperlink) static_cast<HyperlinkBox*>(window)->SetCaption(text.Str());
            else window->SetLabel(platform::ToWx(text.View()));  // "&" underlines the next character
            break;
        case Property::WebAddress:
            if (row->kind == ControlKind::Hyperlink) static_cast<HyperlinkBox*>(window)->SetWebAddress(text.Str());
            break;
        case Property::Url:
            if (row->kind == ControlKind::BrowserBox) static_cast<platform::HtmlBrowserBox*>(window)->Navigate(text.Str());
            break;
    }
}

}  // namespace app

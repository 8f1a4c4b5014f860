#include "platform/html_browser_box.h"

#include <algorithm>
#include <cctype>

#include "platform/national_language.h"

namespace platform {
namespace {

// The embedded browser identifies itself as the program's requests do.
constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr int kTickMs = 10;

std::string ToLowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The charset a Content-Type value or the start of a document names, or "".
std::string CharsetIn(const std::string& text) {
    const std::string lower = ToLowerAscii(text);
    const std::size_t at = lower.find("charset=");
    if (at == std::string::npos) return {};
    std::size_t begin = at + 8;
    while (begin < lower.size() && (lower[begin] == '"' || lower[begin] == '\'')) ++begin;
    std::size_t end = begin;
    while (end < lower.size() && (std::isalnum(static_cast<unsigned char>(lower[end])) || lower[end] == '-' ||
                                  lower[end] == '_' || lower[end] == ':' || lower[end] == '.'))
        ++end;
    return text.substr(begin, end - begin);
}

wxString Escaped(const wxString& text) {
    wxString out;
    for (wxUniChar c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

}  // namespace

HtmlBrowserBox::HtmlBrowserBox(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : wxHtmlWindow(parent, wxID_ANY, pos, size, wxHW_DEFAULT_STYLE), m_ticker(this) {
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTick(); });
}

void HtmlBrowserBox::Navigate(const std::string& address) {
    m_transfer = std::make_unique<BackgroundTransfer>(address, kAgent);
    if (!m_ticker.IsRunning()) m_ticker.Start(kTickMs);
}

void HtmlBrowserBox::OnTick() {
    if (!m_transfer) {
        m_ticker.Stop();
        return;
    }
    if (!m_transfer->Advance()) return;
    std::unique_ptr<BackgroundTransfer> finished = std::move(m_transfer);
    m_ticker.Stop();
    Show(*finished);
}

void HtmlBrowserBox::Show(const BackgroundTransfer& transfer) {
    m_location = transfer.Location();
    if (!transfer.Succeeded()) {
        SetPage("<html><body><h3>This page cannot be shown</h3><p>" + Escaped(wxString::FromUTF8(m_location)) +
                "</p></body></html>");
        return;
    }
    const std::string& body = transfer.Body();
    std::string charset = CharsetIn(transfer.ContentType());
    if (charset.empty()) charset = CharsetIn(body.substr(0, 1024));
    const wxString text = wxString::FromUTF8(DocumentToUtf8(body, charset));
    const bool html = ToLowerAscii(transfer.ContentType()).find("html") != std::string::npos ||
                      text.Left(256).Lower().Contains("<html");
    SetPage(html ? text : "<pre>" + Escaped(text) + "</pre>");
}

}  // namespace platform

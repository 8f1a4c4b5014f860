// The peer for start-up time and memory: the least wx program that shows a window.
#include <wx/app.h>
#include <wx/frame.h>

class MinimalApp : public wxApp {
public:
    bool OnInit() override {
        (new wxFrame(nullptr, wxID_ANY, "Minimal window", wxDefaultPosition, wxSize(308, 420)))->Show();
        return true;
    }
};

wxIMPLEMENT_APP(MinimalApp);

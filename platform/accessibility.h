#pragma once

#include <wx/window.h>

namespace platform {

// What assistive technology (a screen reader, the accessibility tree) reads for
// a control that paints its own text: its name, and that it is a link.
void DescribeAsLink(wxWindow* window, const wxString& text);

}  // namespace platform

#pragma once

#include <wx/iconbndl.h>

namespace app {

// The window's icon in 128, 64, 48, 32 and 16 pixels, drawn from app/resources/icon.svg.
wxIconBundle WindowIcons();

}  // namespace app

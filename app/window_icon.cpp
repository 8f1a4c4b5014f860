#include "app/window_icon.h"

#include <wx/bmpbndl.h>

namespace resources {
extern const unsigned char window_icon_svg[];
extern const std::size_t window_icon_svg_size;
}  // namespace resources

namespace app {

wxIconBundle WindowIcons() {
    const wxBitmapBundle drawing = wxBitmapBundle::FromSVG(resources::window_icon_svg,
                                                           resources::window_icon_svg_size, wxSize(128, 128));
    wxIconBundle icons;
    for (int side : {128, 64, 48, 32, 16}) {
        wxIcon icon;
        icon.CopyFromBitmap(drawing.GetBitmap(wxSize(side, side)));
        icons.AddIcon(icon);
    }
    return icons;
}

}  // namespace app

#pragma once
// The main window's fixed layout: the window's settings and its 23 controls.

#include <array>
#include <cstdint>
#include <optional>

namespace app {

enum class ControlKind { Label, Button, EditBox, GroupBox, Hyperlink, BrowserBox };
enum class FontKind { DefaultGui, F1, F2 };

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

struct ControlRow {
    const char* name;    // GBK
    ControlKind kind;
    const char* parent;  // GBK name of the group box that holds it; nullptr: the main window
    int left, top, width, height;  // from the parent's top-left corner
    const char* text;    // GBK; the caption (for a hyperlink box, its caption)
    std::optional<Rgb> textColour;  // none: the kind's default (black; blue for links)
    FontKind font;
    const char* webAddress = nullptr;  // hyperlink boxes only
};

inline constexpr const char* kWindowTitle = "Ziventa  V1.0";
inline constexpr int kWindowWidth = 308;   // outer size, frame and title bar included
inline constexpr int kWindowHeight = 420;

inline constexpr Rgb kValueRed{255, 0, 0};
inline constexpr Rgb kNoteBlue{0, 0, 255};
inline constexpr Rgb kEditBackground{236, 236, 236};
inline constexpr Rgb kLinkNormal{0, 0, 255};
inline constexpr Rgb kLinkVisited{128, 0, 0};
inline constexpr Rgb kLinkHover{10, 36, 106};

// Font F1: "宋体", 12 px high, bold; F2 the same at normal weight.
inline constexpr const char* kFontF1Face = "宋体";

// In stacking order: among controls of one parent, an earlier row lies above a later one.
extern const std::array<ControlRow, 23> kLayout;

// The row of the control with that GBK name, or nullptr.
const ControlRow* FindControl(const char* name);

}  // namespace app

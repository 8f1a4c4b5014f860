#include "app/fonts.h"

#include <fontconfig/fontconfig.h>

namespace app {

// "宋体" is the layout's face for its value labels; the platform has no face of
// that name, and its Chinese fallback would otherwise pick Japanese glyph forms.
// It resolves to the family of the default GUI font, so that the window loads
// one family of CJK faces rather than two. The XML is UTF-8, hence the u8 literal.
static const char8_t kAliases[] = u8R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same"><family>宋体</family><prefer><family>Noto Sans Mono CJK SC</family></prefer></alias>
  <alias binding="same"><family>SimSun</family><prefer><family>Noto Sans Mono CJK SC</family></prefer></alias>
  <alias><family>sans-serif</family><prefer><family>Noto Sans CJK SC</family></prefer></alias>
</fontconfig>
)";

void UseLayoutFonts() {
    FcConfig* config = FcConfigGetCurrent();
    if (!config) return;
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kAliases), FcFalse);
}

}  // namespace app

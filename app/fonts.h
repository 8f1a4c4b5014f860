#pragma once

namespace app {

// Makes the layout's font names resolve to simplified-Chinese faces. Call before
// the toolkit starts.
void UseLayoutFonts();

}  // namespace app

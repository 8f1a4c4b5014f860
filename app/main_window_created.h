#pragma once

#include <string>

namespace app {

// Runs once the main window and its controls exist, before it is first shown:
// writes the skin engine and the skin into the user's data folder and has the
// engine dress the window. An engine that cannot be loaded ends the program.
void MainWindowCreated();

// The folder the skin files go to: $XDG_DATA_HOME/ziventa, else
// ~/.local/share/ziventa; created private (0700) when it is missing.
std::string SkinFolder();

}  // namespace app

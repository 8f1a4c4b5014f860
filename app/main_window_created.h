#pragma once

namespace app {

// Runs once the main window and its controls exist, before it is first shown.
void MainWindowCreated();

}  // namespace app

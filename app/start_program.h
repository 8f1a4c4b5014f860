#pragma once

namespace app {

// Prepares the process, shows the main window and runs the message loop until
// the window is gone; then releases the bound libraries. Gives the exit code, 0.
int StartProgram(int argc, char** argv);

}  // namespace app

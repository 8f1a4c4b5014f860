#pragma once
// Talking to the user: message boxes, the message pump and the fatal report.

#include "core/text.h"

namespace core {

inline constexpr int kExitFatal = -1;

// A modal box with the message and one set of buttons; the title is "信息："
// when none is given. Gives the button pressed (0 for OK).
int ShowMessageBox(const Text& message, int buttons = 0, const Text& title = {});

// Runs the window events waiting for the GUI thread, then returns. Event
// handlers, a second click included, may run inside it.
void ProcessEvents();

// Shows the "错误" report for code and message, then ends the process with
// exit code -1. Nothing in progress is finished.
[[noreturn]] void FatalError(int code, const Text& message);

// The text of FatalError's report.
Text FatalReportText(int code, const Text& message);

}  // namespace core

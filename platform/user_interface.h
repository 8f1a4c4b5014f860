#pragma once
// The two things the core asks of the window toolkit: a modal message box and
// a turn of the message pump. The application installs its toolkit's version at
// start; tests install a recorder, so the core never links the toolkit.

#include <string_view>

namespace platform {

// Message box styles, as the program's routines pass them.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbSystemModal = 0x1000;
inline constexpr unsigned kMbTaskModal = 0x2000;

// The button that closed a message box.
enum class MessageBoxButton { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Texts are GBK bytes; the implementation converts them at its edge.
    virtual MessageBoxButton ShowMessageBox(std::string_view message, std::string_view title,
                                            unsigned style) = 0;
    // Dispatches what is waiting for the GUI thread and returns.
    virtual void ProcessEvents() = 0;
};

// The installed interface, or null (then message boxes go to standard error).
UserInterface* InstalledUserInterface();
// Installs ui (not owned; null uninstalls) and gives the previous one.
UserInterface* InstallUserInterface(UserInterface* ui);

}  // namespace platform

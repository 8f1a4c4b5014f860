#include "platform/user_interface.h"

namespace platform {
namespace {
UserInterface* g_installed = nullptr;
}

UserInterface* InstalledUserInterface() { return g_installed; }

UserInterface* InstallUserInterface(UserInterface* ui) {
    UserInterface* previous = g_installed;
    g_installed = ui;
    return previous;
}

}  // namespace platform

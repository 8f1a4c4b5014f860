#pragma once
// Message boxes and the message pump through the toolkit.

#include "platform/user_interface.h"

namespace platform {

class WxUserInterface : public UserInterface {
public:
    MessageBoxButton ShowMessageBox(std::string_view message, std::string_view title, unsigned style) override;
    void ProcessEvents() override;
};

}  // namespace platform

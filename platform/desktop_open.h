#pragma once

#include <string>

namespace platform {

// Opens address (UTF-8) with the desktop's handler for its kind, without a
// shell: the address may come from typed text. True when a handler took it.
bool OpenWithDesktop(const std::string& address);

}  // namespace platform

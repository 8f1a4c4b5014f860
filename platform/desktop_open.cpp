#include "platform/desktop_open.h"

#include <gio/gio.h>

namespace platform {

bool OpenWithDesktop(const std::string& address) {
    if (address.empty()) return false;
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error);
    if (error) g_error_free(error);
    return launched;
}

}  // namespace platform

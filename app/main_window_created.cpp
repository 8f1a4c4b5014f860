#include "app/main_window_created.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "app/external_functions.h"
#include "core/files.h"

namespace resources {
extern const unsigned char skin_library[];
extern const std::size_t skin_library_size;
extern const unsigned char skin_file[];
extern const std::size_t skin_file_size;
}  // namespace resources

namespace app {
namespace {

core::ByteSet Embedded(const unsigned char* bytes, std::size_t size) {
    return core::ByteSet(std::string_view(reinterpret_cast<const char*>(bytes), size));
}

std::string Home() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = getpwuid(geteuid()); user && user->pw_dir) return user->pw_dir;
    return {};
}

}  // namespace

std::string SkinFolder() {
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        data = xdg;
    } else {
        const std::string home = Home();
        if (home.empty()) return {};
        data = home + "/.local/share";
        mkdir((home + "/.local").c_str(), 0755);
    }
    mkdir(data.c_str(), 0755);
    const std::string folder = data + "/ziventa";
    mkdir(folder.c_str(), 0700);
    return folder;
}

void MainWindowCreated() {
    const std::string folder = SkinFolder();
    const std::string library = folder + "/Skin.so";
    const std::string skin = folder + "/Default.skin";
    // Replaced, never rewritten in place: another running instance has the
    // library mapped. Whether the writes worked shows when the library loads.
    core::ReplaceFile(core::Text(library), Embedded(resources::skin_library, resources::skin_library_size));
    core::ReplaceFile(core::Text(skin), Embedded(resources::skin_file, resources::skin_file_size));
    CallExternal<int(const char*, const char*)>(ExternalFunctionRow(library, "AttachSkin"), skin.c_str(), "");
}

}  // namespace app

#include <cstdio>
#include <cstdlib>

#include "app/start_program.h"

int main(int argc, char** argv) {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        std::fputs("ziventa: no display to show the window on (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    return app::StartProgram(argc, argv);
}

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "app/start_program.h"

int main(int argc, char** argv) {
    // Without a display the toolkit would end in an assertion of its own; say so plainly.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) {
        std::fputs("ziventa: no display to show the window on (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    gtk_disable_setlocale();  // the toolkit's locale is set up by the program itself
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "ziventa: cannot open the display \"%s\"; start it from a desktop session.\n",
                     x11 && *x11 ? x11 : wayland);
        return 1;
    }
    return app::StartProgram(argc, argv);
}

// The skin engine: a library of its own that the program writes out and loads
// at every start, then asks to dress its windows with a skin file (GTK CSS).

#include <gtk/gtk.h>

// skinFile: the path of the skin. second: kept for the calling convention; unused.
// Gives 1 when the skin is on every window of the display, 0 otherwise.
extern "C" __attribute__((visibility("default"))) int AttachSkin(const char* skinFile, const char* /*second*/) {
    GdkScreen* screen = gdk_screen_get_default();
    if (!skinFile || !screen) return 0;
    GtkCssProvider* skin = gtk_css_provider_new();
    GError* error = nullptr;
    const gboolean loaded = gtk_css_provider_load_from_path(skin, skinFile, &error);
    if (error) g_error_free(error);
    if (loaded) {
        gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(skin),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    g_object_unref(skin);  // the screen keeps its own reference
    return loaded ? 1 : 0;
}

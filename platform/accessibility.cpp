#include "platform/accessibility.h"

#include <gtk/gtk.h>

namespace platform {

void DescribeAsLink(wxWindow* window, const wxString& text) {
    GtkWidget* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    if (!widget) return;
    AtkObject* accessible = gtk_widget_get_accessible(widget);
    if (!accessible) return;
    atk_object_set_role(accessible, ATK_ROLE_LINK);
    atk_object_set_name(accessible, text.utf8_str());
}

}  // namespace platform

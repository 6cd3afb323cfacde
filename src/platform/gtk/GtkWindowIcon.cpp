#include "platform/gtk/GtkWindowIcon.h"

#include <gtk/gtk.h>

#include <string>

#include "shell/DataLocations.h"

namespace vandor {

void UseGameIcon() {
    // By name, the desktop's launcher, task list and the window all show the same
    // picture, at whatever size each needs.
    if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), VANDOR_APP_ID)) {
        gtk_window_set_default_icon_name(VANDOR_APP_ID);
        return;
    }
    const std::string beside = ExeFolder() + VANDOR_APP_ID ".png";
    GdkPixbuf* icon = gdk_pixbuf_new_from_file(beside.c_str(), nullptr);
    if (icon == nullptr) return;
    gtk_window_set_default_icon(icon);
    g_object_unref(icon);
}

}  // namespace vandor

#include "platform/gtk/GtkWindowIcon.h"

#include <string>

#include "shell/DataLocations.h"

namespace vandor {

void UseGameIcon(GtkWindow* window) {
    // The picture beside the program is read on its own: asking the icon theme for a
    // name loads the whole theme, which costs milliseconds and a megabyte and a half
    // of memory for the same picture.
    const std::string beside = ExeFolder() + VANDOR_APP_ID ".png";
    if (GdkPixbuf* icon = gdk_pixbuf_new_from_file(beside.c_str(), nullptr)) {
        gtk_window_set_default_icon(icon);
        if (window != nullptr) gtk_window_set_icon(window, icon);
        g_object_unref(icon);
        return;
    }
    // A package that keeps the picture in the theme alone: by name, at whatever size the
    // launcher, the task list and the window each need.
    if (gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), VANDOR_APP_ID)) {
        gtk_window_set_default_icon_name(VANDOR_APP_ID);
        if (window != nullptr) gtk_window_set_icon_name(window, VANDOR_APP_ID);
    }
}

}  // namespace vandor

#include "platform/gtk/GtkWindowIcon.h"

#include <string>

#include "shell/DataLocations.h"

namespace vandor {
namespace {

// Title bars, task lists and window switchers show the icon at these sizes. Each one
// scaled here with a good filter looks better than one large icon scaled by whatever
// shows it, and a 256 px icon would keep half a megabyte more in the process: GDK
// also turns the largest icon into a pixmap, uploaded through shared memory.
constexpr int kIconSizes[] = {128, 64, 48, 32, 16};

}  // namespace

void UseGameIcon(GtkWindow* window) {
    // The picture beside the program is read on its own: asking the icon theme for a
    // name loads the whole theme, which costs milliseconds and a megabyte and a half
    // of memory for the same picture.
    const std::string beside = ExeFolder() + VANDOR_APP_ID ".png";
    if (GdkPixbuf* picture = gdk_pixbuf_new_from_file(beside.c_str(), nullptr)) {
        GList* icons = nullptr;
        for (const int size : kIconSizes) {
            icons = g_list_append(icons, gdk_pixbuf_scale_simple(picture, size, size, GDK_INTERP_HYPER));
        }
        gtk_window_set_default_icon_list(icons);
        if (window != nullptr) gtk_window_set_icon_list(window, icons);
        g_list_free_full(icons, g_object_unref);
        g_object_unref(picture);
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

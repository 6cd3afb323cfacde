#include "platform/gtk/GtkFullScreen.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace vandor {

bool ManagerDoesFullScreen(GtkWidget* window) {
#ifdef GDK_WINDOWING_X11
    GdkScreen* screen = gtk_widget_get_screen(window);
    if (GDK_IS_X11_SCREEN(screen)) {
        return gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_WM_STATE_FULLSCREEN"));
    }
#endif
    return true;
}

}  // namespace vandor

#pragma once
// Whether a window manager will carry out a full-screen request. The X11 headers
// this needs define macros (Status, None, ...) that clash with the game's names, so
// they stay in their own file.

#include <gtk/gtk.h>

namespace vandor {

// On X without a window manager nobody answers the request; elsewhere it is assumed.
bool ManagerDoesFullScreen(GtkWidget* window);

}  // namespace vandor

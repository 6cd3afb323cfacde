#pragma once
// The game's icon on its windows (the main window, its dialogs and message boxes).

#include <gtk/gtk.h>

namespace vandor {

// The picture "<id>.png" beside the program, where a build tree, a copied folder and an
// install all have it; else the icon the theme has under the application's id, the name
// the desktop entry gives too. Without either the windows keep GTK's default.
// `window`, already made (or nullptr), takes it at once; windows made later take it too.
void UseGameIcon(GtkWindow* window);

}  // namespace vandor

#pragma once
// The game's icon on its windows (the main window, its dialogs and message boxes).

namespace vandor {

// Installed, the icon theme has the icon under the application's id, the name the
// desktop entry gives too; elsewhere (a build tree, a copied folder) it is the picture
// "<id>.png" beside the program. Without either the windows keep GTK's default.
// Call once GTK is initialised and before the windows are made.
void UseGameIcon();

}  // namespace vandor

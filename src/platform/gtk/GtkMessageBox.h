#pragma once
// The modal message box of the GTK window host.

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "shell/WindowHost.h"

namespace vandor {

// Shows the box over parent (may be nullptr) and waits in a nested main loop, which
// keeps idle and timer sources running. Closing the box answers Cancel.
// Given button captions carry the menu model's "&" mnemonics.
TMessageResult RunMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption,
                             TMessageButtons buttons, TMessageIcon icon,
                             const std::vector<std::string>& buttonCaptions);

}  // namespace vandor

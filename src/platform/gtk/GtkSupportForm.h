#pragma once
// The support and survey forms of the GTK window host: a modal dialog built from the
// form's fields, with the probe results, a preview of what would be sent, and the
// send, save and close buttons.

#include <gtk/gtk.h>

#include "shell/FormSession.h"

namespace vandor {

// Shows the form over parent (may be nullptr) until the session is done. The idle and
// timer sources keep running meanwhile, as they do for message boxes.
void RunSupportForm(GtkWindow* parent, TFormSession& session);

}  // namespace vandor

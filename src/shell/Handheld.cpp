#include "shell/Handheld.h"

namespace vandor {

bool IsHandheld(bool steamDeck, TSize screen) {
    if (steamDeck) return true;
    // A host that cannot tell its screen reports nothing, which is no handheld.
    if (screen.Width <= 0 || screen.Height <= 0) return false;
    return screen.Width <= kHandheldScreen.Width && screen.Height <= kHandheldScreen.Height;
}

}  // namespace vandor

#pragma once
// Whether the game runs on a handheld, which has no room for a window and is played
// with its controller: a Steam Deck says so in its environment, and a screen no larger
// than the Deck's 1280 x 800 is taken for one too.

#include "util/Geometry.h"

namespace vandor {

inline constexpr TSize kHandheldScreen{1280, 800};

bool IsHandheld(bool steamDeck, TSize screen);

}  // namespace vandor

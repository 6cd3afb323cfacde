#pragma once
// The game's icon for the desktop: the star fortress of the title picture as an emblem,
// its five bastions in gold around the great star, on the title's night sky. Drawn
// afresh at every size the icon theme asks for, so that the small ones stay sharp.

#include <vector>

#include "Scenery.h"

namespace vandor::demo {

// One square picture for each size the build installs into the icon theme (48, 128 and
// 256 pixels), named "NxN.png", transparent outside its rounded corners.
std::vector<TPicture> MakeIcons();

}  // namespace vandor::demo

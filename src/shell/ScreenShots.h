#pragma once
// Where screenshots go: the desktop's pictures folder (XDG_PICTURES_DIR, as the
// environment or the user's "user-dirs.dirs" names it, else ~/Pictures), in a folder
// named after the title, one PNG a shot named after the date and time it was taken.

#include <string>

#include "shell/Environment.h"

namespace vandor {

// The pictures folder, ending with '/'; empty when not even a home folder is known.
std::string PicturesFolder(const TEnvironment& environment);
// The first free name in `folder` (ending with '/') for a shot taken at `stamp`
// ("20261210-091500"): "20261210-091500.png", else "20261210-091500-2.png", ...
std::string ScreenShotPath(const std::string& folder, const std::string& stamp);

}  // namespace vandor

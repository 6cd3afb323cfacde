#pragma once
// The title's how-to-play: six illustrated pages (reading a scene, the backlog, skip
// and auto, a battle, the action phase, the map), backgrounds the script shows one
// after another with its page buttons below them.

#include <vector>

#include "Scenery.h"

namespace vandor::demo {

// "howto1.png" .. "howto6.png".
std::vector<TPicture> MakeHowToPages();
// The same pages in English, for lang/en/.
std::vector<TPicture> MakeEnglishHowToPages();

}  // namespace vandor::demo

#pragma once
// The demo's interface pictures: the title picture, the three-frame picture buttons
// (normal, pointer over it, pressed) and the message and choice frames.

#include <vector>

#include "Scenery.h"

namespace vandor::demo {

std::vector<TPicture> MakeInterface();
// The pictures of MakeInterface that carry words, in English: lang/en/ beside the game.
std::vector<TPicture> MakeEnglishInterface();

}  // namespace vandor::demo

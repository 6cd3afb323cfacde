#pragma once
// The companion title's own pictures and sounds: its title picture and that of the
// combined edition, its backgrounds and buttons, and the frames and interface sounds
// it shares with this title (the same bytes, so that either archive may supply them).

#include <vector>

#include "Music.h"
#include "Scenery.h"

namespace vandor::demo {

std::vector<TPicture> MakeCompanionBackgrounds();
std::vector<TPicture> MakeCompanionInterface();
// Its buttons' words in English.
std::vector<TPicture> MakeEnglishCompanionButtons();
std::vector<TPiece> MakeCompanionSounds();
std::vector<TPiece> MakeCompanionMusic();

}  // namespace vandor::demo

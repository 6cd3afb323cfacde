#pragma once
// The demo's sound effects, interface sounds and voice stand-ins: short mono sounds
// made from tones, noise and a two-formant voice model. Looping effects wrap around
// so that they repeat without a click.

#include <string>
#include <vector>

#include "Music.h"

namespace vandor::demo {

std::vector<TPiece> MakeEffects();
std::vector<TPiece> MakeVoices();

}  // namespace vandor::demo

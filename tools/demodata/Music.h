#pragma once
// The demo's background music: short looping pieces, each with a melody of its own
// over chords and a bass line, synthesised from note lists.

#include <string>
#include <vector>

#include "Synth.h"

namespace vandor::demo {

struct TPiece {
    std::string Name;  // file name, ".ogg"
    TSound Sound;
};

std::vector<TPiece> MakeMusic();

}  // namespace vandor::demo

#pragma once
// The battle's sound effects, named as the battle opens them: "se-b-NN.ogg" for shots,
// falls, building and removing, "se-t-02.ogg" for raising a tower.

#include <vector>

#include "Music.h"

namespace vandor::demo {

std::vector<TPiece> MakeBattleEffects();

}  // namespace vandor::demo

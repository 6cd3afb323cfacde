#pragma once
// The demo campaign from the title to its ending, as one player's way through it: the
// how-to-play, the prologue, the storm night's battle, a heroine trained, one battle
// lost on purpose, a save and a load, back to the title and on with "continue", the
// areas the story needs taken one battle after another, the mist king's castle, and
// back to the title to quit.

#include "Route.h"

namespace vandor::playthrough {

void PlayCampaign(TRoute& route);

}  // namespace vandor::playthrough

#pragma once
// The campaign's screens: the war room where the day's orders are given, the map of the
// areas, the ledger of owned items, and their buttons. The three screens carry the
// status band across the top, on which the game writes the turn, the conquered areas,
// the generals, the war funds, the best score and the actions left.

#include <vector>

#include "Canvas.h"
#include "Scenery.h"

namespace vandor::demo {

// The dark band over y 0..38 with its captions, leaving the spots the game writes its
// numbers into plain.
void StatusBand(TCanvas& canvas);

// The campaign map (bgimage/bg_area01.png): the areas drawn beside the places where the
// game puts their buttons.
void PaintCampaignMap(TBitmap32& picture);

std::vector<TPicture> MakeCampaignBackgrounds();
// The commands of the war room (240 x 56) and the way back (140 x 44), three frames each.
std::vector<TPicture> MakeCampaignButtons();
std::vector<TPicture> MakeEnglishCampaignButtons();

}  // namespace vandor::demo

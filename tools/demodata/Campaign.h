#pragma once
// The campaign's screens: the war room where the day's orders are given, the map of the
// areas, the ledger of owned items, and their buttons. The three screens carry the
// status band across the top, on which the game writes the turn, the conquered areas,
// the generals, the war funds, the best score and the actions left.

#include <array>
#include <vector>

#include "Canvas.h"
#include "Scenery.h"

namespace vandor::demo {

// The words painted on the campaign's screens, in one language.
struct TCampaignWords {
    // The status band's: turn, conquered areas, generals, war funds, best score, actions.
    std::array<const char*, 6> BandCaptions;
    const char* LedgerTitle;
    const char* North;  // on the map's compass
};
extern const TCampaignWords kJapaneseCampaignWords;
extern const TCampaignWords kEnglishCampaignWords;

// The dark band over y 0..38 with its captions, leaving the spots the game writes its
// numbers into plain.
void StatusBand(TCanvas& canvas, const TCampaignWords& words);

// The campaign map (bgimage/bg_area01.png): the areas drawn beside the places where the
// game puts their buttons.
void PaintCampaignMap(TBitmap32& picture, const TCampaignWords& words);

// The war room, the map and the ledger with their words in one language.
std::vector<TPicture> MakeCampaignBackgrounds(const TCampaignWords& words);
// The commands of the war room (240 x 56) and the way back (140 x 44), three frames each.
std::vector<TPicture> MakeCampaignButtons();
std::vector<TPicture> MakeEnglishCampaignButtons();

}  // namespace vandor::demo

#pragma once
// The demo's cast: standing pictures (360 x 560, transparent around the figure) and
// face pictures (200 x 200) of the eight heroines and a guard. Each character is told
// apart at a glance by colour and silhouette: Lisette's crimson ponytail, armour and
// cape, Mio's orange twin tails, goggles and overalls, Noel's silver hair, wide hat
// and starry robe, Setsuna's short dark hair and slate cloak, Kanae's purple ponytail,
// Hibari's blonde twin tails, Amane's black hair and crimson skirt, Yuzuriha's white
// hair under a violet hat, the guard's helmet and green tabard.

#include <vector>

#include "Scenery.h"

namespace vandor::demo {

std::vector<TPicture> MakeCharacters();
// The ten heroines' portraits of the battle (104 x 140, "マスター01.png" ...): the three
// of the story and seven more who command towers in the campaign.
std::vector<TPicture> MakePortraits();
// The campaign's buttons of the eight heroines who join it (200 x 56 in three frames,
// "btn_h01.png" ...): her head on a round chip, her name beside it.
std::vector<TPicture> MakeHeroineButtons();

}  // namespace vandor::demo

#include "battle/BaseDurability.h"

#include <algorithm>

#include "campaign/GameDat.h"

namespace vandor {

int32_t BaseDurability(const TQTDGameDat& campaign) {
    int32_t durability = kBaseDurability;
    // Conquered means a strength of exactly 0, as the heroines' areas count it.
    if (campaign.AreaStrength(kBaseBonusArea) == 0) durability += kBaseBonusAreaDurability;
    if (campaign.IsGeneral(kBaseHeroine)) {
        durability += std::min(kMaxAffectionDurability, kDurabilityPerAffection * campaign.Affection(kBaseHeroine));
    }
    return durability;
}

}  // namespace vandor

#include "battle/PanelTexts.h"

#include "battle/BattleTables.h"

namespace vandor::panel_text {

std::vector<std::string_view> Formats() {
    return {kKeepingPeace, kStronghold, kNextWave, kComing, kFighting, kEnemiesLeft, kTowerLevel};
}

std::vector<std::string_view> Words() {
    std::vector<std::string_view> words{kPreparing,     kAffection,     kTraining, kDurability, kStrengthen,
                                        kAttack,        kPrice,         kSpeed,    kRange,      kAreaAttack,
                                        kLastingDamage, kSlowingDamage, kLevelUp,  kCancel,     kRemove};
    words.insert(words.end(), kDirectionNames.begin(), kDirectionNames.end());
    return words;
}

}  // namespace vandor::panel_text

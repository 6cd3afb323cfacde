#pragma once
// What each item (1..64) does, one row per item: the war funds it adds, the tower
// statistic it raises in battle, whether it can be used up, and the rules of its own
// that items 13 and 32 follow. Every rule that depends on an item reads it here: the
// status bar's war funds, the battle's starting funds and tower statistics, the item
// commands, the random draw and the condition words. The names and descriptions the
// player reads are game content, in CampaignItems.h.

#include <cstdint>

#include "campaign/GameDat.h"

namespace vandor {

inline constexpr int kItemCount = TQTDGameDat::kItems;

// The tower statistic an item raises by kTowerItemPercent while it is owned. The
// prayer tower's attack is the bonus it gives its neighbours.
enum class TTowerStat : uint8_t { None, Attack, Speed };
inline constexpr int32_t kTowerItemPercent = 10;

struct TItemEffect {
    // Added to the war funds while the item is owned.
    int32_t Funds = 0;
    // The battle's tower type (0 the base .. 8) whose statistic it raises; -1 none.
    int TowerType = -1;
    TTowerStat Stat = TTowerStat::None;
    // "アイテム消費" uses it up; other items stay owned.
    bool Consumable = false;
    // The random draw skips it until the unlock flag is set, which owning or using it
    // once does; the chance of "アイテム取得" never counts it.
    bool Locked = false;
    // Every new turn has one action more while it is owned.
    bool ExtraAction = false;
    // The random draw skips it before this turn; 0 for none.
    int32_t FirstTurn = 0;
};

// The row of `item`; a row without any effect for a number outside 1..64.
const TItemEffect& ItemEffect(int item);

bool IsConsumable(int item);

// 400 + 50 per conquered area, plus the funds of the owned items.
int32_t WarFunds(const TQTDGameDat& campaign);

// The percent the owned items add to `stat` of tower `type`.
int32_t TowerItemBonus(const TQTDGameDat& campaign, int type, TTowerStat stat);

// The actions a new turn begins with: 2, plus one for each owned item that adds one.
int32_t ActionsPerTurn(const TQTDGameDat& campaign);

// Whether the random draw may offer the item now, owned or not.
bool Drawable(const TQTDGameDat& campaign, int item);

}  // namespace vandor

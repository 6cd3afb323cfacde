#pragma once
// The campaign's items (1..64): their names and descriptions, and the war funds the
// owned ones add to. A description's lines are separated by "/"; for most items the
// first line states the effect, which the battle and the funds apply, and the rest
// is flavour.

#include <cstdint>

#include "campaign/GameDat.h"

namespace vandor {

inline constexpr int kItemCount = TQTDGameDat::kItems;

// Only these are used up: items 5..15 and 33..36.
bool IsConsumable(int item);

// "" for a number outside 1..64.
const char* ItemName(int item);
const char* ItemDescription(int item);

// 400 + 50 per conquered area, plus the funds of the owned items 1..4, 31 and 62..64.
int32_t WarFunds(const TQTDGameDat& campaign);

}  // namespace vandor

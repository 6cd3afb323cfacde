#pragma once
// The campaign's items (1..64) as the player reads them: their names and
// descriptions. A description's lines are separated by "/"; for most items the first
// line states the effect, which ItemTable.h holds as the rules apply it, and the rest
// is flavour.

#include "campaign/ItemTable.h"

namespace vandor {

// "" for a number outside 1..64.
const char* ItemName(int item);
const char* ItemDescription(int item);

}  // namespace vandor

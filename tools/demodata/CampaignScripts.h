#pragma once
// The campaign's scripts that follow from the item table, so that a name or a
// description changed there reaches the story without being copied by hand:
//
//   戦利品.txt  *戦利品: names the item `予約アイテム` holds after a battle's draw, then
//              goes on at 凱旋.txt *論功.
//   贈り物.txt  *贈り物: after a talk with a heroine, offers the first consumable the
//              commander owns as a gift, then goes back to 行動.txt *行動フェイズ.

#include <vector>

#include "BattleData.h"

namespace vandor::demo {

std::vector<TTextFile> MakeCampaignScripts();

}  // namespace vandor::demo

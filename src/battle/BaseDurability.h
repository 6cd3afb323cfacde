#pragma once
// The durability the base starts every battle with: 3000, 1000 more once area 7 is
// conquered, and 100 for each point of heroine 1's affection, at most 1000, while she
// is a general (which she is as soon as she has joined).

#include <cstdint>

namespace vandor {

class TQTDGameDat;

inline constexpr int32_t kBaseDurability = 3000;
// Conquering this area strengthens the base for every later battle.
inline constexpr int kBaseBonusArea = 7;
inline constexpr int32_t kBaseBonusAreaDurability = 1000;
// The heroine who commands the base.
inline constexpr int kBaseHeroine = 1;
inline constexpr int32_t kDurabilityPerAffection = 100;
inline constexpr int32_t kMaxAffectionDurability = 1000;

int32_t BaseDurability(const TQTDGameDat& campaign);

}  // namespace vandor

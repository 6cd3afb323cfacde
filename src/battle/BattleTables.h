#pragma once
// The battle's constant tables: what each tower type costs, reaches, how fast it
// reloads and how hard it hits at levels 1..5, with the type names and texts, and
// the names of the directions waves come from. The last digit of every statistic
// value is not part of it: the formulas drop it by integer division.

#include <array>
#include <cstdint>
#include <string>

namespace vandor {

inline constexpr int kTowerTypes = 9;  // 0 the base, 1..8 the towers the player builds
inline constexpr int kTowerLevels = 5;
inline constexpr int kPrayerTower = 6;  // gives a bonus to its neighbours instead of firing

using TTowerRow = std::array<uint16_t, kTowerLevels>;
using TTowerTable = std::array<TTowerRow, kTowerTypes>;

extern const TTowerTable kTowerCost;
extern const TTowerTable kTowerRange;
extern const TTowerTable kTowerSpeed;
extern const TTowerTable kTowerAttack;

// Per type: its name, its description, and the special effect the information panel names.
extern const std::array<const char*, kTowerTypes> kTowerNames;
extern const std::array<const char*, kTowerTypes> kTowerDescriptions;

// The heroine who commands a type when she is a general; -1 none.
extern const std::array<int, kTowerTypes> kTowerHeroine;

// A type's shot: how fast it flies (field units per tick) and the sound it leaves with.
int ShotSpeed(int type);
const char* ShotSound(int type);
// The picture of a built tower of type 1..8.
std::string TowerPicture(int type);

inline constexpr int kDirectionCount = 9;
extern const std::array<const char*, kDirectionCount> kDirectionNames;

// What the battle clamps a wave table's values to (the lint checks files against them).
struct TValueRange {
    int32_t Lo;
    int32_t Hi;
};
inline constexpr TValueRange kWaveDirectionRange{0, kDirectionCount - 1};
inline constexpr TValueRange kWaveSizeRange{1, 250};
inline constexpr TValueRange kEnemyTimeRange{0, 60};  // seconds after the wave starts
inline constexpr TValueRange kEnemyPictureRange{1, 60};
inline constexpr TValueRange kEnemyHpRange{1, 1000000};
inline constexpr TValueRange kEnemyPaceRange{1, 200};
inline constexpr TValueRange kEnemyRewardRange{1, 20000};

}  // namespace vandor

// The battle data an area's battle command will read: its map ("st%.2d.txt") and
// its wave tables ("bt%.2d-%.2d.txt", the area's "-00" and the general "bt00-00.txt").
// Values are checked as the battle reads them: what is no whole number takes the
// default, what lies outside the range is clamped, and a map must leave the enemies a
// way from their entry to the base.

#include <array>
#include <cstdio>
#include <set>

#include "battle/BattleFile.h"
#include "battle/DistanceField.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "lint/GameLint.h"
#include "resources/FileCache.h"
#include "util/Format.h"

namespace vandor {
namespace {

// The defaults the battle gives keys a table leaves out.
constexpr int kWaveCountDefault = 2;
constexpr int kWaveSizeDefault = 10;
constexpr int kEnemyPictureDefault = 1;

// The range the battle clamps a wave table's key to; nothing for keys it never reads.
std::optional<TValueRange> WaveKeyRange(const std::string& key) {
    if (key == "wc") return TValueRange{1, TQTDGame::kMaxWaves};
    int wave = 0;
    int enemy = 0;
    int used = 0;
    char field[3] = {};
    if (std::sscanf(key.c_str(), "wed_%d%n", &wave, &used) == 1 && used == static_cast<int>(key.size()) &&
        Format("wed_%.2d", wave) == key) {
        return kWaveDirectionRange;
    }
    if (std::sscanf(key.c_str(), "wec_%d%n", &wave, &used) == 1 && used == static_cast<int>(key.size()) &&
        Format("wec_%.2d", wave) == key) {
        return kWaveSizeRange;
    }
    if (std::sscanf(key.c_str(), "e_%d_%d_%2[a-z]%n", &wave, &enemy, field, &used) == 3 &&
        used == static_cast<int>(key.size()) && Format("e_%.2d_%.2d_%s", wave, enemy, field) == key) {
        const std::string name(field);
        if (name == "tm") return kEnemyTimeRange;
        if (name == "id") return kEnemyPictureRange;
        if (name == "hp") return kEnemyHpRange;
        if (name == "sp") return kEnemyPaceRange;
        if (name == "mn") return kEnemyRewardRange;
        if (name == "px" || name == "py") return TValueRange{-TQTDGame::kDrawn, TQTDGame::kDrawn};
    }
    return std::nullopt;
}

// The cell of a map key, or nothing for keys the battle never reads.
std::optional<std::pair<int, int>> MapKeyCell(const std::string& key) {
    int x = 0;
    int y = 0;
    int used = 0;
    if (std::sscanf(key.c_str(), "map_%d_%d%n", &x, &y, &used) != 2 || used != static_cast<int>(key.size()) ||
        Format("map_%d_%d", x, y) != key) {
        return std::nullopt;
    }
    x -= TQTDGame::kGrid;
    y -= TQTDGame::kGrid;
    if (x < -TQTDGame::kDrawn || x > TQTDGame::kDrawn || y < -TQTDGame::kDrawn || y > TQTDGame::kDrawn) {
        return std::nullopt;
    }
    return std::pair{x, y};
}

}  // namespace

void TGameLint::CheckBattle(const TPlace& place, int area) {
    const int field = std::clamp(area, 1, TQTDGameDat::kAreas);
    if (area > TQTDGameDat::kAreas) {
        Report(place, false,
               "there are areas 1.." + std::to_string(TQTDGameDat::kAreas) + "; area " + std::to_string(area) +
                   " is fought as area " + std::to_string(field));
    }
    if (!CheckedAreas_.insert(field).second) return;
    CheckMap(field);
    bool anyTable = false;
    std::set<int> enemyPictures;
    for (int battle = 0; battle <= 7; ++battle) {
        const std::string name = Format("bt%.2d-%.2d.txt", field, battle);
        if (!Files_.Exists(name)) continue;
        anyTable = true;
        CheckWaveFile(name, enemyPictures);
    }
    if (Files_.Exists("bt00-00.txt")) {
        anyTable = true;
        CheckWaveFile("bt00-00.txt", enemyPictures);
    }
    if (!anyTable) {
        Report(place, false,
               "area " + std::to_string(field) + " has no wave table (" + Format("bt%.2d-00.txt", field) +
                   " or bt00-00.txt): every wave takes the defaults");
        enemyPictures.insert(kEnemyPictureDefault);
    }
    CheckEngineFiles(place, field, enemyPictures);
}

void TGameLint::CheckMap(int area) {
    const std::string name = Format("st%.2d.txt", area);
    TBattleFile map;
    if (!map.Load(Files_, name)) {
        ReportFile(name, 0, false, "area " + std::to_string(area) + " has no map: its field has no obstacles");
        return;
    }
    std::array<uint8_t, TDistanceField::kCells> occupied{};
    for (const auto& [key, entry] : map.Entries()) {
        const std::optional<std::pair<int, int>> cell = MapKeyCell(key);
        if (!cell) {
            ReportFile(name, entry.Line, false,
                       "\"" + key + "\" is no cell of the field (map_11_11 .. map_37_37) and is ignored");
            continue;
        }
        const std::optional<int32_t> chip = TBattleFile::ParseValue(entry.Value);
        if (!chip) {
            ReportFile(name, entry.Line, true, "\"" + entry.Value + "\" is no whole number: the cell stays free");
            continue;
        }
        const auto [x, y] = *cell;
        if (*chip >= 0 && !TDistanceField::InBaseSquare(x, y)) occupied[TDistanceField::Index(x, y)] = 1;
    }
    TDistanceField distances;
    distances.Compute(occupied, 0, 0);
    if (distances.Dist(TQTDGame::kDrawn, TQTDGame::kDrawn) >= TDistanceField::kNotReached) {
        ReportFile(name, 0, true, "the obstacles leave the enemies no way from (13, 13) to the base");
    }
}

void TGameLint::CheckWaveFile(const std::string& name, std::set<int>& enemyPictures) {
    if (!CheckedFiles_.insert(name).second) return;
    TBattleFile waves;
    waves.Load(Files_, name);
    const int waveCount = waves.ReadClamped("WC", kWaveCountDefault, 1, TQTDGame::kMaxWaves);
    for (int wave = 0; wave < waveCount; ++wave) {
        const int size =
            waves.ReadClamped(Format("WEC_%.2d", wave), kWaveSizeDefault, kWaveSizeRange.Lo, kWaveSizeRange.Hi);
        for (int enemy = 0; enemy < size; ++enemy) {
            enemyPictures.insert(waves.ReadClamped(Format("E_%.2d_%.2d_ID", wave, enemy), kEnemyPictureDefault,
                                                   kEnemyPictureRange.Lo, kEnemyPictureRange.Hi));
        }
    }
    for (const auto& [key, entry] : waves.Entries()) {
        const std::optional<TValueRange> range = WaveKeyRange(key);
        if (!range) {
            ReportFile(name, entry.Line, false, "the battle never reads \"" + key + "\"");
            continue;
        }
        const std::optional<int32_t> value = TBattleFile::ParseValue(entry.Value);
        if (!value) {
            ReportFile(name, entry.Line, true,
                       "\"" + entry.Value + "\" is no whole number: " + key + " takes its default");
        } else if (*value < range->Lo || *value > range->Hi) {
            ReportFile(name, entry.Line, false,
                       key + " = " + entry.Value + " is clamped to " + std::to_string(range->Lo) + ".." +
                           std::to_string(range->Hi));
        } else if (key.starts_with("wec_") && *value > TQTDGame::kMaxEnemies) {
            ReportFile(name, entry.Line, false,
                       key + " = " + entry.Value + ": the field holds " + std::to_string(TQTDGame::kMaxEnemies) +
                           " enemies at once, the rest wait for a place");
        }
    }
}

}  // namespace vandor

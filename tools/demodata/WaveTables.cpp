// The wave tables of every battle the demo's campaign can fight. One curve makes them
// all: a battle's tier grows by a whole step per area and by a fraction per stronghold
// battle fought there before, and the tier sets the number of waves, the enemies per
// wave, their durability, pace and reward, and how closely they follow each other:
//
//   waves            = min(kMaxWaves, kBaseWaves + tier / kTierPerExtraWave)
//   enemies (wave w) = kBaseCount + kCountPerWave w + kCountPerTier tier / 100
//   strength (w)     = 100 + kHpPerTier tier / 100 + (kHpPerWave + kHpPerWavePerTier tier / 100) w² / (waves - 1)
//   durability       = kind's durability x strength %
//   reward           = kind's reward x strength %
//   pace             = kind's pace + tier / kTierPerPace
//   gap              = max(kMinGap, kBaseGap - tier / kTierPerShorterGap) tenths of a second
// The knobs below are the whole of the balance; tools/battleplan measures it. The
// briefings of the map ("偵察.txt") are written from the same battles, so that what the
// scouts report is what comes.

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "Battle.h"
#include "BattleData.h"
#include "battle/BattleTables.h"
#include "campaign/GameDat.h"
#include "campaign/WorldNames.h"
#include "util/Format.h"

namespace vandor::demo {
namespace {

// --- the knobs. Tiers are in hundredths: area a's first battle is 100 (a - 1).
constexpr int kTierPerArea = 100;
constexpr int kTierPerBattle = 25;       // each later stronghold battle of an area
constexpr int kOrderKeepingRelief = 50;  // order-keeping battles are this much lighter
constexpr int kBaseWaves = 3, kTierPerExtraWave = 200, kMaxWaves = 10;
constexpr int kBaseCount = 8, kCountPerWave = 2, kCountPerTier = 1;  // per 100 of tier
// Durability in per cent of a kind's: the first wave must fall to the towers the
// starting funds buy, so it grows slowly from area to area; the waves after it grow
// the faster the higher the tier, slowly at first while the rewards build up and
// steeply towards the last, and it is they that call for raised towers.
constexpr int kHpPerTier = 5;                                        // per 100 of tier
constexpr int kHpPerWave = 8;                                        // per wave (at the last, see strength below)
constexpr int kHpPerWavePerTier = 6;                                 // per wave and 100 of tier
constexpr int kTierPerPace = 300;                                    // one more pace every 300 of tier
constexpr int kBaseGap = 12, kMinGap = 8, kTierPerShorterGap = 400;  // tenths of a second
constexpr int kFirstMixedArea = 8;                                   // from here every third wave comes from all sides
// Rewards follow durability (see WaveTable), so that the money a wave brings keeps up
// with the next.

// The enemy kinds, by their picture "敵ユニット%.2d.png".
struct TKind {
    int Id, Hp, Pace, Reward, FirstArea;
    const char* Name;     // as the scouts call it
    const char* Counter;  // and count it
};
constexpr TKind kFootman{1, 12, 10, 4, 1, "歩兵", "人"};
constexpr TKind kArcher{2, 8, 14, 4, 2, "弓兵", "人"};
constexpr TKind kCavalry{3, 16, 22, 7, 4, "騎兵", "騎"};
constexpr TKind kKnight{4, 40, 7, 12, 6, "重騎士", "騎"};
// The last wave of a battle ends with its leaders: captains of the footmen in the
// first areas, ogres from the third on.
constexpr TKind kCaptain{1, 48, 8, 20, 1, "隊長", "人"};
constexpr TKind kOgre{5, 150, 5, 40, 3, "鬼", "体"};
// The order of a wave: footmen make half of it, the other kinds join as the campaign
// reaches their areas (until then footmen take their places).
constexpr const TKind* kPattern[] = {&kFootman, &kArcher, &kFootman, &kCavalry, &kFootman, &kKnight};

// The compass of the battle's status panel as the player sees the field: north is up.
// A step of one cell along each direction (x grows to the lower right on screen,
// y to the upper right).
constexpr int kDirectionSteps[8][2] = {{-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}};
constexpr int kVarious = 8;
constexpr int kEdge = 13;

struct TBattle {
    int Area;
    int Tier;
    int Direction;  // of the first wave
    int Turn;       // directions turned between waves
};

// Whether an enemy on cell (x, y) is seen whole: inside the picture and clear of the
// status panel in its top right corner.
bool InSight(int x, int y) {
    constexpr int kPictureWidth = 800;
    const int sx = 400 + 16 * (x + y), sy = 260 + 8 * (x - y);
    const int left = sx - kEnemyFrameWidth / 2, right = sx + kEnemyFrameWidth / 2, top = sy - kEnemyFrameHeight;
    const bool underPanel = right > kPictureWidth - kStatusPanelWidth && top < kStatusPanelHeight;
    return left >= 0 && right <= kPictureWidth && !underPanel;
}

int WaveCount(const TBattle& battle) { return std::min(kMaxWaves, kBaseWaves + battle.Tier / kTierPerExtraWave); }

int EnemyCount(const TBattle& battle, int wave) {
    return kBaseCount + kCountPerWave * wave + kCountPerTier * battle.Tier / 100;
}

int Leaders(const TBattle& battle) { return 1 + battle.Tier / 400; }

bool IsMixed(const TBattle& battle, int wave) { return battle.Area >= kFirstMixedArea && wave % 3 == 2; }

// The side wave `wave` comes from: one of the eight, or kVarious.
int WaveDirection(const TBattle& battle, int wave) {
    return IsMixed(battle, wave) ? kVarious : (battle.Direction + battle.Turn * wave) % 8;
}

// The cell enemy `i` enters on from `direction`: on the edge of the drawn field, spread
// over nine cells so that a wave arrives as a column, not a single file. Where the edge
// lies out of sight (the corners at the picture's sides, the cells under the status
// panel) the enemy enters a step or more further in, where the player sees it come.
std::pair<int, int> Entry(int direction, int i) {
    const int vx = kDirectionSteps[direction][0], vy = kDirectionSteps[direction][1];
    const int spread = 2 * (i % 5 - 2);
    auto [x, y] = vx == 0       ? std::pair{spread, kEdge * vy}
                  : vy == 0     ? std::pair{kEdge * vx, spread}
                  : spread >= 0 ? std::pair{kEdge * vx - spread * vx, kEdge * vy}
                                : std::pair{kEdge * vx, kEdge * vy + spread * vy};
    while (!InSight(x, y)) {
        x -= vx;
        y -= vy;
    }
    return {x, y};
}

const TKind& KindOf(const TBattle& battle, int wave, int waves, int i, int count) {
    const int leaders = Leaders(battle);
    if (wave == waves - 1 && i >= count - leaders) return battle.Area >= kOgre.FirstArea ? kOgre : kCaptain;
    const TKind& kind = *kPattern[static_cast<std::size_t>(i + wave + battle.Area) % std::size(kPattern)];
    return battle.Area >= kind.FirstArea ? kind : kFootman;
}

template <typename... TArgs>
void Add(std::string& text, const char* format, TArgs... args) {
    char line[48];
    std::snprintf(line, sizeof line, format, args...);
    text += line;
}

std::string WaveTable(const TBattle& battle) {
    const int tier = battle.Tier;
    const int waves = WaveCount(battle);
    const int gap = std::max(kMinGap, kBaseGap - tier / kTierPerShorterGap);
    std::string text = "WC=" + std::to_string(waves) + "\n";
    for (int w = 0; w < waves; ++w) {
        const int count = EnemyCount(battle, w);
        const int strength = 100 + kHpPerTier * tier / 100 +
                             (kHpPerWave + kHpPerWavePerTier * tier / 100) * w * w / std::max(1, waves - 1);
        const int direction = (battle.Direction + battle.Turn * w) % 8;
        const bool mixed = IsMixed(battle, w);
        Add(text, "WED_%.2d=%d\n", w, WaveDirection(battle, w));
        Add(text, "WEC_%.2d=%d\n", w, count);
        for (int i = 0; i < count; ++i) {
            const TKind& kind = KindOf(battle, w, waves, i, count);
            const int from = mixed ? (direction + 3 * i) % 8 : direction;
            const auto [x, y] = Entry(from, i);
            Add(text, "E_%.2d_%.2d_TM=%d\n", w, i, std::min(60, i * gap / 10));
            Add(text, "E_%.2d_%.2d_ID=%d\n", w, i, kind.Id);
            Add(text, "E_%.2d_%.2d_HP=%d\n", w, i, kind.Hp * strength / 100);
            Add(text, "E_%.2d_%.2d_SP=%d\n", w, i, kind.Pace + tier / kTierPerPace);
            Add(text, "E_%.2d_%.2d_MN=%d\n", w, i, kind.Reward * strength / 100);
            Add(text, "E_%.2d_%.2d_PX=%d\n", w, i, x);
            Add(text, "E_%.2d_%.2d_PY=%d\n", w, i, y);
        }
    }
    return text;
}

std::string Name(int area, int battle) {
    char name[32];
    std::snprintf(name, sizeof name, "bt%02d-%02d.txt", area, battle);
    return name;
}

// A battle the campaign can fight: area `Area`'s stronghold battle `Number` (from 1),
// or with `Number` 0 its order-keeping battle once it has been taken.
struct TCampaignBattle {
    int Area;
    int Number;
    TBattle Battle;
};

std::vector<TCampaignBattle> CampaignBattles() {
    std::vector<TCampaignBattle> battles;
    for (int area = 1; area < static_cast<int>(TQTDGameDat::InitialStrength.size()); ++area) {
        const int first = kTierPerArea * (area - 1);
        const int direction = 3 * area % 8;
        const int turn = 1 + area % 3;
        battles.push_back({area, 0, {area, std::max(0, first - kOrderKeepingRelief), direction, turn}});
        for (int k = 1; k <= TQTDGameDat::InitialStrength[static_cast<std::size_t>(area)]; ++k) {
            // Each stronghold battle comes from its own side first and turns its own way.
            const int battleDirection = area <= 2 ? direction : (direction + 5 * (k - 1)) % 8;
            battles.push_back({area, k, {area, first + kTierPerBattle * (k - 1), battleDirection, turn + k % 2}});
        }
    }
    return battles;
}

// Appends `word` to a list joined by "・" unless the list holds it already.
void AddOnce(std::string& list, const std::string& word) {
    const std::string joined = "・" + list + "・";
    if (joined.find("・" + word + "・") != std::string::npos) return;
    list += (list.empty() ? "" : "・") + word;
}

// What the scouts report of a battle: its waves, the sides they come from in order, the
// kinds in them and the leaders closing the last one.
std::string Briefing(const TBattle& battle) {
    const int waves = WaveCount(battle);
    std::string sides;
    std::string kinds;
    for (int w = 0; w < waves; ++w) {
        AddOnce(sides, kDirectionNames[static_cast<std::size_t>(WaveDirection(battle, w))]);
        const int count = EnemyCount(battle, w);
        const int soldiers = w == waves - 1 ? count - Leaders(battle) : count;
        for (int i = 0; i < soldiers; ++i) AddOnce(kinds, KindOf(battle, w, waves, i, count).Name);
    }
    const TKind& leader =
        KindOf(battle, waves - 1, waves, EnemyCount(battle, waves - 1) - 1, EnemyCount(battle, waves - 1));
    return Format("物見の報せ。敵は %d 波、%sから来る。\n", waves, sides.c_str()) +
           Format("兵は%s。最後の波に%sが %d %s。\n", kinds.c_str(), leader.Name, Leaders(battle), leader.Counter);
}

}  // namespace

std::vector<TTextFile> MakeWaveTables() {
    std::vector<TTextFile> tables;
    // The last resort, for an area without tables of its own: a light battle whose waves
    // come round the field.
    tables.push_back({Name(0, 0), WaveTable({1, 0, 0, 3})});
    for (const TCampaignBattle& battle : CampaignBattles()) {
        tables.push_back({Name(battle.Area, battle.Number), WaveTable(battle.Battle)});
    }
    return tables;
}

// The battle an area's map button leads to is counted when it starts: before it, the
// number fought tells which stronghold is next, and past the last one the area is held
// and its order-keeping battle comes.
TTextFile MakeBriefings() {
    std::string text =
        "// Generated by demodata from the wave tables: the scouts' report on an area's next\n"
        "// battle, below it the buttons to march or go back to the map.\n\n";
    const int lastOnMap = static_cast<int>(TQTDGameDat::InitialStrength.size()) - 2;
    for (const TCampaignBattle& battle : CampaignBattles()) {
        if (battle.Area < 2 || battle.Area > lastOnMap) continue;
        const std::string label = Format("*偵察%d", battle.Area);
        if (battle.Number == 0) {
            text += label + "\n";
            const int strength = TQTDGameDat::InitialStrength[static_cast<std::size_t>(battle.Area)];
            for (int k = 1; k <= strength; ++k) {
                text += "[ジャンプ/" + label + Format("_%d/./戦闘回数%d=%d]\n", k, battle.Area, k - 1);
            }
        } else {
            text += label + Format("_%d\n", battle.Number);
        }
        text += Briefing(battle.Battle);
        text += std::string("[ボタン/btn_war.png/ /出陣.txt/*") + AreaName(battle.Area) + "出撃/280/200]\n";
        // The empty line after the buttons makes the page wait for one of them.
        text += "[ボタン/btn_back.png/ /出陣.txt/*地図/330/280]\n\n";
    }
    return {"偵察.txt", text};
}

}  // namespace vandor::demo

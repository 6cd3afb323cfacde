#include "battle/BattleTables.h"

namespace vandor {

const TTowerTable kTowerCost{{
    {2001, 2509, 2501, 2509, 2501},
    {202, 208, 202, 408, 2002},
    {803, 607, 1003, 2007, 4603},
    {1005, 505, 1005, 2505, 5005},
    {604, 806, 1604, 3006, 4004},
    {1006, 1004, 1006, 2204, 3806},
    {3007, 3003, 3007, 3003, 3007},
    {1008, 1502, 2008, 2502, 3008},
    {6009, 1001, 2009, 4001, 5009},
}};

const TTowerTable kTowerRange{{
    {401, 452, 503, 504, 505},
    {151, 161, 171, 181, 201},
    {301, 302, 303, 304, 405},
    {601, 652, 703, 754, 805},
    {401, 452, 503, 604, 705},
    {401, 402, 403, 404, 505},
    {151, 162, 173, 184, 205},
    {401, 402, 403, 404, 405},
    {601, 602, 603, 604, 605},
}};

const TTowerTable kTowerSpeed{{
    {501, 502, 503, 504, 505},
    {501, 502, 503, 504, 505},
    {2001, 2202, 2503, 2804, 3005},
    {501, 502, 553, 604, 605},
    {101, 152, 203, 304, 505},
    {401, 402, 403, 454, 505},
    {0, 0, 0, 0, 0},
    {401, 452, 503, 604, 705},
    {501, 502, 503, 504, 505},
}};

const TTowerTable kTowerAttack{{
    {51, 151, 201, 301, 401},
    {11, 21, 31, 51, 151},
    {11, 21, 31, 51, 151},
    {51, 71, 101, 181, 351},
    {51, 71, 101, 151, 201},
    {11, 21, 31, 51, 81},
    {100, 200, 300, 400, 500},
    {31, 61, 101, 121, 151},
    {251, 301, 401, 601, 1001},
}};

const std::array<const char*, kTowerTypes> kTowerNames{
    "星砦", "簡易塔", "弓塔", "魔弓塔", "投石塔", "毒弓塔", "祈祷塔", "魔術塔", "竜塔",
};

const std::array<const char*, kTowerTypes> kTowerDescriptions{
    "本拠地。破壊されると敗北", "安価で簡素な塔。攻撃力は低い", "精鋭兵が弓を連射",
    "エルフの魔弓で攻撃",       "特殊な機械が大きな石を飛ばす", "シノビが毒矢で攻撃",
    "巫女が仲間を激励！",       "ダークエルフの魔術攻撃",       "竜族の魔術攻撃",
};

// The base's heroine 1 is settled by the base's own rule (heroine 11 stands for none).
const std::array<int, kTowerTypes> kTowerHeroine{1, 6, 2, 3, 4, 5, 7, 8, -1};

int ShotSpeed(int type) {
    switch (type) {
        case 0:
        case 7:
        case 8: return 300;
        case 4: return 200;
        default: return 250;
    }
}

const char* ShotSound(int type) {
    switch (type) {
        case 3: return "se-b-03.ogg";
        case 4: return "se-b-04.ogg";
        case 0:
        case 7:
        case 8: return "se-b-07.ogg";
        default: return "se-b-01.ogg";
    }
}

const std::array<const char*, kDirectionCount> kDirectionNames{
    "北", "北東", "東", "南東", "南", "南西", "西", "北西", "様々な方向",
};

std::string TowerPicture(int type) { return "塔" + std::to_string(type) + ".png"; }

}  // namespace vandor

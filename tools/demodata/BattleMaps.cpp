// The fields of the fourteen areas. Each has a landscape of its own (the obstacle chips
// of "マップチップ.png" it is made of) and a few walls of them across the path region
// that bend the enemies' ways towards the base; scattered chips on the outer cells,
// which never block, finish the look. Walls are laid from a seed per area and one is
// dropped when it would cut the far corner (13, 13) off from the base, so every map
// leaves a way; the square around the base stays open for building.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "BattleData.h"
#include "Canvas.h"
#include "battle/DistanceField.h"

namespace vandor::demo {
namespace {

constexpr int kAreas = 14;
constexpr int kPathRegion = TDistanceField::kPathRegion;
constexpr int kDrawn = 13;
// The square within this many cells of the base stays free, so that every area offers
// the same inner cells to build on.
constexpr int kOpenSquare = 4;

// The chips of each area's landscape (see Obstacles.cpp for the numbers).
const std::vector<int> kLandscapes[kAreas] = {
    {0, 1, 6, 7, 8},           // the homeland's meadows
    {0, 1, 2, 3, 4},           // woods
    {9, 10, 11, 12},           // rocky hills
    {13, 14, 15, 29, 30},      // ruins
    {16, 17, 18, 19, 27, 28},  // a village
    {20, 21, 22, 23},          // the lake shore
    {2, 3, 31, 26},            // pine forest
    {4, 5, 26, 8},             // autumn woods
    {27, 16, 28, 6},           // farmland
    {12, 11, 5, 15},           // badlands
    {30, 13, 29, 22},          // the old shrine
    {20, 23, 21, 5},           // marshes
    {24, 25},                  // snowfields
    {19, 28, 14, 15, 10},      // the frontier camp
};

int Pick(TRandom& random, int count) { return static_cast<int>(random.Next() * count); }

class TMapBuilder {
public:
    explicit TMapBuilder(int area) : Random_(1000u + static_cast<uint32_t>(area)), Chips_(kLandscapes[area - 1]) {}

    // Walls of three to seven cells in the path region outside the open square, straight
    // along x or y, or diagonal.
    void AddWalls(int count) {
        static constexpr int kSteps[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
        for (int tries = 0; count > 0 && tries < 200; ++tries) {
            const int x = Pick(Random_, 2 * kPathRegion + 1) - kPathRegion;
            const int y = Pick(Random_, 2 * kPathRegion + 1) - kPathRegion;
            const int* step = kSteps[Pick(Random_, 8)];
            const int length = 3 + Pick(Random_, 5);
            const TDistanceField::TOccupied occupied = Occupied_;
            const TChips chips = Chip_;
            for (int i = 0; i < length; ++i) Block(x + step[0] * i, y + step[1] * i);
            if (LeavesAWay()) {
                --count;
            } else {
                Occupied_ = occupied;
                Chip_ = chips;
            }
        }
    }

    // Chips on the cells between the path region and the enemies' entry ring.
    void AddScenery(int count) {
        while (count-- > 0) {
            const int x = Pick(Random_, 2 * kDrawn - 1) - (kDrawn - 1);
            const int y = Pick(Random_, 2 * kDrawn - 1) - (kDrawn - 1);
            if (std::max(std::abs(x), std::abs(y)) > kPathRegion) Chip(x, y);
        }
    }

    std::string Text() const {
        std::string text;
        for (int y = -kDrawn; y <= kDrawn; ++y) {
            for (int x = -kDrawn; x <= kDrawn; ++x) {
                const int chip = Chip_[TDistanceField::Index(x, y)];
                if (chip == 0) continue;
                char line[32];
                std::snprintf(line, sizeof line, "MAP_%d_%d=%d\n", x + TDistanceField::kReach,
                              y + TDistanceField::kReach, chip - 1);
                text += line;
            }
        }
        return text;
    }

private:
    void Block(int x, int y) {
        if (std::max(std::abs(x), std::abs(y)) > kPathRegion ||
            (std::abs(x) <= kOpenSquare && std::abs(y) <= kOpenSquare)) {
            return;
        }
        Occupied_[TDistanceField::Index(x, y)] = 1;
        Chip(x, y);
    }
    void Chip(int x, int y) {
        Chip_[TDistanceField::Index(x, y)] = 1 + Chips_[Pick(Random_, static_cast<int>(Chips_.size()))];
    }
    bool LeavesAWay() const {
        TDistanceField field;
        field.Compute(Occupied_, 0, 0);
        return field.Dist(kDrawn, kDrawn) < TDistanceField::kNotReached;
    }

    using TChips = std::array<int, TDistanceField::kCells>;  // chip + 1, 0 for a free cell

    TRandom Random_;
    const std::vector<int>& Chips_;
    TDistanceField::TOccupied Occupied_{};
    TChips Chip_{};
};

}  // namespace

std::vector<TTextFile> MakeBattleMaps() {
    std::vector<TTextFile> maps;
    for (int area = 1; area <= kAreas; ++area) {
        TMapBuilder map(area);
        // Later areas are more broken ground: the ways wind more.
        map.AddWalls(10 + area);
        map.AddScenery(24);
        char name[32];
        std::snprintf(name, sizeof name, "st%02d.txt", area);
        maps.push_back({name, map.Text()});
    }
    return maps;
}

}  // namespace vandor::demo

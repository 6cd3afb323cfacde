#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

#include "BattleFixture.h"

namespace vandor::test {
namespace {

TEST_F(BattleTest, WalkingDistancesOfAnEmptyFieldAndAroundBuildings) {
    Start();
    Game.ComputeDistances(0, 0);
    EXPECT_EQ(Game.Dist(0, 0), 0);
    EXPECT_EQ(Game.Dist(3, 0), 30);
    EXPECT_EQ(Game.Dist(3, 3), 42);
    EXPECT_EQ(Game.Dist(13, 13), 182);
    EXPECT_EQ(Game.Dist(20, 20), 10000);  // 36 passes grow the square only to 40 div 3 = 13

    // The diagonal (1, 1)-(2, 2) would cut two blocked corners: 30 + 10 + 10 + 10 instead.
    Game.Build(1, 2, 1);
    Game.Build(2, 1, 1);
    Game.ComputeDistances(0, 0);
    EXPECT_EQ(Game.Dist(2, 2), 60);
    EXPECT_EQ(Game.Dist(1, 2), 20000);
    Game.ComputeDistances(3, 3);
    EXPECT_EQ(Game.Dist(3, 3), 20000);

    // Obstacles of the map block only within -10..10: (12, 0) is walked through, (0, 10) not.
    Write("st02.txt", "MAP_36_24=5\nMAP_24_34=5\n");
    Game.StartBattle(2);
    Game.ComputeDistances(0, 0);
    ASSERT_TRUE(Game.Cell(12, 0).Building);
    EXPECT_EQ(Game.Dist(13, 0), 130);
    EXPECT_EQ(Game.Dist(0, 10), 20000);
    EXPECT_EQ(Game.Dist(0, 11), 124);  // from (1, 11) at 114: the diagonal from (1, 10) cuts a corner
    EXPECT_EQ(Game.Dist(2, 2), 28);    // the towers of the last battle are gone
}

// The relaxation as the rules word it, on arrays indexed [x + 24][y + 24].
struct TPlainDistances {
    int32_t Dist[49][49];
    uint8_t Open[49][49];

    int32_t& D(int x, int y) { return Dist[x + 24][y + 24]; }
    uint8_t& O(int x, int y) { return Open[x + 24][y + 24]; }
    void Compute(const bool (&building)[49][49], int bx, int by, int extraPasses = 0) {
        for (int x = -24; x <= 24; ++x) {
            for (int y = -24; y <= 24; ++y) D(x, y) = 10000, O(x, y) = 1;
        }
        int n = 0;
        for (int y = -10; y <= 10; ++y) {
            for (int x = -10; x <= 10; ++x) {
                if (building[x + 24][y + 24] && !(std::abs(x) <= 1 && std::abs(y) <= 1)) D(x, y) = 20000, O(x, y) = 0, ++n;
            }
        }
        D(bx, by) = 20000;
        D(0, 0) = 0;
        int k = 5;
        for (int pass = 0; pass < 2 * n / 3 + 36 + extraPasses; ++pass, ++k) {
            const int r = std::min(k / 3, 23);
            for (int y = -r; y <= r; ++y) {
                for (int x = -r; x <= r; ++x) {
                    if (!O(x, y)) continue;
                    if (D(x, y) >= 20000) {
                        O(x, y) = 0;
                        continue;
                    }
                    bool changed = false;
                    const auto straight = [&](int nx, int ny) {
                        if (D(nx, ny) < D(x, y) - 10) D(x, y) = D(nx, ny) + 10, changed = true;
                    };
                    const auto diagonal = [&](int dx, int dy) {
                        if (D(x + dx, y + dy) < D(x, y) - 14 && D(x + dx, y) < 20000 && D(x, y + dy) < 20000) {
                            D(x, y) = D(x + dx, y + dy) + 14, changed = true;
                        }
                    };
                    straight(x + 1, y), straight(x - 1, y), straight(x, y + 1), straight(x, y - 1);
                    diagonal(1, 1), diagonal(-1, 1), diagonal(1, -1), diagonal(-1, -1);
                    O(x, y) = changed;
                    for (int a = -1; a <= 1 && changed; ++a) {
                        for (int b = -1; b <= 1; ++b) O(x + a, y + b) = 1;
                    }
                }
            }
        }
    }
};

TEST(DistanceField, EqualsThePlainProcedureOnRandomFieldsAndMazes) {
    std::mt19937 random(7);
    int unsettled = 0;
    for (int field = 0; field < 400; ++field) {
        // Buildings also stand outside the path region and on the base square, which both ignore.
        bool building[49][49] = {};
        const int density = static_cast<int>(random() % 70);
        for (int x = -12; x <= 12; ++x) {
            for (int y = -12; y <= 12; ++y) building[x + 24][y + 24] = static_cast<int>(random() % 100) < density;
        }
        // Every fourth a winding maze: every other row walled but for a gap at alternating ends.
        for (int y = -9; y <= 9 && field % 4 == 0; y += 2) {
            for (int x = -10; x <= 10; ++x) building[x + 24][y + 24] = x != ((y + 9) % 4 == 0 ? 10 : -10);
        }
        const int bx = static_cast<int>(random() % 27) - 13;
        const int by = field % 5 == 0 ? 0 : static_cast<int>(random() % 27) - 13;

        std::array<uint8_t, TDistanceField::kCells> occupied{};
        for (int x = -24; x <= 24; ++x) {
            for (int y = -24; y <= 24; ++y) occupied[TDistanceField::Index(x, y)] = building[x + 24][y + 24];
        }
        TDistanceField fast;
        fast.Compute(occupied, bx, by);
        TPlainDistances plain;
        plain.Compute(building, bx, by);
        int differing = 0;
        for (int x = -24; x <= 24; ++x) {
            for (int y = -24; y <= 24; ++y) differing += fast.Dist(x, y) != plain.D(x, y);
        }
        ASSERT_EQ(differing, 0) << "field " << field;

        // Fields whose passes end before the distances stop changing, which a search run to
        // its end would not reproduce.
        TPlainDistances longer;
        longer.Compute(building, bx, by, 60);
        unsettled += !std::equal(&plain.Dist[0][0], &plain.Dist[0][0] + 49 * 49, &longer.Dist[0][0]);
    }
    EXPECT_GT(unsettled, 20);
}

}  // namespace
}  // namespace vandor::test

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

#include "BattleFixture.h"
#include "PlainDistances.h"

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

TEST(DistanceField, EqualsThePlainProcedureOnRandomFieldsAndMazes) {
    std::mt19937 random(7);
    int unsettled = 0;
    for (int field = 0; field < 400; ++field) {
        bool building[49][49] = {};
        RandomBuildings(random, field, 70, building);
        const int bx = static_cast<int>(random() % 27) - 13;
        const int by = field % 5 == 0 ? 0 : static_cast<int>(random() % 27) - 13;

        TDistanceField fast;
        fast.Compute(Occupied(building), bx, by);
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

// The test placement makes of every free cell: whether a tower there would cut the
// enemies off, exactly as the walking distances with that cell blocked say.

#include <algorithm>
#include <cstdlib>
#include <random>

#include "BattleFixture.h"
#include "PlainDistances.h"
#include "battle/PlacementCheck.h"

namespace vandor::test {
namespace {

TEST(PlacementCheck, AnswersAsThePlainProcedureForEveryFreeCellOfRandomFields) {
    std::mt19937 random(23);
    int cut = 0;
    int open = 0;
    for (int field = 0; field < 16; ++field) {
        bool building[49][49] = {};
        RandomBuildings(random, field, 30, building);
        // Every fourth field, from the second, a ring round the base with one gap, which
        // it and the cell outside it close.
        for (int x = -4; x <= 4 && field % 4 == 1; ++x) {
            for (int y = -4; y <= 4; ++y) {
                if (std::max(std::abs(x), std::abs(y)) == 4) building[x + 24][y + 24] = !(x == 4 && y == field % 3);
            }
        }
        TPlacementCheck check;
        check.Prepare(Occupied(building), 13, 13);
        for (int y = -9; y <= 9; ++y) {
            for (int x = -9; x <= 9; ++x) {
                if (building[x + 24][y + 24] || TDistanceField::InBaseSquare(x, y)) continue;
                TPlainDistances plain;
                plain.Compute(building, x, y);
                const bool cuts = plain.D(13, 13) >= 10000;
                ASSERT_EQ(check.CutsOff(x, y), cuts) << "field " << field << " cell " << x << ", " << y;
                (cuts ? cut : open) += 1;
            }
        }
    }
    EXPECT_GT(cut, 100);
    EXPECT_GT(open, 1000);
}

// Towers in a ring round the base, open at (4, 1), and scattered beyond it: every free
// cell's marker says what the distances with it blocked say, and leaving placement
// hides them all again.
TEST_F(BattleTest, PlacementMarksTheCellsWhoseTowerWouldCutTheEnemiesOff) {
    Start();
    std::mt19937 random(5);
    for (int y = -9; y <= 9; ++y) {
        for (int x = -9; x <= 9; ++x) {
            const int ring = std::max(std::abs(x), std::abs(y));
            if ((ring == 4 && !(x == 4 && y == 1)) || (ring >= 7 && random() % 100 < 20)) Game.Build(x, y, 1);
        }
    }
    Game.SetPlacementMode(true);
    int shown = 0;
    int hidden = 0;
    for (int y = -9; y <= 9; ++y) {
        for (int x = -9; x <= 9; ++x) {
            if (Game.Cell(x, y).Building || TQTDGame::InBaseSquare(x, y)) continue;
            const bool marked = Game.Cell(x, y).Marker->Visible();
            Game.ComputeDistances(x, y);
            EXPECT_EQ(marked, Game.Dist(13, 13) >= 10000) << x << ", " << y;
            (marked ? shown : hidden) += 1;
        }
    }
    EXPECT_TRUE(Game.Cell(4, 1).Marker->Visible());
    EXPECT_TRUE(Game.Cell(5, 1).Marker->Visible());
    EXPECT_GT(hidden, 100);
    Game.SetPlacementMode(false);
    EXPECT_FALSE(Game.Cell(4, 1).Marker->Visible());
    EXPECT_FALSE(Game.Cell(13, 13).Marker->Visible());
}

TEST_F(BattleTest, TheNextBattleEndsAnUnfinishedPlacement) {
    Start();
    Game.EnterPlacement(2);
    ASSERT_NE(Game.Ghost, nullptr);
    Game.StartBattle(2);
    EXPECT_EQ(Game.Ghost, nullptr);
    EXPECT_EQ(Game.BuildType, -1);
    EXPECT_FALSE(Game.PlacementMode);
    EXPECT_EQ(Game.Layers.IndexOfName("塔2.png"), -1);
}

}  // namespace
}  // namespace vandor::test

#include <gtest/gtest.h>

#include "battle/QTDGame.h"

namespace vandor {
namespace {

TEST(BattleProjection, CellsLieOnTheIsometricGridAndDivisionsTruncate) {
    for (int x = -24; x <= 24; ++x) {
        for (int y = -24; y <= 24; ++y) {
            const TProjection p = TQTDGame::ProjectCell(x, y);
            ASSERT_EQ(p.X, 400 + 16 * (x + y)) << x << "," << y;
            ASSERT_EQ(p.Y, 260 + 8 * (x - y)) << x << "," << y;
            ASSERT_EQ(p.Z, 4000 - 16 * (x - y)) << x << "," << y;  // depth -(x - y) * 1024 / 64
        }
    }
    // a = b = -100, depth 100: -100 / 64 is -1 and -100 / 128 is 0 towards zero (not -2, -1).
    const TProjection left = TQTDGame::Project(-100, 0, 0);
    EXPECT_EQ(left.X, 399);
    EXPECT_EQ(left.Y, 260);
    EXPECT_EQ(left.Z, 4001);
    // A height of 100: depth -100 gives Z 3999, b = -200 gives y 259.
    const TProjection high = TQTDGame::Project(0, 0, 100);
    EXPECT_EQ(high.X, 400);
    EXPECT_EQ(high.Y, 259);
    EXPECT_EQ(high.Z, 3999);
}

TEST(BattleProjection, CellTagsGiveBackTheirCellAndSmallTagsLieOnRowMinus10) {
    for (int x = -24; x <= 24; ++x) {
        for (int y = -24; y <= 24; ++y) {
            const int tag = TQTDGame::CellTag(x, y);
            ASSERT_EQ(tag % 2, 0) << x << "," << y;
            ASSERT_EQ(TQTDGame::CellOfTag(tag), (TPoint{x, y})) << x << "," << y;
        }
    }
    // v = t + 141400: tag 0 is (1400 div 100 - 24, 14 - 24), tag 137 has x 15 - 24.
    for (int tag = -1; tag < 200; ++tag) EXPECT_EQ(TQTDGame::CellOfTag(tag).Y, -10) << tag;
    EXPECT_EQ(TQTDGame::CellOfTag(0).X, -10);
    EXPECT_EQ(TQTDGame::CellOfTag(137).X, -9);
}

}  // namespace
}  // namespace vandor

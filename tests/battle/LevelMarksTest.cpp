// The level marks: pips at each tower's and the base's foot, lit as far as its level,
// following builds, raises, cancels and removals; never hit, and with the option off
// not a layer or a pixel of their own.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "InterfaceFixture.h"

namespace vandor::test {
namespace {

// The middle of pip `pip` of the mark of cell (x, y) on screen.
TPoint PipPoint(int x, int y, int pip) {
    const TProjection foot = TQTDGame::ProjectCell(x, y);
    const int left = foot.X - TLevelMarks::kWidth / 2;
    const int top = foot.Y - 1 - TLevelMarks::kHeight;
    return {left + pip * TLevelMarks::kPipStep + 3, top + 3};
}

class LevelMarksTest : public BattleScreenTest {
protected:
    TColor32 At(TPoint point) const { return *Game.Layers.Surface.PixelPtr(point.X, point.Y); }
    // A battle with funds for every raise the test makes.
    void StartRich() {
        Start();
        Game.AddLedger(TQTDGame::lrIncome, 0, 5000);
    }
    // How many pips of the mark of (x, y) are lit on screen.
    int LitPips(int x, int y) const {
        int lit = 0;

        for (int pip = 0; pip < TLevelMarks::kPips; ++pip) lit += At(PipPoint(x, y, pip)) == TLevelMarks::kLit ? 1 : 0;
        return lit;
    }
};

}  // namespace

TEST(LevelPipsTest, TheFirstPipsOfTheLevelAreLitTheRestDimAllOutlined) {
    TBitmap32 pips;
    for (int level = 0; level <= TLevelMarks::kPips; ++level) {
        DrawLevelPips(pips, level);
        ASSERT_EQ(pips.Width(), TLevelMarks::kWidth);
        ASSERT_EQ(pips.Height(), TLevelMarks::kHeight);
        for (int pip = 0; pip < TLevelMarks::kPips; ++pip) {
            const int left = pip * TLevelMarks::kPipStep;
            EXPECT_EQ(*pips.PixelPtr(left + 2, 2), pip < level ? TLevelMarks::kLit : TLevelMarks::kUnlit) << level;
            EXPECT_EQ(*pips.PixelPtr(left, 0), TLevelMarks::kOutline);
            EXPECT_EQ(*pips.PixelPtr(left + 5, 5), TLevelMarks::kOutline);
        }
    }
    DrawLevelPips(pips, 9);  // a level beyond the pips lights them all
    EXPECT_EQ(*pips.PixelPtr(TLevelMarks::kWidth - 3, 2), TLevelMarks::kLit);
}

TEST_F(LevelMarksTest, MarksFollowBuildingRaisingCancellingAndRemoving) {
    StartRich();
    Game.ShowLevelMarks(true);
    Frames(1);
    EXPECT_EQ(LitPips(0, 0), 1);  // the base stands at level 1 from the start
    EXPECT_EQ(LitPips(3, 3), 0);
    EXPECT_NE(At(PipPoint(3, 3, 0)), TLevelMarks::kUnlit);

    PlaceTower(2, 3, 3);
    ASSERT_EQ(Game.Cell(3, 3).Type, 2);
    EXPECT_EQ(LitPips(3, 3), 1);
    Game.LevelUp(3, 3);
    Game.LevelUp(3, 3);
    Frames(1);
    EXPECT_EQ(LitPips(3, 3), 3);
    Game.CancelUpgrades(3, 3);  // built in this preparation: back to no level at all
    Frames(1);
    EXPECT_EQ(LitPips(3, 3), 0);

    PlaceTower(3, -4, 2);
    Game.LevelUp(-4, 2);
    Game.LevelUp(0, 0);
    Frames(1);
    EXPECT_EQ(LitPips(-4, 2), 2);
    EXPECT_EQ(LitPips(0, 0), 2);
    Game.Remove(-4, 2);
    Frames(1);
    EXPECT_EQ(LitPips(-4, 2), 0);

    // A new battle's map takes the towers of the last one, and their marks with them.
    PlaceTower(2, 5, -5);
    Game.StartBattle(1);
    Frames(11);
    EXPECT_EQ(LitPips(5, -5), 0);
    EXPECT_EQ(LitPips(0, 0), 1);
}

TEST_F(LevelMarksTest, MarksAreNeverHitAndLeaveNothingBehindWhenTurnedOff) {
    StartRich();
    PlaceTower(2, 3, 3);
    Game.LevelUp(3, 3);
    Frames(1);
    const TBitmap32 without = Game.Layers.Surface;
    const int layers = Game.Layers.Count();
    std::vector<const TLayerItem*> hits;
    for (int pip = 0; pip < TLevelMarks::kPips; ++pip) {
        const TPoint point = PipPoint(3, 3, pip);
        hits.push_back(Game.Layers.ItemAt(point.X, point.Y));
    }

    // Drawn again without time passing, so that only the marks can change the picture.
    Game.ShowLevelMarks(true);
    Game.Layers.Render(0);
    EXPECT_TRUE(Game.LevelMarksShown());
    EXPECT_EQ(LitPips(3, 3), 2);
    EXPECT_EQ(Game.Layers.Count(), layers + 2);  // the tower's and the base's marks
    for (int pip = 0; pip < TLevelMarks::kPips; ++pip) {
        const TPoint point = PipPoint(3, 3, pip);
        EXPECT_EQ(Game.Layers.ItemAt(point.X, point.Y), hits[static_cast<std::size_t>(pip)]) << pip;
    }

    Game.ShowLevelMarks(false);
    Game.Layers.Render(0);
    EXPECT_FALSE(Game.LevelMarksShown());
    EXPECT_EQ(Game.Layers.Count(), layers);
    const TBitmap32& shown = Game.Layers.Surface;
    ASSERT_EQ(shown.Width(), without.Width());
    ASSERT_EQ(shown.Height(), without.Height());
    EXPECT_TRUE(std::equal(shown.Bits(), shown.Bits() + shown.Width() * shown.Height(), without.Bits()));

    // Off, the marks follow nothing; turned on again they show the levels of now.
    Game.LevelUp(3, 3);
    Game.ShowLevelMarks(true);
    Frames(1);
    EXPECT_EQ(LitPips(3, 3), 3);
    const TPoint pip = PipPoint(3, 3, 1);
    Click(pip);  // a click on the mark lands on what lies under it
    EXPECT_EQ(Game.Selected, (TPoint{3, 3}));
}

TEST_F(LevelMarksTest, TheFieldComesWithTheFirstBattleAndMarksAskedForBeforeShowOnIt) {
    // Made for the title or the story, the battle holds no layer and no picture yet.
    EXPECT_EQ(Game.Layers.Count(), 0);
    Game.ShowLevelMarks(true);
    EXPECT_EQ(Game.Layers.Count(), 0);
    EXPECT_TRUE(Game.LevelMarksShown());

    Start();
    Frames(1);
    EXPECT_EQ(LitPips(0, 0), 1);  // the base's mark, asked for before the field was there
    const int layers = Game.Layers.Count();
    const TBitmap32 picture = Game.Layers.Surface;

    // Turned off and on again in the battle, the marks give the same layers and picture.
    Game.ShowLevelMarks(false);
    Game.ShowLevelMarks(true);
    Game.Layers.Render(0);
    EXPECT_EQ(Game.Layers.Count(), layers);
    const TBitmap32& again = Game.Layers.Surface;
    EXPECT_TRUE(std::equal(again.Bits(), again.Bits() + again.Width() * again.Height(), picture.Bits()));
}

}  // namespace vandor::test

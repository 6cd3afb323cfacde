// The mouse in a battle, through the same events the shell sends: placing, selecting
// and deselecting towers, the pop-up's buttons, the wave's buttons, and presses that a
// caption or a voice refuses.

#include "InterfaceFixture.h"
#include "compositor/LayerButton.h"
#include "sound/OggTone.h"

namespace vandor::test {
namespace {

constexpr TPoint kNone{TQTDGame::kNoCell, 0};
constexpr TPoint kBasePoint{400, 240};  // inside the base's picture, above its cell

bool Enabled(const TLayerItem* button) { return dynamic_cast<const TLayerButton&>(*button).Enabled; }

TEST_F(BattleScreenTest, APlacedTowerIsNotSelectedByItsReleaseNorADraggedOneByTheNextClick) {
    Start();
    const int32_t money = Game.Money();
    ClickButton(Game.BuildButtons[2]);
    ASSERT_TRUE(Game.PlacementMode);
    ASSERT_NE(Game.Ghost, nullptr);
    TLayerItem* ghost = Game.Ghost;
    MoveTo(CellPoint(4, 2));
    const TProjection cell = TQTDGame::ProjectCell(4, 2);
    EXPECT_EQ((std::array{ghost->Position.X, ghost->Position.Y, ghost->Position.Z}),
              (std::array{cell.X, cell.Y, cell.Z - 48}));
    EXPECT_TRUE(Game.RangeMarker->Visible());
    EXPECT_EQ(Game.RangeMarker->Tag, Game.Range(1, 2));
    EXPECT_EQ((std::array{Game.RangeMarker->Position.Y, Game.RangeMarker->Position.Z}),
              (std::array{cell.Y - 8, cell.Z + 200}));

    ClickCell(4, 2);
    EXPECT_EQ(Game.Cell(4, 2).Building, ghost);
    EXPECT_EQ(Game.Cell(4, 2).Type, 2);
    EXPECT_EQ(Game.Money(), money - Game.Cost(1, 2));
    EXPECT_FALSE(Game.PlacementMode);
    EXPECT_EQ(Game.Ghost, nullptr);
    EXPECT_EQ(Game.Selected, kNone);
    EXPECT_FALSE(Game.ClickConsumed);

    ClickCell(4, 2);
    EXPECT_EQ(Game.Selected, (TPoint{4, 2}));
    EXPECT_TRUE(Game.PopUpFrame->Visible());

    // Pressed on its button and released over the field: no click follows to be kept
    // from selecting, so the next click selects.
    MoveTo(Middle(*Game.BuildButtons[2]));
    Press();
    MoveTo(CellPoint(-4, 2));
    Release();
    EXPECT_EQ(Game.Cell(-4, 2).Type, 2);
    EXPECT_FALSE(Game.ClickConsumed);
    Frames(1);
    ClickCell(-4, 2);
    EXPECT_EQ(Game.Selected, (TPoint{-4, 2}));
}

TEST_F(BattleScreenTest, ClickingEmptyGroundDeselectsAndRightClickingItAlsoEndsPlacement) {
    Start();
    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    ASSERT_TRUE(Game.PopUpFrame->Visible());
    ClickCell(0, 6);  // empty ground, clear of the pop-up
    EXPECT_EQ(Game.Selected, kNone);
    EXPECT_FALSE(Game.PopUpFrame->Visible());
    EXPECT_FALSE(Game.RangeMarker->Visible());

    ClickCell(4, 2);
    ClickButton(Game.BuildButtons[1]);
    EXPECT_EQ(Game.Selected, kNone);  // placing deselects
    EXPECT_EQ(Game.Cell(4, 2).Building->Position.Alpha, 96);
    EXPECT_TRUE(Game.Cell(13, 13).Marker->Visible());
    ClickCell(6, 2, TMouseButton::mbRight);
    EXPECT_FALSE(Game.PlacementMode);
    EXPECT_EQ(Game.Ghost, nullptr);
    EXPECT_EQ(Game.BuildType, -1);
    EXPECT_FALSE(Game.Cell(13, 13).Marker->Visible());
    EXPECT_EQ(Game.Cell(4, 2).Building->Position.Alpha, 255);
    EXPECT_EQ(Game.Cell(6, 2).Type, -1);

    ClickCell(4, 2);
    ClickCell(0, 6, TMouseButton::mbRight);
    EXPECT_EQ(Game.Selected, kNone);
    EXPECT_FALSE(Game.PopUpFrame->Visible());
}

// A ring of towers three cells round the base, open at (3, 0) and (-3, 0).
void BuildRing(TQTDGame& game) {
    for (int y = -3; y <= 3; ++y) {
        for (int x = -3; x <= 3; ++x) {
            if (std::max(std::abs(x), std::abs(y)) == 3 && y != 0) game.Build(x, y, 1);
        }
    }
}

TEST_F(BattleScreenTest, PlacingWithShiftGoesOnTestingEveryCellAgainAndTheMoneyToo) {
    Start();
    BuildRing(Game);
    Game.AddLedger(TQTDGame::lrSpending, 0, Game.Money() - 2 * Game.Cost(1, 2));  // two bow towers left
    Game.UpdateTowerButtons(true);
    ClickButton(Game.BuildButtons[2]);
    for (const TPoint gap : {TPoint{3, 0}, TPoint{-3, 0}, TPoint{-4, 0}}) {
        EXPECT_FALSE(Game.Cell(gap.X, gap.Y).Marker->Visible()) << gap.X;
    }
    EXPECT_TRUE(Game.Cell(3, 1).Marker->Visible());

    ClickCell(3, 0, TMouseButton::mbLeft, ssShift);
    EXPECT_EQ(Game.Cell(3, 0).Type, 2);
    EXPECT_TRUE(Game.PlacementMode);
    ASSERT_NE(Game.Ghost, nullptr);
    EXPECT_EQ(Game.BuildType, 2);
    // Now the west gap is the only way out: it and the cell before it would close it.
    EXPECT_TRUE(Game.Cell(3, 0).Marker->Visible());
    EXPECT_TRUE(Game.Cell(-3, 0).Marker->Visible());
    EXPECT_TRUE(Game.Cell(-4, 0).Marker->Visible());
    EXPECT_FALSE(Game.Cell(-5, 0).Marker->Visible());

    // The marker lies in front of the tile and takes the release: nothing is built.
    ClickCell(-3, 0, TMouseButton::mbLeft, ssShift);
    EXPECT_EQ(Game.Cell(-3, 0).Building, nullptr);
    EXPECT_EQ(Game.Money(), Game.Cost(1, 2));
    // Nor when the tile itself is released on, as where a ground picture leaves the marker open.
    TLayerItem& tile = *Game.Cell(-3, 0).Ground;
    tile.MouseDown(TMouseButton::mbLeft, 0, 0, 0);
    tile.MouseUp(TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_EQ(Game.Cell(-3, 0).Building, nullptr);

    // The last tower the money buys ends placement, Shift or not.
    ClickCell(6, 6, TMouseButton::mbLeft, ssShift);
    EXPECT_EQ(Game.Cell(6, 6).Type, 2);
    EXPECT_EQ(Game.Money(), 0);
    EXPECT_FALSE(Game.PlacementMode);
    EXPECT_EQ(Game.Ghost, nullptr);
}

TEST_F(BattleScreenTest, SelectingATowerAndThenTheBaseMovesThePopUpThereWithoutARemoveButton) {
    Start();
    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    const TProjection tower = TQTDGame::ProjectCell(4, 2);
    EXPECT_EQ((std::array{Game.PopUpFrame->Position.X, Game.PopUpFrame->Position.Y}),
              (std::array{tower.X + 20, tower.Y - 32}));
    EXPECT_EQ((std::array{Game.PopUpPanel->Position.X, Game.PopUpPanel->Position.Y}),
              (std::array{tower.X + 24, tower.Y - 28}));
    EXPECT_EQ(Game.PopUpButtons[2]->Position.Y, tower.Y + 42);
    EXPECT_TRUE(Game.PopUpButtons[2]->Visible());
    EXPECT_TRUE(ShowsText(*Game.PopUpPanel->Bitmap(), 4, 76, "撤去", kWhite, kFixed));

    Click(kBasePoint);
    EXPECT_EQ(Game.Selected, (TPoint{0, 0}));
    EXPECT_EQ((std::array{Game.PopUpFrame->Position.X, Game.PopUpFrame->Position.Y}), (std::array{420, 228}));
    EXPECT_TRUE(Game.PopUpButtons[0]->Visible());
    EXPECT_TRUE(Game.PopUpButtons[1]->Visible());
    EXPECT_FALSE(Game.PopUpButtons[2]->Visible());
    EXPECT_TRUE(Blank(*Game.PopUpPanel->Bitmap(), {0, 76, 142, 94}));
    EXPECT_TRUE(ShowsText(*Game.PopUpPanel->Bitmap(), 0, 1, "星砦 Lv1", kWhite, kFixed));
    EXPECT_EQ(Game.RangeMarker->Tag, Game.Range(1, 0));
}

// An obstacle whose picture leaves its tile open can be selected through the tile: it
// has no menu, and the last tower's menu must not stay open to act on it.
TEST_F(BattleScreenTest, ASelectedObstacleClosesTheMenuOfTheTowerBefore) {
    Write("st01.txt", "MAP_20_26=1\n");  // cell (-4, 2), its chip picture missing
    Start();
    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    ASSERT_TRUE(Game.PopUpFrame->Visible());
    ClickCell(-4, 2);
    EXPECT_EQ(Game.Selected, (TPoint{-4, 2}));
    EXPECT_FALSE(Game.PopUpFrame->Visible());
    for (const TLayerItem* button : Game.PopUpButtons) EXPECT_FALSE(button->Visible());
    EXPECT_NE(Game.Cell(-4, 2).Building, nullptr);
    EXPECT_TRUE(Blank(*Game.InfoPanel->Bitmap(), Game.InfoPanel->Bitmap()->BoundsRect()));
}

// Clicks that reach the battle between two frames (the window hands over all that queued
// up during a long one) meet the menu drawn by the frame before: its buttons act on the
// tower it shows, never on the base or an obstacle the first click selected.
TEST_F(BattleScreenTest, APopUpButtonActsOnTheTowerItsMenuShowsWhateverWasSelectedSinceTheLastFrame) {
    Write("st01.txt", "MAP_20_26=1\n");  // cell (-4, 2), its chip picture missing
    Start();
    const int32_t money = Game.Money();
    const auto clickBeforeTheFrame = [this](TPoint at) {
        MoveTo(at);
        Press();
        Release();
    };

    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    clickBeforeTheFrame(kBasePoint);
    ASSERT_EQ(Game.Selected, (TPoint{0, 0}));
    clickBeforeTheFrame(Middle(*Game.PopUpButtons[2]));
    EXPECT_EQ(Game.Cell(4, 2).Building, nullptr);
    EXPECT_EQ(Game.Money(), money);
    EXPECT_NE(Game.Cell(0, 0).Building, nullptr);
    EXPECT_EQ((std::array{Game.Cell(0, 0).Type, Game.Cell(0, 0).Level}), (std::array{0, 1}));
    Frames(1);
    EXPECT_FALSE(Game.PopUpFrame->Visible());

    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    clickBeforeTheFrame(CellPoint(-4, 2));
    ASSERT_EQ(Game.Selected, (TPoint{-4, 2}));
    clickBeforeTheFrame(Middle(*Game.PopUpButtons[0]));
    EXPECT_EQ(Game.Cell(4, 2).Level, 2);
    EXPECT_EQ(Game.Money(), money - Game.Cost(1, 2) - Game.Cost(2, 2));
    EXPECT_EQ((std::array{Game.Cell(-4, 2).Type, Game.Cell(-4, 2).Level}), (std::array{-1, -1}));
    Frames(1);
    EXPECT_FALSE(Game.PopUpFrame->Visible());
}

TEST_F(BattleScreenTest, CancelIsGreyForATowerOfThisPreparationAndRemovingItRefundsItAll) {
    Load(1, EnemyLines(0, 3, 0, 1));  // the base's first shot ends the wave
    const int32_t money = Game.Money();
    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    ClickButton(Game.PopUpButtons[0]);
    EXPECT_EQ(Game.Cell(4, 2).Level, 2);
    EXPECT_EQ(Game.Money(), money - Game.Cost(1, 2) - Game.Cost(2, 2));
    EXPECT_FALSE(Enabled(Game.PopUpButtons[1]));
    EXPECT_TRUE(ShowsText(*Game.PopUpPanel->Bitmap(), 4, 51, "キャンセル", kGrey, kFixed));
    ClickButton(Game.PopUpButtons[1]);
    EXPECT_EQ(Game.Cell(4, 2).Level, 2);
    EXPECT_EQ(Game.Money(), money - Game.Cost(1, 2) - Game.Cost(2, 2));

    ClickButton(Game.PopUpButtons[2]);
    EXPECT_EQ(Game.Cell(4, 2).Building, nullptr);
    EXPECT_EQ(Game.Money(), money);
    EXPECT_EQ(Game.Selected, kNone);
    EXPECT_FALSE(Game.PopUpFrame->Visible());

    // A tower that fought a wave can take back the levels bought since.
    PlaceTower(2, 4, 2);
    ClickButton(Game.StartButton);
    RunTo(1);
    for (int frame = 0; frame < 200 && (!Game.Prep || Game.Caption); ++frame) Click(CellPoint(8, 8));
    ASSERT_EQ(Game.WaveIndex, 1);
    ClickCell(4, 2);
    ClickButton(Game.PopUpButtons[0]);
    EXPECT_TRUE(Enabled(Game.PopUpButtons[1]));
    EXPECT_TRUE(ShowsText(*Game.PopUpPanel->Bitmap(), 4, 51, "キャンセル", kWhite, kFixed));
    const int32_t raised = Game.Money();
    ClickButton(Game.PopUpButtons[1]);
    EXPECT_EQ(Game.Cell(4, 2).Level, 1);
    EXPECT_EQ(Game.Money(), raised + Game.Cost(2, 2));
}

TEST_F(BattleScreenTest, DuringAWaveASelectedTowerFillsTheInformationPanelButOpensNoPopUp) {
    Load(1, EnemyLines(0, 12, 12, 1000000, 1, 100));  // far away and late: the wave goes on
    PlaceTower(2, 4, 2);
    ClickButton(Game.StartButton);
    Frames(1);
    ASSERT_FALSE(Game.Prep);
    ClickCell(4, 2);
    EXPECT_EQ(Game.Selected, (TPoint{4, 2}));
    EXPECT_TRUE(ShowsText(*Game.InfoPanel->Bitmap(), 4, 2, "弓塔 Lv1", kWhite));
    EXPECT_FALSE(Game.PopUpFrame->Visible());
    EXPECT_FALSE(Game.PopUpPanel->Visible());
    for (const TLayerItem* button : Game.PopUpButtons) EXPECT_FALSE(button->Visible());
}

TEST_F(BattleScreenTest, HoveringShowsATowersRangeAndABuildButtonsTower) {
    Start();
    PlaceTower(3, 4, 2);
    MoveTo(CellPoint(6, 2));
    EXPECT_FALSE(Game.RangeMarker->Visible());
    const TProjection empty = TQTDGame::ProjectCell(6, 2);
    EXPECT_EQ((std::array{Game.HoverCursor->Position.X, Game.HoverCursor->Position.Y}),
              (std::array{empty.X, empty.Y + 1}));
    MoveTo(CellPoint(4, 2));
    EXPECT_TRUE(Game.RangeMarker->Visible());
    EXPECT_EQ(Game.RangeMarker->Tag, Game.Range(1, 3));

    MoveTo(Middle(*Game.BuildButtons[1]));
    Frames(1);
    EXPECT_EQ(Game.HoveredBuild, 1);
    EXPECT_TRUE(ShowsText(*Game.InfoPanel->Bitmap(), 4, 2, "簡易塔 Lv1", kWhite));
    EXPECT_TRUE(ShowsText(*Game.InfoPanel->Bitmap(), 72, 2, Format("%5d$", Game.Cost(1, 1)), kWhite, kFixed));
    MoveTo(CellPoint(6, 2));
    Frames(1);
    EXPECT_EQ(Game.HoveredBuild, -1);
    EXPECT_TRUE(Blank(*Game.InfoPanel->Bitmap(), Game.InfoPanel->Bitmap()->BoundsRect()));
}

TEST_F(BattleScreenTest, APressUnderAVoiceCaptionIsRefusedAndItsReleaseEndsTheFreeze) {
    const TBytes voice = MakeToneOgg(1, 300);
    Write("voice.ogg", std::string(voice.begin(), voice.end()));
    Game.StartBattle(1);
    Frames(2);
    MoveTo(Middle(*Game.BuildButtons[2]));
    Press();
    EXPECT_FALSE(Game.PlacementMode);  // the area title holds the press
    Release();
    EXPECT_EQ(Game.CaptionTimer, -1);
    EXPECT_EQ(Game.Caption, nullptr);

    Load(1, EnemyLines(0, 12, 12, 1000000, 1, 100));
    ClickButton(Game.StartButton);
    Frames(1);
    const int ticks = Game.Ticks;
    Game.ShowCaption("ci攻撃0.png");
    Sound.Channel(4).Open("voice.ogg");
    Sound.Channel(4).Play(false);
    Game.VoiceChannel = 4;
    Frames(1);
    EXPECT_EQ(Game.Ticks, ticks);
    MoveTo(Middle(*Game.PauseButton));
    Press();
    EXPECT_FALSE(Game.PressAccepted);
    Release();
    EXPECT_EQ(Game.Speed, 1);  // the pause button never saw the press
    EXPECT_EQ(Game.VoiceChannel, -1);
    EXPECT_EQ(Game.Caption, nullptr);
    EXPECT_TRUE(Sound.Channel(4).Playing());
    Frames(1);
    EXPECT_EQ(Game.Ticks, ticks + 1);
}

TEST_F(BattleScreenTest, TheFastAndPauseButtonsSpeedUpPauseAndResume) {
    Load(1, EnemyLines(0, 12, 12, 1000000, 1, 100));
    ClickButton(Game.BuildButtons[1]);
    ClickButton(Game.StartButton);
    EXPECT_TRUE(Game.Prep);  // not while placing
    ClickCell(6, 6, TMouseButton::mbRight);
    ClickButton(Game.StartButton);
    EXPECT_FALSE(Game.Prep);
    EXPECT_EQ(Game.Speed, 1);

    const auto speedAfter = [&](const TLayerItem* button) {
        ClickButton(button);
        return Game.Speed;
    };
    EXPECT_EQ(speedAfter(Game.FastButton), 16);
    EXPECT_FALSE(Game.StartButton->Visible());
    EXPECT_TRUE(Game.PauseButton->Visible());
    EXPECT_EQ(speedAfter(Game.PauseButton), -16);
    EXPECT_TRUE(Game.StartButton->Visible());
    EXPECT_FALSE(Game.PauseButton->Visible());
    EXPECT_EQ(speedAfter(Game.FastButton), 1);
    EXPECT_EQ(speedAfter(Game.PauseButton), -1);
    // Fast while paused at normal speed stays paused, at 16; the pause button resumes it.
    EXPECT_EQ(speedAfter(Game.FastButton), -16);
    const int ticks = Game.Ticks;
    Frames(1);
    EXPECT_EQ(Game.Ticks, ticks);
    EXPECT_EQ(speedAfter(Game.PauseButton), 16);
    EXPECT_EQ(Game.Ticks, ticks + 16);
    EXPECT_TRUE(Game.StartButton->Visible());
    EXPECT_EQ(speedAfter(Game.StartButton), 16);
    EXPECT_TRUE(Game.PauseButton->Visible());
    // The start button resumes a pause at the speed it had.
    EXPECT_EQ(speedAfter(Game.PauseButton), -16);
    EXPECT_EQ(speedAfter(Game.StartButton), 16);
}

}  // namespace
}  // namespace vandor::test

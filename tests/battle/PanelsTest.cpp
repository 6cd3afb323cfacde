// What the panels say and where: the status panel's battle, wave and timer, the
// information panel's tower and heroine columns, the numbers with the gauge and the
// best score, and the range marker's ellipse.

#include "InterfaceFixture.h"

namespace vandor::test {
namespace {

constexpr TColor32 kStrength = 0xBB00FF00;

TEST_F(BattleScreenTest, TheStatusPanelNamesTheBattleAndTheComingWave) {
    Write("bt01-00.txt", "WC=3\nWEC_00=4\nWED_00=2\n");
    Start(1, 0);
    const TBitmap32& status = *Game.StatusPanel->Bitmap();
    EXPECT_TRUE(ShowsText(status, 7, 57, "治安維持戦 全3波", kWhite));
    EXPECT_TRUE(ShowsText(status, 7, 74, "現在 戦闘準備中", kWhite));
    EXPECT_TRUE(ShowsText(status, 7, 91, "次回攻撃 第1波", kWhite));
    EXPECT_TRUE(ShowsText(status, 7, 108, "敵4体 東より", kWhite));
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(*status.PixelPtr(54 + 11 * k, 26), kStrength) << k;
        EXPECT_EQ(*status.PixelPtr(58 + 11 * k, 31), 0u) << k;  // outlined only
    }

    // A stronghold battle counts its battles from the first, even before any was fought.
    Start(2, 2);
    EXPECT_TRUE(ShowsText(status, 7, 57, "第1要害戦 全2波", kWhite));
    EXPECT_EQ(*status.PixelPtr(58, 31), kStrength);
    EXPECT_EQ(*status.PixelPtr(69, 31), kStrength);
    EXPECT_EQ(*status.PixelPtr(80, 31), 0u);
    Dat.SetAreaBattles(3, 4);
    Start(3, 2);
    EXPECT_TRUE(ShowsText(status, 7, 57, "第4要害戦 全2波", kWhite));
}

TEST_F(BattleScreenTest, TheTimerCountsMinutesSecondsAndTicksAndRedrawsOnlyWhileTheWaveRuns) {
    Load(1, EnemyLines(0, 12, 12, 1000000, 1, 100));  // due at tick 6000
    Begin();
    const TBitmap32& status = *Game.StatusPanel->Bitmap();
    Game.Ticks = 59;
    Frames(1);
    ASSERT_EQ(Game.Ticks, 60);
    EXPECT_TRUE(ShowsText(status, 7, 108, " 0:01:00", kWhite, kFixed));
    EXPECT_FALSE(ShowsText(status, 7, 108, " 0:00:60", kWhite, kFixed));
    Game.Ticks = 3599;
    Frames(1);
    EXPECT_TRUE(ShowsText(status, 7, 108, " 1:00:00", kWhite, kFixed));
    EXPECT_TRUE(ShowsText(status, 7, 74, "現在 敵第1波と戦闘中", kWhite));
    EXPECT_TRUE(ShowsText(status, 7, 91, "敵 のこり1体", kWhite));

    // Paused, the timer is not drawn again; the pause's own mark draws it once.
    Game.Speed = -1;
    Game.RefreshPanels();
    Game.Ticks = 4000;
    Game.RefreshPanels();
    EXPECT_TRUE(ShowsText(status, 7, 108, " 1:00:00", kWhite, kFixed));
    Game.Speed = 1;
    Game.RefreshPanels();
    EXPECT_TRUE(ShowsText(status, 7, 108, " 1:06:40", kWhite, kFixed));
}

TEST_F(BattleScreenTest, AScoreAboveTheBestRaisesItWhileTheBattleRuns) {
    Dat.SetBestScore(25);
    Load(2, EnemyLines(0, 3, 0, 1, 1, 0, 30) + EnemyLines(1, 12, 12, 1000000, 1, 100));
    Begin();
    for (int guard = 0; Game.Score() == 0 && guard < 200; ++guard) Frames(1);
    ASSERT_FALSE(Game.Prep);
    EXPECT_EQ(Game.Score(), 30);
    EXPECT_EQ(Dat.BestScore(), 30);
    EXPECT_TRUE(ShowsText(*Game.ScorePanel->Bitmap(), 0, 0, "       30", kWhite, kFixed, 15));

    Dat.SetBestScore(1000);
    Game.Marks.Score = true;
    Game.RefreshPanels();
    EXPECT_EQ(Dat.BestScore(), 1000);
}

TEST_F(BattleScreenTest, TheDurabilityGaugeShrinksFromTheRight) {
    Start();
    TLayerItem& gauge = *Game.DurabilityGauge;
    EXPECT_EQ(gauge.Width(), 200);
    Game.SetBaseHP(Game.BaseMaxHP / 4 + 9);
    Game.Marks.Durability = true;
    Game.RefreshPanels();
    EXPECT_EQ(gauge.Width(), 50);
    EXPECT_EQ((std::array{gauge.SrcRect.Left, gauge.SrcRect.Right, gauge.DstRect().Left}), (std::array{0, 50, 364}));
    EXPECT_TRUE(
        ShowsText(*Game.DurabilityPanel->Bitmap(), 0, 0, Format("%3d", Game.BaseMaxHP / 40), kWhite, kFixed, 15));
    Game.SetBaseHP(-30);
    Game.Marks.Durability = true;
    Game.RefreshPanels();
    EXPECT_EQ(gauge.Width(), 0);
    EXPECT_TRUE(ShowsText(*Game.DurabilityPanel->Bitmap(), 0, 0, "  0", kWhite, kFixed, 15));
}

// Heroine 2 commands the bow towers once area 3 is won.
TEST_F(BattleScreenTest, TheInformationPanelShowsTheTowerItsHeroineAndHerPortrait) {
    Dat.SetHeroinePresent(2, true);
    Dat.SetAreaStrength(3, 0);
    Dat.SetAffection(2, 5);
    Start();
    ASSERT_EQ(Game.HeroineOf[2], 2);
    MoveTo(Middle(*Game.BuildButtons[2]));
    Frames(1);
    const TBitmap32& info = *Game.InfoPanel->Bitmap();
    EXPECT_TRUE(ShowsText(info, 4, 2, "弓塔 Lv1", kWhite));
    EXPECT_TRUE(ShowsText(info, 4, 17, "精鋭兵が弓を連射", kWhite));
    EXPECT_TRUE(ShowsText(info, 4, 47, "攻撃", kPaleGreen));
    EXPECT_TRUE(ShowsText(info, 4, 62, "速度", kPaleGreen));
    EXPECT_TRUE(ShowsText(info, 4, 77, "射程", kPaleGreen));
    EXPECT_TRUE(ShowsText(info, 72, 2, Format("%5d$", Game.Cost(1, 2)), kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 48, 62, Format("%4d", 600 / Game.Reload(1, 2)), kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 210, 17, "純愛度", kPaleGreen));
    EXPECT_TRUE(ShowsText(info, 210, 47, "攻撃", kPaleGreen));
    EXPECT_TRUE(Blank(info, {210, 62, 296, 96}));  // no training, no price label nor value
    EXPECT_TRUE(ShowsText(info, 255, 17, "   5", kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 255, 47, " +15％", kWhite, kFixed));
    ASSERT_NE(Game.Portrait, nullptr);
    EXPECT_TRUE(Game.Portrait->Visible());
    EXPECT_EQ(Game.Portrait->Tag, 2);
    EXPECT_EQ(Game.Portrait->DstRect().Right, 670);
    EXPECT_EQ(Game.Portrait->DstRect().Bottom, 600);

    // The simple tower has no heroine: no portrait, no heroine column.
    MoveTo(Middle(*Game.BuildButtons[1]));
    Frames(1);
    EXPECT_FALSE(Game.Portrait->Visible());
    EXPECT_TRUE(Blank(info, {200, 0, 296, 96}));
}

TEST_F(BattleScreenTest, TheLevelUpButtonPreviewsTheNextLevelAndAPrayerBonusShowsInCyan) {
    Start();
    PlaceTower(2, 4, 2);
    ClickCell(4, 2);
    MoveTo(Middle(*Game.PopUpButtons[0]));
    Frames(1);
    ASSERT_TRUE(Game.HoverLevelUp);
    const TBitmap32& info = *Game.InfoPanel->Bitmap();
    EXPECT_TRUE(ShowsText(info, 78, 47, Format("→%3d", Game.Attack(2, 2)), kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 78, 77, Format("→%3d", Game.Range(2, 2)), kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 72, 2, Format("%5d$", Game.Cost(2, 2)), kWhite, kFixed));
    MoveTo(CellPoint(0, 6));
    Frames(1);
    EXPECT_FALSE(Game.HoverLevelUp);
    EXPECT_TRUE(Blank(info, {72, 0, 120, 15}));  // a selected tower has no price

    PlaceTower(6, 5, 2);  // a prayer tower next to it
    ClickCell(4, 2);
    ASSERT_GT(Game.Cell(4, 2).Bonus, 0);
    const int32_t bonus = Game.Attack(1, 2) * Game.Cell(4, 2).Bonus / 100;
    EXPECT_TRUE(ShowsText(info, 78, 47, Format("+%3d", bonus), 0xFF66FFFF, kFixed));
    ClickCell(5, 2);
    EXPECT_TRUE(ShowsText(info, 35, 47, Format("%4d％", Game.Attack(1, 6)), kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 48, 62, " ---", kWhite, kFixed));
    EXPECT_TRUE(ShowsText(info, 4, 47, "強化", kPaleGreen));
}

TEST_F(BattleTest, TheRangeMarkerIsALightYellowEllipseFadedByItsRim) {
    Start();
    Game.SetRangeMarker(40);
    const TBitmap32& marker = *Game.RangeMarker->Bitmap();
    ASSERT_EQ((std::array{marker.Width(), marker.Height(), Game.RangeMarker->Width()}), (std::array{128, 64, 128}));
    EXPECT_EQ(*marker.PixelPtr(64, 32), 0x33FFFF66u);
    EXPECT_EQ(*marker.PixelPtr(0, 32), 0x99FFFF66u);
    EXPECT_EQ(*marker.PixelPtr(64, 0), 0x99FFFF66u);
    EXPECT_EQ(*marker.PixelPtr(0, 0), 0x00FFFF66u);
    Game.SetRangeMarker(0);
    Game.SetRangeMarker(-5);
    EXPECT_EQ(Game.RangeMarker->Tag, 40);
    Game.SetRangeMarker(15);
    EXPECT_EQ((std::array{marker.Width(), marker.Height()}), (std::array{48, 24}));
    EXPECT_EQ((std::array{Game.RangeMarker->SrcRect.Right, Game.RangeMarker->SrcRect.Bottom}), (std::array{48, 24}));
}

}  // namespace
}  // namespace vandor::test

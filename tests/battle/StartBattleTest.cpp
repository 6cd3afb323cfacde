#include <array>

#include "BattleFixture.h"

namespace vandor::test {
namespace {

TEST_F(BattleTest, AreasAreClampedAndChooseTheirGroundColumn) {
    constexpr int kColumn[15] = {0, 4, 4, 5, 6, 6, 6, 7, 4, 4, 8, 8, 9, 11, 10};
    for (int area = 1; area <= 14; ++area) {
        Game.StartBattle(area);
        EXPECT_EQ(Game.Field, area);
        EXPECT_EQ(Game.Cell(-13, 13).Ground->SrcRect, (TRect{32 * kColumn[area], 0, 32 * kColumn[area] + 32, 16}));
    }
    Game.StartBattle(0);
    EXPECT_EQ(Game.Field, 1);
    Game.StartBattle(20);
    EXPECT_EQ(Game.Field, 14);
}

TEST_F(BattleTest, TheWaveFileIsTheStrongholdsTheAreasOrTheGeneralOne) {
    Write("bt05-03.txt", "WC=3\n");
    Write("bt05-00.txt", "WC=4\n");
    Write("bt00-00.txt", "WC=5\n");
    Write("bt02-00.txt", "WC=0\n");
    Write("bt03-00.txt", "WC=99\n");
    Write("bt04-00.txt", "WED_00=1\n");
    const auto waves = [&](int area, int strength, int battles) {
        Dat.SetAreaBattles(area, battles);
        Game.StartBattle(area, strength);
        return Game.WaveCount;
    };
    EXPECT_EQ(waves(5, 1, 3), 3);
    EXPECT_EQ(waves(5, 1, 2), 4);
    EXPECT_EQ(waves(5, 0, 3), 4);
    EXPECT_EQ(waves(6, 1, 0), 5);
    EXPECT_EQ(waves(2, 0, 0), 1);
    EXPECT_EQ(waves(3, 0, 0), 60);
    EXPECT_EQ(waves(4, 0, 0), 2);
    EXPECT_EQ(Game.WaveDirection, 1);
    EXPECT_EQ(Game.WaveSize, 10);
}

TEST_F(BattleTest, MapObstaclesReplaceWhatTheLastBattleBuilt) {
    Write("st01.txt", "MAP_30_20=17\n");
    Start(1);
    const TQTDGame::TCell& cell = Game.Cell(6, -4);
    ASSERT_TRUE(cell.Building);
    EXPECT_EQ((std::array{cell.Level, cell.Type, cell.Building->Tag}), (std::array{-1, -1, TQTDGame::CellTag(6, -4)}));
    EXPECT_EQ(cell.Building->SrcRect, (TRect{32, 32, 64, 64}));
    const TProjection point = TQTDGame::ProjectCell(6, -4);
    const TLayerPosition& placed = cell.Building->Position;
    EXPECT_EQ((std::array{placed.X, placed.Y, placed.Z}), (std::array{point.X, point.Y, point.Z - 48}));

    Game.Build(3, 3, 2);
    Game.LevelUp(0, 0);
    Game.StartBattle(2);
    EXPECT_TRUE(!Game.Cell(6, -4).Building && Game.Cell(6, -4).Level == 0);
    EXPECT_TRUE(!Game.Cell(3, 3).Building && Game.Cell(3, 3).Type == -1);
    EXPECT_TRUE(Game.Cell(0, 0).Building && Game.Cell(0, 0).Level == 1 && Game.Cell(0, 0).Type == 0);
    EXPECT_EQ(Game.Money(), 400);  // the spending of the last battle is gone too
}

TEST_F(BattleTest, StartingFundsAndTheBasesDurability) {
    Dat.SetAreaStrength(2, 0);
    Dat.SetAreaStrength(3, 0);
    Dat.SetItem(31, true);
    Game.StartBattle(1);
    EXPECT_EQ(Game.Money(), 700);  // 50 × 2 + 500 + 100
    Game.StartBattle(3);
    EXPECT_EQ(Game.Money(), 600);  // 50 × 2 + 400 + 100
    for (int item : {1, 2, 3, 4, 62, 63, 64}) Dat.SetItem(item, true);
    Game.StartBattle(3);
    EXPECT_EQ(Game.Money(), 674);  // + 4 + 10 + 20 + 40
    EXPECT_EQ(Game.BaseMaxHP, 3000);

    Dat.SetAreaStrength(7, 0);
    Dat.SetAffection(1, 4);
    Game.StartBattle(1);
    EXPECT_EQ(Game.BaseMaxHP, 4400);
    EXPECT_EQ(Game.BaseHP(), 4400);
    EXPECT_EQ(Game.HitThresholds, (std::array<int32_t, 3>{4399, 2640, 1320}));
    Dat.SetAffection(1, 12);
    Game.StartBattle(1);
    EXPECT_EQ(Game.BaseMaxHP, 5000);  // heroine 1 adds 1000 at most
    Dat.SetHeroinePresent(1, false);
    Game.StartBattle(1);
    EXPECT_EQ(Game.BaseMaxHP, 4000);
}

}  // namespace
}  // namespace vandor::test

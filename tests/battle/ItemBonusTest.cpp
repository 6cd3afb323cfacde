// The owned items raise the attack and the speed of the tower types their effect
// lines name, 10 % each; the figures below are worked out by hand from the constant
// tables.

#include "BattleFixture.h"

namespace vandor::test {
namespace {

TEST_F(BattleTest, EveryItemOwnedRaisesEachTypeByItsItems) {
    for (int item = 1; item <= TQTDGameDat::kItems; ++item) Dat.SetItem(item, true);
    Start();
    // Heroine 1 is the base's general: 100 % before the items.
    EXPECT_EQ(Game.Attack(5, 0), 52);  // 40 × 130 div 100 (items 16, 21, 37)
    EXPECT_EQ(Game.Reload(1, 0), 41);  // 2525000 div (501 × 120) (items 26, 42)
    EXPECT_EQ(Game.Attack(5, 1), 19);  // 15 × 130 div 100 (items 47..49)
    EXPECT_EQ(Game.Reload(1, 1), 41);  // 2525000 div (501 × 120) (items 50, 51)
    EXPECT_EQ(Game.Attack(5, 2), 19);  // 15 × 130 div 100
    EXPECT_EQ(Game.Reload(1, 2), 10);  // 2525000 div (2001 × 120)
    EXPECT_EQ(Game.Attack(5, 3), 45);  // 35 × 130 div 100
    EXPECT_EQ(Game.Reload(1, 3), 41);
    EXPECT_EQ(Game.Attack(5, 4), 26);   // 20 × 130 div 100
    EXPECT_EQ(Game.Reload(1, 4), 208);  // 2525000 div (101 × 120)
    EXPECT_EQ(Game.Attack(5, 5), 10);   // 8 × 130 div 100
    EXPECT_EQ(Game.Reload(1, 5), 52);   // 2525000 div (401 × 120)
    EXPECT_EQ(Game.Attack(1, 6), 15);   // the prayer bonus: 10 × 150 div 100 (items 52..56)
    EXPECT_EQ(Game.Attack(5, 6), 75);
    EXPECT_EQ(Game.Reload(1, 6), 0);
    EXPECT_EQ(Game.Attack(5, 7), 19);   // items 57..59
    EXPECT_EQ(Game.Reload(1, 7), 52);   // items 60, 61
    EXPECT_EQ(Game.Attack(5, 8), 100);  // no item strengthens the dragon tower
    EXPECT_EQ(Game.Reload(1, 8), 50);
}

TEST_F(BattleTest, AnItemRaisesOnlyItsOwnTypeAndStatistic) {
    for (int item : {21, 42, 55, 60}) Dat.SetItem(item, true);
    Start();
    EXPECT_EQ(Game.Attack(5, 0), 44);  // 40 × 110 div 100
    EXPECT_EQ(Game.Reload(1, 0), 45);  // 2525000 div (501 × 110)
    EXPECT_EQ(Game.Attack(5, 6), 55);  // 50 × 110 div 100
    EXPECT_EQ(Game.Attack(5, 7), 15);  // item 60 is speed alone
    EXPECT_EQ(Game.Reload(1, 7), 57);  // 2525000 div (401 × 110)
    EXPECT_EQ(Game.Attack(5, 2), 15);
    EXPECT_EQ(Game.Reload(1, 2), 12);
    EXPECT_EQ(Game.Attack(5, 1), 15);
    EXPECT_EQ(Game.Reload(1, 1), 50);

    // Funds and consumables leave the towers as they are.
    for (int item : {21, 42, 55, 60}) Dat.SetItem(item, false);
    for (int item : {1, 5, 13, 31, 32, 36, 64}) Dat.SetItem(item, true);
    Game.StartBattle(1);
    const int atHundred[kTowerTypes] = {40, 15, 15, 35, 20, 8, 50, 15, 100};
    for (int type = 0; type < kTowerTypes; ++type) EXPECT_EQ(Game.Attack(5, type), atHundred[type]) << type;
    EXPECT_EQ(Game.Reload(1, 0), 50);
}

}  // namespace
}  // namespace vandor::test

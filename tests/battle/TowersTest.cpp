#include <algorithm>
#include <array>

#include "BattleFixture.h"

namespace vandor::test {
namespace {

using Row = std::array<int, 5>;

TEST_F(BattleTest, TowersShootTheNearestEnemyInRangeThatTheShotsInFlightSpare) {
    // A level-1 bow tower reaches 103 × 30 = 3090 units: (3, 4) lies 3072 from (0, 4), (4, 4) 4096.
    Load(2, EnemyLines(0, 4, 4, 100) + EnemyLines(1, 3, 4, 100, 1, 1));
    Game.Build(0, 4, 2);
    Begin();
    RunTo(1);
    EXPECT_EQ(Game.ProjectileCount(), 0);
    RunTo(60);
    EXPECT_EQ(Game.Enemy(1).Pending, 1);
    EXPECT_EQ(Game.Enemy(0).Pending, 0);

    // Magic bows of damage 5 acting in the order y (4, 5, 6): the first two find both
    // enemies equally far and take record 0; then 10 in flight spare it from the third.
    Load(2, EnemyLines(0, 3, 8, 10) + EnemyLines(1, -1, 8, 10), 2);
    for (int y : {4, 5, 6}) Game.Build(1, y, 3);  // cells the first tower's cooldown has not touched
    Begin();
    RunTo(1);
    EXPECT_EQ(Game.Enemy(0).Pending, 10);
    EXPECT_EQ(Game.Enemy(1).Pending, 5);
    EXPECT_EQ(Game.Projectile(2).Target, 1);
}

TEST_F(BattleTest, SplashPoisonAndSlowing) {
    Start();
    // Damage 5 splashes within 60 × (5 + 9) = 840 units of the target, which itself is spared.
    const int centre[][3] = {{0, 0, 0}, {839, 0, 20}, {840, 0, 20}, {593, 594, 20}, {594, 594, 20}, {1, 0, 5}};
    for (int i = 0; i < 6; ++i) {
        Game.Enemy(i).FX = 20000 + centre[i][0];
        Game.Enemy(i).FY = 20000 + centre[i][1];
        Game.Enemy(i).HP = centre[i][2];
        Game.Enemy(i).Reward = 9;
    }
    Game.Splash(0, 5);
    const int after[] = {0, 15, 20, 15, 20, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Game.Enemy(i).HP, after[i]) << i;
    EXPECT_EQ(Game.Ledger(TQTDGame::lrRewards, 0), 9);
    EXPECT_EQ(Game.ProjectileCount(), 24);

    // A level-1 poison shot of damage 1: 1 at once and 10 poison, 1 a tick for 10 ticks.
    Load(1, EnemyLines(0, 0, 8, 100), 3);
    Game.Build(0, 5, 5);
    Begin();
    RunTo(1);
    EXPECT_EQ(Game.DamageDealt[5], 5);
    TQTDGame::TEnemy& poisoned = Game.Enemy(0);
    while (poisoned.Poison == 0 && Game.Ticks < 60) NextTick();
    EXPECT_EQ((std::array{poisoned.HP, poisoned.Poison}), (std::array{99, 10}));
    for (int k = 1; k <= 11; ++k) {
        NextTick();
        EXPECT_EQ(poisoned.HP, 99 - std::min(k, 10)) << k;
    }
    EXPECT_EQ(poisoned.Poison, 0);

    // A level-5 magic shot of damage 15 slows for 300 ticks, at first to a quarter: pace 4 walks 1.
    Load(1, EnemyLines(0, 0, 8, 1000, 4), 4);
    Game.Build(0, 5, 7);
    Game.Cell(0, 5).Level = 5;
    Begin();
    TQTDGame::TEnemy& slowed = Game.Enemy(0);
    while (slowed.Slow == 0 && Game.Ticks < 60) NextTick();
    EXPECT_EQ((std::array{slowed.Slow, slowed.HP}), (std::array{300, 985}));
    const int left = slowed.StepLeft;
    NextTick();
    EXPECT_EQ(left - slowed.StepLeft, 1);
}

TEST_F(BattleTest, PrayerTowersRaiseTheAttackOfTheTowersAroundThem) {
    Start();
    Game.Build(0, 5, 6);
    Game.Build(1, 6, 6);  // diagonal to the first: prayer towers do not raise each other
    Game.Build(1, 5, 2);
    EXPECT_EQ((std::array{Game.Cell(1, 5).Bonus, Game.Cell(0, 5).Bonus, Game.Cell(1, 6).Bonus}),
              (std::array{20, 0, 0}));
    Game.Enemy(0).HP = 50;
    Game.Fire(1, 5, 0);
    EXPECT_EQ(Game.Projectile(0).Damage, 1);  // 1 × 120 div 100
    Game.Cell(1, 5).Level = 5;
    Game.Fire(1, 5, 0);
    EXPECT_EQ(Game.Projectile(1).Damage, 18);  // 15 × 120 div 100
    EXPECT_EQ(Game.Enemy(0).Pending, 19);

    // At level 5 (range 20, bonus 50) the cells two steps away in a line are reached too.
    Game.Cell(0, 5).Level = 5;
    Game.Build(-2, 5, 2);
    Game.Build(-2, 6, 2);
    EXPECT_EQ((std::array{Game.Cell(-2, 5).Bonus, Game.Cell(-2, 6).Bonus, Game.Cell(1, 5).Bonus}),
              (std::array{50, 0, 60}));
}

TEST_F(BattleTest, BuildingRaisingCancellingAndRemovingKeepTheLedger) {
    Load(1, EnemyLines(0, 2, 0, 123456));  // a wave that wipes itself in its first tick
    Game.Build(3, 3, 2);
    EXPECT_EQ(Game.Money(), 420);
    Begin();
    RunTo(1);
    ASSERT_EQ(Game.WaveIndex, 1);
    EXPECT_EQ(Game.Money(), 519);  // + 2999 × 100 div 3000
    EXPECT_EQ(Game.Cell(3, 3).LevelAtWaveStart, 1);

    Game.LevelUp(3, 3);
    Game.LevelUp(3, 3);
    EXPECT_EQ(Game.Money(), 359);
    Game.CancelUpgrades(3, 3);  // TotalCost(3) - TotalCost(1) = 240 - 80
    EXPECT_EQ(Game.Cell(3, 3).Level, 1);
    EXPECT_EQ(Game.Money(), 519);

    Game.Build(4, 4, 3);
    Game.LevelUp(4, 4);
    EXPECT_EQ(Game.Money(), 369);
    Game.Remove(4, 4);  // built in this preparation: everything back
    EXPECT_EQ(Game.Money(), 519);
    EXPECT_FALSE(Game.Cell(4, 4).Building);
    Game.Remove(3, 3);  // built before: half of 80 as a refund
    EXPECT_EQ(Game.Ledger(TQTDGame::lrRefunds, 1), 40);
    EXPECT_EQ(Game.Ledger(TQTDGame::lrSpending, 1), 0);
    EXPECT_EQ(Game.Money(), 559);
    EXPECT_EQ(Game.Cell(3, 3).Type, -1);

    for (int k = 0; k < 3; ++k) Game.LevelUp(0, 0);  // 250, 250, then 250 > 59
    EXPECT_EQ(Game.Cell(0, 0).Level, 3);
    EXPECT_EQ(Game.Money(), 59);
}

TEST_F(BattleTest, HeroinesAndItemsSetTheFactorsOfTheirTypes) {
    Dat.SetHeroinePresent(2, true);
    Dat.SetAreaStrength(3, 0);
    Dat.SetAffection(2, 5);
    Dat.SetTraining(2, 10);
    Start();
    EXPECT_EQ(Game.HeroineOf[2], 2);
    EXPECT_EQ(Game.Cost(1, 2), 56);        // 80 × 70 div 100
    EXPECT_EQ(Game.TotalCost(5, 2), 630);  // 56 + 42 + 70 + 140 + 322
    EXPECT_EQ(Game.Attack(5, 2), 17);      // 15 × 115 div 100
    Dat.SetItem(17, true);
    Dat.SetItem(27, true);
    Game.StartBattle(1);
    EXPECT_EQ(Game.Attack(5, 2), 18);  // 15 × 125 div 100
    EXPECT_EQ(Game.Reload(1, 2), 11);  // 2525000 div (2001 × 110)

    Dat.SetTraining(1, 10);
    Dat.SetAreaStrength(7, 0);
    Game.StartBattle(1);
    EXPECT_EQ(Game.Attack(5, 0), 66);  // 40 × (100 + 30 + 35) div 100
    Game.StartWave();
    ASSERT_TRUE(Game.Caption);
    EXPECT_EQ(Game.Caption->Name(), "ci攻撃0.png");  // the wave opens with heroine 1
    EXPECT_EQ(Game.VoiceChannel, 4);

    Dat.SetHeroinePresent(1, false);
    Dat.SetHeroinePresent(2, false);  // or the bow tower's heroine would open the wave
    Game.StartBattle(1);
    EXPECT_EQ(Game.HeroineOf[0], 11);
    EXPECT_EQ(Game.Attack(1, 0), 4);  // 5 × 80 div 100
    EXPECT_EQ(Game.Attack(5, 0), 32);
    Frames(10);
    Game.StartWave();
    EXPECT_TRUE(Game.CutInDone[0] && !Game.Caption && Game.VoiceChannel == -1);
}

TEST_F(BattleTest, StatisticsWithEveryFactorAt100) {
    Start();
    const Row cost[9] = {{200, 250, 250, 250, 250}, {20, 20, 20, 40, 200},     {80, 60, 100, 200, 460},
                         {100, 50, 100, 250, 500},  {60, 80, 160, 300, 400},   {100, 100, 100, 220, 380},
                         {300, 300, 300, 300, 300}, {100, 150, 200, 250, 300}, {600, 100, 200, 400, 500}};
    const Row range[9] = {{40, 45, 50, 50, 50}, {15, 16, 17, 18, 20}, {30, 30, 30, 30, 40},
                          {60, 65, 70, 75, 80}, {40, 45, 50, 60, 70}, {40, 40, 40, 40, 50},
                          {15, 16, 17, 18, 20}, {40, 40, 40, 40, 40}, {60, 60, 60, 60, 60}};
    const Row reload[9] = {{50, 50, 50, 50, 50}, {50, 50, 50, 50, 50},    {12, 11, 10, 9, 8},
                           {50, 50, 45, 41, 41}, {250, 166, 124, 83, 50}, {62, 62, 62, 55, 50},
                           {0, 0, 0, 0, 0},      {62, 55, 50, 41, 35},    {50, 50, 50, 50, 50}};
    const Row attack[9] = {{5, 15, 20, 30, 40},  {1, 2, 3, 5, 15},   {1, 2, 3, 5, 15},
                           {5, 7, 10, 18, 35},   {5, 7, 10, 15, 20}, {1, 2, 3, 5, 8},
                           {10, 20, 30, 40, 50}, {3, 6, 10, 12, 15}, {25, 30, 40, 60, 100}};
    for (int t = 0; t < kTowerTypes; ++t) {
        int32_t total = 0;  // what the tower cost up to this level
        for (int level = 1; level <= kTowerLevels; ++level) {
            const std::size_t l = static_cast<std::size_t>(level - 1);
            total += cost[t][l];
            EXPECT_EQ(Game.Cost(level, t), cost[t][l]) << t << " " << level;
            EXPECT_EQ(Game.TotalCost(level, t), total) << t << " " << level;
            EXPECT_EQ(Game.Range(level, t), range[t][l]) << t << " " << level;
            EXPECT_EQ(Game.Reload(level, t), reload[t][l]) << t << " " << level;
            EXPECT_EQ(Game.Attack(level, t), attack[t][l]) << t << " " << level;
        }
    }
}

}  // namespace
}  // namespace vandor::test

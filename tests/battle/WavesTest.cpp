#include <algorithm>
#include <array>
#include <vector>

#include "BattleFixture.h"

namespace vandor::test {
namespace {

TEST_F(BattleTest, EnemiesSpawnAtTheFirstTicksOfTheirMinute) {
    Load(2, EnemyLines(0, 13, 13, 1000) + EnemyLines(1, 13, -13, 1000, 1, 2));
    Begin();
    EXPECT_EQ(Game.Spawned, 0);
    RunTo(1);
    EXPECT_EQ(Game.Spawned, 1);
    RunTo(119);  // ticks 60 and 61 look as well, but 60 × 2 > 61
    EXPECT_EQ(Game.Spawned, 1);
    RunTo(120);
    EXPECT_EQ(Game.Spawned, 2);
    EXPECT_EQ((std::array{Game.Enemy(1).HP, Game.Enemy(1).CX, Game.Enemy(1).CY}), (std::array{1000, 13, -13}));
    EXPECT_EQ(Game.EnemiesLeft(), 2);
}

TEST_F(BattleTest, PaceTenWalksACellIn100TicksAndADiagonalIn140) {
    Picture("敵ユニット01.png", 30, 80);  // frames of 10 × 10
    Load(2, EnemyLines(0, 5, 0, 1000000, 10) + EnemyLines(1, 5, 5, 1000000, 10));
    Begin();
    RunTo(1);
    const TQTDGame::TEnemy& straight = Game.Enemy(0);
    const TQTDGame::TEnemy& diagonal = Game.Enemy(1);
    EXPECT_EQ((std::array{straight.NX, straight.NY, straight.Dir, straight.StepLength}), (std::array{4, 0, 4, 1000}));
    EXPECT_EQ((std::array{diagonal.NX, diagonal.NY, diagonal.Dir, diagonal.StepLength}), (std::array{4, 4, 1, 1400}));
    RunTo(26);  // 750 left: column 750 div 50 rem 4 = 3 shows as 1; the step (-1, 0) is row 5
    EXPECT_EQ(straight.Sprite->SrcRect, (TRect{10, 50, 20, 60}));
    RunTo(51);  // 500 left: f = 1024 - 512
    EXPECT_EQ(straight.FX, 29 * 1024 - 512);
    EXPECT_EQ(straight.Sprite->SrcRect, (TRect{20, 50, 30, 60}));
    RunTo(71);  // 700 of 1400 left; the step (-1, -1) is row 1
    EXPECT_EQ(diagonal.FY, 29 * 1024 - 512);
    EXPECT_EQ(diagonal.Sprite->SrcRect, (TRect{20, 10, 30, 20}));
    const auto cellAfter = [&](int tick, const TQTDGame::TEnemy& enemy) { return RunTo(tick), enemy.CX; };
    EXPECT_EQ(cellAfter(100, straight), 5);
    EXPECT_EQ(cellAfter(101, straight), 4);
    EXPECT_EQ(cellAfter(140, diagonal), 5);
    EXPECT_EQ(cellAfter(141, diagonal), 4);
    EXPECT_EQ(cellAfter(201, straight), 3);
}

TEST_F(BattleTest, PoisonAndSlowingActWhenTheEnemyMoves) {
    Load(2, EnemyLines(0, 13, 13, 5000, 40) + EnemyLines(1, 13, -13, 5000, 40));
    Begin();
    RunTo(1);
    TQTDGame::TEnemy& poisoned = Game.Enemy(0);
    poisoned.Poison = 1000;
    NextTick();
    EXPECT_EQ((std::array{poisoned.HP, poisoned.Poison}), (std::array{4989, 989}));  // 1000 div 100 + 1
    NextTick();
    EXPECT_EQ((std::array{poisoned.HP, poisoned.Poison}), (std::array{4979, 979}));
    poisoned.Poison = 1;
    NextTick();
    EXPECT_EQ((std::array{poisoned.HP, poisoned.Poison}), (std::array{4978, 0}));

    TQTDGame::TEnemy& slowed = Game.Enemy(1);
    const auto walked = [&](int slow) {
        slowed.Slow = slow;
        const int left = slowed.StepLeft;
        NextTick();
        EXPECT_EQ(slowed.Slow, std::max(slow - 1, 0));
        return left - slowed.StepLeft;
    };
    EXPECT_EQ(walked(400), 0);
    EXPECT_EQ(walked(200), 20);  // 40 × 200 div 400
    EXPECT_EQ(walked(800), 0);   // 40 × -400 div 400 would walk back
    EXPECT_EQ(walked(0), 40);
}

TEST_F(BattleTest, EveryEnemyAtTheBaseWearsOnePointATick) {
    Dat.SetHeroinePresent(1, false);
    std::string enemies = EnemyLines(0, 2, 0, 1000000);
    for (int i = 1; i <= 10; ++i) enemies += EnemyLines(i, 0, 0, 1000000);
    Load(11, enemies);
    Begin();
    RunTo(1);
    EXPECT_EQ(Game.BaseHP(), 2989);
    RunTo(2);
    EXPECT_EQ(Game.BaseHP(), 2978);
    EXPECT_EQ((std::array{Game.Enemy(0).CX, Game.Enemy(0).Dir}), (std::array{2, -1}));  // nothing lower to go to
}

TEST_F(BattleTest, AWaveEndsInTheFrameItsLastEnemyDiesAndScoresItsTicks) {
    Load(3, EnemyLines(0, 13, 13, 1, 1, 0, 7) + EnemyLines(1, 13, -13, 1, 1, 0, 7) + EnemyLines(2, 13, 12, 1, 1, 0, 7));
    Begin();
    RunTo(1);
    Game.Enemy(0).Poison = Game.Enemy(1).Poison = 100;  // 2 points next tick
    RunTo(6);
    EXPECT_EQ(Game.EnemiesLeft(), 1);
    TLayerItem* body = Game.Enemy(2).Sprite;
    Game.Enemy(2).Poison = 100;
    Frames(1);
    EXPECT_EQ(Game.Ticks, 7);
    EXPECT_EQ(Game.WaveIndex, 1);
    EXPECT_TRUE(Game.Prep);
    EXPECT_EQ(Game.Ledger(TQTDGame::lrRewards, 0), 21);
    EXPECT_EQ(Game.Ledger(TQTDGame::lrIncome, 1), 100);       // the base untouched
    EXPECT_EQ(Game.Money(), 621);                             // 500 + 21 + 100
    EXPECT_EQ(Game.Ledger(TQTDGame::lrWaveBonus, 1), 131);    // 100 + 621 div 20
    EXPECT_EQ(Game.Ledger(TQTDGame::lrTimeBonus, 1), 10285);  // 72000 div 7
    EXPECT_EQ(Game.Score(), 21 + 131 + 10285);
    ASSERT_TRUE(Game.Caption);
    EXPECT_EQ(Game.Caption->Name(), "ci殲滅.png");
    EXPECT_EQ(Game.ProjectileCount(), 3 * 24);

    // The body rises off the top of the screen while it fades.
    EXPECT_FALSE(Game.Enemy(2).Sprite);
    EXPECT_GT(body->Position.Y, 200);
    Game.Layers.Transitions.Step(860);
    EXPECT_LT(body->Position.Y, 0);
}

TEST_F(BattleTest, TheWipeMarkerClearsTheFieldWithoutRewardsAndLaterEnemiesStillCome) {
    Load(4, EnemyLines(0, 2, 0, 123456) + EnemyLines(1, 13, 13, 50) + EnemyLines(2, -13, 13, 50) +
                EnemyLines(3, 2, 0, 123456, 1, 1));
    Begin();
    RunTo(1);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Game.Enemy(i).HP == 0 && !Game.Enemy(i).Sprite) << i;
    EXPECT_EQ(Game.ProjectileCount(), 0);  // no debris
    EXPECT_EQ(Game.EnemiesLeft(), 1);
    RunTo(59);
    EXPECT_EQ(Game.WaveIndex, 0);
    RunTo(60);  // the last enemy comes and wipes itself: the wave closes without its caption
    EXPECT_EQ(Game.WaveIndex, 1);
    EXPECT_EQ(Game.Enemy(3).MaxHP, 123456);
    EXPECT_EQ(Game.Ledger(TQTDGame::lrRewards, 0), 0);
    EXPECT_FALSE(Game.Caption);
    EXPECT_EQ(Game.VoiceChannel, -1);
}

TEST_F(BattleTest, HeroineOneCriesOutOnceAtEachThresholdAndOnlyWhenPresent) {
    for (const bool present : {true, false}) {
        Dat.SetHeroinePresent(1, present);
        Load(1, EnemyLines(0, 2, 0, 1000000), present ? 1 : 2);
        Begin();
        Game.Speed = 16;
        std::vector<std::string> cries;
        while (Game.BaseHP() > 800) {
            Frames(1);
            if (Game.Caption && Game.Caption->Name().starts_with("ci被撃")) cries.push_back(Game.Caption->Name());
        }
        const std::vector<std::string> expected{"ci被撃1.png", "ci被撃2.png", "ci被撃3.png"};
        EXPECT_EQ(cries, present ? expected : std::vector<std::string>());
    }
}

TEST_F(BattleTest, AWaveOfMoreThan128EnemiesTakesTheRecordsOfTheDead) {
    std::string enemies;
    for (int i = 0; i < 130; ++i) enemies += EnemyLines(i, 13, 13, 1000 + i);
    Load(130, enemies);
    Begin();
    RunTo(1);
    EXPECT_EQ(Game.Spawned, 128);
    EXPECT_EQ(Game.EnemiesLeft(), 130);
    for (int i : {7, 5}) {
        Game.Enemy(i).HP = 0;
        Game.KillEnemy(i);
    }
    EXPECT_EQ(Game.EnemiesLeft(), 128);
    RunTo(60);
    EXPECT_EQ(Game.Spawned, 130);
    EXPECT_EQ(Game.Enemy(5).HP, 1128);
    EXPECT_EQ(Game.Enemy(7).HP, 1129);
    EXPECT_EQ(Game.EnemiesLeft(), 128);
    for (int i = 0; i < 128; ++i) {
        Game.Enemy(i).HP = 0;
        Game.KillEnemy(i);
    }
    Frames(1);
    EXPECT_EQ(Game.WaveIndex, 1);
}

}  // namespace
}  // namespace vandor::test

// The game program plays two battles headless on a debug data folder the test makes:
// the first is won by the base's own shots, the second is lost and the story goes on
// in the defeat script. The battle log's figures are worked out by hand below.

#include <gtest/gtest.h>

#include <string>

#include "DiamondTiles.h"
#include "GameProgram.h"
#include "TempFolder.h"
#include "resources/PictureCodec.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

constexpr TColor32 kGround = 0xFF30A040;
constexpr TColor32 kBase = 0xFF3050FF;
constexpr TColor32 kEnemy = 0xFFFF2020;
constexpr TColor32 kShot = 0xFFFFFF00;
constexpr TColor32 kDefeat = 0xFF00C0C0;
constexpr TColor32 kTower = 0xFFC08040;
constexpr TColor32 kText = 0xFFFFFFFF;

class BattleGameTest : public ::testing::Test {
protected:
    void Picture(const std::string& name, int width, int height, TColor32 colour) {
        TBitmap32 picture(width, height);
        picture.Clear(colour);
        ASSERT_TRUE(SavePng(picture, data + name));
    }
    // Ground tiles are diamonds, so that the field reads as the isometric grid it is.
    void GroundPicture() {
        const TBitmap32 picture = test::DiamondTiles([](int frame) -> TColor32 {
            return frame == 2 ? 0xC0FF0000 : frame == 0 ? 0xFFFFFF80 : kGround;
        });
        ASSERT_TRUE(SavePng(picture, data + "地面.png"));
    }
    void WriteData() {
        std::filesystem::create_directories(data);
        Picture("bgi戦闘.png", 800, 600, 0xFF202020);
        GroundPicture();
        Picture("城.png", 48, 46, kBase);
        Picture("城壁.png", 192, 32, 0xFF909090);
        Picture("マップチップ.png", 512, 64, 0xFF805020);
        Picture("敵ユニット01.png", 72, 256, kEnemy);
        Picture("弾丸.png", 32, 32, kShot);
        for (const char* button : {"btn戦闘開始.png", "btn高速モード.png", "btn一時停止.png"}) {
            Picture(button, 128, 96, 0xFFE0E0E0);
        }
        for (int t = 1; t <= 8; ++t) Picture("btn塔" + std::to_string(t) + ".png", 48, 144, 0xFF608060);
        Picture("btn汎用.png", 118, 72, 0xFF606060);
        for (const char* caption :
             {"ci攻撃0.png", "ci殲滅.png", "ci撃破.png", "ci敗北.png", "ci被撃1.png", "ci被撃2.png", "ci被撃3.png"}) {
            Picture(caption, 800, 100, 0xC0FF00FF);
        }
        Picture("fi戦場01.png", 800, 600, 0x80000000);
        Picture("fi戦場02.png", 800, 600, 0x80000000);
        Picture("lost.png", 800, 600, kDefeat);

        WriteTextFile(data + "first.txt", "[戦闘開始/1]\n[戦闘開始/2]\n[クリック待]\n");
        WriteTextFile(data + "敗北.txt", "*スタート\n[文章枠/なし]\n[lost/0]\n[クリック待]\n");
        // Obstacles far from the enemies' way, so that their paths stay as worked out below.
        WriteTextFile(data + "st01.txt", "MAP_18_18=1\nMAP_17_18=2\nMAP_32_16=3\n");
        // Area 1 is a stronghold battle (its first), so its own battle file is read.
        WriteTextFile(data + "bt01-01.txt",
                      "WC=2\n"
                      "WEC_00=1\nE_00_00_TM=0\nE_00_00_HP=5\nE_00_00_MN=30\nE_00_00_PX=4\nE_00_00_PY=0\n"
                      "WEC_01=1\nE_01_00_TM=1\nE_01_00_HP=5\nE_01_00_MN=30\nE_01_00_PX=4\nE_01_00_PY=0\n");
        // Area 2 has no file for its first battle: the area's general one is read.
        std::string lost = "WC=1\nWEC_00=50\n";
        static constexpr int kRing[12][2] = {{2, -1}, {2, 0}, {2, 1}, {-2, -1}, {-2, 0}, {-2, 1},
                                             {-1, 2}, {0, 2}, {1, 2}, {-1, -2}, {0, -2}, {1, -2}};
        for (int i = 0; i < 50; ++i) {
            const std::string key = "E_00_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "_";
            lost += key + "HP=1000000\n" + key + "PX=" + std::to_string(kRing[i % 12][0]) + "\n" + key +
                    "PY=" + std::to_string(kRing[i % 12][1]) + "\n";
        }
        WriteTextFile(data + "bt02-00.txt", lost);
    }

    int Run(const std::string& input, int frames = 310) {
        WriteTextFile(temp / "input.txt", input);
        return test::RunGame(game, documents,
                             "--headless --frames " + std::to_string(frames) + " --input '" + (temp / "input.txt") +
                                 "' --battle-log '" + (temp / "battle.log") + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }
    TBitmap32 Shot(const std::string& name) const {
        const std::string bytes = ReadTextFile(temp / name);
        return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    static int Count(const TBitmap32& picture, TColor32 colour) { return Count(picture, colour, picture.BoundsRect()); }
    static int Count(const TBitmap32& picture, TColor32 colour, const TRect& rect) {
        int count = 0;
        for (int y = rect.Top; y < rect.Bottom; ++y) {
            for (int x = rect.Left; x < rect.Right; ++x) count += *picture.PixelPtr(x, y) == colour;
        }
        return count;
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string data = game + "scenario/";
    const std::string documents = temp / "docs/";
};

TEST_F(BattleGameTest, WinsOneBattleLosesTheNextAndLogsEveryWave) {
    std::filesystem::create_directories(game);
    std::filesystem::copy_file(VANDOR_PATH, game + "vandor");
    WriteData();
    // The start button lies at (671, 504), 128 x 32; any click ends a finished battle.
    const std::string start = " move 735 520\n";
    const auto click = [](int frame) {
        return std::to_string(frame) + " down left\n" + std::to_string(frame) + " up left\n";
    };
    // Each battle opens with its title for 10 frames, which then fades for 30; a wave
    // takes a frame or so beyond its ticks for each caption that comes and goes.
    ASSERT_EQ(Run("45" + start + click(45) + "58 shot " + (temp / "battle1.png") + "\n" + click(70) + click(155) +
                  click(200) + "240 shot " + (temp / "battle2.png") + "\n" + click(280) + "300 shot " +
                  (temp / "defeat.png") + "\n"),
              0)
        << ReadTextFile(temp / "stderr.txt");

    // Battle 1, area 1: the battle command conquers area 1 before the battle starts,
    // so the funds are 50 x 1 + 500 = 550 and the base has 3000 durability.
    // Wave 1: the enemy appears at tick 1 on (4, 0), 4096 units from the base, in its
    // reach (103 x 40 = 4120). The base (attack 5, reload 50) fires at once; its shot
    // falls 2048 x 300 div 4579 = 134 a tick and lands in its 16th step, at tick 16.
    // Money 550 + 30 + 100 (the next wave's income for an unhurt base) = 680; wave
    // bonus 100 + 680 div 20 = 134, time bonus 72000 div 16 = 4500; score 30 + 134 + 4500.
    // Wave 2: the enemy comes at tick 60 (the base has long reloaded) and is hit at
    // tick 75: money 680 + 30 + 100 = 810; bonuses 100 + 810 div 20 = 140 and
    // 72000 div 75 = 960; score 4664 + 30 + 140 + 960 = 5794.
    // Battle 2, area 2: funds 50 x 1 + 400 = 450; 50 enemies stand on the ring around
    // the base from tick 1 and take 50 durability a tick: 3000 is gone at tick 60.
    EXPECT_EQ(ReadTextFile(temp / "battle.log"),
              "1 1 16 680 4664 3000 0 cleared\n"
              "1 2 75 810 5794 3000 0 won\n"
              "2 1 60 450 0 0 50 lost\n");

    const TBitmap32 first = Shot("battle1.png");
    ASSERT_EQ(first.Width(), 800);
    EXPECT_GT(Count(first, kGround), 10000) << "the field";
    EXPECT_GT(Count(first, kBase), 500) << "the base";
    EXPECT_GT(Count(first, kEnemy), 100) << "the enemy";
    EXPECT_GT(Count(first, kShot), 50) << "the base's shot";
    EXPECT_GT(Count(Shot("battle2.png"), kEnemy), 1000) << "the enemies around the base";
    EXPECT_EQ(*Shot("defeat.png").PixelPtr(400, 300), kDefeat) << "the defeat script runs";
}

// One battle fought with the mouse alone: towers placed from their buttons, one of
// them refused on an obstacle, raised, cancelled and removed through the pop-up, and
// both waves started with the start button, the second in fast mode.
TEST_F(BattleGameTest, ABattleFoughtWithTheMouseLogsWhatItsTowersCost) {
    std::filesystem::create_directories(game);
    std::filesystem::copy_file(VANDOR_PATH, game + "vandor");
    WriteData();
    WriteTextFile(data + "first.txt", "[戦闘開始/1]\n[クリック待]\n");
    for (int t = 1; t <= 8; ++t) Picture("塔" + std::to_string(t) + ".png", 24, 20, kTower);

    // Cell (x, y)'s tile is centred at (400 + 16 (x + y), 252 + 8 (x - y)); a tower there
    // stands on it. Build buttons 1 and 2 lie at (0, 504) and (48, 504), 48 x 48; a
    // tower's pop-up buttons at (sx + 24, sy - 8 + 25 j), 118 x 24, beside its cell's
    // point (sx, sy); start and fast at (671, 504) and (671, 536), 128 x 32.
    const auto click = [](int frame, int x, int y) {
        const std::string f = std::to_string(frame);
        return f + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" + f + " down left\n" + f +
               " up left\n";
    };
    const auto shot = [&](int frame, const std::string& name) {
        return std::to_string(frame) + " shot " + (temp / name) + "\n";
    };
    const TPoint towerA{400, 172};  // cell (-5, 5)
    const TPoint towerB{464, 316};  // cell (6, -2)
    std::string input;
    input += "45 move 72 528\n" + shot(46, "hover.png");
    input += click(47, 72, 528) + click(49, towerA.X, towerA.Y);  // a bow tower on (-5, 5)
    input += click(52, 24, 528) + "54 move 300 300\n";            // a simple tower...
    input += click(56, 208, 252) + shot(57, "refused.png");       // ...not on the obstacle at (-6, -6)
    input += click(59, towerB.X, towerB.Y);                       // but on (6, -2)
    input += click(62, towerA.X, towerA.Y) + click(65, 464, 184) + shot(66, "popup.png");  // level 2
    input += click(68, 464, 209);                                                          // cancel: grey, nothing
    input += click(71, towerB.X, towerB.Y) + click(74, 528, 378);                          // remove the simple tower
    input += click(77, 735, 520) + shot(86, "wave1.png");                                  // wave 1
    input += click(111, towerA.X, towerA.Y) + click(114, 464, 184);                        // level 3...
    input += click(117, 464, 209) + click(120, 464, 234);                                  // ...cancelled, then removed
    input += click(123, 735, 520) + click(124, 735, 552) + shot(128, "fast.png");          // wave 2, fast
    input += shot(135, "won.png");
    ASSERT_EQ(Run(input, 140), 0) << ReadTextFile(temp / "stderr.txt");

    // Funds 550. Preparation 1: the bow tower 80, the simple tower 20, the bow tower's
    // level 2 60; the simple tower, built in this preparation, is removed at its full
    // price: spending 80 + 20 + 60 - 20 = 140. The towers stand far from the enemies'
    // way, so wave 1 goes as without them: the base's shot kills at tick 16, reward 30.
    // Money 550 + 30 - 140 + 100 (next income) = 540; bonuses 100 + 540 div 20 = 127
    // and 72000 div 16 = 4500; score 30 + 127 + 4500 = 4657.
    // Preparation 2: level 3 for 100, cancelled (the level was bought since the wave
    // began) for 100 back; the bow tower of the last wave is removed for half its 140:
    // refund 70. Wave 2 runs at 16 ticks a frame from its first tick: the hit at tick 75
    // ends it with the frame's last tick, 80. Money 540 + 30 + 70 + 100 = 740; bonuses
    // 100 + 740 div 20 = 137 and 72000 div 80 = 900; score 4657 + 30 + 137 + 900 = 5724.
    EXPECT_EQ(ReadTextFile(temp / "battle.log"),
              "1 1 16 540 4657 3000 0 cleared\n"
              "1 2 80 740 5724 3000 0 won\n");

    // White text in the panels: the status (top right), the information about the
    // hovered build button (bottom middle), money and score (the bar), the pop-up.
    const TBitmap32 hover = Shot("hover.png");
    EXPECT_GT(Count(hover, kText, {600, 0, 800, 130}), 200) << "status";
    EXPECT_GT(Count(hover, kText, {192, 504, 488, 600}), 200) << "information";
    EXPECT_GT(Count(hover, kText, {118, 484, 182, 500}), 10) << "money";
    // The towers: the ghost where the pointer last found a free cell, the bow tower
    // under its pop-up (the hover cursor lies over its foot).
    EXPECT_GT(Count(Shot("refused.png"), kTower, {270, 270, 330, 310}), 200) << "the simple tower's ghost";
    const TBitmap32 popUp = Shot("popup.png");
    EXPECT_GT(Count(popUp, kText, {424, 152, 566, 246}), 100) << "pop-up";
    EXPECT_GT(Count(popUp, kTower, {388, 160, 412, 180}), 150) << "the bow tower";
    EXPECT_GT(Count(Shot("wave1.png"), kShot), 50) << "the base's shot";
    EXPECT_GT(Count(Shot("fast.png"), kEnemy), 50) << "the second wave's enemy";
}

// The same bow tower on the same cell, dragged there by the mouse in one game and
// placed with the keys alone in another: the battles log the same figures. Only the
// keys' game shows the cursor, a white outline over the cell.
TEST_F(BattleGameTest, ATowerPlacedWithTheKeysLogsAsOneDraggedByTheMouse) {
    std::filesystem::create_directories(game);
    std::filesystem::copy_file(VANDOR_PATH, game + "vandor");
    WriteData();
    WriteTextFile(data + "first.txt", "[戦闘開始/1]\n[クリック待]\n");
    for (int t = 1; t <= 8; ++t) Picture("塔" + std::to_string(t) + ".png", 24, 20, kTower);
    const auto keys = [](int frame, const std::string& key, int times) {
        std::string events;
        for (int i = 0; i < times; ++i)
            events += std::to_string(frame) + " keydown " + key + "\n" + std::to_string(frame) + " keyup " + key + "\n";
        return events;
    };
    const TRect cell{384, 160, 416, 181};  // the tile of (-5, 5) and the tower on it

    // Build button 2 lies at (48, 504), 48 x 48; the tile of (-5, 5) is centred at (400, 172).
    // Start and fast lie at (671, 504) and (671, 536), 128 x 32: wave 1, then wave 2 in fast mode.
    ASSERT_EQ(Run("47 move 72 528\n47 down left\n48 move 300 250\n48 move 400 172\n48 up left\n"
                  "77 move 735 520\n77 down left\n77 up left\n120 down left\n120 up left\n"
                  "124 move 735 552\n124 down left\n124 up left\n130 shot " +
                      (temp / "mouse.png") + "\n",
                  140),
              0)
        << ReadTextFile(temp / "stderr.txt");
    // Funds 550 less the bow tower's 80. Wave 1 as in the battle above: money
    // 550 - 80 + 30 + 100 = 600, bonuses 100 + 600 div 20 = 130 and 4500, score 4660.
    // Wave 2 runs three ticks at normal speed, then 16 a frame: the hit at tick 75 ends
    // it with its frame's last tick, 3 + 5 x 16 = 83. Money 730, bonuses 100 + 730 div
    // 20 = 136 and 72000 div 83 = 867, score 4660 + 30 + 136 + 867 = 5693.
    const std::string log = ReadTextFile(temp / "battle.log");
    EXPECT_EQ(log, "1 1 16 600 4660 3000 0 cleared\n1 2 83 730 5693 3000 0 won\n");
    EXPECT_EQ(Count(Shot("mouse.png"), kText, cell), 0) << "no cursor for the mouse";

    std::filesystem::remove(temp / "battle.log");
    ASSERT_EQ(
        Run(keys(47, "Up", 5) + keys(47, "Left", 5) + keys(47, "E", 2) + keys(48, "Return", 1) + keys(77, "S", 1) +
                keys(120, "S", 1) + keys(124, "F", 1) + "130 shot " + (temp / "keys.png") + "\n",
            140),
        0)
        << ReadTextFile(temp / "stderr.txt");
    EXPECT_EQ(ReadTextFile(temp / "battle.log"), log);
    EXPECT_GT(Count(Shot("keys.png"), kText, cell), 20) << "the cursor";
}

// Level marks, chosen from the menu: pips at the foot of each tower and of the base,
// lit as far as its level, and the choice remembered in Config.ini.
TEST_F(BattleGameTest, TowerLevelsChosenFromTheMenuMarkEachTowersLevel) {
    std::filesystem::create_directories(game);
    std::filesystem::copy_file(VANDOR_PATH, game + "vandor");
    WriteData();
    WriteTextFile(data + "first.txt", "[戦闘開始/1]\n[クリック待]\n");
    for (int t = 1; t <= 8; ++t) Picture("塔" + std::to_string(t) + ".png", 24, 20, kTower);
    const auto click = [](int frame, int x, int y) {
        const std::string f = std::to_string(frame);
        return f + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" + f + " down left\n" + f +
               " up left\n";
    };
    // A bow tower on (-5, 5), whose tile is centred at (400, 172), raised to level 2 from
    // its pop-up's first button.
    const std::string input = "1 menu mmTowerLevels\n" + click(47, 72, 528) + click(49, 400, 172) +
                              "51 move 600 400\n52 shot " + (temp / "level1.png") + "\n" + click(55, 400, 172) +
                              click(58, 464, 184) + "60 move 600 400\n61 shot " + (temp / "level2.png") + "\n";
    ASSERT_EQ(Run(input, 62), 0) << ReadTextFile(temp / "stderr.txt");

    // A cell's marks stand above its foot, the tile's lowest point: pips 5 pixels
    // apart, the first from 13 pixels left of it, 7 pixels above it.
    const auto lit = [](const TBitmap32& picture, TPoint foot) {
        int pips = 0;
        for (int pip = 0; pip < 5; ++pip)
            pips += *picture.PixelPtr(foot.X - 13 + 5 * pip + 3, foot.Y - 4) == 0xFFFFD040;
        return pips;
    };
    const TPoint tower{400, 180};
    const TPoint base{400, 260};
    const TBitmap32 level1 = Shot("level1.png");
    EXPECT_EQ(lit(level1, tower), 1);
    EXPECT_EQ(lit(level1, base), 1);
    const TBitmap32 level2 = Shot("level2.png");
    EXPECT_EQ(lit(level2, tower), 2);
    EXPECT_EQ(lit(level2, base), 1);
    EXPECT_GT(Count(level2, kTower, {388, 160, 412, 172}), 150) << "the tower above its marks";
    const TIniFile config(documents + "クイルフェン/ヴァンドルの星砦タクティクス/Config.ini");
    EXPECT_TRUE(config.ReadBool("Comfort", "TowerLevels", false));
}

}  // namespace
}  // namespace vandor

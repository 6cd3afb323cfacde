// The demo's title keeps saves for campaigns that have begun: after returning to the
// title from the action phase, where saving was possible, neither the title nor the
// prologue of a new game can be saved, by the menu or by F5, until the next action
// phase opens the save menu again.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;

constexpr int kFrames = 420;

std::string Click(int frame, int x, int y) {
    const std::string at = std::to_string(frame);
    return at + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" + at + " down left\n" + at + " up left\n";
}

std::string QuickSave(int frame) {
    const std::string at = std::to_string(frame);
    return at + " keydown F5\n" + at + " keyup F5\n";
}

// The demo's loose folders and the program in a scratch folder.
std::string CopyTheDemo(const test::TTempFolder& temp) {
    const std::string game = temp / "game/";
    fs::create_directories(game);
    for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
        fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder, fs::copy_options::recursive);
    }
    fs::copy_file(VANDOR_PATH, game + "vandor");
    return game;
}

TEST(DemoTitleTest, NothingIsSavedFromTheTitleUntilTheNextActionPhase) {
    test::TTempFolder temp;
    const std::string game = CopyTheDemo(temp);

    // The action phase saves into the first slot; back at the title the second slot and
    // F5 are tried, and again in the prologue the title's start button begins.
    const std::string input = "60 menu mmSF0_0\n80 menu mmTitle\n200 menu mmSF0_1\n" + QuickSave(205) +
                              Click(210, 400, 408) + "400 menu mmSF0_2\n" + QuickSave(405);
    test::WriteTextFile(temp / "input.txt", input);
    ASSERT_EQ(test::RunGame(game, temp / "docs",
                            "--headless --frames " + std::to_string(kFrames) +
                                " --start 行動.txt:*行動フェイズ --input '" + (temp / "input.txt") + "'",
                            temp / "stdout.txt", temp / "stderr.txt"),
              0)
        << ReadTextFile(temp / "stderr.txt");

    const std::string refused = ReadTextFile(temp / "stderr.txt");
    EXPECT_EQ(refused.find("\"mmSF0_0\""), std::string::npos) << refused;
    EXPECT_NE(refused.find("\"mmSF0_1\""), std::string::npos) << refused;
    EXPECT_NE(refused.find("\"mmSF0_2\""), std::string::npos) << refused;

    const std::string saves = temp / "docs/クイルフェン/ヴァンドルの星砦タクティクス/";
    const TIniFile config(saves + "Config.ini");
    EXPECT_FALSE(config.ReadString("Save", "Item00").empty());
    EXPECT_TRUE(config.ReadString("Save", "Item01").empty());
    EXPECT_TRUE(config.ReadString("Save", "Item02").empty());
    EXPECT_FALSE(fs::exists(saves + "quicksave.dat"));
    // The prologue had begun when the last save was refused.
    EXPECT_NE(test::ReadDebugLog(game).find("\"*はじまり\""), std::string::npos);
}

// The farewell ends with the question whether to quit: agreed, the game ends there;
// declined, the title comes back and the game runs on.
TEST(DemoTitleTest, TheFarewellEndsTheGameUnlessTheQuitIsDeclined) {
    test::TTempFolder temp;
    const std::string game = CopyTheDemo(temp);
    // Whether the game still ran at the last frame: its picture was taken.
    const auto runsOn = [&](const std::string& answer) {
        std::string input = "0 answer " + answer + "\n";
        for (int frame = 20; frame < 300; frame += 8) input += Click(frame, 400, 580);
        const std::string last = temp / ("last-" + answer + ".png");
        input += "400 shot " + last + "\n";
        test::WriteTextFile(temp / "input.txt", input);
        EXPECT_EQ(test::RunGame(
                      game, temp / "docs",
                      "--headless --frames 400 --start ending.txt:*さようなら --input '" + (temp / "input.txt") + "'",
                      temp / "stdout.txt", temp / "stderr.txt"),
                  0)
            << ReadTextFile(temp / "stderr.txt");
        return fs::exists(last);
    };
    EXPECT_FALSE(runsOn("ok"));
    EXPECT_TRUE(runsOn("cancel"));
    const std::string log = test::ReadDebugLog(game);
    const std::size_t farewell = log.find("\"*さようなら\"");
    ASSERT_NE(farewell, std::string::npos) << log;
    EXPECT_NE(log.find("\"*スタート\"", farewell), std::string::npos) << log;
}

}  // namespace
}  // namespace vandor

// The tutorial's game (docs/tutorial/) as its reader builds it: its own scripts, pictures,
// map and waves with the demo's battle pictures and sounds beside them. It lints clean,
// and its input file plays it headless from the title through a battle to its ending.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

class TutorialTest : public ::testing::Test {
protected:
    TutorialTest() {
        fs::create_directories(game);
        fs::copy(fs::path(TUTORIAL_DIR) / "game", game, fs::copy_options::recursive);
        for (const char* folder : {"image", "sound", "bgm"}) {
            fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder,
                     fs::copy_options::recursive | fs::copy_options::skip_existing);
        }
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }
    int Run(const std::string& arguments) {
        return test::RunGame(game, temp / "docs", arguments + " --save-dir '" + (temp / "saves") + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }

    test::TTempFolder temp;
    const std::string game = temp / "game/";
};

TEST_F(TutorialTest, TheTutorialsGameLintsCleanAndPlaysToItsEnding) {
    EXPECT_EQ(Run("--lint"), 0);
    EXPECT_EQ(test::ReadTextFile(temp / "stdout.txt"), "") << "no finding at all";

    const std::string input = std::string(TUTORIAL_DIR) + "/play.txt";
    ASSERT_EQ(Run("--headless --frames 6000 --input '" + input + "' --battle-log '" + (temp / "battle.log") + "'"), 0)
        << test::ReadTextFile(temp / "stderr.txt");
    EXPECT_EQ(test::ReadTextFile(temp / "stderr.txt"), "");
    EXPECT_EQ(test::ReadTextFile(temp / "battle.log").substr(0, 4), "1 1 ");
    EXPECT_NE(test::ReadTextFile(temp / "battle.log").find(" won\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(game + "ending.png")) << "the run reached the ending's page";
    EXPECT_FALSE(fs::exists(temp / "docs")) << "the player's folder stays untouched";
}

}  // namespace
}  // namespace vandor

// The game program as an author runs it while writing: in a folder of settings of its
// own, from a chosen script and label or straight in a battle, with input files that
// wait for what the game shows instead of counting frames.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "resources/PictureCodec.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

constexpr TColor32 kRed = 0xFFFF0000;
constexpr TColor32 kBlue = 0xFF0000FF;

class AuthorRunGameTest : public ::testing::Test {
protected:
    AuthorRunGameTest() {
        fs::create_directories(data);
        fs::copy_file(VANDOR_PATH, game + "vandor");
        Picture("red.png", 800, 600, kRed);
        Picture("blue.png", 800, 600, kBlue);
        // The courtyard is two clicks into the second script.
        WriteTextFile(data + "first.txt", "[文章枠/なし]\n[red/0]\n[クリック待]\n[ジャンプ/second.txt]\n");
        WriteTextFile(data + "second.txt",
                      "[red/0]\n一頁目。\n\n二頁目。\n\n*中庭\n[blue/0]\n三頁目。\n\n[選択/*左]左へ\n[選択/*右]右へ\n\n"
                      "*左\n[red/0]\n[クリック待]\n*右\n[red/0]\n[クリック待]\n");
    }

    void Picture(const std::string& name, int width, int height, TColor32 colour) {
        TBitmap32 picture(width, height);
        picture.Clear(colour);
        ASSERT_TRUE(SavePng(picture, data + name));
    }
    int Run(const std::string& arguments) {
        return test::RunGame(game, documents, arguments, temp / "stdout.txt", temp / "stderr.txt");
    }
    int RunInput(const std::string& input, const std::string& arguments) {
        WriteTextFile(temp / "input.txt", input);
        return Run("--headless --input '" + (temp / "input.txt") + "' " + arguments);
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    TColor32 ShotPixel(const std::string& name) const {
        const std::string bytes = ReadTextFile(temp / name);
        const TBitmap32 shot = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return shot.Width() == 0 ? 0 : *shot.PixelPtr(10, 10);
    }
    std::string ShotAt(const std::string& name) const { return " shot " + (temp / name) + "\n"; }

    TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string data = game + "scenario/";
    const std::string documents = temp / "docs/";
    const std::string saves = temp / "saves/";
};

TEST_F(AuthorRunGameTest, ASaveFolderOfItsOwnKeepsThePlayersFolderUntouched) {
    ASSERT_EQ(Run("--headless --frames 20 --start second.txt --save-dir '" + saves + "'"), 0) << Stderr();
    EXPECT_TRUE(fs::exists(saves + "Config.ini"));
    EXPECT_TRUE(fs::exists(saves + "save999.dat")) << "the read flag of second.txt";
    EXPECT_FALSE(fs::exists(documents)) << "nothing made in the player's folder";

    ASSERT_EQ(Run("--lint --save-dir '" + temp / "lint-saves/" + "'"), 0) << ReadTextFile(temp / "stdout.txt");
    ASSERT_EQ(Run("--lint"), 0) << ReadTextFile(temp / "stdout.txt");
    EXPECT_FALSE(fs::exists(documents)) << "a check writes nothing";
    EXPECT_FALSE(fs::exists(temp / "lint-saves"));

    // Without it the same run uses the player's folder, as before.
    ASSERT_EQ(Run("--headless --frames 20"), 0) << Stderr();
    EXPECT_TRUE(fs::exists(documents + "クイルフェン/ヴァンドルの星砦タクティクス/Config.ini"));
}

TEST_F(AuthorRunGameTest, StartsAtAScriptAndLabelOrRefusesAPlaceThatIsNot) {
    ASSERT_EQ(RunInput("5" + ShotAt("label.png"), "--frames 5 --start 'second.txt:*中庭'"), 0) << Stderr();
    EXPECT_EQ(ShotPixel("label.png"), kBlue);
    ASSERT_EQ(RunInput("5" + ShotAt("top.png"), "--frames 5 --start second.txt"), 0) << Stderr();
    EXPECT_EQ(ShotPixel("top.png"), kRed);

    EXPECT_EQ(Run("--headless --frames 5 --start nowhere.txt"), 2);
    EXPECT_NE(Stderr().find("there is no script \"nowhere.txt\" to start at"), std::string::npos) << Stderr();
    EXPECT_EQ(Run("--headless --frames 5 --start 'second.txt:*庭'"), 2);
    EXPECT_NE(Stderr().find("\"second.txt\" has no label \"*庭\""), std::string::npos) << Stderr();
    EXPECT_EQ(Run("--headless --frames 5 --start second.txt --battle 1"), 2);
}

// The input clicks only when the game is ready, so it does not depend on the text's
// length; a wait that never ends fails the run, naming its line.
TEST_F(AuthorRunGameTest, WaitsForPagesLabelsAndChoices) {
    const std::string input =
        "0 wait page\n"
        "0 char Return\n"
        "0 wait page\n"
        "0 char Return\n"
        "0 wait page\n"
        "0 char Return\n"
        "0 wait label *中庭\n"
        "0 wait page\n"
        "0" +
        ShotAt("courtyard.png") +
        "0 char Return\n"
        "0 wait choices\n"
        "0" +
        ShotAt("choices.png") + "0 close\n";
    ASSERT_EQ(RunInput(input, "--frames 3000"), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");
    EXPECT_EQ(ShotPixel("courtyard.png"), kBlue);
    EXPECT_EQ(ShotPixel("choices.png"), kBlue);

    EXPECT_EQ(RunInput("0 wait choices 30\n5 close\n", "--frames 3000"), 3);
    EXPECT_NE(Stderr().find("line 1: waited 30 frames (from frame 0) for choices, which never came"), std::string::npos)
        << Stderr();
}

TEST_F(AuthorRunGameTest, StartsStraightInABattleOnANewGamesCampaign) {
    Picture("btn戦闘開始.png", 128, 96, 0xFFE0E0E0);
    Picture("fi戦場03.png", 800, 600, 0x80000000);
    WriteTextFile(data + "bt00-00.txt",
                  "WC=1\nWEC_00=1\nE_00_00_TM=0\nE_00_00_HP=5\nE_00_00_MN=30\nE_00_00_PX=4\nE_00_00_PY=0\n");
    const std::string log = temp / "battle.log";
    ASSERT_EQ(RunInput("0 wait battle 200\n0 move 735 520\n1 down left\n1 up left\n",
                       "--frames 600 --battle 3 --battle-log '" + log + "'"),
              0)
        << Stderr();
    const std::string lines = ReadTextFile(log);
    EXPECT_TRUE(lines.starts_with("3 1 ")) << lines;
    EXPECT_NE(lines.find(" won\n"), std::string::npos) << lines;

    EXPECT_EQ(Run("--headless --frames 5 --battle 15"), 2);
    EXPECT_NE(Stderr().find("areas are 1..14, not 15"), std::string::npos) << Stderr();

    // The same area's field and waves, drawn without playing.
    ASSERT_EQ(Run("--map-preview 3 '" + (temp / "preview.png") + "'"), 0) << Stderr();
    const std::string bytes = ReadTextFile(temp / "preview.png");
    EXPECT_GT(DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()).Width(), 800);
    EXPECT_EQ(Run("--map-preview 15 '" + (temp / "preview.png") + "'"), 2);
}

}  // namespace
}  // namespace vandor

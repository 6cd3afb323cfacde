// The demo played by the game program headless with a controller alone, and again with
// the keyboard alone: from the title through the prologue's choices and the fortress
// tour to the storm night, whose battle then holds the game. The player presses the
// same two things over and over, as someone with no mouse would: a step of the focus
// (which focuses the first choice or button when there are any, and does nothing
// otherwise) and the button that clicks. And a player who has a controller plugged in
// but plays with the mouse sees the very same pictures as one without.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GameProgram.h"
#include "TempFolder.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

// The storm night comes after some 2,200 frames with the controller; Enter, which turns
// the page as it always has, waits for the pictures' fades that a click cuts short, so
// the keyboard takes some 3,600. Each run goes on long enough to show that the battle
// holds the story.
constexpr int kPadFrames = 2800;
constexpr int kKeyFrames = 4400;
constexpr int kPressEvery = 8;

class DemoPadTest : public ::testing::Test {
protected:
    DemoPadTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
        for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
            fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder, fs::copy_options::recursive);
        }
    }

    // One round of presses, each at its frame within the round, repeated from frame 100 on.
    struct TPress {
        int Offset;
        std::string Event;
    };
    std::string WriteInput(const std::string& name, int frames, const std::vector<TPress>& round,
                           const std::string& first = "") const {
        std::string text = first;
        for (int frame = 100; frame + kPressEvery < frames; frame += kPressEvery) {
            for (const TPress& press : round) text += std::to_string(frame + press.Offset) + " " + press.Event + "\n";
        }
        text += std::to_string(frames) + " shot " + (temp / (name + ".png")) + "\n";
        const std::string path = temp / (name + ".txt");
        WriteTextFile(path, text);
        return path;
    }

    int Run(int frames, const std::string& input) const {
        return test::RunGame(game, temp / "docs",
                             "--headless --frames " + std::to_string(frames) + " --input '" + input + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }

    // The demo reached the storm night and its battle took over: the story, clicked on
    // every few frames, never went past the battle command to the dawn after it.
    void ExpectTheFirstBattle() const {
        const std::string log = test::ReadDebugLog(game);
        for (const char* reached :
             {"\"*はじまり\"", "\"*門をくぐる\"", "\"fortmap.txt\"", "\"*決断\"", "\"*嵐の夜\""}) {
            EXPECT_NE(log.find(reached), std::string::npos) << reached << " was not reached:\n" << log;
        }
        EXPECT_EQ(log.find("\"*夜明け\""), std::string::npos) << "the battle did not hold the story:\n" << log;
        EXPECT_EQ(log.find("は存在しません"), std::string::npos) << log;
        EXPECT_EQ(ReadTextFile(temp / "stderr.txt"), "") << "every input line was carried out";
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
};

TEST_F(DemoPadTest, AControllerAlonePlaysFromTheTitleToTheFirstBattle) {
    const std::string input = WriteInput(
        "pad", kPadFrames, {{0, "pad down dpright"}, {1, "pad up dpright"}, {2, "pad down a"}, {3, "pad up a"}},
        "0 pad connect\n");
    ASSERT_EQ(Run(kPadFrames, input), 0) << ReadTextFile(temp / "stderr.txt");
    ExpectTheFirstBattle();
}

TEST_F(DemoPadTest, TheKeyboardAlonePlaysFromTheTitleToTheFirstBattle) {
    const std::string input =
        WriteInput("keys", kKeyFrames, {{0, "keydown Tab"}, {1, "keyup Tab"}, {2, "char Return"}});
    ASSERT_EQ(Run(kKeyFrames, input), 0) << ReadTextFile(temp / "stderr.txt");
    ExpectTheFirstBattle();
}

// Mouse clicks through the title and the first pages, with and without a controller
// that connects, wobbles its stick inside the dead zone and goes: the same pictures.
TEST_F(DemoPadTest, AControllerNobodyUsesChangesNoPicture) {
    std::string clicks;
    for (int frame = 100; frame < 600; frame += 8) {
        clicks += std::to_string(frame) + " move 400 404\n" + std::to_string(frame + 1) + " down left\n" +
                  std::to_string(frame + 2) + " up left\n";
    }
    const auto run = [&](const std::string& name, const std::string& pad) {
        std::string text = clicks + pad;
        for (const int frame : {150, 350, 600}) {
            text += std::to_string(frame) + " shot " + (temp / (name + std::to_string(frame) + ".png")) + "\n";
        }
        WriteTextFile(temp / (name + ".txt"), text);
        EXPECT_EQ(Run(600, temp / (name + ".txt")), 0) << ReadTextFile(temp / "stderr.txt");
        EXPECT_EQ(ReadTextFile(temp / "stderr.txt"), "");
        fs::remove_all(temp / "docs");
    };
    run("mouse", "");
    run("unused", "0 pad connect\n120 pad axis leftx 3000\n121 pad axis righttrigger 4000\n300 pad disconnect\n");
    for (const int frame : {150, 350, 600}) {
        const std::string mouse = ReadTextFile(temp / ("mouse" + std::to_string(frame) + ".png"));
        ASSERT_FALSE(mouse.empty());
        EXPECT_EQ(ReadTextFile(temp / ("unused" + std::to_string(frame) + ".png")), mouse) << "frame " << frame;
    }
}

}  // namespace
}  // namespace vandor

// The bundled demo played by the game program itself, headless, as a player would:
// an input file clicks through the title, the prologue, its choices and buttons, into
// the storm night that opens the campaign, returns to the title from the menu and
// leaves with the farewell. Once over the loose debug folders (the debug log must name
// no missing file) and once over the packed archive (the same picture, bit for bit).

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
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

// The prologue takes about 2,600 frames at this click rate; then the title is chosen
// from the menu, and its end button leads to the farewell.
constexpr int kTitleFrame = 2700;
constexpr int kFrames = 3200;
constexpr int kClickEvery = 8;
constexpr int kShotFrames[] = {90, 500, 900, 1300, 1700, 2100, 2500, 2900};

// Where the player clicks, in turn: the title's start button, the first of three
// choices, the first of four choices in two columns, the first tour button, and the
// message window. Back at the title: its end button, and the message window.
constexpr TPoint kClickPoints[] = {{400, 404}, {260, 238}, {200, 253}, {185, 215}, {400, 540}};
constexpr TPoint kLeavingPoints[] = {{400, 526}, {400, 580}};

class DemoReplayTest : public ::testing::Test {
protected:
    DemoReplayTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }

    std::string WriteInput(int frames, bool shots) const {
        std::string text = "# clicks through the demo\n";
        int turn = 0;
        for (int frame = 100; frame + 2 < frames; frame += kClickEvery, ++turn) {
            if (frame >= kTitleFrame && frame < kTitleFrame + kClickEvery)
                text += std::to_string(frame) + " menu mmTitle\n";
            if (frame >= kTitleFrame && frame < kTitleFrame + 100) continue;  // the title fades in
            const TPoint point = frame < kTitleFrame ? kClickPoints[turn % std::size(kClickPoints)]
                                                     : kLeavingPoints[turn % std::size(kLeavingPoints)];
            text += std::to_string(frame) + " move " + std::to_string(point.X) + " " + std::to_string(point.Y) + "\n";
            text += std::to_string(frame + 1) + " down left\n" + std::to_string(frame + 2) + " up left\n";
        }
        for (const int frame : kShotFrames) {
            if (shots || frame == kShotFrames[0]) text += std::to_string(frame) + " shot " + ShotPath(frame) + "\n";
        }
        const std::string path = temp / "input.txt";
        WriteTextFile(path, text);
        return path;
    }
    std::string ShotPath(int frame) const { return temp / ("shot" + std::to_string(frame) + ".png"); }

    int Run(int frames, const std::string& input) const {
        return test::RunGame(game, temp / "docs",
                             "--headless --frames " + std::to_string(frames) + " --input '" + input + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
};

TEST_F(DemoReplayTest, ThePlayerClicksThroughTheWholeDemoWithNothingMissing) {
    for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
        fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder, fs::copy_options::recursive);
    }
    ASSERT_EQ(Run(kFrames, WriteInput(kFrames, true)), 0) << ReadTextFile(temp / "stderr.txt");

    const std::string log = test::ReadDebugLog(game);
    for (const char* reached : {"\"*はじまり\"", "\"*門をくぐる\"", "\"fortmap.txt\"", "\"*決断\"", "\"*嵐の夜\"",
                                "\"*さようなら\"", "システム終了."}) {
        EXPECT_NE(log.find(reached), std::string::npos) << reached << " was not reached:\n" << log;
    }
    EXPECT_EQ(log.find("は存在しません"), std::string::npos) << log;

    // Every picture shows something, and the story moves on between them.
    std::set<std::string> distinct;
    for (const int frame : kShotFrames) {
        const std::string bytes = ReadTextFile(ShotPath(frame));
        const TBitmap32 shot = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ASSERT_EQ(shot.Width(), 800) << frame;
        int lit = 0;
        for (int y = 0; y < 600; y += 10) {
            for (int x = 0; x < 800; x += 10) lit += (*shot.PixelPtr(x, y) & 0xFFFFFF) != 0;
        }
        EXPECT_GT(lit, 100) << "frame " << frame << " is almost black";
        distinct.insert(bytes);
    }
    EXPECT_EQ(distinct.size(), std::size(kShotFrames));
    const std::string titleFromFolders = ReadTextFile(ShotPath(kShotFrames[0]));

    // The packed archive gives the same title picture.
    fs::remove_all(game + "scenario");
    for (const char* folder : {"bgimage", "fgimage", "image", "bgm", "sound"}) fs::remove_all(game + folder);
    fs::copy_file(DEMO_ARCHIVE, game + "dat.gdp");
    const int frames = kShotFrames[0] + 1;
    ASSERT_EQ(Run(frames, WriteInput(frames, false)), 0) << ReadTextFile(temp / "stderr.txt");
    EXPECT_EQ(ReadTextFile(ShotPath(kShotFrames[0])), titleFromFolders);
}

}  // namespace
}  // namespace vandor

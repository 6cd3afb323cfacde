// The demo's prologue in English: the game program, headless, clicks through the
// prologue with the English catalogue chosen for the run, and once more without a
// language, with the catalogue lying beside it and without: those two must not differ
// by a pixel, and the English run must differ only where text is shown.

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

constexpr int kFrames = 2400;
constexpr int kClickEvery = 8;
constexpr int kShotFrames[] = {90, 500, 1260, 2080};
// The title's start button, the first of three choices, the first of four in two
// columns, the first tour button, and the message window, in turn.
constexpr TPoint kClickPoints[] = {{400, 404}, {260, 238}, {200, 253}, {185, 215}, {400, 540}};

class DemoEnglishTest : public ::testing::Test {
protected:
    DemoEnglishTest() {
        for (const std::string& folder : {plain, translated}) {
            fs::create_directories(folder);
            fs::copy_file(VANDOR_PATH, folder + "vandor");
            fs::copy_file(DEMO_ARCHIVE, folder + "dat.gdp");
        }
        // The catalogue and the pictures with English words, as the game is installed.
        fs::copy(fs::path(BUILD_DIR) / "game/lang", translated + "lang", fs::copy_options::recursive);
        EXPECT_TRUE(fs::exists(translated + "lang/en.po"));
        EXPECT_TRUE(fs::exists(translated + "lang/en/btn_start.png"));
    }

    // Plays the prologue; the pictures go to "RUN-FRAME.png" in the scratch folder.
    void Play(const std::string& game, const std::string& run, const std::string& options) {
        std::string input;
        int turn = 0;
        for (int frame = 100; frame + 2 < kFrames; frame += kClickEvery, ++turn) {
            const TPoint point = kClickPoints[turn % std::size(kClickPoints)];
            input += std::to_string(frame) + " move " + std::to_string(point.X) + " " + std::to_string(point.Y) + "\n";
            input += std::to_string(frame + 1) + " down left\n" + std::to_string(frame + 2) + " up left\n";
        }
        for (const int frame : kShotFrames) input += std::to_string(frame) + " shot " + Shot(run, frame) + "\n";
        WriteTextFile(temp / "input.txt", input);
        const int status = test::RunGame(
            game, temp / ("docs-" + run),
            "--headless --frames " + std::to_string(kFrames) + " --input '" + (temp / "input.txt") + "' " + options,
            temp / "stdout.txt", temp / "stderr.txt");
        ASSERT_EQ(status, 0) << ReadTextFile(temp / "stderr.txt");
    }
    std::string Shot(const std::string& run, int frame) const {
        return temp / (run + "-" + std::to_string(frame) + ".png");
    }
    TBitmap32 Picture(const std::string& run, int frame) const {
        const std::string bytes = ReadTextFile(Shot(run, frame));
        return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    // Rows that differ between two pictures of the same size.
    static std::vector<int> DifferingRows(const TBitmap32& a, const TBitmap32& b) {
        std::vector<int> rows;
        for (int y = 0; y < a.Height(); ++y) {
            for (int x = 0; x < a.Width(); ++x) {
                if (*a.PixelPtr(x, y) != *b.PixelPtr(x, y)) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    TTempFolder temp;
    const std::string plain = temp / "plain/";
    const std::string translated = temp / "translated/";
};

TEST_F(DemoEnglishTest, ThePrologueReadsInEnglishAndNothingChangesWithoutALanguage) {
    Play(plain, "plain", "");
    Play(translated, "unused", "");
    Play(translated, "english", "--lang en");
    for (const int frame : kShotFrames) {
        const TBitmap32 original = Picture("plain", frame);
        EXPECT_TRUE(DifferingRows(original, Picture("unused", frame)).empty()) << "frame " << frame;
        const std::vector<int> rows = DifferingRows(original, Picture("english", frame));
        ASSERT_FALSE(rows.empty()) << "frame " << frame << " shows no English";
        // The story and its timing are the same: the title's buttons and chapter line
        // (below its lettering), the choices in the middle and the message window at the
        // bottom show other words.
        EXPECT_GE(rows.front(), 200) << "frame " << frame;
    }
}

}  // namespace
}  // namespace vandor

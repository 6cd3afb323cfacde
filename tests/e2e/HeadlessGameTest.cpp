// Runs the real game program headless, as content authors and the other end-to-end
// tests do: a copy of the program in a scratch folder with its data beside it, an
// input file, and then a look at the pictures, "Config.ini" and the debug log it wrote.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "GameProgram.h"
#include "TempFolder.h"
#include "resources/PictureCodec.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

constexpr TColor32 kRed = 0xFFFF0000;
constexpr TColor32 kBlue = 0xFF0000FF;
constexpr TColor32 kBlack = 0xFF000000;

class HeadlessGameTest : public ::testing::Test {
protected:
    HeadlessGameTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }

    // Runs the program with its folder as the working folder; returns its exit status.
    int Run(const std::string& arguments) {
        return test::RunGame(game, documents, arguments, temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    std::string Stdout() const { return ReadTextFile(temp / "stdout.txt"); }

    // A background with a red left half and a blue right half, and a script showing it.
    void WriteStage(const std::string& folder) {
        TBitmap32 picture(800, 600);
        picture.Clear(kRed);
        picture.FillRect({400, 0, 800, 600}, kBlue);
        fs::create_directories(folder);
        ASSERT_TRUE(SavePng(picture, folder + "halves.png"));
        WriteTextFile(folder + "first.txt", "[文章枠/なし]\n[halves/0]\n[クリック待]\n二枚目。\n[クリック待]\n");
    }
    void WriteInput(const std::string& text) { WriteTextFile(temp / "input.txt", text); }
    std::string Input() const { return "'" + (temp / "input.txt") + "'"; }

    TBitmap32 Shot(const std::string& name) const {
        const std::string bytes = ReadTextFile(temp / name);
        return DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::string Config() const { return documents + "クイルフェン/ヴァンドルの星砦タクティクス/Config.ini"; }
    std::string DebugLog() const { return test::ReadDebugLog(game); }

    TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string documents = temp / "docs/";
};

TEST_F(HeadlessGameTest, DebugFoldersPlayWithInputAndWriteShotsSettingsAndLog) {
    WriteStage(game + "scenario/");
    WriteInput(
        "# pictures after 5 frames, then bigger windows\n"
        "5 shot " +
        (temp / "one.png") +
        "\n"
        "6 resize 1024 600\n"
        "6 shot " +
        (temp / "wide.png") +
        "\n"
        "7 resize 1000 750\n"
        "8 shot " +
        (temp / "scaled.png") +
        "\n"
        "9 menu mmCSFast\n"
        "10 answer cancel\n"
        "10 close\n"
        "11 move 500 375\n"
        "12 down left\n"
        "13 up left\n"
        "20 shot " +
        (temp / "after.png") + "\n");
    ASSERT_EQ(Run("--headless --frames 40 --input " + Input()), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");

    const TBitmap32 one = Shot("one.png");
    ASSERT_EQ(one.Width(), 800);
    EXPECT_EQ(*one.PixelPtr(100, 300), kRed);
    EXPECT_EQ(*one.PixelPtr(700, 300), kBlue);
    const TBitmap32 wide = Shot("wide.png");
    ASSERT_EQ(wide.Width(), 1024);
    EXPECT_EQ(*wide.PixelPtr(50, 300), kBlack) << "side band";
    EXPECT_EQ(*wide.PixelPtr(112, 300), kRed);
    EXPECT_EQ(*wide.PixelPtr(911, 300), kBlue);
    EXPECT_EQ(*wide.PixelPtr(912, 300), kBlack);
    const TBitmap32 scaled = Shot("scaled.png");
    ASSERT_EQ(scaled.Width(), 1000);
    EXPECT_EQ(*scaled.PixelPtr(10, 10), kRed);
    EXPECT_EQ(*scaled.PixelPtr(990, 740), kBlue);
    EXPECT_TRUE(fs::exists(temp / "after.png")) << "the cancelled close let the game go on";

    const TIniFile ini(Config());
    EXPECT_EQ(ini.ReadInteger("Text", "Speed", 0), 10);
    EXPECT_EQ(ini.ReadString("Path", "Last"), game);
    const std::string log = DebugLog();
    EXPECT_NE(log.find("デバッグモード"), std::string::npos) << log;
    EXPECT_NE(log.find("システム情報保存."), std::string::npos);
    EXPECT_NE(log.find("システム終了.\r\n"), std::string::npos);
    EXPECT_EQ(log.find("halves.png は存在しません"), std::string::npos);
}

TEST_F(HeadlessGameTest, FullScreenFromTheMenuLetterboxesAndF11GivesTheWindowBack) {
    WriteStage(game + "scenario/");
    WriteInput(
        "5 menu mmFullScreen\n"
        "6 shot " +
        (temp / "full.png") +
        "\n"
        "7 keydown F11\n"
        "7 keyup F11\n"
        "8 shot " +
        (temp / "window.png") + "\n");
    ASSERT_EQ(Run("--headless --frames 10 --input " + Input()), 0) << Stderr();
    // The headless screen is 1920 x 1080: the picture 1440 x 1080 between bands of 240.
    const TBitmap32 full = Shot("full.png");
    ASSERT_EQ(full.Width(), 1920);
    ASSERT_EQ(full.Height(), 1080);
    EXPECT_EQ(*full.PixelPtr(239, 540), kBlack) << "left band";
    EXPECT_EQ(*full.PixelPtr(240, 540), kRed);
    EXPECT_EQ(*full.PixelPtr(1679, 540), kBlue);
    EXPECT_EQ(*full.PixelPtr(1680, 540), kBlack) << "right band";
    const TBitmap32 window = Shot("window.png");
    EXPECT_EQ(window.Width(), 800);
    EXPECT_EQ(window.Height(), 600);
    const TIniFile ini(Config());
    EXPECT_FALSE(ini.ReadBool("Comfort", "FullScreen", true));
}

TEST_F(HeadlessGameTest, ArchiveMadeWithGdpRunsInNormalPlayAndRepeatsBitForBit) {
    const std::string data = temp / "data/";
    WriteStage(data);
    ASSERT_EQ(std::system(("'" + std::string(GDP_PATH) + "' pack '" + data + "' '" + game +
                           "dat.gdp' --version 1.0.2.0 >/dev/null")
                              .c_str()),
              0);
    WriteInput("30 shot " + (temp / "a.png") + "\n31 down left\n31 up left\n60 shot " + (temp / "b.png") + "\n");
    ASSERT_EQ(Run("--headless --frames 60 --input " + Input() + " --seed 5"), 0) << Stderr();
    const std::string first = ReadTextFile(temp / "b.png");
    EXPECT_EQ(*Shot("a.png").PixelPtr(100, 100), kRed);
    EXPECT_EQ(DebugLog(), "") << "normal play writes no log";
    EXPECT_EQ(TIniFile(Config()).ReadString("Ver", "Data"), "1.0.2.0");

    ASSERT_EQ(Run("--headless --frames 60 --input " + Input() + " --seed 5"), 0) << Stderr();
    EXPECT_EQ(ReadTextFile(temp / "b.png"), first) << "the same run gives the same picture";
}

TEST_F(HeadlessGameTest, DamagedArchiveEndsWithAnErrorAndALog) {
    WriteTextFile(game + "dat.gdp", "GDP? no, just some bytes");
    EXPECT_EQ(Run("--headless --frames 10"), 1);
    EXPECT_NE(Stderr().find("dat.gdp"), std::string::npos) << Stderr();
    EXPECT_NE(DebugLog().find("ゲームデータ " + game + "dat.gdp にアクセスできなかったため、終了します"),
              std::string::npos);
}

TEST_F(HeadlessGameTest, ConfirmedCloseEndsTheRunEarly) {
    WriteStage(game + "scenario/");
    WriteInput("3 close\n");
    ASSERT_EQ(Run("--headless --frames 100000 --input " + Input()), 0) << Stderr();
    EXPECT_TRUE(fs::exists(Config()));
    // The settings were saved after a few frames' time, not after a hundred thousand frames.
    const std::string log = DebugLog();
    const std::size_t saved = log.find(" - システム情報保存.");
    ASSERT_NE(saved, std::string::npos) << log;
    EXPECT_EQ(log.substr(log.rfind("\r\n", saved) + 2, 9), "  0:00:00") << log;
}

// A long run's samples: one line per period with the process's own figures, and the
// layers on the stage (the background and the message window at least).
TEST_F(HeadlessGameTest, SamplesTheProcessEveryPeriod) {
    WriteStage(game + "scenario/");
    ASSERT_EQ(Run("--headless --frames 30 --sample '" + (temp / "samples.txt") + "' --sample-every 10"), 0) << Stderr();
    std::istringstream lines(ReadTextFile(temp / "samples.txt"));
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header, "frame resident_kib open_files threads layers");
    std::vector<uint64_t> frames;
    for (uint64_t frame = 0; lines >> frame;) {
        long resident = 0;
        int files = 0, threads = 0, layers = 0;
        ASSERT_TRUE(lines >> resident >> files >> threads >> layers);
        frames.push_back(frame);
        EXPECT_GT(resident, 1000);
        EXPECT_GE(files, 3) << "standard input, output and error at least";
        EXPECT_GE(threads, 1);
        EXPECT_GE(layers, 2);
    }
    EXPECT_EQ(frames, (std::vector<uint64_t>{10, 20, 30}));
    EXPECT_EQ(Run("--lint --sample x"), 2);
}

TEST_F(HeadlessGameTest, CommandLineIsCheckedAndExplained) {
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(Stdout().rfind("vandor ", 0), 0u) << Stdout();
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(Stdout().find("--headless --frames N"), std::string::npos);
    EXPECT_EQ(Run("--headless"), 2);
    EXPECT_NE(Stderr().find("--frames"), std::string::npos);
    EXPECT_EQ(Run("--frames 3"), 2);
    EXPECT_EQ(Run("--headless --frames x"), 2);
    EXPECT_EQ(Run("--bogus"), 2);
    EXPECT_EQ(Run("--headless --frames 3 --battle-log"), 2);
    EXPECT_NE(Stderr().find("--battle-log needs a value"), std::string::npos) << Stderr();
    EXPECT_EQ(Run("--lint --headless --frames 3"), 2);
    EXPECT_NE(Stderr().find("--lint runs on its own"), std::string::npos) << Stderr();

    WriteStage(game + "scenario/");
    WriteInput("1 jump 3\n2 menu mmNothing\n");
    EXPECT_EQ(Run("--headless --frames 5 --input " + Input()), 0);
    EXPECT_NE(Stderr().find("line 1"), std::string::npos) << Stderr();
    EXPECT_NE(Stderr().find("mmNothing"), std::string::npos) << Stderr();
}

// F12 keeps the stage's own 800 x 600 picture whatever the window's size, as PNG in
// the pictures folder under the title's name, named after the time; a second shot in
// the same second gets a name of its own.
TEST_F(HeadlessGameTest, F12KeepsThePictureAsPngInThePicturesFolder) {
    WriteStage(game + "scenario/");
    const std::string pictures = temp / "pictures/";
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
    WriteInput("5 keydown F12\n5 keyup F12\n5 shot " + (temp / "shown.png") +
               "\n6 resize 400 300\n7 keydown F12\n7 keyup F12\n");
    const int status = Run("--headless --frames 10 --input " + Input());
    unsetenv("XDG_PICTURES_DIR");
    ASSERT_EQ(status, 0) << Stderr();

    const std::string folder = pictures + "ヴァンドルの星砦タクティクス/";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    const std::regex name(R"(\d{8}-\d{6}(-2)?\.png)");
    for (const std::string& file : names) EXPECT_TRUE(std::regex_match(file, name)) << file;

    const TBitmap32 shown = Shot("shown.png");
    ASSERT_EQ(shown.Width(), 800);
    for (const std::string& file : names) {
        const std::string bytes = ReadTextFile(folder + file);
        const TBitmap32 kept = DecodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ASSERT_EQ(kept.Width(), 800) << file;
        ASSERT_EQ(kept.Height(), 600) << file;
        EXPECT_EQ(*kept.PixelPtr(10, 10), kRed);
        EXPECT_EQ(*kept.PixelPtr(790, 590), kBlue);
        EXPECT_EQ(std::vector<TColor32>(kept.Bits(), kept.Bits() + 800 * 600),
                  std::vector<TColor32>(shown.Bits(), shown.Bits() + 800 * 600))
            << file << " is not the picture shown";
    }
}

}  // namespace
}  // namespace vandor

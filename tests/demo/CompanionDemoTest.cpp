// The two demo titles laid out by scripts/companion-demo and played headless as a
// player would try them: this title alone, the companion alone finding this title
// through its settings, combining through the menu with a saved slot, the restart
// into the combined edition and its bonus scene, the line of this title's story that
// only the companion's data brings, and the separation again in debug mode.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::WriteTextFile;

// Clicks at one point every eight frames over [from, to), as a player reading on.
std::string Clicks(int from, int to, int x, int y) {
    std::string text;
    for (int frame = from; frame + 2 < to; frame += 8) {
        text += std::to_string(frame) + " move " + std::to_string(x) + " " + std::to_string(y) + "\n" +
                std::to_string(frame + 1) + " down left\n" + std::to_string(frame + 2) + " up left\n";
    }
    return text;
}

class CompanionDemoTest : public ::testing::Test {
protected:
    CompanionDemoTest() {
        const std::string command =
            std::string("'") + COMPANION_DEMO_SCRIPT + "' '" + out + "' '" + BUILD_DIR + "' >/dev/null";
        const int status = std::system(command.c_str());
        laidOut = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    // Plays the title in OUT/folder for the frames with the input; the exit status.
    int Play(const std::string& folder, int frames, const std::string& input) {
        WriteTextFile(temp / "input.txt", input);
        return test::RunGame(
            out + folder, documents,
            "--headless --frames " + std::to_string(frames) + " --input '" + (temp / "input.txt") + "'",
            temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    std::string SaveFolder(const char* title) const { return documents + "クイルフェン/" + title + "/"; }
    TReadFlags Flags(const char* title) const {
        TReadFlags flags;
        ReadReadFlagsFile(SaveFolder(title) + kReadFlagsFileName, flags);
        return flags;
    }
    std::string Shot(const char* name) const { return temp / name; }

    test::TTempFolder temp;
    const std::string out = temp / "titles/";
    const std::string documents = temp / "docs/";
    bool laidOut = false;
};

constexpr const char* kThis = "ヴァンドルの星砦タクティクス";
constexpr const char* kCompanion = "星砦の灰羽";
constexpr const char* kCombined = "ヴァンドルの星砦プラス";

TEST_F(CompanionDemoTest, SeparateTitlesCombineIntoTheEditionWithItsBonusScene) {
    ASSERT_TRUE(laidOut);

    // This title alone: its story has no word from the companion.
    ASSERT_EQ(Play("vandor/", 600,
                   "90 shot " + Shot("this.png") + "\n" + Clicks(100, 108, 400, 408) + Clicks(150, 600, 700, 300)),
              0)
        << Stderr();
    EXPECT_EQ(TIniFile(SaveFolder(kThis) + "Config.ini").ReadString("Path", "Last"), out + "vandor/");
    EXPECT_TRUE(Flags(kThis).Contains("prologue1_城門"));
    EXPECT_FALSE(Flags(kThis).Contains("prologue1_灰羽の便り"));

    // The companion alone finds this title through its settings: it offers to combine.
    // The player reads to the resting point (the first answer of the one choice),
    // saves in slot 3 and combines; the restart opens the combined edition, where the
    // bonus button leads to the bonus scene.
    const std::string companionRun =
        "90 shot " + Shot("haiba.png") + "\n" + Clicks(100, 108, 400, 408) + Clicks(130, 900, 400, 540) +
        Clicks(134, 900, 300, 257) + "950 shot " + Shot("rest.png") +
        "\n"
        "960 menu mmSF0_3\n"
        "1000 answer ok\n"
        "1000 menu mmCombine\n"
        "1180 shot " +
        Shot("combined.png") + "\n" + Clicks(1200, 1208, 400, 476) + Clicks(1250, 1400, 700, 300);
    ASSERT_EQ(Play("haiba/", 1400, companionRun), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");
    const TReadFlags companion = Flags(kCompanion);
    EXPECT_TRUE(companion.Contains("haiba_見張り台"));
    EXPECT_FALSE(companion.Contains("title_結合版"));
    const TReadFlags combined = Flags(kCombined);
    EXPECT_TRUE(combined.Contains("title_結合版"));
    EXPECT_TRUE(combined.Contains("bonus_結合特典"));
    EXPECT_FALSE(combined.Contains("haiba_見張り台")) << "read flags stay with their edition";

    // The slot went over with its caption.
    ASSERT_TRUE(fs::exists(SaveFolder(kCompanion) + "save03.dat"));
    EXPECT_EQ(ReadTextFile(SaveFolder(kCombined) + "save03.dat"), ReadTextFile(SaveFolder(kCompanion) + "save03.dat"));
    const std::string caption = TIniFile(SaveFolder(kCompanion) + "Config.ini").ReadString("Save", "Item03");
    EXPECT_FALSE(caption.empty());
    EXPECT_EQ(TIniFile(SaveFolder(kCombined) + "Config.ini").ReadString("Save", "Item03"), caption);

    // Three different title screens.
    EXPECT_NE(ReadTextFile(Shot("haiba.png")), ReadTextFile(Shot("this.png")));
    EXPECT_NE(ReadTextFile(Shot("combined.png")), ReadTextFile(Shot("haiba.png")));
    EXPECT_NE(ReadTextFile(Shot("combined.png")), ReadTextFile(Shot("this.png")));

    // The combined edition's own folder: this title's story now brings the word from
    // the companion's fortress.
    ASSERT_EQ(Play("combined/", 600, Clicks(150, 158, 400, 348) + Clicks(200, 600, 700, 300)), 0) << Stderr();
    EXPECT_TRUE(Flags(kCombined).Contains("prologue1_灰羽の便り"));
}

TEST_F(CompanionDemoTest, DebugModeSeparatesTheCombinedEditionAgain) {
    ASSERT_TRUE(laidOut);
    ASSERT_EQ(Play("debug/", 200,
                   "50 menu mmUnCombine\n"
                   "100 menu mmUnCombine\n"
                   "150 answer cancel\n"
                   "150 menu mmCombine\n"),
              0);
    // Once separate, there is nothing left to separate, and combining is offered.
    EXPECT_NE(Stderr().find("line 2: menu item \"mmUnCombine\" is missing"), std::string::npos) << Stderr();
    EXPECT_EQ(Stderr().find("mmCombine\""), std::string::npos) << Stderr();
    const std::string log = test::ReadDebugLog(out + "debug/");
    const auto combined = log.find("ヴァンドルの星砦プラス（結合版）");
    const auto restart = log.find("再起動します...");
    const auto companion = log.find("星砦の灰羽 増羽");
    ASSERT_NE(combined, std::string::npos) << log;
    ASSERT_NE(restart, std::string::npos) << log;
    ASSERT_NE(companion, std::string::npos) << log;
    EXPECT_LT(combined, restart);
    EXPECT_LT(restart, companion);
    EXPECT_TRUE(fs::exists(SaveFolder(kCompanion) + "Config.ini")) << "the separate title keeps its own settings";
}

}  // namespace
}  // namespace vandor

// The demo played by the game program headless with a controller alone, and again with
// the keyboard alone: from the title through the prologue's choices and the fortress
// tour to the storm night, whose battle is won with towers placed by the battle's
// controls; then on to the action phase, where the game menu saves the campaign and
// loads it again. And a player who has a controller plugged in but plays with the mouse
// sees the very same pictures as one without.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "GameProgram.h"
#include "PadRoute.h"
#include "TempFolder.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TPadControls;
using test::TPadRoute;
using test::TTempFolder;
using test::WriteTextFile;

// Bow towers (the second build button) on the four sides of the base, two more on its
// corners before the second wave, and the two on the long sides raised before the
// third: a plan of tools/battleplan that wins the homeland with the mouse.
constexpr const char* kHomelandPlan =
    "1  3  0 2 1\n"
    "1 -3  0 2 1\n"
    "1  0  3 2 1\n"
    "1  0 -3 2 1\n"
    "2  3  3 2 1\n"
    "2 -3 -3 2 1\n"
    "3  3  0 2 2\n"
    "3 -3  0 2 2\n";
constexpr int kHomelandWaves = 3;
// The top slot of the game menu's save and load submenus.
constexpr const char* kTopSlotFile = "save15.dat";
// Far more frames than a route takes: each ends with closing the game.
constexpr int kFrameLimit = 12000;
constexpr int kWavePeriod = 500;
// Clicks every 8 frames through the dawn and the first council; those left over land on
// the action phase beside its buttons.
constexpr int kPressesToTheActionPhase = 80;

class DemoPadTest : public ::testing::Test {
protected:
    DemoPadTest() { CopyTheDemo(game); }

    static void CopyTheDemo(const std::string& folder) {
        fs::create_directories(folder);
        fs::copy_file(VANDOR_PATH, folder + "vandor");
        for (const char* data : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
            fs::copy(fs::path(DEMO_LOOSE_DIR) / data, folder + data, fs::copy_options::recursive);
        }
    }

    // The title's start button; the prologue by steps of the focus (which focuses the
    // first choice or button when there are any, and does nothing otherwise) and clicks
    // into the storm night, whose last pages are turned one by one as each is fully
    // shown; the battle; the pages up to the action phase; a save to the top slot and a
    // load of it, both through the game menu.
    std::string WriteRoute(const TPadControls& controls, int prologueFrames, int stormPages) const {
        TPadRoute route(controls);
        route.Press(controls.Connect, 0);
        route.Wait("buttons");
        route.Press(controls.Focus);
        route.Press(controls.Click);
        route.Idle(96);  // the title fades out, the prologue's first picture in
        route.FocusAndClick(prologueFrames);
        for (int page = 0; page < stormPages; ++page) {
            route.Wait("page");
            route.Press(controls.Click);
        }
        route.Battle(kHomelandPlan, kHomelandWaves);
        for (int press = 0; press < kPressesToTheActionPhase; ++press) route.Press(controls.Click, 8);
        route.Wait("buttons");
        route.Line("shot " + (temp / "action-phase.png"));
        route.MenuFirstItemOf(1);
        route.MenuFirstItemOf(2);
        route.Wait("buttons");
        route.Line("shot " + (temp / "loaded.png"));
        route.Line("close");
        const std::string path = temp / "route.txt";
        WriteTextFile(path, route.Text());
        return path;
    }

    int Run(int frames, const std::string& input, const std::string& extra = "") const {
        return test::RunGame(game, temp / "docs",
                             "--headless --frames " + std::to_string(frames) + " --input '" + input + "'" + extra,
                             temp / "stdout.txt", temp / "stderr.txt");
    }

    void PlayTheRoute(const std::string& route) const {
        ASSERT_EQ(Run(kFrameLimit, route, " --battle-log '" + (temp / "battle.log") + "'"), 0)
            << ReadTextFile(temp / "stderr.txt");
        EXPECT_EQ(ReadTextFile(temp / "stderr.txt"), "") << "every input line was carried out";
    }

    // The storm night's battle won (a lost one goes on at the dawn on the wall), the
    // action phase of turn 1 saved to the top slot, and that slot loaded: the action
    // phase begins again and saves automatically what the slot holds.
    void ExpectTheWholeRoute() const {
        const std::string log = test::ReadDebugLog(game);
        for (const char* reached : {"\"*はじまり\"", "\"*門をくぐる\"", "\"fortmap.txt\"", "\"*決断\"", "\"*嵐の夜\"",
                                    "\"*夜明け\"", "\"*初めての軍議\"", "\"*指示\""}) {
            EXPECT_NE(log.find(reached), std::string::npos) << reached << " was not reached:\n" << log;
        }
        EXPECT_EQ(log.find("\"*城壁の夜明け\""), std::string::npos) << "the battle was lost:\n" << log;
        EXPECT_EQ(log.find("は存在しません"), std::string::npos) << log;

        const std::string battles = ReadTextFile(temp / "battle.log");
        EXPECT_EQ(battles.substr(battles.find_last_of(' ', battles.size() - 2) + 1), "won\n") << battles;
        EXPECT_EQ(battles.find("lost"), std::string::npos) << battles;
        EXPECT_EQ(battles, MouseBattleLog()) << "the towers differ from the mouse's";

        const std::string saves = temp / "docs/クイルフェン/ヴァンドルの星砦タクティクス/";
        const TSlotCells saved = ReadSlotFile(saves + kTopSlotFile);
        TCryptMaps store;
        TQTDGameDat campaign(store);
        ApplySlot(campaign, saved);
        EXPECT_EQ(campaign.Turn(), 1);
        EXPECT_NE(TIniFile(saves + "Config.ini").ReadString("Save", "Item15").find("1ターン 制圧1箇所"),
                  std::string::npos);

        // After the council's "*指示" the action phase only begins again by the load.
        const std::size_t council = log.find("\"*指示\"");
        const std::size_t resumed = log.find("\"*行動フェイズ\"", council);
        ASSERT_NE(resumed, std::string::npos) << "nothing was loaded:\n" << log;
        const std::size_t autoSave = log.find("オートセーブ ", resumed);
        ASSERT_NE(autoSave, std::string::npos) << log;
        std::istringstream line(log.substr(autoSave + std::string("オートセーブ ").size()));
        std::string autoSaveFile;
        line >> autoSaveFile;
        EXPECT_EQ(ReadSlotFile(saves + autoSaveFile), saved);
        // The loaded action phase looks as the one that was saved.
        const std::string before = ReadTextFile(temp / "action-phase.png");
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(ReadTextFile(temp / "loaded.png"), before);
    }

    // The battle log of the same plan carried out by the mouse (tools/battleplan), in a
    // game that starts with the homeland's battle.
    std::string MouseBattleLog() const {
        const std::string mouseGame = temp / "mouse/";
        CopyTheDemo(mouseGame);
        WriteTextFile(mouseGame + "scenario/first.txt", "[戦闘開始/1]\n[クリック待]\n");
        WriteTextFile(temp / "plan.txt", kHomelandPlan);
        const std::string input = temp / "mouse.txt";
        const std::string command = std::string("'") + BATTLEPLAN_PATH + "' --waves " + std::to_string(kHomelandWaves) +
                                    " --period " + std::to_string(kWavePeriod) + " '" + (temp / "plan.txt") + "' > '" +
                                    input + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        const int frames = 50 + kHomelandWaves * kWavePeriod;
        EXPECT_EQ(test::RunGame(mouseGame, temp / "mouse-docs",
                                "--headless --frames " + std::to_string(frames) + " --input '" + input +
                                    "' --battle-log '" + (temp / "mouse-battle.log") + "'",
                                temp / "stdout.txt", temp / "mouse-stderr.txt"),
                  0);
        return ReadTextFile(temp / "mouse-battle.log");
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
};

// The prologue's steps take some 2,100 frames with the controller; Enter, which turns
// the page as it always has, waits for the pictures' fades that a click cuts short, so
// the keyboard takes some 3,400 and leaves one more of the storm night's pages.
TEST_F(DemoPadTest, AControllerAlonePlaysTheFirstBattleToASaveAndALoad) {
    ASSERT_NO_FATAL_FAILURE(PlayTheRoute(WriteRoute(TPadControls::Controller(), 2100, 5)));
    ExpectTheWholeRoute();
}

TEST_F(DemoPadTest, TheKeyboardAlonePlaysTheFirstBattleToASaveAndALoad) {
    ASSERT_NO_FATAL_FAILURE(PlayTheRoute(WriteRoute(TPadControls::Keys(), 3400, 6)));
    ExpectTheWholeRoute();
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

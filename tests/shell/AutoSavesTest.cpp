// The autosaves as the window makes them: one at each action phase, three files in
// turn, listed newest first, loaded like a slot, never a slot, off by a switch, and a
// failure only logged.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "MainWindowFixture.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "scenario/NovelGame.h"
#include "shell/AutoSaves.h"
#include "util/AtomicFile.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;
using test::WriteTextFile;

class AutoSavesTest : public MainWindowTest {
protected:
    ~AutoSavesTest() override { SetWriteFault(std::nullopt); }

    std::string SaveFolder() const { return UserDir("ヴァンドルの星砦タクティクス"); }
    std::string AutoSavePath(int file) const { return SaveFolder() + TAutoSaves::FileName(file); }
    TMenuItem& Item(const std::string& name) { return window->Menu().At(name); }
    int32_t SavedTurn(int file) const {
        TCryptMaps store;
        TQTDGameDat campaign(store);
        ApplySlot(campaign, ReadSlotFile(AutoSavePath(file)));
        return campaign.Turn();
    }
    // `phases` action phases, turns 0, 1, 2, ... each opening the save menu, and one
    // that changes nothing, then a wait.
    void WritePhases(int phases) {
        std::string script = "[文章枠/なし]\n[上部情報]\n[上部情報]\n";
        for (int turn = 1; turn < phases; ++turn) script += "[上部情報/消]\n[行動/進行]\n[上部情報]\n";
        WriteScript("first.txt", script + "*待機\n[クリック待]\n");
        WriteScript("行動.txt", "*行動フェイズ\n[上部情報]\n[クリック待]\n");
    }
};

TEST_F(AutoSavesTest, EachActionPhaseWritesTheNextOfThreeFilesAndTheyLoadNewestFirst) {
    WritePhases(4);
    TggTDMain& main = Start();
    EXPECT_FALSE(Item("mmAutoLoad").Enabled()) << "no autosave yet";
    EXPECT_TRUE(Item("mmAutoSave").Checked()) << "on by default";
    Frames(30);
    ASSERT_EQ(main.Campaign().Turn(), 3);
    ASSERT_EQ(main.Engine().LastLabel, "*待機");

    // Turns 0, 1, 2 and 3: the fourth replaced the first; the repeated status bar of
    // turn 0 added nothing.
    EXPECT_EQ(SavedTurn(0), 3);
    EXPECT_EQ(SavedTurn(1), 1);
    EXPECT_EQ(SavedTurn(2), 2);
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_FALSE(fs::exists(SaveFolder() + SlotFileName(slot)));
    EXPECT_TRUE(Item("mmAutoLoad").Enabled());
    const std::regex newest(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d 3ターン 制圧0箇所 将軍\d名\(&1\))");
    EXPECT_TRUE(std::regex_match(Item("mmAL0").Caption(), newest)) << Item("mmAL0").Caption();
    EXPECT_NE(Item("mmAL1").Caption().find(" 2ターン "), std::string::npos);
    EXPECT_NE(Item("mmAL2").Caption().find(" 1ターン "), std::string::npos);
    const TIniFile config(ThisConfig());
    EXPECT_EQ(config.ReadString("AutoSave", "Item00") + "(&1)", Item("mmAL0").Caption());
    EXPECT_EQ(config.ReadInteger("AutoSave", "Next", -1), 1);

    // The second newest loads as a slot does: the campaign back, the action phase,
    // whose status bar makes turn 2 the newest autosave.
    ASSERT_TRUE(host.ClickMenu("mmAL1"));
    EXPECT_EQ(main.Campaign().Turn(), 2);
    EXPECT_EQ(main.Engine().ScriptName, "行動.txt");
    Frames(2);
    EXPECT_EQ(SavedTurn(1), 2);
    EXPECT_NE(Item("mmAL0").Caption().find(" 2ターン "), std::string::npos);
    EXPECT_NE(Item("mmAL1").Caption().find(" 3ターン "), std::string::npos);

    // The next run lists them as this one left them, and an action phase that holds
    // what the newest autosave holds adds no file.
    Stop();
    WriteScript("first.txt", "[クリック待]\n");
    TggTDMain& next = Start();
    EXPECT_NE(Item("mmAL0").Caption().find(" 2ターン "), std::string::npos);
    EXPECT_TRUE(Item("mmAL2").Visible());
    EXPECT_TRUE(Item("mmAutoLoad").Enabled());
    ASSERT_TRUE(host.ClickMenu("mmAL0"));
    Frames(2);
    EXPECT_EQ(next.Campaign().Turn(), 2);
    EXPECT_EQ(TIniFile(ThisConfig()).ReadInteger("AutoSave", "Next", -1), 2);
    EXPECT_EQ(SavedTurn(2), 2) << "the oldest, turn 2 of the first pass, is still there";
}

TEST_F(AutoSavesTest, TheSwitchTurnsThemOffAndIsWrittenOnlyOnceTouched) {
    WritePhases(2);
    Start();
    Frames(5);
    Stop();
    EXPECT_TRUE(fs::exists(AutoSavePath(0)));
    EXPECT_FALSE(TIniFile(ThisConfig()).ValueExists("Comfort", "AutoSave"))
        << "a player who never touched it keeps the settings file as it was";

    fs::remove(AutoSavePath(0));
    fs::remove(AutoSavePath(1));
    Start();
    ASSERT_TRUE(host.ClickMenu("mmAutoSave"));
    EXPECT_FALSE(Item("mmAutoSave").Checked());
    Frames(5);
    Stop();
    EXPECT_FALSE(fs::exists(AutoSavePath(0)));
    EXPECT_FALSE(fs::exists(AutoSavePath(1)));
    EXPECT_FALSE(TIniFile(ThisConfig()).ReadBool("Comfort", "AutoSave", true));

    Start();
    EXPECT_FALSE(Item("mmAutoSave").Checked());
    ASSERT_TRUE(host.ClickMenu("mmAutoSave"));
    Frames(5);
    Stop();
    EXPECT_TRUE(fs::exists(AutoSavePath(0)));
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "AutoSave", false));
}

TEST_F(AutoSavesTest, AFailedAutosaveIsLoggedWithoutABoxAndTriedAgainAtTheNextPhase) {
    WriteScript("first.txt",
                "[文章枠/なし]\n[上部情報]\n[上部情報/消]\n[行動/進行]\n[上部情報]\n*待機\n[クリック待]\n");
    SetWriteFault(TWriteFault{TWriteStep::Write, 10, 1, "autosave"});
    TggTDMain& main = Start();
    Frames(5);
    ASSERT_EQ(main.Campaign().Turn(), 1);
    EXPECT_TRUE(host.MessageBoxes().empty());
    // The first phase failed and kept no file; the second wrote into the same file.
    EXPECT_EQ(SavedTurn(0), 1);
    EXPECT_FALSE(fs::exists(AutoSavePath(1)));
    EXPECT_FALSE(fs::exists(AutoSavePath(0) + ".tmp"));
    EXPECT_NE(Item("mmAL0").Caption().find(" 1ターン "), std::string::npos);
    EXPECT_FALSE(Item("mmAL1").Visible());
    Stop();
    const std::vector<std::string> lines = DebugLogLines();
    const auto failed = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("オートセーブに失敗. ") != std::string::npos &&
               line.find("autosave1.dat") != std::string::npos;
    });
    EXPECT_NE(failed, lines.end());
}

}  // namespace
}  // namespace vandor

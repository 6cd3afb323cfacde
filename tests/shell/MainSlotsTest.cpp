// The save slots and the read flags as the window keeps them: menus, captions, the
// files in the save folder, loading into a running story or battle.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "MainWindowFixture.h"
#include "battle/QTDGame.h"
#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "compositor/LayerItem.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;
using test::ReadTextFile;
using test::WriteTextFile;

class MainSlotsTest : public MainWindowTest {
protected:
    std::string SaveFolder() const { return UserDir("ヴァンドルの星砦タクティクス"); }
    std::string SlotPath(int slot) const { return SaveFolder() + SlotFileName(slot); }
    std::string Caption(const std::string& item) { return window->Menu().At(item).Caption(); }
    bool Enabled(const std::string& item) { return window->Menu().At(item).Enabled(); }

    // The story that every test plays: the status bar, a turn, and a script that
    // loading a slot resumes at.
    void WriteCampaign() {
        WriteScript("first.txt", "[文章枠/なし]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
        WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    }
};

TEST_F(MainSlotsTest, SavingNeedsTheStatusBarAndAsksBeforeOverwriting) {
    WriteCampaign();
    TggTDMain& main = Start();
    EXPECT_FALSE(Enabled("mmSave"));
    EXPECT_EQ(Caption("mmSF0_3"), "データなし(&R)");
    EXPECT_FALSE(Enabled("mmSF1_3"));
    Frames(6);
    ASSERT_TRUE(Enabled("mmSave"));
    ASSERT_EQ(main.Campaign().Turn(), 1);

    ASSERT_TRUE(host.ClickMenu("mmSF0_3"));
    EXPECT_TRUE(host.MessageBoxes().empty()) << "an empty slot is saved without asking";
    const std::string caption = Caption("mmSF0_3");
    EXPECT_TRUE(
        std::regex_match(caption, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d 1ターン 制圧0箇所 将軍1名\(&R\))")))
        << caption;
    EXPECT_EQ(Caption("mmSF1_3"), caption);
    EXPECT_TRUE(Enabled("mmSF1_3"));
    EXPECT_EQ(TIniFile(ThisConfig()).ReadString("Save", "Item03"), caption);
    const std::string saved = ReadTextFile(SlotPath(3));
    ASSERT_FALSE(saved.empty());

    // No keeps the old save.
    main.Campaign().SetTurn(5);
    host.QueueAnswer(TMessageResult::No);
    host.ClickMenu("mmSF0_3");
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "上書きしますか");
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "確認");
    EXPECT_EQ(host.MessageBoxes()[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(host.MessageBoxes()[0].Icon, TMessageIcon::Question);
    EXPECT_EQ(ReadTextFile(SlotPath(3)), saved);
    EXPECT_EQ(Caption("mmSF0_3"), caption);

    host.QueueAnswer(TMessageResult::Yes);
    host.ClickMenu("mmSF0_3");
    EXPECT_NE(ReadTextFile(SlotPath(3)), saved);
    EXPECT_NE(Caption("mmSF0_3").find(" 5ターン "), std::string::npos);

    // The captions come back with the next start; the slot file is not looked at.
    Stop();
    fs::remove(SlotPath(3));
    Start();
    EXPECT_NE(Caption("mmSF1_3").find(" 5ターン "), std::string::npos);
    EXPECT_TRUE(Enabled("mmSF1_3"));
    EXPECT_FALSE(Enabled("mmSave"));
}

TEST_F(MainSlotsTest, LoadingRestoresTheCampaignResumesTheActionPhaseAndEndsABattle) {
    WriteCampaign();
    TggTDMain& main = Start();
    Frames(6);
    main.Campaign().SetAffection(4, 9);
    host.ClickMenu("mmSF0_0");

    main.Campaign().ResetAll();
    main.Campaign().SetTurn(40);
    TFields battle{"戦闘開始", "2"};
    main.Commands().Run(battle);
    ASSERT_TRUE(main.BattleSession().Running());
    ASSERT_TRUE(main.Commands().TopBar().Visible());

    ASSERT_TRUE(host.ClickMenu("mmSF1_0"));
    EXPECT_EQ(main.Campaign().Turn(), 1);
    EXPECT_EQ(main.Campaign().Affection(4), 9);
    // The battle fought after saving is gone with the rest: area 2 has its strength back.
    EXPECT_EQ(main.Campaign().AreaBattles(2), 0);
    EXPECT_EQ(main.Campaign().AreaStrength(2), TQTDGameDat::InitialStrength[2]);
    EXPECT_FALSE(main.BattleSession().Running());
    EXPECT_FALSE(main.Commands().TopBar().Visible());
    EXPECT_FALSE(main.Commands().InfoLayer().Visible());
    EXPECT_EQ(main.Engine().ScriptName, "行動.txt");
    Frames(2);
    EXPECT_EQ(main.Engine().LastLabel, "*行動フェイズ");
    EXPECT_TRUE(main.ReadFlags().Contains("行動_行動フェイズ"));
}

TEST_F(MainSlotsTest, ASlotThatCannotBeReadIsReportedAndChangesNothing) {
    WriteCampaign();
    TggTDMain& main = Start();
    Frames(6);
    host.ClickMenu("mmSF0_2");
    WriteTextFile(SlotPath(2), "this is no save");
    main.Campaign().SetTurn(7);
    TFields battle{"戦闘開始", "3"};
    main.Commands().Run(battle);
    const int line = main.Engine().Line;

    ASSERT_TRUE(host.ClickMenu("mmSF1_2"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "ロード");
    EXPECT_NE(host.MessageBoxes()[0].Text.find("読み込めません"), std::string::npos);
    EXPECT_EQ(main.Campaign().Turn(), 7);
    EXPECT_EQ(main.Campaign().AreaBattles(3), 1);
    EXPECT_TRUE(main.BattleSession().Running());
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_EQ(main.Engine().Line, line);
    EXPECT_TRUE(main.Commands().TopBar().Visible());
    Stop();
    const std::string log = test::ReadDebugLog(exe);
    EXPECT_NE(log.find("セーブデータ " + SlotPath(2) + " を読み込めません"), std::string::npos) << log;
}

TEST_F(MainSlotsTest, ReadFlagsLastAcrossRunsAndADamagedFileIsKeptAside) {
    // The first script is loaded before the hooks exist; a run that reaches nothing
    // else writes no read-flags file.
    WriteScript("first.txt", "[文章枠/なし]\n[クリック待]\n");
    Start();
    Frames(5);
    Stop();
    EXPECT_FALSE(fs::exists(SaveFolder() + kReadFlagsFileName));

    WriteScript("first.txt", "[文章枠/なし]\n[ジャンプ/title.txt/*スタート]\n");
    WriteScript("title.txt", "*スタート\n*スタート\n[クリック待]\n");
    TggTDMain& main = Start();
    Frames(8);
    EXPECT_EQ(main.ReadFlags().Keys(), (std::vector<std::string>{"title", "title_スタート"}));
    Stop();
    ASSERT_TRUE(fs::exists(SaveFolder() + kReadFlagsFileName));

    // A damaged file: the game starts with no read flags, goes on with its start-up
    // (the volume menus are checked) and keeps the file aside.
    WriteTextFile(SaveFolder() + kReadFlagsFileName, "damaged");
    WriteScript("first.txt", "[文章枠/なし]\n[クリック待]\n");
    TggTDMain& again = Start();
    EXPECT_TRUE(again.ReadFlags().Empty());
    EXPECT_TRUE(again.Menu().At("mmV0_6").Checked());
    EXPECT_FALSE(fs::exists(SaveFolder() + kReadFlagsFileName));
    EXPECT_EQ(ReadTextFile(SaveFolder() + "save999.damaged.dat"), "damaged");
    Stop();
    EXPECT_EQ(ReadTextFile(SaveFolder() + "save999.damaged.dat"), "damaged");
}

TEST_F(MainSlotsTest, TheSurveyOpensToPlayersWhoHaveReadFarEnough) {
    WriteScript("first.txt", "[文章枠/なし]\n[クリック待]\n");
    fs::create_directories(SaveFolder());
    TReadFlags flags;
    for (int key = 0; key < 100; ++key) flags.Add("script" + std::to_string(key));
    WriteReadFlagsFile(SaveFolder() + kReadFlagsFileName, flags);
    Start();
    EXPECT_FALSE(window->Menu().At("mmEnq").Visible());
    Stop();

    flags.Add("one more");
    WriteReadFlagsFile(SaveFolder() + kReadFlagsFileName, flags);
    TggTDMain& main = Start();
    EXPECT_EQ(main.ReadFlags().Count(), 101);
    EXPECT_TRUE(main.Menu().At("mmEnq").Visible());
}

}  // namespace
}  // namespace vandor

// Self-voicing in the main window, against the tests' own speech service: off it asks
// nothing and writes nothing; on, the pages, the backlog and the focused choice are
// asked in order with stops where pages turn; without a service the item says why.

#include <gmock/gmock.h>

#include <filesystem>
#include <string>

#include "BattlePictures.h"
#include "MainWindowFixture.h"
#include "RecordingSpeechServer.h"
#include "battle/BattleTables.h"
#include "battle/QTDGame.h"
#include "compositor/Input.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/GameMenu.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::MainWindowTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kStory = "一頁目\n\nSecond page\n\nどうする？\n[選択/*A]行く\n[選択/*B]Stay\n\n*A\nAの話\n\n*B\n";

class SelfVoicingTest : public MainWindowTest {
protected:
    void Key(int key) {
        host.PressKey(key);
        host.ReleaseKey(key);
    }
    void Click() {
        host.MoveMouse(400, 300);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
    }
    void SwitchedOnInConfig() {
        std::filesystem::create_directories(UserDir("ヴァンドルの星砦タクティクス"));
        TIniFile ini(ThisConfig());
        ini.WriteBool("Comfort", "SelfVoicing", true);
        ASSERT_TRUE(ini.Save());
    }
};

TEST_F(SelfVoicingTest, OffByDefaultItAsksNothingAndLeavesConfigAlone) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    WriteScript("first.txt", kStory);
    TggTDMain& main = Start();
    EXPECT_FALSE(main.Menu().At("mmSelfVoicing").Checked());
    Frames(10);
    Click();
    Frames(10);
    Stop();
    EXPECT_THAT(server.Record(), ElementsAre());
    const TIniFile ini(ThisConfig());
    EXPECT_FALSE(ini.ValueExists("Comfort", "SelfVoicing"));
    EXPECT_FALSE(ini.ValueExists("Comfort", "SpeakOverVoice"));
}

TEST_F(SelfVoicingTest, PagesBackLogAndChoicesAreAskedInOrderWithStopsWherePagesTurn) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    WriteScript("first.txt", kStory);
    SwitchedOnInConfig();
    TggTDMain& main = Start();
    EXPECT_TRUE(main.Menu().At("mmSelfVoicing").Checked());
    Frames(30);
    Click();
    Frames(30);
    host.PressKey(vkUp);
    Frames(1);
    host.ReleaseKey(vkUp);
    Frames(2);
    ASSERT_TRUE(main.Engine().BackLog().Visible());
    Click();
    Frames(2);
    ASSERT_FALSE(main.Engine().BackLog().Visible());
    Click();
    Frames(30);
    ASSERT_EQ(main.Engine().Choices().size(), 2u) << ::testing::PrintToString(server.Record());
    Key(vkTab);
    Frames(1);
    Key(vkTab);
    Frames(1);
    EXPECT_THAT(server.Record(),
                ElementsAre("say ja important: 読み上げをオンにしました", "say ja text: 一頁目", "stop",
                            "say en text: Second page", "stop", "say ja text: 一頁目", "stop",
                            "say ja text: どうする？", "say ja message: 行く", "say en message: Stay"));
    server.ClearRecord();
    Key('V');
    EXPECT_FALSE(main.Menu().At("mmSelfVoicing").Checked());
    EXPECT_THAT(server.Record(), ElementsAre("stop"));
    Stop();
    EXPECT_FALSE(TIniFile(ThisConfig()).ReadBool("Comfort", "SelfVoicing", true)) << "switched off is remembered";
}

TEST_F(SelfVoicingTest, TheBattleSaysTheCursorTheBuildKindTheStatusAndItsCaptions) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    // The base's own shot beats the one enemy beside it.
    WriteScript("bt01-00.txt", "WC=1\nWEC_00=1\nE_00_00_PX=4\nE_00_00_PY=0\n");
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/1]\n[クリック待]\n");
    ASSERT_TRUE(test::SaveBattlePointerPictures(exe + "scenario/")) << "the build buttons, to be clicked";
    SwitchedOnInConfig();
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    for (int frame = 0; frame < 500 && main.Battle().RefusesPresses(); ++frame) Frames(1);
    server.ClearRecord();
    Key(vkLeft);
    Frames(1);
    Key('E');
    Frames(1);
    const int type = main.Battle().BuildType;
    ASSERT_GE(type, 1) << "the shoulder key chose a build kind";
    Key(vkBack);
    Frames(1);
    Key('I');
    const TQTDGame& battle = main.Battle();
    const std::string status = "say ja message: 資金 " + std::to_string(battle.Money()) + "、耐久 " +
                               std::to_string(battle.BaseHP()) + "/" + std::to_string(battle.BaseMaxHP) +
                               "、ウェーブ 0/1";
    const std::string kind = "say ja message: " + std::string(kTowerNames[static_cast<std::size_t>(type)]) + "、費用 " +
                             std::to_string(battle.Cost(1, type));
    main.Battle().StartWave();
    for (int frame = 0; frame < 200 && !main.BattleSession().Ended(); ++frame) Frames(1);
    ASSERT_TRUE(main.BattleSession().Ended());
    Frames(1);
    EXPECT_THAT(server.Record(), ElementsAre("say ja message: -1、0、空き地", kind, status, "say ja message: 勝利"));
}

TEST_F(SelfVoicingTest, ATowersMenuSaysTheFocusedButtonWithItsValues) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    WriteScript("bt01-00.txt", "WC=1\nWEC_00=1\nE_00_00_PX=4\nE_00_00_PY=0\n");
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/1]\n[クリック待]\n");
    ASSERT_TRUE(test::SaveBattlePointerPictures(exe + "scenario/"));
    SwitchedOnInConfig();
    TggTDMain& main = Start();
    Frames(3);
    for (int frame = 0; frame < 500 && main.Battle().RefusesPresses(); ++frame) Frames(1);
    for (int key : {vkLeft, vkLeft, vkLeft, int('E'), vkReturn, vkBack, vkReturn}) {
        Key(key);
        Frames(2);
    }
    const TQTDGame& battle = main.Battle();
    const TQTDGame::TCell& tower = battle.Cell(-3, 0);
    ASSERT_EQ(tower.Level, 1) << "a tower was built on the cursor's cell";
    ASSERT_EQ(battle.PopUpCell, (TPoint{-3, 0})) << "and its menu opened";
    server.ClearRecord();
    Key(vkDown);
    Frames(1);
    const int type = tower.Type;
    EXPECT_THAT(
        server.Record(),
        ElementsAre("say ja message: レベルアップ、費用 " + std::to_string(battle.Cost(2, type)) + "、攻撃 " +
                    std::to_string(battle.Attack(2, type)) + "、射程 " + std::to_string(battle.Range(2, type))));
}

TEST_F(SelfVoicingTest, TheGameMenuSaysItsFocusedItemAndItsState) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    WriteScript("first.txt", kStory);
    SwitchedOnInConfig();
    TggTDMain& main = Start();
    Frames(2);
    server.ClearRecord();
    Key(vkEscape);
    Frames(1);
    ASSERT_TRUE(main.GameMenu().IsOpen());
    const auto focused = [&] {
        const TGameMenu& menu = main.GameMenu();
        return menu.Rows().at(static_cast<std::size_t>(menu.Focused()));
    };
    EXPECT_THAT(server.Record(), ElementsAre("say ja message: " + PlainMenuCaption(focused()->Caption())))
        << "the menu opens on its first item";
    for (int guard = 0; guard < 20 && focused()->Name() != "mmChar"; ++guard) {
        Key(vkDown);
        Frames(1);
    }
    Key(vkRight);
    Frames(1);
    for (int guard = 0; guard < 40 && focused()->Name() != "mmSelfVoicing"; ++guard) {
        Key(vkDown);
        Frames(1);
    }
    const std::vector<std::string> record = server.Record();
    ASSERT_GE(record.size(), 3u);
    EXPECT_EQ(record.back(), "say ja message: 読み上げ(Y)、チェックあり");
}

TEST_F(SelfVoicingTest, TheKeySwitchesItOnAndItIsRemembered) {
    test::TRecordingSpeechServer server(temp / "speech.sock");
    WriteScript("first.txt", kStory);
    TggTDMain& main = Start();
    Frames(2);
    Key('V');
    EXPECT_TRUE(main.Menu().At("mmSelfVoicing").Checked());
    EXPECT_THAT(server.Record(), ElementsAre("say ja important: 読み上げをオンにしました"));
    Stop();
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "SelfVoicing", false));
}

TEST_F(SelfVoicingTest, WithoutAServiceTheItemSaysWhyAndPlayGoesOn) {
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + (temp / "nobody.sock")).c_str(), 1);
    WriteScript("first.txt", kStory);
    SwitchedOnInConfig();
    TggTDMain& main = Start();
    const TMenuItem& item = main.Menu().At("mmSelfVoicing");
    EXPECT_FALSE(item.Enabled());
    EXPECT_FALSE(item.Checked());
    EXPECT_THAT(item.Caption(), HasSubstr("speech-dispatcher"));
    Key('V');
    Frames(30);
    Click();
    Frames(30);
    EXPECT_EQ(main.Engine().Line, 3) << "the story went on to its second page";
    int told = 0;
    for (const std::string& line : main.Log().Lines()) told += line.find("読み上げは使えません") != std::string::npos;
    EXPECT_EQ(told, 1);
    Stop();
    unsetenv("SPEECHD_ADDRESS");
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "SelfVoicing", false)) << "the player's choice stays";
}

}  // namespace
}  // namespace vandor

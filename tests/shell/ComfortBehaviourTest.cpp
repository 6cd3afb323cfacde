// The comforts that change how the window behaves: auto mode at choices, the questions
// before leaving for the title or loading over unsaved progress with the notice after a
// save, each against the same play with the option off; and the rule of lost progress
// that the quick load shares with them.

#include <gtest/gtest.h>

#include <string>

#include "MainWindowFixture.h"
#include "campaign/GameDat.h"
#include "compositor/Input.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "text/LayerLabel.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::MainWindowTest;

constexpr int kF5 = vkF1 + 4;
constexpr int kF9 = vkF1 + 8;

class ComfortBehaviourTest : public MainWindowTest {
protected:
    bool Checked(const std::string& item) { return window->Menu().At(item).Checked(); }
    void ClickAt(int x, int y) {
        host.MoveMouse(x, y);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
    }
    void ClickOn(const TLayerItem& layer) {
        ClickAt(layer.Position.X + layer.Width() / 2, layer.Position.Y + layer.Height() / 2);
    }
    // The status bar opens the save menu and the campaign starts at turn 1.
    void WriteCampaign() {
        WriteScript("first.txt", "[文章枠/なし]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
        WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    }
};

TEST_F(ComfortBehaviourTest, AutoEndsWhenChoicesAppearAndAClickOnAChoiceActsAtOnce) {
    WriteScript("first.txt", "一頁目\n\nどうする？\n[選択/*A]行く\n[選択/*B]行かない\n\n*A\nAの話\n\n*B\nBの話\n\n");
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_TRUE(host.ClickMenu("mmAuto"));
    for (int frame = 0; frame < 200 && main.Engine().Choices().empty(); ++frame) Frames(1);
    ASSERT_EQ(main.Engine().Choices().size(), 2u) << "auto turned the first page";
    Frames(1);
    EXPECT_FALSE(main.Engine().AutoMode) << "the story waits for the player";
    EXPECT_FALSE(Checked("mmAuto"));

    // Turned on again while the choices stand, a click on one still chooses it.
    ASSERT_TRUE(host.ClickMenu("mmAuto"));
    Frames(2);
    ASSERT_TRUE(main.Engine().AutoMode);
    ClickOn(*main.Engine().Choices()[1]);
    EXPECT_FALSE(main.Engine().AutoMode);
    EXPECT_TRUE(main.Engine().Choices().empty());
    Frames(3);
    EXPECT_EQ(main.Engine().LastLabel, "*B");

    // Where no choice stands, the click that ends auto turns no page.
    ASSERT_TRUE(host.ClickMenu("mmAuto"));
    const std::string line = main.Engine().ScriptName + ":" + std::to_string(main.Engine().Line);
    ClickAt(400, 300);
    Frames(1);
    EXPECT_FALSE(main.Engine().AutoMode);
    EXPECT_EQ(main.Engine().ScriptName + ":" + std::to_string(main.Engine().Line), line);
}

TEST_F(ComfortBehaviourTest, ReturningToTheTitleAsksOnlyWithTheConfirmationsOn) {
    WriteScript("first.txt", "[文章枠/なし]\n最初の頁。\n\n");
    WriteScript("title.txt", "*スタート\nタイトル画面。\n\n");
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_TRUE(host.ClickMenu("mmTitle"));
    EXPECT_TRUE(host.MessageBoxes().empty()) << "off, it goes at once";
    EXPECT_EQ(main.Engine().ScriptName, "title.txt");

    main.Engine().Jump("first.txt", "");
    ASSERT_TRUE(host.ClickMenu("mmConfirm"));
    host.QueueAnswer(TMessageResult::No);
    ASSERT_TRUE(host.ClickMenu("mmTitle"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "タイトルに戻りますか？");
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "確認");
    EXPECT_EQ(host.MessageBoxes()[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt") << "No stays";

    host.QueueAnswer(TMessageResult::Yes);
    ASSERT_TRUE(host.ClickMenu("mmTitle"));
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(main.Engine().ScriptName, "title.txt");
    Stop();
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "Confirm", false)) << "remembered";
}

TEST_F(ComfortBehaviourTest, LoadingAsksOnlyOverUnsavedProgressAndASaveIsTold) {
    WriteCampaign();
    TggTDMain& main = Start();
    Frames(6);
    ASSERT_TRUE(main.Menu().At("mmSave").Enabled());
    ASSERT_TRUE(host.ClickMenu("mmSF0_0"));
    EXPECT_FALSE(main.Notice().Visible()) << "off, a save is not told";
    main.Campaign().SetTurn(3);
    ASSERT_TRUE(host.ClickMenu("mmSF1_0"));
    EXPECT_TRUE(host.MessageBoxes().empty()) << "off, loading never asks";
    EXPECT_EQ(main.Campaign().Turn(), 1);

    ASSERT_TRUE(host.ClickMenu("mmConfirm"));
    main.Campaign().SetTurn(4);
    ASSERT_TRUE(host.ClickMenu("mmSF0_1"));
    EXPECT_EQ(main.Notice().Text(), "セーブしました");
    // Turn 4 is kept in slot 1: loading slot 0 loses nothing.
    ASSERT_TRUE(host.ClickMenu("mmSF1_0"));
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(main.Campaign().Turn(), 1);

    // Moved on since the load: asked, and No keeps the game as it is.
    main.Campaign().SetTurn(7);
    host.QueueAnswer(TMessageResult::No);
    ASSERT_TRUE(host.ClickMenu("mmSF1_1"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, "ロードしますか？\nセーブしていない進行は失われます。");
    EXPECT_EQ(host.MessageBoxes()[0].Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(main.Campaign().Turn(), 7);
    host.QueueAnswer(TMessageResult::Yes);
    ASSERT_TRUE(host.ClickMenu("mmSF1_1"));
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(main.Campaign().Turn(), 4);

    // A battle under way is progress too, though the campaign is as loaded.
    main.BattleSession().Start(1, 1, {"敗北.txt", "*スタート"});
    host.QueueAnswer(TMessageResult::No);
    ASSERT_TRUE(host.ClickMenu("mmSF1_1"));
    EXPECT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_TRUE(main.BattleSession().Running());
}

TEST_F(ComfortBehaviourTest, TheQuickLoadAsksNothingWhenTheProgressIsInAnotherSave) {
    WriteCampaign();
    TggTDMain& main = Start();
    Frames(6);
    host.PressKey(kF5);
    host.ReleaseKey(kF5);
    main.Campaign().SetTurn(5);
    ASSERT_TRUE(host.ClickMenu("mmSF0_2"));
    host.PressKey(kF9);
    host.ReleaseKey(kF9);
    EXPECT_TRUE(host.MessageBoxes().empty()) << "turn 5 is in slot 2";
    EXPECT_EQ(main.Campaign().Turn(), 1);
}

}  // namespace
}  // namespace vandor

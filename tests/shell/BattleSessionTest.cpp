// A battle between the story and the window: it ends and still shows until the next
// release, which leaves it and, after a defeat, sends the story to its defeat script;
// given up, it leaves the story where it waits. Meanwhile the wheel and the keys do not
// reach the story, and a Ctrl still held when the story is back skips it.

#include <gtest/gtest.h>

#include <string>

#include "MainWindowFixture.h"
#include "PageText.h"
#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "text/NGText.h"

namespace vandor {
namespace {

using test::MainWindowTest;

class BattleSessionTest : public MainWindowTest {
protected:
    // Area 1 is won by the base's own shot at its one enemy; area 2 holds ten enemies
    // far from the base.
    void WriteBattles() {
        WriteScript("bt01-00.txt", "WC=1\nWEC_00=1\nE_00_00_PX=4\nE_00_00_PY=0\n");
        WriteScript("bt02-00.txt", "WC=1\n");
        WriteScript("負け.txt", "前置き\n*残念\n[クリック待]\n");
    }
    void Click() {
        host.MoveMouse(400, 300);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
    }
    // Starts the wave, as the start button does, and plays until the battle ends.
    void PlayToTheEnd() {
        window->Battle().StartWave();
        for (int frame = 0; frame < 200 && !window->BattleSession().Ended(); ++frame) Frames(1);
    }
    void LoseToTheEnd() {
        window->Battle().StartWave();
        window->Battle().SetBaseHP(0);
        PlayToTheEnd();
    }
    std::string PageText() { return test::PageText(window->Engine().Store()); }
};

// The text behind the battle command is revealed one character after the other, so
// that anything that went on in the story behind the battle shows as text at once.
constexpr const char* kRest = "さしすせそたちつてと";

TEST_F(BattleSessionTest, AnEndedBattleShowsUntilTheNextReleaseWhichLeavesIt) {
    WriteBattles();
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/1/負け.txt/*残念]\n[戦闘開始/2/負け.txt/*残念]\n[クリック待]\n");
    TggTDMain& main = Start();
    TBattleSession& session = main.BattleSession();
    Frames(3);
    ASSERT_TRUE(session.Running());
    EXPECT_FALSE(session.Ended());
    EXPECT_EQ(&session.ActiveMode(), static_cast<IGameMode*>(&main.Battle()));
    const int line = main.Engine().Line;
    Click();
    EXPECT_TRUE(session.Running()) << "a release before the end is the battle's own";

    PlayToTheEnd();
    ASSERT_TRUE(session.Ended());
    EXPECT_FALSE(session.Lost());
    Frames(5);
    EXPECT_TRUE(session.Running()) << "the won battle still shows";
    EXPECT_EQ(main.Engine().Line, line);
    ASSERT_NE(main.Battle().Caption, nullptr);
    Click();
    EXPECT_FALSE(session.Running());
    EXPECT_FALSE(session.Ended());
    EXPECT_EQ(main.Battle().Caption, nullptr) << "the release that leaves still reaches the battle";
    EXPECT_EQ(&session.ActiveMode(), static_cast<IGameMode*>(&main.Engine()));

    // The story goes on after the won battle's command: the next battle starts.
    Frames(2);
    ASSERT_TRUE(session.Running());
    EXPECT_EQ(main.Battle().Field, 2);
    LoseToTheEnd();
    ASSERT_TRUE(session.Ended());
    EXPECT_TRUE(session.Lost());
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    Click();
    EXPECT_FALSE(session.Running());
    EXPECT_EQ(main.Engine().ScriptName, "負け.txt");
    Frames(2);
    EXPECT_EQ(main.Engine().LastLabel, "*残念");
}

TEST_F(BattleSessionTest, AGivenUpBattleLeavesTheStoryWhereItWaits) {
    WriteBattles();
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/2/負け.txt/*残念]\n[クリック待]\n*後\n[クリック待]\n");
    TggTDMain& main = Start();
    TBattleSession& session = main.BattleSession();
    Frames(3);
    LoseToTheEnd();
    ASSERT_TRUE(session.Lost());

    // Given up after the defeat, the battle has no end left to leave: no defeat script.
    host.PressKey(vkShift);
    host.PressKey(vkControl);
    host.ReleaseKey('Q');
    host.ReleaseKey(vkControl);
    host.ReleaseKey(vkShift);
    EXPECT_FALSE(session.Running());
    EXPECT_FALSE(session.Ended());
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    // The next release is the story's: it passes the click wait after the battle.
    Frames(2);
    Click();
    Frames(2);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_EQ(main.Engine().LastLabel, "*後");
}

TEST_F(BattleSessionTest, DuringABattleTheWheelAndTheKeysDoNotReachTheStory) {
    WriteBattles();
    WriteScript("first.txt", std::string("一頁目\n\n[戦闘開始/1]") + kRest + "\n\n[戦闘開始/1]二頁目\n\n終わり\n");
    TggTDMain& main = Start();
    Frames(10);
    Click();
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    host.ClickMenu("mmAuto");
    host.PressKey(vkControl);
    Frames(5);
    host.ReleaseKey(vkControl);
    host.PressKey(vkUp);
    host.ReleaseKey(vkUp);
    PlayToTheEnd();
    ASSERT_TRUE(main.BattleSession().Ended());
    Click();
    ASSERT_FALSE(main.BattleSession().Running());
    EXPECT_TRUE(main.Engine().AutoMode) << "the keys were the battle's, not the end of auto mode";
    Frames(1);
    EXPECT_NE(PageText(), kRest) << "Ctrl skipped the story behind the battle";

    host.ClickMenu("mmAuto");
    Frames(20);
    ASSERT_EQ(PageText(), kRest);
    Click();
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    host.TurnWheel(+1);
    host.TurnWheel(-1);
    PlayToTheEnd();
    ASSERT_TRUE(main.BattleSession().Ended());
    host.TurnWheel(-1);  // the won battle still shows
    Click();
    ASSERT_FALSE(main.BattleSession().Running());
    EXPECT_FALSE(main.Engine().BackLog().Visible()) << "the wheel opened the backlog behind the battle";
}

TEST_F(BattleSessionTest, ACtrlHeldWhenTheStoryIsBackSkipsIt) {
    WriteBattles();
    WriteScript("first.txt", "[戦闘開始/1]一頁目\n\n二頁目\n\n三頁目\n");
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_TRUE(main.BattleSession().Running());
    host.PressKey(vkControl);
    PlayToTheEnd();
    Click();
    ASSERT_FALSE(main.BattleSession().Running());
    Frames(10);
    EXPECT_EQ(PageText(), "三頁目");
    host.ReleaseKey(vkControl);
}

// The controller's battle buttons and the battle's keys are the battle's only while it
// shows; the menu buttons never are, and the story hears its keys as before.
TEST_F(BattleSessionTest, ControllerButtonsAreTheBattlesOnlyWhileItShows) {
    WriteBattles();
    WriteScript("first.txt", "[文章枠/なし]\n[戦闘開始/1]\n[クリック待]\n");
    TggTDMain& main = Start();
    TBattleSession& session = main.BattleSession();
    EXPECT_FALSE(session.PadButton("a", true)) << "no battle yet";
    EXPECT_FALSE(session.KeyDown(vkReturn, 0));
    Frames(3);
    ASSERT_TRUE(session.Running());
    EXPECT_TRUE(session.PadButton("dpup", true));
    EXPECT_TRUE(session.PadButton("dpup", false));
    EXPECT_TRUE(session.KeyDown('Q', ssShift));
    EXPECT_FALSE(session.KeyDown('Q', ssShift | ssCtrl)) << "giving up, not a shoulder";
    EXPECT_FALSE(session.KeyDown(vkSpace, 0));
    for (const char* menu : {"start", "guide"}) EXPECT_FALSE(session.PadButton(menu, true)) << menu;

    PlayToTheEnd();
    ASSERT_TRUE(session.Ended());
    EXPECT_TRUE(session.PadButton("a", true)) << "the ended battle still shows";
    EXPECT_FALSE(session.Running()) << "and `a` clicks it away";
    EXPECT_FALSE(session.PadButton("a", true));
}

}  // namespace
}  // namespace vandor

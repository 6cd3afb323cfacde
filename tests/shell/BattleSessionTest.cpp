// A battle between the story and the window: it ends and still shows until the next
// release, which leaves it and, after a defeat, sends the story to its defeat script;
// given up, it leaves the story where it waits.

#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"

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
};

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

}  // namespace
}  // namespace vandor

// The interpreter's run loop: pages and waits, the reveal speed, skipping, hiding,
// the backlog, jumps and labels.

#include "ScenarioFixture.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

using RunLoop = ScenarioTest;

TEST_F(RunLoop, TextFollowedByAnEmptyLineWaitsForAClick) {
    WriteScript("first.txt", "一行目\n二行目\n[待/0]\n三行目\n\n次の頁\n");
    Start();
    // Text followed by text or a command does not wait; the page end does.
    EXPECT_EQ(PageText(), "一行目二行目");
    EXPECT_FALSE(Game->Waiting);  // the zero wait ended with its frame
    Frames(1);
    EXPECT_EQ(PageText(), "一行目二行目三行目");
    EXPECT_TRUE(Game->Waiting);
    Frames(5);
    EXPECT_TRUE(Game->Waiting);
    Click();
    Frames(2);  // the page end, then the next page
    EXPECT_EQ(PageText(), "次の頁");
    EXPECT_EQ(Game->Store().PageCount(), 2);
}

TEST_F(RunLoop, TextBeforeChoicesDoesNotWait) {
    WriteScript("first.txt", "どうする？\n[選択/*A]行く\n\n*A\n着いた\n");
    Start();
    EXPECT_FALSE(Game->Waiting || Game->Line != 1);
    Frames(1);
    EXPECT_EQ(PageText(), "どうする？");
    EXPECT_EQ(Game->Choices().size(), 1u);
    EXPECT_TRUE(Game->Waiting);  // the choice waits for its click
}

TEST_F(RunLoop, TimedWaitsEndByTimeOrClickUnlessNoSkip) {
    WriteScript("first.txt", "[待/1000]\n一\n[待/1000/禁スキップ]\n二\n[クリック待]\n三\n[クリック待/3000]\n四\n");
    Start();
    EXPECT_TRUE(Game->Waiting);
    Frames(49);
    EXPECT_EQ(PageText(), "");
    Frames(2);
    EXPECT_EQ(PageText(), "一");

    // No click, Enter or Ctrl cuts the protected wait short.
    Click();
    Game->Advance();
    Game->Skip = true;
    Game->Advance();
    Game->Skip = false;
    Frames(1);
    EXPECT_EQ(PageText(), "一");
    Frames(50);
    EXPECT_EQ(PageText(), "一二");

    Frames(200);  // a click wait has no time limit
    EXPECT_EQ(PageText(), "一二");
    Click();
    Frames(1);
    EXPECT_EQ(PageText(), "一二三");
    Frames(148);  // 3000 ms less the 20 of the frame that started it and these
    EXPECT_TRUE(Game->Waiting);
    Frames(1);
    EXPECT_FALSE(Game->Waiting);
    EXPECT_EQ(Game->Line, 7);
    Frames(1);
    EXPECT_EQ(Game->Line, 8);  // the line after the wait ran
}

TEST_F(RunLoop, RevealSpeedCarriesItsDeficit) {
    WriteScript("first.txt", "あいうえおかきくけこさしすせそたちつてと\n\n");
    for (int speed : {10, 30, 0}) {
        Start("first.txt", 0);
        Game->TextSpeed = speed;
        std::vector<std::size_t> shown;
        for (int frame = 0; frame < 6; ++frame) {
            Game->Update(20);
            shown.push_back(CodePointCount(PageText()));
        }
        if (speed == 10) {
            // Two characters a frame once the first has set the pace.
            EXPECT_EQ(shown, (std::vector<std::size_t>{1, 3, 5, 7, 9, 11}));
        } else if (speed == 30) {
            // One character per 30 ms: two frames out of three show one.
            EXPECT_EQ(shown, (std::vector<std::size_t>{1, 1, 2, 3, 3, 4}));
        } else {
            EXPECT_EQ(shown.front(), 20u);
        }
    }
}

TEST_F(RunLoop, ClickShowsTheRestThenEndsThePage) {
    WriteScript("first.txt", "あいうえおかきくけこ\nさしすせそ\n\n次\n");
    Start("first.txt", 0);
    Game->TextSpeed = 50;
    Frames(3);
    EXPECT_LT(CodePointCount(PageText()), 5u);
    Click();
    Frames(1);
    EXPECT_EQ(PageText(), "あいうえおかきくけこさしすせそ");
    EXPECT_TRUE(Game->Waiting);
    Click();
    Frames(2);
    EXPECT_EQ(PageText(), "次");
}

TEST_F(RunLoop, SkipModeRunsThroughPagesWithoutDelay) {
    WriteScript("first.txt", "一頁目\n\n二頁目\n\n三頁目\n\n*end\n");
    Start("first.txt", 0);
    Game->TextSpeed = 50;
    Game->Skip = true;
    for (int i = 0; i < 8; ++i) {
        Game->Advance();
        Game->Update(20);
    }
    EXPECT_EQ(Game->LastLabel, "*end");
}

TEST_F(RunLoop, JumpsSearchForwardThenFromTheTopAndFallBackToTheStart) {
    WriteScript("first.txt", "*A\n[ジャンプ/*B]\n*A\n[ジャンプ/other.txt/*X]\n*B\n[ジャンプ/*A]\n");
    WriteScript("other.txt", "本文\n");
    int loaded = 0;
    std::vector<std::string> labels;
    Start("first.txt", 0);
    Game->OnScriptLoaded = [&] { ++loaded; };
    Game->OnLabel = [&] { labels.push_back(Game->LastLabel); };
    Frames(1);
    EXPECT_EQ(labels, (std::vector<std::string>{"*A"}));
    Frames(1);  // [ジャンプ/*B] forward to line 4
    EXPECT_EQ(labels.back(), "*B");
    Frames(1);  // [ジャンプ/*A] finds the *A after line 5? none: from the top, line 0
    EXPECT_EQ(Game->Line, 1);
    EXPECT_TRUE(LogHas("ラベル \"*A\" へ移動."));
    Game->Jump(".", "*A");
    EXPECT_EQ(Game->Line, 2);  // the next *A after the current line comes first
    Frames(2);
    EXPECT_EQ(Game->ScriptName, "other.txt");
    EXPECT_EQ(loaded, 1);
    EXPECT_TRUE(LogHas("スクリプト \"other.txt\" 読み込み."));
    EXPECT_TRUE(LogHas("ラベル \"*X\" は存在しません. スクリプトの冒頭へ移動."));

    // A missing script keeps the current one; its label is searched there.
    Game->Jump("nothing.txt", "*missing");
    EXPECT_EQ(Game->ScriptName, "other.txt");
    EXPECT_TRUE(LogHas("ファイル \"nothing.txt\" は存在しません."));
}

TEST_F(RunLoop, ACircularScriptDoesNotFreezeAFrame) {
    WriteScript("first.txt", "[ジャンプ/*nowhere]\n");
    Start();
    Frames(2);
    EXPECT_EQ(Game->Line, 0);
}

TEST_F(RunLoop, ReturnPointGoesBackToTheLastLabelPassed) {
    WriteScript("first.txt", "*here\n[戻]\n[ジャンプ/*away]\n*away\n[終了]\n");
    std::vector<std::string> labels;
    Start("first.txt", 0);
    Game->OnLabel = [&] { labels.push_back(Game->LastLabel); };
    Frames(3);
    EXPECT_EQ(Game->ReturnScript, "first.txt");
    EXPECT_EQ(Game->ReturnLabel, "*here");
    EXPECT_EQ(labels, (std::vector<std::string>{"*here", "*away", "*here"}));
}

TEST_F(RunLoop, RightClickJumpsToItsTargetWhileOneIsSet) {
    WriteScript("first.txt", "[右クリック/*menu]\nここ\n\n*menu\nメニュー\n\n[右クリック]\n後\n\n");
    Start();
    EXPECT_EQ(Game->RightClickLabel, "*menu");
    EXPECT_EQ(PageText(), "ここ");
    Game->Wheel(-1);  // no backlog while a right-click target is set
    EXPECT_FALSE(Game->BackLog().Visible());
    Game->MouseUp(TMouseButton::mbRight, 0, 10, 10);
    Frames(2);
    EXPECT_FALSE(Game->Hidden);
    EXPECT_EQ(Game->LastLabel, "*menu");
    EXPECT_EQ(PageText(), "メニュー");

    Click();
    Frames(2);
    EXPECT_EQ(PageText(), "後");
    EXPECT_TRUE(Game->RightClickLabel.empty());
    Game->MouseUp(TMouseButton::mbRight, 0, 10, 10);  // now it hides the window
    EXPECT_TRUE(Game->Hidden);
}

TEST_F(RunLoop, UnknownWordsReachTheGameAfterThePictureLookupFails) {
    WriteScript("first.txt", "[戦闘開始/3]\n[ Nothing /a/ /b/]\n[]\n");
    std::vector<TFields> commands;
    Start("first.txt", 0);
    Game->OnCommand = [&](TFields& fields) { commands.push_back(fields); };
    Frames(3);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0], (TFields{"戦闘開始", "3"}));
    EXPECT_EQ(commands[1], (TFields{"nothing", "a", "", "b"}));  // lower-cased, blanks trimmed
    EXPECT_TRUE(LogHas("ファイル \"戦闘開始.png\" は存在しません."));
}

TEST_F(RunLoop, CommandWithTrailingTextShowsTheTextAndAnUnmatchedBracketOnlyRunsItsCommand) {
    MakeSound("cv_ann_001.ogg");
    WriteScript("first.txt", "[cv_ann_001]「こんにちは」\n[文章枠/なし\n終\n\n");
    Start();
    EXPECT_EQ(Sound.Channel(14).Name(), "cv_ann_001.ogg");
    EXPECT_EQ(PageText(), "「こんにちは」終");
}

TEST_F(RunLoop, HidingHoldsTheScriptAndTheNextInputShowsItAgain) {
    WriteScript("first.txt", "一\n\n二\n\n");
    Start();
    Game->ToggleHide();
    EXPECT_TRUE(Game->Hidden);
    EXPECT_FALSE(Game->Message().Visible());
    Frames(3);
    Click();  // shows the window without advancing
    Frames(1);
    EXPECT_FALSE(Game->Hidden);
    EXPECT_TRUE(Game->Message().Visible());
    EXPECT_EQ(PageText(), "一");
    Game->MouseUp(TMouseButton::mbRight, 0, 0, 0);  // right click without a target hides
    EXPECT_TRUE(Game->Hidden);
    Game->ToggleHide();
    EXPECT_FALSE(Game->Hidden);
}

TEST_F(RunLoop, EnterAdvancesSpaceHidesAndOtherCharactersDoNothing) {
    WriteScript("first.txt", "一\n\n二\n\n");
    Start();
    EXPECT_TRUE(Game->Waiting);
    Game->KeyPress('A');
    Frames(2);
    EXPECT_EQ(PageText(), "一");
    Game->KeyPress(vkSpace);
    EXPECT_TRUE(Game->Hidden);
    Game->KeyPress(vkSpace);
    EXPECT_FALSE(Game->Hidden);
    Game->KeyPress(vkReturn);
    Frames(2);
    EXPECT_EQ(PageText(), "二");
}

TEST_F(RunLoop, WheelOpensScrollsAndClosesTheBacklog) {
    std::string script;
    for (int page = 0; page < 12; ++page) script += "頁" + std::to_string(page) + "の文章\n一行\n二行\n\n";
    WriteScript("first.txt", script);
    Start();
    for (int page = 0; page < 11; ++page) {
        Click();
        Frames(2);
    }
    Game->Wheel(-1);
    ASSERT_TRUE(Game->BackLog().Visible());
    EXPECT_TRUE(Game->Hidden);
    const int last = Game->BackLog().LastTopPage;
    EXPECT_GT(last, 0);
    Game->Wheel(-1);
    EXPECT_EQ(Game->BackLog().CurrentPage, last - 1);
    Game->Wheel(+1);
    EXPECT_EQ(Game->BackLog().CurrentPage, last);
    Frames(2);
    EXPECT_EQ(Game->Store().PageCount(), 12);  // the script is held while the backlog is open
    Game->Wheel(+1);                           // down at the last page closes it
    EXPECT_FALSE(Game->BackLog().Visible());
    EXPECT_FALSE(Game->Hidden);
}

// A button clicked, or the right click, while a page is still appearing: the target
// runs and its page appears at the text speed, whichever frame of the reveal the click
// fell on.
TEST_F(RunLoop, AJumpDuringTheRevealRunsItsTargetAtTheTextSpeed) {
    MakePicture("btn.png", 100, 90);
    const std::string longLine = "長い長い長い長い長い長い長い長い長い長い文章";
    WriteScript("first.txt", "[ボタン/btn.png/ /./*GO/100/100]\n" + longLine + "\n\n*GO\n[ボタン消]\n行き先\n\n");
    for (int frame = 1; frame <= 6; ++frame) {
        SCOPED_TRACE(frame);
        Start("first.txt", 0);
        Game->TextSpeed = 30;
        Frames(frame);
        ASSERT_GT(Game->Column, 1);  // in the middle of the long line
        Click(120, 120);
        Frames(40);
        EXPECT_EQ(Game->LastLabel, "*GO");
        EXPECT_TRUE(Game->Buttons().empty());
        EXPECT_EQ(PageText(), "行き先");
        EXPECT_TRUE(Game->Waiting);
    }

    // The target's text appears one character per 30 ms, not at once.
    Start("first.txt", 0);
    Game->TextSpeed = 30;
    Frames(3);
    Click(120, 120);
    for (int frame = 0; frame < 10 && PageText().empty(); ++frame) Frames(1);
    EXPECT_EQ(PageText(), "行");

    WriteScript("second.txt", "[右クリック/*R]\n" + longLine + "\n\n*R\n[右クリック]\n戻った\n\n");
    for (int frame = 1; frame <= 3; ++frame) {
        SCOPED_TRACE(frame);
        Start("second.txt", 0);
        Game->TextSpeed = 30;
        Frames(frame);
        Game->MouseUp(TMouseButton::mbRight, 0, 10, 10);
        Frames(20);
        EXPECT_EQ(PageText(), "戻った");
    }
}

// The backlog opened during a wait that clicks may not cut short opens and closes as
// always; the wait then runs its time.
TEST_F(RunLoop, TheBacklogOpenedDuringAProtectedWaitClosesAndTheWaitGoesOn) {
    WriteScript("first.txt", "前の頁\n\n一行\n[待/2000/禁スキップ]\n後\n\n");
    Start();
    Click();
    Frames(3);
    ASSERT_TRUE(Game->NoSkip);
    Game->Wheel(-1);
    ASSERT_TRUE(Game->BackLog().Visible());
    Frames(10);
    Click();  // closes the backlog, does not end the wait
    EXPECT_FALSE(Game->BackLog().Visible());
    EXPECT_FALSE(Game->Hidden);
    EXPECT_TRUE(Game->Waiting);
    Frames(1);
    EXPECT_EQ(PageText(), "一行");

    // Every other way out closes it too: Enter, wheel down, the right click.
    Game->Wheel(-1);
    Game->KeyPress(vkReturn);
    EXPECT_FALSE(Game->BackLog().Visible());
    Game->Wheel(-1);
    Game->Wheel(+1);
    EXPECT_FALSE(Game->BackLog().Visible());
    Game->Wheel(-1);
    Game->MouseUp(TMouseButton::mbRight, 0, 10, 10);
    EXPECT_FALSE(Game->BackLog().Visible());
    EXPECT_FALSE(Game->Hidden);
    EXPECT_TRUE(Game->Waiting);
    Frames(100);
    EXPECT_EQ(PageText(), "一行後");
}

}  // namespace
}  // namespace vandor

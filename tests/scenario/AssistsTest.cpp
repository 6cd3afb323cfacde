// The player's assists in the engine: skip held back at unread pages, pages marked
// read at their end, auto mode's delay and its wait for the voice, and voices played
// again from the backlog's marks.

#include "ScenarioFixture.h"
#include "scenario/ReadPages.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

class Assists : public ScenarioTest {
protected:
    // Frames with skip held, as the main window runs them: Advance while skip is in effect.
    void SkipFrames(int count) {
        for (int i = 0; i < count; ++i) {
            if (Game->Skipping()) Game->Advance();
            Game->Update(20);
        }
    }
    // Frames until the current page's text changes; the milliseconds that took.
    int MillisecondsUntilPageChanges(int limit = 10000) {
        const std::string page = PageText();
        int elapsed = 0;
        while (PageText() == page && elapsed < limit) {
            Game->Update(20);
            elapsed += 20;
        }
        return elapsed;
    }
    TReadPages Pages;
};

constexpr const char* kThreePages = "一頁目\n\n二頁目\n\n三頁目\n\n終わり\n";

TEST_F(Assists, PagesAreMarkedReadWhenThePlayerMovesOn) {
    WriteScript("first.txt", kThreePages);
    Start();
    Game->ReadPages = &Pages;
    EXPECT_FALSE(Game->CurrentPageRead());
    EXPECT_TRUE(Pages.Empty()) << "a page shown is not read until the player moves on";
    Click();
    Frames(2);
    EXPECT_EQ(PageText(), "二頁目");
    EXPECT_TRUE(Pages.Contains("first.txt", 1));
    EXPECT_FALSE(Pages.Contains("first.txt", 3));
    EXPECT_EQ(Pages.Count(), 1);
}

TEST_F(Assists, SkipReadOnlyGoesThroughReadPagesAndStopsAtTheFirstUnreadOne) {
    WriteScript("first.txt", kThreePages);
    Pages.Add("first.txt", 1);
    Start();
    Game->ReadPages = &Pages;
    Game->SkipReadOnly = true;
    Game->TextSpeed = 30;
    Game->Skip = true;
    SkipFrames(20);
    EXPECT_EQ(PageText(), "二頁目");
    EXPECT_TRUE(Game->Waiting) << "the unread page waits for its click, Ctrl or not";
    EXPECT_FALSE(Game->Skipping());
    Click();
    SkipFrames(10);
    EXPECT_TRUE(Pages.Contains("first.txt", 3)) << "read by clicking it";
    // Back on a read page, held skip goes on as before; the third page is unread.
    EXPECT_EQ(PageText(), "三頁目");
    EXPECT_FALSE(Game->Skipping());
}

TEST_F(Assists, UnreadTextIsRevealedAtTextSpeedWhileSkipIsHeld) {
    WriteScript("first.txt", "あいうえお\n\n");
    Start("first.txt", 0);
    Game->ReadPages = &Pages;
    Game->SkipReadOnly = true;
    Game->TextSpeed = 50;
    Game->Skip = true;
    SkipFrames(1);
    EXPECT_EQ(PageText(), "あ") << "one character per 50 ms, as without skip";
}

TEST_F(Assists, WithoutReadOnlySkipPassesUnreadPages) {
    WriteScript("first.txt", kThreePages);
    Start();
    Game->ReadPages = &Pages;
    Game->Skip = true;
    SkipFrames(20);
    EXPECT_EQ(PageText(), "終わり");
    EXPECT_EQ(Pages.Count(), 3) << "skipped pages count as read";
}

TEST_F(Assists, AutoModeAdvancesAfterTheDelayOfThePageLength) {
    WriteScript("first.txt", "あいうえお\n\n次\n\n");
    Start();
    Game->AutoTiming = {200, 40};  // 5 characters: 400 ms
    Game->AutoMode = true;
    ASSERT_TRUE(Game->AwaitingClick());
    EXPECT_EQ(Game->AutoDelay(), 400);
    const int elapsed = MillisecondsUntilPageChanges();
    EXPECT_GE(elapsed, 400);
    EXPECT_LE(elapsed, 440) << "the page ends within two frames of the delay";
    Frames(1);
    EXPECT_EQ(PageText(), "次");
}

TEST_F(Assists, AutoModeWaitsForTheVoiceToEnd) {
    MakeSound("cv001.ogg", 1000);
    WriteScript("first.txt", "[cv001]\n声のある頁\n\n次\n\n");
    Start();
    Game->AutoTiming = {100, 0};
    Game->AutoMode = true;
    const TOggData& voice = Sound.Channel(SoundChannel::LastVoice);
    ASSERT_TRUE(voice.Playing());
    int mixed = 0;
    while (voice.Playing() && mixed < 100) {
        Game->Update(20);
        EXPECT_EQ(PageText(), "声のある頁") << "advanced while the voice played, after " << mixed << " blocks";
        Sound.MixBlock();
        ++mixed;
    }
    EXPECT_GE(mixed, 10) << "a second of voice is about eleven mixed blocks";
    Frames(3);  // the wait ends, the page ends, the next page begins
    EXPECT_EQ(PageText(), "次");
}

class BackLogVoices : public Assists {
protected:
    // The first page's mark, at the backlog's right edge beside its first line.
    static constexpr int kMarkX = TNovelGame::kStageWidth - TLayerBackLog::kMarkRight - TLayerBackLog::kMarkSize / 2;
    static constexpr int kMarkY = 8 + TLayerBackLog::kMarkSize / 2;

    void ReadVoicedPageAndOpenBackLog(bool replay) {
        MakeSound("cv_mio01.ogg", 500);
        WriteScript("first.txt",
                    "[初期値/声チャンネル/mio/2]\n[初期値/音量/5/70]\n[cv_mio01]\n声の頁\n\n声のない頁\n\n");
        Start();
        Game->ReplayVoices = replay;
        Click();
        Frames(2);
        ASSERT_EQ(PageText(), "声のない頁");
        Sound.Channel(5).SetVolume(40);
        Game->Wheel(-1);
        ASSERT_TRUE(Game->BackLog().Visible());
    }
};

TEST_F(BackLogVoices, AClickOnTheMarkPlaysTheVoiceAgainOnTheReplayChannel) {
    ReadVoicedPageAndOpenBackLog(true);
    const TOggData& original = Sound.Channel(5);
    EXPECT_FALSE(original.Playing()) << "the click that ended the page stopped the voice";
    Click(kMarkX, kMarkY);
    const TOggData& replay = Sound.ReplayVoice();
    EXPECT_TRUE(replay.Playing());
    EXPECT_EQ(replay.Name(), "cv_mio01.ogg");
    EXPECT_EQ(replay.GetVolume(), 40) << "as loud as the voice's own channel";
    EXPECT_EQ(replay.FadeLevel(), TOggData::FadeLevelFromPercent(70)) << "at the script's voice volume";
    EXPECT_FALSE(original.Playing()) << "the voice's own channel stays free";
    EXPECT_TRUE(Game->BackLog().Visible()) << "the backlog stays open";
    Click(100, 300);
    EXPECT_FALSE(Game->BackLog().Visible());
    EXPECT_FALSE(replay.Playing()) << "closing the backlog ends the replay";
}

TEST_F(BackLogVoices, OnlyVoicedPagesHaveAMark) {
    ReadVoicedPageAndOpenBackLog(true);
    const TNGTListItem* voiced = Game->BackLog().VoiceMarkAt(kMarkX, kMarkY);
    ASSERT_NE(voiced, nullptr);
    EXPECT_EQ(voiced->Text, "声の頁");
    for (int y = kMarkY + TLayerBackLog::kMarkSize; y < TLayerBackLog::kScreenHeight; y += 4) {
        ASSERT_EQ(Game->BackLog().VoiceMarkAt(kMarkX, y), nullptr) << y;
    }
}

TEST_F(BackLogVoices, WithReplayOffTheBackLogHasNoMarksAndAClickClosesIt) {
    ReadVoicedPageAndOpenBackLog(false);
    EXPECT_EQ(Game->BackLog().VoiceMarkAt(kMarkX, kMarkY), nullptr);
    Click(kMarkX, kMarkY);
    EXPECT_FALSE(Sound.ReplayVoice().Playing());
    EXPECT_FALSE(Game->BackLog().Visible());
}

}  // namespace
}  // namespace vandor

// The story read aloud on a real engine: whole pages as they begin, stops where pages
// turn, while skipping and around the backlog, the text after the page's voice, and the
// focused choice or button.

#include <gmock/gmock.h>

#include "scenario/ScenarioFixture.h"
#include "speech/StorySpeech.h"

namespace vandor::testing {
namespace {

using ::testing::ElementsAre;

// Records what it is asked, as the SSIP server of the other tests does.
class TRecordingSpeech final : public ISpeech {
public:
    void Say(const std::string& text, const std::string& language, TSpeechPriority priority) override {
        const char* kind = priority == TSpeechPriority::Text ? "text" : "message";
        Record.push_back("say " + language + " " + kind + ": " + text);
    }
    void Stop() override { Record.push_back("stop"); }
    std::vector<std::string> Record;
};

class StorySpeechTest : public ScenarioTest {
protected:
    void StartSpeaking(const std::string& script) {
        WriteScript("first.txt", script);
        Start("first.txt", 0);
        Reader = std::make_unique<TStorySpeech>(*Game, Speech);
        Game->OnPageStart = [this] { Reader->PageStarts(); };
        Frames(1);
    }
    void Frames(int count, const void* focused = nullptr) {
        for (int i = 0; i < count; ++i) {
            Game->Update(20);
            Reader->Step(focused);
        }
    }

    TRecordingSpeech Speech;
    std::unique_ptr<TStorySpeech> Reader;
};

TEST_F(StorySpeechTest, EachPageIsSaidWholeWhenItBeginsAndStoppedWhenItTurns) {
    StartSpeaking("一行目\n[待/10]二行目\nSecond page\n\n*label\n三頁目\n\n[待/2000]\n\n");
    EXPECT_THAT(Speech.Record, ElementsAre("say ja text: 一行目\n二行目\nSecond page"))
        << "the whole page, though the wait holds its second line back";
    Speech.Record.clear();
    Frames(5);
    Click();
    Frames(3);
    EXPECT_THAT(Speech.Record, ElementsAre("stop", "say ja text: 三頁目"));
    Speech.Record.clear();
    Click();
    Frames(2);
    EXPECT_THAT(Speech.Record, ElementsAre("stop")) << "a turned page with no text after it is silenced";
    Frames(5);
    Click();
    Frames(5);
    EXPECT_THAT(Speech.Record, ElementsAre("stop")) << "once: nothing is said that could be stopped";
}

TEST_F(StorySpeechTest, SkippingAndTheBackLogStopTheTextAndTheBackLogSaysItsPage) {
    std::string script;
    for (int page = 1; page <= 20; ++page) script += "Page " + std::to_string(page) + "\n\n";
    StartSpeaking(script);
    for (int page = 2; page <= 20; ++page) {
        Click();
        Frames(2);
    }
    ASSERT_EQ(Speech.Record.back(), "say en text: Page 20");
    Speech.Record.clear();
    Game->Wheel(-1);
    Frames(1);
    ASSERT_TRUE(Game->BackLog().Visible());
    const int top = Game->BackLog().CurrentPage;
    ASSERT_GT(top, 0) << "twenty pages do not fit on one screen";
    EXPECT_THAT(Speech.Record, ElementsAre("stop", "say en text: Page " + std::to_string(top + 1)));
    Speech.Record.clear();
    Game->Wheel(-1);
    Frames(1);
    EXPECT_THAT(Speech.Record, ElementsAre("stop", "say en text: Page " + std::to_string(top)));
    Speech.Record.clear();
    Game->Wheel(+1);
    Game->Wheel(+1);
    Frames(1);
    EXPECT_THAT(Speech.Record, ElementsAre("stop")) << "closing the backlog";
}

TEST_F(StorySpeechTest, SkippedPagesAreNotSaid) {
    StartSpeaking("Page one\n\nPage two\n\nPage three\n\nPage four\n\n");
    Speech.Record.clear();
    Game->Skip = true;
    for (int i = 0; i < 6; ++i) {
        if (Game->Skipping()) Game->Advance();
        Frames(1);
    }
    EXPECT_THAT(Speech.Record, ElementsAre("stop"));
}

TEST_F(StorySpeechTest, TextWaitsForThePagesVoiceUnlessAskedAtOnce) {
    MakeSound("cv001.ogg", 500);
    StartSpeaking("[cv001]\n声のある頁\n\n[cv001]\n次の頁\n\n");
    EXPECT_THAT(Speech.Record, ElementsAre());
    for (int i = 0; i < 100 && Sound.Channel(SoundChannel::LastVoice).Playing(); ++i) {
        Sound.MixBlock();
        Frames(1);
    }
    ASSERT_FALSE(Sound.Channel(SoundChannel::LastVoice).Playing());
    EXPECT_THAT(Speech.Record, ElementsAre("say ja text: 声のある頁"));
    Speech.Record.clear();
    Reader->TextWithVoice = true;
    Click();
    Frames(2);
    EXPECT_THAT(Speech.Record, ElementsAre("stop", "say ja text: 次の頁"));
}

TEST_F(StorySpeechTest, TheFocusedChoiceOrButtonIsSaidOnceWhenTheFocusComes) {
    MakePicture("btn.png", 30, 90);
    StartSpeaking(
        "どうする？\n[選択/*a]戦う\n[選択/*b]Run\n"
        "[ボタン/btn.png/ /./*a/100/100]\n[ボタン/btn.png/ /./*a/200/100/200/100/1/ / /城へ行く]\n\n*a\n");
    Frames(3);
    ASSERT_EQ(Game->Choices().size(), 2u);
    ASSERT_EQ(Game->Buttons().size(), 2u);
    Speech.Record.clear();
    const TLayerItem* second = Game->Choices()[1];
    Frames(2, second);
    Frames(1, Game->Choices()[0]);
    Frames(1, Game->Buttons()[0]);
    Frames(1, Game->Buttons()[1]);
    Frames(1);
    EXPECT_THAT(Speech.Record, ElementsAre("say en message: Run", "say ja message: 戦う", "say ja message: ボタン1",
                                           "say ja message: 城へ行く"));
}

}  // namespace
}  // namespace vandor::testing

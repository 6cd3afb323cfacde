// Choices and buttons as a script uses them: layout in the choice frames, conditions,
// clicks that jump, interface sounds, and buttons that slide in and out.

#include <string>
#include <utility>
#include <vector>

#include "scenario/ScenarioFixture.h"

namespace vandor::testing {
namespace {

class ChoicesTest : public ScenarioTest {
protected:
    ChoicesTest() { Log.Enabled = true; }

    // The interface channel that holds the sound, or -1.
    int InterfaceChannelOf(const std::string& sound) {
        for (int channel = SoundChannel::FirstInterface; channel <= SoundChannel::LastInterface; ++channel) {
            if (Sound.Channel(channel).Name() == sound) return channel;
        }
        return -1;
    }
    int LayersNamed(const std::string& name) const {
        int count = 0;
        for (int i = 0; i < Game->Layers.Count(); ++i) count += Game->Layers.Items(i).Name() == name ? 1 : 0;
        return count;
    }
    TLayerItem* LayerNamed(const std::string& name) const {
        const int index = Game->Layers.IndexOfName(name);
        return index < 0 ? nullptr : &Game->Layers.Items(index);
    }
    // Points at the middle of a layer, hovers and clicks there.
    void ClickOn(const TLayerItem& layer) {
        const int x = layer.Position.X + layer.Width() / 2;
        const int y = layer.Position.Y + layer.Height() / 2;
        Game->MouseMove(x, y);
        Click(x, y);
    }
};

TEST_F(ChoicesTest, ThreeChoicesStackInTheDefaultFrameAndAClickJumps) {
    WriteScript(
        "first.txt",
        "どうする？\n[選択/*A]行く\n[選択/*B]行かない\n[選択/*C]考える\n\n*A\nAの話\n\n*B\nBの話\n\n*C\nCの話\n");
    Start();
    Frames(3);

    const auto& choices = Game->Choices();
    ASSERT_EQ(choices.size(), 3u);
    TLayerItem* frame = Game->ChoiceFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->Visible());
    const int expectedY[] = {271, 337, 403};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(choices[i]->Height(), 26);
        EXPECT_EQ(choices[i]->Position.X, 216);
        EXPECT_EQ(choices[i]->Position.Y, expectedY[i]);
        EXPECT_EQ(choices[i]->Position.Z, 40);
    }
    EXPECT_EQ(choices[1]->Caption(), "行かない");
    // The captions belong to the choices, not to the text of the page.
    EXPECT_EQ(PageText(), "どうする？");
    EXPECT_TRUE(Game->Waiting);

    // Only a choice moves the script on.
    Game->Advance();
    Click(20, 20);
    Frames(3);
    ASSERT_EQ(Game->Choices().size(), 3u);

    ClickOn(*choices[1]);
    EXPECT_TRUE(Game->Choices().empty());
    EXPECT_FALSE(Game->Waiting);
    EXPECT_FALSE(frame->Visible());
    Frames(3);
    EXPECT_EQ(Game->LastLabel, "*B");
    EXPECT_EQ(PageText(), "Bの話");
}

TEST_F(ChoicesTest, TheChosenCaptionGoesToTheBackLogAsAPageOfItsOwnWhenAsked) {
    // The written lines of the text store, each with its page.
    const auto written = [this] {
        std::vector<std::pair<int32_t, std::string>> lines;
        for (int32_t i = 0; i < Game->Store().Count(); ++i) {
            const TNGTListItem& line = Game->Store().Item(i);
            if (!line.Text.empty()) lines.emplace_back(line.Page, line.Text);
        }
        return lines;
    };
    using TLines = std::vector<std::pair<int32_t, std::string>>;
    WriteScript("first.txt", "どうする？\n[選択/*A]行く\n[選択/*B]行かない\n\n*A\nAの話\n\n*B\nBの話\n");
    Start();
    Frames(3);
    ClickOn(*Game->Choices()[1]);
    Frames(3);
    EXPECT_EQ(written(), (TLines{{0, "どうする？"}, {1, "Bの話"}})) << "off, only the story's text";

    Start();
    Game->ChoiceToBackLog = true;
    Frames(3);
    ClickOn(*Game->Choices()[1]);
    Frames(3);
    EXPECT_EQ(written(), (TLines{{0, "どうする？"}, {1, "→行かない"}, {2, "Bの話"}}));
    const TNGTListItem& answer = Game->Store().Item(1);
    EXPECT_EQ(answer.X, Game->Message().MarginLeft);
    EXPECT_EQ(answer.Height, Game->Message().FontHeight());
    EXPECT_TRUE(answer.Voice.empty());

    // Choices on an empty window: the next text still starts a page of its own.
    WriteScript("empty.txt", "[選択/*A]行く\n\n*A\nAの話\n");
    Start("empty.txt");
    Game->ChoiceToBackLog = true;
    Frames(3);
    ClickOn(*Game->Choices()[0]);
    Frames(3);
    const TLines lines = written();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].second, "→行く");
    EXPECT_EQ(lines[1].second, "Aの話");
    EXPECT_LT(lines[0].first, lines[1].first);
}

TEST_F(ChoicesTest, FiveChoicesFillTwoColumnsOfAPerChoiceFrame) {
    MakePicture("frame.png", 600, 300, 0xC0000000);
    WriteScript("first.txt",
                "[選択枠/frame.png/100/100/2]\n[選択/*A]一\n[選択/*A]二\n[選択/*A]三\n[選択/*A]四\n[選択/"
                "*A]五\n\n*A\n終わり\n\n");
    Start();
    Frames(3);

    TLayerItem* frame = Game->ChoiceFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Name(), "frame.png");
    EXPECT_TRUE(frame->Visible());
    const auto& choices = Game->Choices();
    ASSERT_EQ(choices.size(), 5u);
    // Three rows of 26 px: gap (300 - 78 - 2) div 4 = 55; columns 300 px wide.
    const int columnX[] = {116, 412};
    const int rowY[] = {156, 237, 318};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(choices[i]->Position.X, columnX[i % 2]) << "choice " << i;
        EXPECT_EQ(choices[i]->Position.Y, rowY[i / 2]) << "choice " << i;
    }

    ClickOn(*choices[4]);
    // The per-choice frame served these choices only.
    EXPECT_EQ(LayersNamed("frame.png"), 0);
    ASSERT_NE(Game->ChoiceFrame(), nullptr);
    EXPECT_NE(Game->ChoiceFrame()->Name(), "frame.png");
    EXPECT_FALSE(Game->ChoiceFrame()->Visible());
}

TEST_F(ChoicesTest, AChoiceWhoseConditionFailsIsShownButDead) {
    MakeSound("click.ogg");
    MakeSound("hover.ogg");
    WriteScript("first.txt",
                "[初期値/選択音/Click.ogg/HOVER.ogg]\n"
                "[選択/*A/./扉の鍵/扉は閉ざされている]扉を開ける\n[選択/*B/./持ち物]戻る\n"
                "[選択/*A/./秘密/ ]隠し扉\n\n*A\n開いた\n\n*B\n戻った\n");
    std::string askedFor;
    Start("first.txt", 0);
    Game->OnCondition = [&](const std::string& condition, bool& result) {
        askedFor += condition + ";";
        result = condition != "扉の鍵" && condition != "秘密";
    };
    Frames(3);

    const auto& choices = Game->Choices();
    ASSERT_EQ(choices.size(), 3u);
    // A condition without a replacement caption is not evaluated; a blank one written
    // out is, and the choice then shows blank.
    EXPECT_EQ(askedFor, "扉の鍵;秘密;");
    EXPECT_FALSE(choices[2]->Enabled);
    EXPECT_EQ(choices[2]->Caption(), "");
    TLayerLabel& locked = *choices[0];
    EXPECT_EQ(locked.Caption(), "扉は閉ざされている");
    EXPECT_FALSE(locked.Enabled);
    EXPECT_EQ(locked.Bitmap()->Height(), locked.Height());

    ClickOn(locked);
    Frames(2);
    EXPECT_EQ(InterfaceChannelOf("hover.ogg"), -1);
    EXPECT_EQ(InterfaceChannelOf("click.ogg"), -1);
    ASSERT_EQ(Game->Choices().size(), 3u);
    EXPECT_TRUE(Game->Waiting);

    ClickOn(*choices[1]);
    const int hover = InterfaceChannelOf("hover.ogg");
    const int click = InterfaceChannelOf("click.ogg");
    EXPECT_GE(hover, SoundChannel::FirstInterface);
    EXPECT_GE(click, SoundChannel::FirstInterface);
    EXPECT_NE(hover, click);
    EXPECT_TRUE(Sound.Channel(click).Playing());
    EXPECT_TRUE(Game->Choices().empty());
    Frames(3);
    EXPECT_EQ(PageText(), "戻った");
}

TEST_F(ChoicesTest, InitialChoiceFrameIsReplacedOnlyByAPictureThatLoads) {
    MakePicture("wide.png", 600, 200);
    WriteScript("first.txt",
                "[初期値/選択枠/wide.png/100/50/2]\n[初期値/選択枠/missing.png/0/0/1]\n[選択枠/alsomissing.png/0/0/3]\n"
                "[選択/*A]右\n[選択/*A]左\n\n*A\n");
    Start();
    Frames(3);

    TLayerItem* frame = Game->ChoiceFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Name(), "wide.png");
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(frame->HitAlpha, 256);
    int frames = 0;
    for (int i = 0; i < Game->Layers.Count(); ++i) frames += Game->Layers.Items(i).Position.Z == 60 ? 1 : 0;
    EXPECT_EQ(frames, 1);
    const auto& choices = Game->Choices();
    ASSERT_EQ(choices.size(), 2u);
    // Still two columns of the loaded frame: one row, gap (200 - 26 - 2) div 2 = 86.
    EXPECT_EQ(choices[0]->Position.X, 116);
    EXPECT_EQ(choices[1]->Position.X, 412);
    EXPECT_EQ(choices[1]->Position.Y, 137);
}

TEST_F(ChoicesTest, ExtraChoicesAndButtonsAreNotCreated) {
    MakePicture("btn.png", 40, 30);
    std::string script;
    for (int i = 0; i < 33; ++i) script += "[選択/*A]" + std::to_string(i) + "\n";
    for (int i = 0; i < 33; ++i) script += "[ボタン/btn.png/ /./*A/" + std::to_string(i * 20) + "/0]\n";
    WriteScript("first.txt", script + "\n*A\n");
    Start();
    Frames(3);
    EXPECT_EQ(Game->Choices().size(), 32u);
    EXPECT_EQ(Game->Buttons().size(), 32u);
    EXPECT_EQ(Game->Choices().back()->Caption(), "31");
    EXPECT_EQ(LayersNamed("btn.png"), 32);
}

TEST_F(ChoicesTest, ButtonsJumpWithTheirSoundsAndVanishAtOnce) {
    MakePicture("btn.png", 100, 90);
    MakeSound("click.ogg");
    MakeSound("hover.ogg");
    MakeSound("bclick.ogg");
    MakeSound("bhover.ogg");
    WriteScript("first.txt",
                "[初期値/選択音/click.ogg/hover.ogg]\n"
                "[ボタン/btn.png/表示/./*A/100/300]\n"
                "[ボタン/btn.png/隠す/./*A/500/300]\n"
                "[ボタン/btn.png/ /./*B/300/420/300/420/10/BClick.ogg/BHover.ogg]\n\n"
                "*A\nAへ\n\n"
                "*B\nBへ\n[ボタン消]\nB後\n\n");
    std::string askedFor;
    Start("first.txt", 0);
    Game->OnCondition = [&](const std::string& condition, bool& result) {
        askedFor += condition + ";";
        result = condition != "隠す";
    };
    Frames(3);

    // An empty condition still goes to the hook; a false one creates nothing.
    EXPECT_EQ(askedFor, "表示;隠す;;");
    const auto buttons = Game->Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->Width(), 100);
    EXPECT_EQ(buttons[0]->Height(), 30);
    EXPECT_EQ(buttons[0]->Position.Z, 40 - 300 / 20);
    EXPECT_EQ(buttons[1]->Position.Z, 40 - 420 / 20);
    EXPECT_EQ(buttons[1]->Position.X, 300);
    EXPECT_TRUE(Game->Waiting);

    ClickOn(*buttons[1]);
    EXPECT_GE(InterfaceChannelOf("bhover.ogg"), 16);
    EXPECT_GE(InterfaceChannelOf("bclick.ogg"), 16);
    EXPECT_EQ(InterfaceChannelOf("click.ogg"), -1);
    EXPECT_EQ(InterfaceChannelOf("hover.ogg"), -1);
    EXPECT_FALSE(Game->Waiting);
    EXPECT_EQ(Game->Buttons().size(), 2u);

    // [ボタン消] without a time takes the buttons away before the next line runs.
    Frames(3);
    EXPECT_EQ(Game->LastLabel, "*B");
    EXPECT_TRUE(Game->Buttons().empty());
    EXPECT_EQ(LayersNamed("btn.png"), 0);
    EXPECT_FALSE(Game->Layers.Transitions.Busy());
    EXPECT_EQ(PageText(), "BへB後");
}

TEST_F(ChoicesTest, ClickedButtonsStayAndSlideOutWhenRemoved) {
    MakePicture("btn.png", 100, 90);
    MakeSound("click.ogg");
    MakeSound("hover.ogg");
    WriteScript("first.txt",
                "[初期値/選択音/click.ogg/hover.ogg]\n"
                "[ボタン/btn.png/ /./*A/100/300]\n[ボタン/btn.png/ /./*A/300/300]\n\n"
                "*A\nAへ\n[待/100]\n[ボタン消/300/右]\nA後\n\n");
    Start();
    Frames(3);
    const auto buttons = Game->Buttons();
    ASSERT_EQ(buttons.size(), 2u);

    ClickOn(*buttons[0]);
    EXPECT_GE(InterfaceChannelOf("hover.ogg"), 16);
    EXPECT_GE(InterfaceChannelOf("click.ogg"), 16);
    Frames(2);
    EXPECT_EQ(Game->LastLabel, "*A");
    EXPECT_EQ(Game->Buttons().size(), 2u);

    for (int i = 0; i < 20 && !Game->Buttons().empty(); ++i) Frames(1);
    ASSERT_TRUE(Game->Buttons().empty());
    // Gone from the engine at once, but still on the stage while they leave.
    ASSERT_EQ(LayersNamed("btn.png"), 2);
    Frames(7);
    const TLayerItem* leaving = LayerNamed("btn.png");
    ASSERT_NE(leaving, nullptr);
    EXPECT_GT(leaving->Position.X, 300);
    EXPECT_LT(leaving->Position.X, 800);
    EXPECT_EQ(leaving->Position.Y, 300);
    EXPECT_EQ(PageText(), "Aへ");
    Frames(10);
    EXPECT_EQ(LayersNamed("btn.png"), 0);
    EXPECT_EQ(PageText(), "AへA後");
}

TEST_F(ChoicesTest, TheScriptGoesOnWhileButtonsSlideIn) {
    MakePicture("btn.png", 100, 90);
    WriteScript(
        "first.txt",
        "[ボタン/btn.png/ /./*A/200/200/-100/200/1000]\n[ボタン/btn.png/ /./*A/400/300/900/ /1000]\n今\n\n*A\n");
    Start();
    Frames(3);
    const auto buttons = Game->Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_TRUE(Game->Layers.Transitions.Busy());
    EXPECT_GT(buttons[0]->Position.X, -100);
    EXPECT_LT(buttons[0]->Position.X, 200);
    EXPECT_GT(buttons[1]->Position.X, 400);
    EXPECT_LT(buttons[1]->Position.X, 900);
    EXPECT_EQ(buttons[1]->Position.Y, 300);
    EXPECT_EQ(PageText(), "今");
    EXPECT_TRUE(Game->Waiting);

    Frames(50);
    EXPECT_EQ(buttons[0]->Position.X, 200);
    EXPECT_EQ(buttons[1]->Position.X, 400);
}

TEST_F(ChoicesTest, AButtonWithoutItsPictureIsLoggedAndSkipped) {
    MakePicture("btn.png", 100, 90);
    WriteScript("first.txt", "[ボタン/nothere.png/ /./*A/10/10]\n[ボタン/btn.png/ /./*A/10/100]\n\n*A\n");
    Start();
    Frames(3);
    ASSERT_EQ(Game->Buttons().size(), 1u);
    EXPECT_EQ(Game->Buttons()[0]->Name(), "btn.png");
    EXPECT_EQ(LayersNamed("nothere.png"), 0);
    EXPECT_TRUE(LogHas("ボタン画像 \"nothere.png\""));
}

}  // namespace
}  // namespace vandor::testing

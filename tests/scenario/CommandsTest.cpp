// Built-in commands: fields, sounds and their channels, fonts, settings.

#include "ScenarioFixture.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

using Commands = ScenarioTest;

TEST(ScriptFields, SplitTrimAndNumbers) {
    EXPECT_EQ(SplitFields("待/500/禁スキップ"), (TFields{"待", "500", "禁スキップ"}));
    EXPECT_EQ(SplitFields(" a / b c //d/"), (TFields{"a", "b c", "", "d"}));
    EXPECT_EQ(SplitFields("word"), (TFields{"word"}));
    EXPECT_EQ(ToNumber("-40", 7), -40);
    EXPECT_EQ(ToNumber("+5", 7), 5);
    for (const char* bad : {"", "12a", "１２", " 3", "99999999999"}) EXPECT_EQ(ToNumber(bad, 7), 7) << bad;
    EXPECT_EQ(Extension("bg.01.png"), ".png");
    EXPECT_EQ(Extension("bgm01"), "");
    const TScriptTarget target = ReadTarget("next.txt", "*L", true);
    EXPECT_EQ(target.Script, "next.txt");
    EXPECT_EQ(target.Label, "*L");
    EXPECT_EQ(ReadTarget("*L", "", false).Label, "*L");
}

TEST_F(Commands, MusicLoopsOnChannelZeroAndIsNotRestartedWhilePlaying) {
    MakeSound("bgm01.ogg", 2000);
    WriteScript("first.txt",
                "[bgm01]\n[クリック待]\n[BGM01]\n[クリック待]\n[BGM消]\n[クリック待]\n[bgm01]\n[BGM消/2000]\n");
    Start();
    TOggData& music = Sound.Channel(SoundChannel::Music);
    EXPECT_EQ(music.Name(), "bgm01.ogg");
    EXPECT_TRUE(music.Playing());
    EXPECT_TRUE(music.Loop());
    for (int block = 0; block < 3; ++block) Sound.MixBlock();
    const int32_t position = music.Position();
    EXPECT_GT(position, 0);
    Click();
    Frames(1);  // [BGM01]: the same piece goes on where it was
    EXPECT_EQ(music.Position(), position);
    EXPECT_TRUE(music.Playing());
    Click();
    Frames(1);  // [BGM消] stops at once
    EXPECT_FALSE(music.Playing());
    Click();
    Frames(1);  // [bgm01] starts again from the beginning, then fades out over 2 s
    EXPECT_TRUE(music.Playing());
    EXPECT_EQ(music.Position(), 0);
    EXPECT_EQ(music.FadeTarget(), 0);
    EXPECT_LT(music.FadeStep(), 0);
}

TEST_F(Commands, EffectsVoicesAndTheirChannels) {
    MakeSound("se_door.ogg");
    MakeSound("se_rain.ogg");
    MakeSound("cv_abc_001.ogg", 300, 1);
    MakeSound("cv_xyz_001.ogg", 300, 1);
    WriteScript("first.txt",
                "[初期値/声チャンネル/ABC/1]\n[初期値/音量/4/70]\n[初期値/音量/99/5]\n[se_door]\n[se_rain/ループ]\n"
                "[cv_abc_001]\n[cv_xyz_001]\nこんにちは\n\n[消音]\n");
    Start();
    EXPECT_EQ(Sound.Channel(SoundChannel::SceneEffect).Name(), "se_door.ogg");
    EXPECT_FALSE(Sound.Channel(SoundChannel::SceneEffect).Loop());
    EXPECT_EQ(Sound.Channel(SoundChannel::SceneLoop).Name(), "se_rain.ogg");
    EXPECT_TRUE(Sound.Channel(SoundChannel::SceneLoop).Loop());
    EXPECT_EQ(Sound.Channel(4).Name(), "cv_abc_001.ogg");
    // The script's voice volume scales the voice; the player's channel volume stays.
    EXPECT_EQ(Sound.Channel(4).FadeLevel(), TOggData::FadeLevelFromPercent(70));
    EXPECT_EQ(Sound.Channel(4).GetVolume(), 100);
    EXPECT_EQ(Game->VoiceVolume[4], 70);
    EXPECT_EQ(Sound.Channel(14).Name(), "cv_xyz_001.ogg");
    EXPECT_TRUE(Sound.Channel(14).Playing());

    // The click that ends the page wait stops the voices that do not loop.
    Click();
    Frames(2);
    EXPECT_FALSE(Sound.Channel(4).Playing());
    EXPECT_FALSE(Sound.Channel(14).Playing());
    // [消音] without a time stops the effects at once.
    EXPECT_FALSE(Sound.Channel(SoundChannel::SceneLoop).Playing());
}

TEST_F(Commands, VoicesAreOpenedButNotPlayedWhileSkipping) {
    MakeSound("cv_a.ogg", 300, 1);
    WriteScript("first.txt", "[cv_a]\n");
    Start("first.txt", 0);
    Game->Skip = true;
    Frames(1);
    EXPECT_EQ(Sound.Channel(14).Name(), "cv_a.ogg");
    EXPECT_FALSE(Sound.Channel(14).Playing());
}

TEST_F(Commands, FontLastsUntilThePageEndsAndResetRestoresItAtOnce) {
    WriteScript(
        "first.txt",
        "[フォント/ＭＳ ゴシック/30/40]\n大\n[フォント/リセット]\n小\n\n[初期値/フォント/ＭＳ 明朝/18/24]\n次\n\n");
    Start();
    Frames(2);  // "フォント" lets the frame end
    TBitmap32& surface = Game->Message().Surface();
    EXPECT_EQ(Game->CurrentProperty.FontSize, 30);
    EXPECT_EQ(surface.Font.Height, 22);  // reset at once, though the page goes on
    EXPECT_EQ(surface.Font.Name, "ＭＳ Ｐ明朝");
    EXPECT_EQ(Game->Store().Item(0).Height, 30);
    Click();
    Frames(2);
    EXPECT_EQ(Game->CurrentProperty.FontSize, 18);
    EXPECT_EQ(surface.Font.Height, 18);
    EXPECT_EQ(surface.Font.Name, "ＭＳ 明朝");
    EXPECT_EQ(Game->Message().LineHeight, 24);
    EXPECT_EQ(Game->InitialProperty.BgFade, 1000);
}

TEST_F(Commands, MessageFrameSettingsAndHiding) {
    MakePicture("frame.png", 800, 160, 0xC0203040);
    WriteScript(
        "first.txt",
        "[初期値/文章枠/frame/0/440/40/20/40/20]\n[文章枠/なし]\n[待/0]\n見える\n\n[初期値/文章枠/missing.png]\n");
    Start();
    TLayerMessage& window = Game->Message();
    EXPECT_EQ(window.Bitmap()->Height(), 160);
    EXPECT_EQ(window.DstRect().Top, 600 - 160);
    EXPECT_EQ(window.MarginLeft, 40);
    EXPECT_EQ(window.MarginTop, 20);
    EXPECT_FALSE(window.Visible());
    EXPECT_FALSE(Game->MessageFrame()->Visible());
    Frames(1);  // the next character shows the window again
    EXPECT_TRUE(window.Visible());
    EXPECT_TRUE(Game->MessageFrame()->Visible());
    TLayerItem* frame = Game->MessageFrame();
    Click();
    Frames(2);
    // A frame picture that cannot be loaded keeps the old frame.
    EXPECT_EQ(Game->MessageFrame(), frame);
    EXPECT_GE(Game->Layers.IndexOf(*frame), 0);
}

TEST_F(Commands, JumpClearsTheWindowEvenWhenItsConditionFails) {
    WriteScript("first.txt", "文\n[ジャンプ/*A/./flag]\n残る\n\n*A\n飛んだ\n\n");
    Start("first.txt", 0);
    std::vector<std::string> asked;
    Game->OnCondition = [&](const std::string& condition, bool& result) {
        asked.push_back(condition);
        result = false;
    };
    Frames(1);
    EXPECT_EQ(asked, (std::vector<std::string>{"flag"}));
    EXPECT_EQ(PageText(), "残る");
}

}  // namespace
}  // namespace vandor

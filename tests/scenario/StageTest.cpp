// Stage pictures and effects: backgrounds, faces, standing pictures, colour fades
// and picture variants, observed through the engine's layers, sound channels and
// composed surface.

#include <functional>
#include <utility>
#include <vector>

#include "scenario/ScenarioFixture.h"

namespace vandor::testing {
namespace {

class StageTest : public ScenarioTest {
protected:
    TLayerItem* Layer(const std::string& name) {
        const int index = Game->Layers.IndexOfName(name);
        return index < 0 ? nullptr : &Game->Layers.Items(index);
    }
    // Runs 20 ms frames until the condition holds; the number of frames it took.
    int FramesUntil(const std::function<bool()>& done, int limit = 500) {
        for (int frame = 1; frame <= limit; ++frame) {
            Game->Update(20);
            if (done()) return frame;
        }
        ADD_FAILURE() << "condition not reached in " << limit << " frames";
        return -1;
    }
    bool AnyStanding() const {
        for (int slot = 0; slot < TNovelGame::kStandingSlots; ++slot) {
            if (Game->Standing(slot).Used) return true;
        }
        return false;
    }
    TColor32 Pixel(int x, int y) { return *Game->Layers.Surface.PixelPtr(x, y); }
};

TEST_F(StageTest, BackgroundCrossFadesAndTheSameBackgroundStillFadesTheLoopingEffects) {
    MakePicture("bg01.png", 800, 600, 0xFF336699);
    MakeSound("se_rain.ogg", 2000);
    WriteScript("first.txt", "[bg01]\n[se_rain/ループ]\n[bg01]\n");
    Start("first.txt", 0);
    TLayerItem* black = Game->Background().Layer;
    ASSERT_NE(black, nullptr);

    Frames(25);  // 500 ms of the default 1000 ms
    TLayerItem* bg = Game->Background().Layer;
    ASSERT_NE(bg, black);
    EXPECT_EQ(Game->Background().Name, "bg01.png");
    EXPECT_EQ(bg->Position.Alpha, 127);
    EXPECT_EQ(bg->Position.Z, 10000);
    EXPECT_EQ(bg->DstRect(), (TRect{0, 0, 800, 600}));
    EXPECT_EQ(bg->HitAlpha, 256);
    ASSERT_GE(Game->Layers.IndexOf(*black), 0);
    EXPECT_EQ(black->Position.Z, 15000);  // on its way behind the new picture
    EXPECT_EQ(black->Position.Alpha, 255);

    Frames(25);
    EXPECT_EQ(bg->Position.Alpha, 255);
    EXPECT_EQ(Game->Layers.IndexOf(*black), -1);
    const int layers = Game->Layers.Count();

    // The effect starts and the same background is named again in the next frame.
    Frames(1);
    TOggData& loop = Sound.Channel(SoundChannel::SceneLoop);
    EXPECT_EQ(loop.Name(), "se_rain.ogg");
    EXPECT_TRUE(loop.Playing());
    EXPECT_EQ(Game->Background().Layer, bg);
    EXPECT_EQ(Game->Layers.Count(), layers);
    EXPECT_FALSE(Game->Layers.Transitions.Busy());
    EXPECT_EQ(loop.FadeTarget(), 0);
    EXPECT_LT(loop.FadeStep(), 0);
}

TEST_F(StageTest, SizeDecidesBetweenFaceAndStandingPicture) {
    MakePicture("face01.png", 200, 200);
    MakePicture("chara01.png", 300, 300);
    WriteScript("first.txt", "[face01]\n[chara01]\n");
    Start();
    Frames(30);
    EXPECT_EQ(Game->Face().Name, "face01.png");
    ASSERT_NE(Game->Face().Layer, nullptr);
    EXPECT_EQ(Game->Face().Layer->DstRect(), (TRect{0, 280, 200, 480}));
    EXPECT_EQ(Game->Face().Layer->Position.Z, 1000);
    EXPECT_EQ(Game->Standing(0).Name, "chara01.png");
    ASSERT_NE(Game->Standing(0).Layer, nullptr);
    EXPECT_EQ(Game->Standing(0).Layer->DstRect(), (TRect{250, 300, 550, 600}));
    EXPECT_EQ(Game->Standing(0).Layer->Position.Z, 2000);
    EXPECT_EQ(Game->Standing(0).Layer->HitAlpha, 256);
}

TEST_F(StageTest, NewFaceFollowsTheOldOneInFromTheLeft) {
    MakePicture("facea.png", 200, 200);
    MakePicture("faceb.png", 150, 150);
    WriteScript("first.txt", "[facea]\n[faceb/400]\n[faceb/消]\n[facea/1/2]\n");
    Start("first.txt", 0);
    EXPECT_EQ(FramesUntil([&] { return Game->Face().Name == "facea.png"; }), 1);
    EXPECT_EQ(Game->Face().Layer->Position.X, -160);  // from -200 to 0 over 100 ms

    FramesUntil([&] { return Game->Face().Name == "faceb.png"; });
    TLayerItem* a = Layer("facea.png");
    TLayerItem* b = Game->Face().Layer;
    ASSERT_NE(a, nullptr);
    Frames(9);  // 200 ms: A leaves over 400 ms, B arrives from -300 over 800 ms
    EXPECT_EQ(a->Position.X, -100);
    EXPECT_EQ(a->Position.Y, 480);
    EXPECT_EQ(b->Position.X, -225);
    EXPECT_EQ(b->Position.Z, 1000);
    Frames(10);
    EXPECT_EQ(Layer("facea.png"), nullptr);
    EXPECT_EQ(b->Position.X, -150);
    Frames(20);
    EXPECT_EQ(b->Position.X, 0);
    EXPECT_EQ(b->Position.Y, 480);
    EXPECT_EQ(b->DstRect(), (TRect{0, 330, 150, 480}));

    // "消" slides the face out; a face command with two arguments places nothing.
    Frames(1);
    EXPECT_FALSE(Game->Face().Used);
    Frames(20);
    EXPECT_EQ(Layer("faceb.png"), nullptr);
    EXPECT_EQ(Layer("facea.png"), nullptr);
    EXPECT_FALSE(Game->Face().Used);
}

TEST_F(StageTest, ClearingAnEmptyStageTakesNoTime) {
    MakePicture("chara01.png", 200, 400);
    WriteScript("first.txt", "[立消]\n[顔消]\nfirst\n\n[chara01/0]\n[立消/200]\nsecond\n");
    Start();
    EXPECT_EQ(PageText(), "first");

    Click();
    Frames(2);  // the page ends; the standing picture appears at once
    ASSERT_TRUE(Game->Standing(0).Used);
    const int frames = FramesUntil([&] { return PageText() == "second"; });
    EXPECT_EQ(frames, 11);  // 200 ms of fading out, then the text
    EXPECT_FALSE(AnyStanding());
    EXPECT_EQ(Layer("chara01.png"), nullptr);
}

TEST_F(StageTest, ColourFadeClearsFaceThenStandingPicturesThenFadesScreenAndSound) {
    MakePicture("face01.png", 200, 200);
    MakePicture("chara01.png", 200, 400);
    MakePicture("chara02.png", 200, 400);
    MakeSound("bgm01.ogg", 3000);
    MakeSound("se_rain.ogg", 3000);
    WriteScript("first.txt", "[bgm01]\n[se_rain/ループ]\n[face01]\n[chara01/左]\n[chara02/右]\n[暗転]\nafter\n");
    Start("first.txt", 0);
    FramesUntil([&] { return Game->Standing(1).Used; });
    Frames(19);  // chara02 has faded in
    TLayerItem* black = Game->Background().Layer;

    EXPECT_EQ(FramesUntil([&] { return !Game->Face().Used; }), 1);
    EXPECT_TRUE(Game->Standing(0).Used && Game->Standing(1).Used);
    EXPECT_EQ(Game->Background().Layer, black);
    EXPECT_EQ(Sound.Channel(SoundChannel::Music).FadeStep(), 0);

    EXPECT_EQ(FramesUntil([&] { return !AnyStanding(); }), 5);  // after 100 ms of FaceFade
    EXPECT_EQ(Layer("face01.png"), nullptr);
    EXPECT_NE(Layer("chara01.png"), nullptr);
    EXPECT_EQ(Game->Background().Layer, black);

    EXPECT_EQ(FramesUntil([&] { return Game->Background().Layer != black; }), 20);  // 400 ms of StandFade
    EXPECT_EQ(Layer("chara01.png"), nullptr);
    EXPECT_EQ(Layer("chara02.png"), nullptr);
    EXPECT_TRUE(Game->Background().Name.empty());
    EXPECT_EQ(*Game->Background().Layer->Bitmap()->PixelPtr(0, 0), 0xFF000000u);
    for (int channel = SoundChannel::Music; channel <= SoundChannel::ExtraVoice; ++channel) {
        EXPECT_EQ(Sound.Channel(channel).FadeTarget(), 0) << channel;
    }
    EXPECT_LT(Sound.Channel(SoundChannel::Music).FadeStep(), 0);
    EXPECT_LT(Sound.Channel(SoundChannel::SceneLoop).FadeStep(), 0);
    EXPECT_EQ(Sound.Channel(SoundChannel::FirstInterface).FadeTarget(), TOggData::kFullFade);

    EXPECT_EQ(FramesUntil([&] { return PageText() == "after"; }), 50);
}

TEST_F(StageTest, VariantsShowTheirPictureAndPlayTheirSound) {
    MakePicture("bg01a.png", 800, 600);
    MakePicture("td01a.png", 800, 600);
    MakeSound("se_wind.ogg", 3000);
    MakeSound("se_door.ogg", 3000);
    WriteScript("first.txt", "[初期値/差分効果音/a/SE_Wind]\n[差分A/bg01b]\n[差分a/01/se_door]\n[差分A/]\n");
    Start();
    EXPECT_EQ(Game->Background().Name, "bg01a.png");
    EXPECT_EQ(Sound.Channel(SoundChannel::SceneLoop).Name(), "se_wind.ogg");
    EXPECT_TRUE(Sound.Channel(SoundChannel::SceneLoop).Loop());

    Game->Skip = true;  // variants keep their times
    EXPECT_EQ(FramesUntil([&] { return Game->Background().Name == "td01a.png"; }), 50);
    EXPECT_EQ(Game->Background().Layer->Position.Alpha, 5);  // 20 of 1000 ms
    EXPECT_EQ(Sound.Channel(SoundChannel::SceneLoop).Name(), "se_door.ogg");
    EXPECT_TRUE(Sound.Channel(SoundChannel::SceneLoop).Playing());
    TLayerItem* shown = Game->Background().Layer;
    Frames(60);
    EXPECT_EQ(Game->Background().Layer, shown);
}

TEST_F(StageTest, FlashVariantRunsItsSequence) {
    MakePicture("bg00.png", 800, 600, 0xFF202020);
    MakePicture("bg01x1.png", 800, 600);
    MakePicture("bg01x2.png", 800, 600);
    MakeSound("se_flash.ogg", 3000);
    WriteScript("first.txt", "[初期値/差分効果音/x/se_flash]\n[bg00/0]\n[差分X/bg01]\ndone\n");
    Start();
    ASSERT_EQ(Game->Background().Name, "bg00.png");
    Game->Skip = true;  // the flash keeps its times

    // Every change of the background layer, with the frame it happened in.
    std::vector<std::pair<int, std::string>> changes;
    TLayerItem* current = Game->Background().Layer;
    for (int frame = 1; frame <= 200 && PageText().empty(); ++frame) {
        Game->Update(20);
        if (Game->Background().Layer == current) continue;
        current = Game->Background().Layer;
        const bool white = Game->Background().Name.empty() && *current->Bitmap()->PixelPtr(0, 0) == 0xFFFFFFFFu;
        changes.emplace_back(frame, white ? "white" : Game->Background().Name);
        if (changes.size() == 2) {
            EXPECT_FALSE(Sound.Channel(SoundChannel::SceneEffect).Playing());
        }
        if (changes.size() == 3) {
            EXPECT_EQ(Sound.Channel(SoundChannel::SceneEffect).Name(), "se_flash.ogg");
            EXPECT_TRUE(Sound.Channel(SoundChannel::SceneEffect).Playing());
            EXPECT_FALSE(Sound.Channel(SoundChannel::SceneEffect).Loop());
        }
    }
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[0].second, "white");
    EXPECT_EQ(changes[1].second, "bg00.png");
    EXPECT_EQ(changes[2].second, "white");
    EXPECT_EQ(changes[3].second, "bg01x1.png");
    EXPECT_EQ(changes[4].second, "bg01x2.png");
    EXPECT_EQ(changes[1].first - changes[0].first, 1);   // the white flash takes 1 ms
    EXPECT_EQ(changes[2].first - changes[1].first, 13);  // 250 ms back to the old picture
    EXPECT_EQ(changes[3].first - changes[2].first, 1);
    EXPECT_EQ(changes[4].first - changes[3].first, 25);  // 500 ms
    EXPECT_FALSE(Game->Background().Busy);
    EXPECT_EQ(Game->Background().Step, -1);
    EXPECT_EQ(PageText(), "done");
}

TEST_F(StageTest, StandingPictureIsPlacedMovedAndRemoved) {
    MakePicture("chara01.png", 200, 400);
    MakePicture("chara02.png", 100, 300);
    WriteScript("first.txt", "[chara01/左]\n[chara01/右/800]\n[chara01/消]\n[chara02/300/中右]\n[chara02/-50]\n");
    Start();
    TLayerItem* chara = Game->Standing(0).Layer;
    ASSERT_NE(chara, nullptr);
    EXPECT_EQ(chara->DstRect(), (TRect{100, 200, 300, 600}));  // centred on x 200, on the bottom edge
    EXPECT_EQ(chara->Position.Alpha, 12);                      // 20 of 400 ms faded in
    EXPECT_EQ(chara->Position.Z, 2000);

    FramesUntil([&] { return chara->Position.X != 200; });
    Frames(19);  // 400 of 800 ms
    EXPECT_EQ(chara->Position.X, 400);
    Frames(20);
    EXPECT_EQ(chara->Position.X, 600);
    EXPECT_EQ(chara->Position.Y, 600);

    FramesUntil([&] { return !Game->Standing(0).Used; });
    Frames(9);  // 200 of 400 ms
    EXPECT_EQ(chara->Position.Alpha, 127);
    Frames(10);
    EXPECT_EQ(Layer("chara01.png"), nullptr);

    // A number first is the time, a negative number a position.
    Frames(1);
    ASSERT_EQ(Game->Standing(0).Name, "chara02.png");
    chara = Game->Standing(0).Layer;
    EXPECT_EQ(chara->Position.X, 500);
    EXPECT_EQ(FramesUntil([&] { return chara->Position.X != 500; }), 15);  // after 300 ms
    Frames(20);
    EXPECT_EQ(chara->Position.X, -50);
}

TEST_F(StageTest, NinthStandingPictureIsNotShownAndResetClearsTheStage) {
    std::string script = "[bg01/0]\n[face01]\n";
    for (int i = 1; i <= 9; ++i) {
        MakePicture("chara" + std::to_string(i) + ".png", 100, 300);
        script += "[chara" + std::to_string(i) + "/0]\n";
    }
    script += "[chara9/消]\n[face02/消]\n[face02]\nend\n";
    MakePicture("bg01.png", 800, 600);
    MakePicture("face01.png", 100, 100);
    MakePicture("face02.png", 100, 100);
    WriteScript("first.txt", script);
    Start();
    FramesUntil([&] { return Game->Face().Used; });
    FramesUntil([&] { return !Game->Face().Used; });  // "消" on any face removes the one shown
    EXPECT_EQ(Layer("face02.png"), nullptr);
    FramesUntil([&] { return PageText() == "end"; });
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(Game->Standing(slot).Name, "chara" + std::to_string(slot + 1) + ".png");
        EXPECT_EQ(Game->Standing(slot).Layer->Position.Z, 2000 + slot);
    }
    EXPECT_EQ(Layer("chara9.png"), nullptr);
    EXPECT_EQ(Game->Face().Name, "face02.png");

    TLayerItem* bg = Game->Background().Layer;
    Game->Reset();
    EXPECT_FALSE(Game->Face().Used);
    EXPECT_EQ(Layer("face02.png"), nullptr);
    EXPECT_FALSE(AnyStanding());
    EXPECT_EQ(Layer("chara1.png"), nullptr);
    EXPECT_EQ(Layer("chara8.png"), nullptr);
    EXPECT_EQ(Game->Background().Layer, bg);
    EXPECT_GE(Game->Layers.IndexOf(*bg), 0);
}

TEST_F(StageTest, ComposedStageDrawsFaceBeforeStandingBeforeBackground) {
    MakePicture("face01.png", 200, 200, 0xFFCC2020);
    MakePicture("chara01.png", 200, 400, 0xFF2040CC);
    WriteScript("first.txt", "[白転/200/禁スキップ]\n[face01]\n[chara01/左]\n");
    Start();
    EXPECT_TRUE(Game->NoSkip);
    Frames(4);  // halfway from the black of the start to white
    const int red = static_cast<int>((Pixel(600, 100) >> 16) & 0xFF);
    EXPECT_GT(red, 0x60);
    EXPECT_LT(red, 0xA0);
    Frames(40);
    EXPECT_EQ(Pixel(600, 100), 0xFFFFFFFFu);  // white background
    EXPECT_EQ(Pixel(250, 250), 0xFF2040CCu);  // standing picture alone
    EXPECT_EQ(Pixel(150, 400), 0xFFCC2020u);  // face in front of the standing picture
    EXPECT_EQ(Pixel(50, 250), 0xFFFFFFFFu);   // above the face, left of the standing picture
}

}  // namespace
}  // namespace vandor::testing

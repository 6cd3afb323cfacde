// A still scene lets its frames rest; input, timers, moving layers and sounds keep them running.

#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindowFixture.h"
#include "resources/PictureCodec.h"
#include "scenario/NovelGame.h"
#include "sound/OggTone.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"

namespace vandor {
namespace {

using test::MainWindowTest;

class MainRestTest : public MainWindowTest {
protected:
    MainRestTest() { restStillFrames = true; }

    // Calls the idle event as the window's main loop does: after the wait it asked for.
    void IdleAfterDelay() {
        const int delay = host.Events().IdleDelay();
        clock.Advance(static_cast<uint32_t>(delay));
        host.Events().OnIdle();
    }
};

TEST_F(MainRestTest, AStillSceneRestsAndTheNextClickActsInTheNextFrame) {
    WriteScript("first.txt", "[文章枠/なし]\n一頁目。\n\n二頁目。\n\n");
    TggTDMain& main = Start();
    for (int call = 0; call < 60 && !main.FramesCanRest(); ++call) IdleAfterDelay();
    ASSERT_TRUE(main.FramesCanRest());
    ASSERT_TRUE(main.Engine().Waiting) << "at rest at the page's click wait";
    EXPECT_EQ(host.Events().IdleDelay(), TggTDMain::kRestMilliseconds);

    const uint64_t frames = main.FrameCount();
    const int line = main.Engine().Line;
    IdleAfterDelay();
    EXPECT_EQ(main.FrameCount(), frames + 12) << "250 ms of frames counted as passed over";
    EXPECT_EQ(main.Engine().Line, line);
    EXPECT_TRUE(main.FramesCanRest());

    host.Events().OnMouseMove(0, 400, 300);
    EXPECT_FALSE(main.FramesCanRest()) << "input wakes the frames";
    host.Events().OnMouseDown(TMouseButton::mbLeft, 0, 400, 300);
    host.Events().OnMouseUp(TMouseButton::mbLeft, 0, 400, 300);
    EXPECT_LE(host.Events().IdleDelay(), 20) << "the next frame is due within a frame's time";
    const uint64_t clicked = main.FrameCount();
    IdleAfterDelay();
    EXPECT_EQ(main.FrameCount(), clicked + 1);
    EXPECT_GT(main.Engine().Line, line) << "the next page began in the first frame after the click";
}

TEST_F(MainRestTest, TimersMovingLayersSoundsAndMenuClicksKeepFramesRunning) {
    WriteScript("first.txt", "[文章枠/なし]\n[待/500]\n一頁目。\n\n");
    TggTDMain& main = Start();
    int restingDuringTheWait = 0;
    for (int call = 0; call < 20; ++call) {
        IdleAfterDelay();
        if (main.Engine().WaitLeft >= 0 && main.FramesCanRest()) ++restingDuringTheWait;
    }
    EXPECT_EQ(restingDuringTheWait, 0);
    for (int call = 0; call < 60 && !main.FramesCanRest(); ++call) IdleAfterDelay();
    ASSERT_TRUE(main.FramesCanRest()) << "the text after the timed wait stands";

    main.Engine().Layers.Changed = true;  // as a fade or an animation leaves it each frame
    EXPECT_FALSE(main.FramesCanRest());
    for (int call = 0; call < 10 && !main.FramesCanRest(); ++call) IdleAfterDelay();
    EXPECT_TRUE(main.FramesCanRest());

    TOggData& voice = main.Sound().Channel(SoundChannel::FirstVoice);
    voice.OpenData("voice.ogg", test::MakeToneOgg(1, 100));
    voice.Play(false);
    EXPECT_FALSE(main.FramesCanRest()) << "a sound that ends by itself";
    voice.Stop();
    EXPECT_TRUE(main.FramesCanRest());

    main.Menu().Click("mmAuto");
    EXPECT_FALSE(main.FramesCanRest()) << "a menu click is input too";
    main.Menu().Click("mmAuto");
    for (int call = 0; call < 10 && !main.FramesCanRest(); ++call) IdleAfterDelay();
    EXPECT_TRUE(main.FramesCanRest());
}

// The author's page-end mark moves through its frames while the page waits: a scene
// showing it is never still. A mark of one frame stands still and lets the frames rest.
TEST_F(MainRestTest, AnAnimatedPageEndMarkKeepsFramesRunning) {
    TBitmap32 mark(20, 10);
    mark.Clear(0xFFFF0000);
    mark.FillRect(MakeRect(10, 0, 10, 10), 0xFF00FF00);
    std::filesystem::create_directories(exe + "image");
    ASSERT_TRUE(SavePng(mark, exe + "image/mark.png"));
    WriteScript("first.txt",
                "[初期値/クリック待ち記号/mark]\n一頁目。\n\n[初期値/クリック待ち記号/mark/1]\n二頁目。\n\n");
    TggTDMain& main = Start();
    int resting = 0;
    for (int call = 0; call < 60; ++call) {
        IdleAfterDelay();
        if (main.FramesCanRest()) ++resting;
    }
    ASSERT_TRUE(main.Engine().Waiting);
    ASSERT_NE(main.Engine().PageEndMark().Layer(), nullptr);
    EXPECT_TRUE(main.Engine().PageEndMark().Layer()->Visible()) << "the mark shows at the click wait";
    EXPECT_EQ(resting, 0);

    host.Events().OnMouseDown(TMouseButton::mbLeft, 0, 400, 300);
    host.Events().OnMouseUp(TMouseButton::mbLeft, 0, 400, 300);
    for (int call = 0; call < 60 && !main.FramesCanRest(); ++call) IdleAfterDelay();
    EXPECT_EQ(main.Engine().PageEndMark().Frames(), 1);
    EXPECT_TRUE(main.FramesCanRest()) << "a mark of one frame stands still";
}

TEST_F(MainRestTest, ReplaysNeverRest) {
    restStillFrames = false;
    WriteScript("first.txt", "[文章枠/なし]\n一頁目。\n\n");
    TggTDMain& main = Start();
    Frames(60);
    EXPECT_TRUE(main.Engine().Waiting);
    EXPECT_FALSE(main.FramesCanRest());
    EXPECT_LT(host.Events().IdleDelay(), 20);
}

}  // namespace
}  // namespace vandor

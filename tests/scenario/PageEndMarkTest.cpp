// The author's page-end mark: shown only while a click would end the wait, animated
// through its frames, beside the last character or in the window's corner, hidden
// with the window, the backlog and choices, and absent until a script sets it.

#include <algorithm>

#include "ScenarioFixture.h"
#include "resources/PictureCodec.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

constexpr TColor32 kFirstFrame = 0xFFFF0000;
constexpr TColor32 kSecondFrame = 0xFF00FF00;
constexpr int kMarkSize = 10;

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

class PageEndMarkTest : public ScenarioTest {
protected:
    // Two square frames side by side: red, then green.
    void MakeMark(const std::string& name) {
        TBitmap32 picture(2 * kMarkSize, kMarkSize);
        picture.Clear(kFirstFrame);
        picture.FillRect(MakeRect(kMarkSize, 0, kMarkSize, kMarkSize), kSecondFrame);
        ASSERT_TRUE(SavePng(picture, (Dir / name).string()));
    }
    const TLayerItem& Mark() const { return *Game->PageEndMark().Layer(); }
    bool MarkShown() const { return Game->PageEndMark().Layer() && Mark().Visible(); }
    // The colour on the stage at the middle of the mark's place.
    TColor32 AtMark() const {
        const TRect& place = Mark().DstRect();
        return *Game->BackSurface().PixelPtr((place.Left + place.Right) / 2, (place.Top + place.Bottom) / 2);
    }
};

TEST_F(PageEndMarkTest, ShowsBesideTheLastCharacterWhileThePageWaitsAndPlaysItsFrames) {
    MakeMark("mark.png");
    WriteScript("first.txt", "[初期値/クリック待ち記号/mark]\nあい\n\nあいうえおかきくけこ\n\n[選択/*a]行く\n\n*a\n");
    Start();
    ASSERT_TRUE(Game->Waiting);
    ASSERT_TRUE(MarkShown());
    EXPECT_EQ(Mark().Width(), kMarkSize) << "square frames: the picture holds two";
    EXPECT_EQ(AtMark(), kFirstFrame);
    const int shortLineEnd = Mark().DstRect().Left;
    const TRect& window = Game->Message().DstRect();
    EXPECT_GT(Mark().DstRect().Top, window.Top);
    EXPECT_LT(Mark().DstRect().Bottom, window.Top + Game->Message().MarginTop + Game->Message().LineHeight);
    Frames(5);
    EXPECT_EQ(AtMark(), kSecondFrame) << "the next frame after 100 ms";
    Frames(5);
    EXPECT_EQ(AtMark(), kFirstFrame) << "and round again";

    Game->TextSpeed = 30;
    Click();
    Frames(1);
    EXPECT_FALSE(MarkShown()) << "gone while the next page is revealed";
    Frames(40);
    ASSERT_EQ(PageText(), "あいうえおかきくけこ");
    ASSERT_TRUE(MarkShown());
    EXPECT_GT(Mark().DstRect().Left, shortLineEnd + 100) << "it follows the end of the longer line";

    Game->ToggleHide();
    Frames(1);
    EXPECT_FALSE(MarkShown()) << "hidden with the message window";
    Game->ToggleHide();
    Frames(1);
    EXPECT_TRUE(MarkShown());
    Game->Wheel(-1);
    Frames(1);
    EXPECT_FALSE(MarkShown()) << "not over the backlog";
    Game->Advance();
    Frames(1);
    ASSERT_TRUE(MarkShown());

    Click();
    Frames(3);
    ASSERT_EQ(Game->Choices().size(), 1u);
    EXPECT_FALSE(MarkShown()) << "a choice waits for the choice, not for a click";
}

TEST_F(PageEndMarkTest, TheCornerPlaceFramesAndTimeAreTheAuthors) {
    MakeMark("mark.png");
    WriteScript("first.txt", "[初期値/クリック待ち記号/mark.png/1/300/右下]\nあ\n\n");
    Start();
    ASSERT_TRUE(MarkShown());
    EXPECT_EQ(Mark().Width(), 2 * kMarkSize) << "one frame: the whole picture";
    const TLayerMessage& message = Game->Message();
    EXPECT_EQ(Mark().DstRect().Right, message.DstRect().Right - message.MarginRight);
    EXPECT_EQ(Mark().DstRect().Bottom, message.DstRect().Bottom - message.MarginBottom);
    EXPECT_EQ(Game->PageEndMark().FrameMs(), 300);
}

TEST_F(PageEndMarkTest, WithoutAPictureTheStageIsAsWithoutTheSetting) {
    MakeMark("mark.png");
    const std::string pages = "一頁目です\n\n二頁目\n\n";
    WriteScript("plain.txt", pages);
    WriteScript("missing.txt", "[初期値/クリック待ち記号/nomark]\n" + pages);
    WriteScript("removed.txt", "[初期値/クリック待ち記号/mark]\n[初期値/クリック待ち記号]\n" + pages);
    Start("plain.txt");
    Frames(10);
    const TBitmap32 plain = Game->BackSurface();
    const int layers = Game->Layers.Count();
    for (const char* script : {"missing.txt", "removed.txt"}) {
        Game.reset();
        Start(script);
        Frames(10);
        ASSERT_TRUE(Game->Waiting) << script;
        EXPECT_FALSE(Game->PageEndMark().Active()) << script;
        EXPECT_EQ(Game->Layers.Count(), layers) << script;
        EXPECT_TRUE(SamePixels(Game->BackSurface(), plain)) << script << ": the picture differs";
    }
}

TEST_F(PageEndMarkTest, SkippedPagesShowNoMark) {
    MakeMark("mark.png");
    WriteScript("first.txt", "[初期値/クリック待ち記号/mark]\n一\n\n二\n\n三\n\n四\n\n");
    Start();
    Game->Skip = true;
    for (int i = 0; i < 3; ++i) {
        Game->Advance();
        Frames(1);
        EXPECT_FALSE(MarkShown()) << "frame " << i;
    }
}

}  // namespace
}  // namespace vandor

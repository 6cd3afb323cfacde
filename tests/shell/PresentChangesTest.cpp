// Presenting only what changed: over text appearing, a cross-fade, a fade to black and
// turned pages, the picture shown after each frame must be the very picture that
// compositing, scaling and presenting everything anew gives, at a smoothly scaled size,
// a doubled one and the sharp whole-number enlargement. And the sharp option itself.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "MainWindowFixture.h"
#include "resources/PictureCodec.h"
#include "scenario/NovelGame.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

class PresentChangesTest : public test::MainWindowTest {
protected:
    // Noise over a gradient, so that any pixel taken from a wrong place shows.
    void Picture(const std::string& name, unsigned seed) {
        std::mt19937 random(seed);
        TBitmap32 picture(800, 600);
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                *picture.PixelPtr(x, y) = 0xFF000000u | (static_cast<TColor32>(x * 255 / 800) << 16) |
                                          (static_cast<TColor32>(y * 255 / 600) << 8) | (random() & 0xFF);
            }
        }
        ASSERT_TRUE(SavePng(picture, exe + "scenario/" + name + ".png"));
    }

    // Every layer of the story drawn anew onto a fresh surface.
    TBitmap32 WholeComposite() {
        TLayerList& layers = window->Engine().Layers;
        TBitmap32 picture(layers.Surface.Width(), layers.Surface.Height());
        for (int i = 0; i < layers.Count(); ++i) layers.Items(i).Draw(picture);
        return picture;
    }

    void PlayAndCompare(TSize client, bool sharp) {
        Start();
        if (sharp) {
            ASSERT_TRUE(host.ClickMenu("mmSharpScaling"));
        }
        host.SetClientSize(client);
        for (int frame = 0; frame < 120; ++frame) {
            if (frame % 24 == 23) window->Engine().Advance();
            Frames(1);
            SCOPED_TRACE(::testing::Message() << client.Width << "x" << client.Height << ", frame " << frame);
            ASSERT_TRUE(SamePixels(window->Engine().BackSurface(), WholeComposite()));
            const TBitmap32 shown = host.ClientPicture();
            window->FormResize();  // scales and presents everything anew
            ASSERT_TRUE(SamePixels(shown, host.ClientPicture()));
        }
        Stop();
    }
};

TEST_F(PresentChangesTest, PresentingWhatChangedShowsWhatPresentingEverythingShows) {
    WriteScript("first.txt",
                "[back/0]\n一頁目の文字が一つずつ現れていく。\n二行目も続いて現れる。\n\n"
                "[hall/500]\n広間に移ると、絵が溶けるように変わった。\n\n[暗転/400]\n暗がりの中の三頁目。\n\n"
                "[back/300]\n最後の頁。\n\n");
    Picture("back", 1);
    Picture("hall", 2);
    PlayAndCompare({1000, 750}, false);
    PlayAndCompare({1600, 1200}, false);
    PlayAndCompare({1700, 1300}, true);
}

TEST_F(PresentChangesTest, SharpScalingDoublesPixelsBetweenBlackBandsAndIsWrittenOnceUsed) {
    WriteScript("first.txt", "[back/0]\n一頁目。\n\n");
    Picture("back", 3);
    TggTDMain& main = Start();
    host.SetClientSize({1700, 1300});
    Frames(3);
    EXPECT_FALSE(main.Menu().At("mmSharpScaling").Checked());
    EXPECT_EQ(main.Layout().PictureRect, (TRect{10, 20, 1690, 1280})) << "smooth: 1680 x 1260";

    ASSERT_TRUE(host.ClickMenu("mmSharpScaling"));
    EXPECT_TRUE(main.Menu().At("mmSharpScaling").Checked());
    EXPECT_EQ(main.Layout().PictureRect, (TRect{50, 50, 1650, 1250}));
    const TBitmap32& shown = host.ClientPicture();
    const TBitmap32& picture = main.Engine().BackSurface();
    for (const TPoint p : {TPoint{0, 0}, TPoint{799, 599}, TPoint{123, 457}}) {
        for (int j = 0; j < 2; ++j) {
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(*shown.PixelPtr(50 + 2 * p.X + i, 50 + 2 * p.Y + j) & 0xFFFFFF,
                          *picture.PixelPtr(p.X, p.Y) & 0xFFFFFF);
            }
        }
    }
    EXPECT_EQ(*shown.PixelPtr(25, 600) & 0xFFFFFF, 0u) << "black band";
    EXPECT_EQ(*shown.PixelPtr(800, 1260) & 0xFFFFFF, 0u) << "black band";
    Stop();
    EXPECT_TRUE(TIniFile(ThisConfig()).ReadBool("Comfort", "SharpScaling", false));

    TggTDMain& again = Start();
    host.SetClientSize({1700, 1300});
    EXPECT_TRUE(again.Menu().At("mmSharpScaling").Checked());
    EXPECT_EQ(again.Layout().PictureRect, (TRect{50, 50, 1650, 1250}));
    ASSERT_TRUE(host.ClickMenu("mmSharpScaling"));
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_TRUE(ini.ValueExists("Comfort", "SharpScaling")) << "once used, kept even when off";
    EXPECT_FALSE(ini.ReadBool("Comfort", "SharpScaling", true));
}

TEST_F(PresentChangesTest, SharpScalingIsNotWrittenUntilUsed) {
    WriteScript("first.txt", "一頁目。\n\n");
    Start();
    Stop();
    const TIniFile ini(ThisConfig());
    EXPECT_TRUE(ini.ValueExists("Comfort", "FullScreen")) << "the section is written";
    EXPECT_FALSE(ini.ValueExists("Comfort", "SharpScaling"));
}

}  // namespace
}  // namespace vandor

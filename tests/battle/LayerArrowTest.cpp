#include <gtest/gtest.h>

#include "battle/LayerArrow.h"

namespace vandor {
namespace {

int DrawnPixels(const TBitmap32& surface) {
    int drawn = 0;
    for (int i = 0; i < surface.Width() * surface.Height(); ++i) drawn += surface.Bits()[i] != 0;
    return drawn;
}

TEST(QTDLayerArrow, TheTrailStartsEmptyAndTakesTheNewestPointFirst) {
    TQTDLayerArrow arrow;
    EXPECT_EQ(arrow.Age, 0);
    EXPECT_EQ(arrow.HitAlpha, 256);
    EXPECT_EQ(arrow.Position.Anchor, 5);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(arrow.TrailX[k], -65535);
        EXPECT_EQ(arrow.TrailY[k], -65535);
    }
    arrow.SetPosition(10, 20, 0);
    arrow.PushTrail();
    EXPECT_EQ(arrow.TrailX[0], 10);
    EXPECT_EQ(arrow.TrailY[0], 20);
    for (int k = 1; k < 8; ++k) EXPECT_EQ(arrow.TrailX[k], -65535);
    for (int step = 2; step <= 9; ++step) {
        arrow.SetPosition(10 * step, 20 * step, 0);
        arrow.PushTrail();
    }
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(arrow.TrailX[k], 10 * (9 - k));
        EXPECT_EQ(arrow.TrailY[k], 20 * (9 - k));
    }
}

TEST(QTDLayerArrow, ALineShotShowsOnlyItsDotUntilItsThirdStep) {
    struct TLook {
        int Kind;
        TColor32 Dot, Line;
    };
    for (const TLook look : {TLook{1, 0xFFFFFFFF, 0xFF663300}, TLook{2, 0xFFFFFFFF, 0xFF663300},
                             TLook{3, 0xFFFF3300, 0xFF660000}, TLook{5, 0xFF00FF66, 0xFF003300}}) {
        TQTDLayerArrow arrow;
        arrow.Kind = look.Kind;
        TBitmap32 surface(100, 100);
        const auto step = [&](int x) {
            arrow.SetPosition(x, 50, 0);
            arrow.PushTrail();
            surface.Clear(0);
            arrow.Draw(surface);
        };
        step(20);
        step(30);
        EXPECT_EQ(DrawnPixels(surface), 4) << look.Kind;  // the 2 × 2 dot up-left of (30, 50)
        EXPECT_EQ(*surface.PixelPtr(29, 49), look.Dot) << look.Kind;
        step(40);  // the dot, then the line from (40, 50) to (20, 50) without its end
        EXPECT_EQ(*surface.PixelPtr(39, 49), look.Dot) << look.Kind;
        EXPECT_EQ(*surface.PixelPtr(40, 50), look.Line) << look.Kind;
        EXPECT_EQ(*surface.PixelPtr(21, 50), look.Line) << look.Kind;
        EXPECT_EQ(*surface.PixelPtr(20, 50), 0u) << look.Kind;
        EXPECT_EQ(DrawnPixels(surface), 22) << look.Kind;  // 20 line pixels and the dot's top row
    }
}

TEST(QTDLayerArrow, DebrisShrinksAndFadesAlongItsTrail) {
    TQTDLayerArrow debris;
    debris.Kind = TQTDLayerArrow::kDebris;
    debris.Tag = 0x660000;
    debris.TrailX[0] = debris.TrailY[0] = 20;
    debris.TrailX[7] = debris.TrailY[7] = 60;
    constexpr TColor32 kBlack = 0xFF000000;
    TBitmap32 surface(100, 100);
    const auto square = [&](int x, int y, TColor32 colour) {
        EXPECT_EQ(*surface.PixelPtr(x, y), BlendPixel(colour, kBlack, 255)) << x << "," << y;
    };

    // Age 0: the newest point a 5 × 5 square at (18, 18) in its own colour at alpha 255;
    // the oldest a square of (11 - 7) div 2 = 2 at (59, 59), white at alpha 160 - 77 = 83.
    surface.Clear(kBlack);
    debris.Draw(surface);
    for (int xy : {18, 22}) square(xy, xy, 0xFF660000);
    for (int xy : {59, 60}) square(xy, xy, 0x53FFFFFF);
    for (int xy : {17, 23, 58, 61}) square(xy, xy, kBlack);

    // Age 40: (11 - 5) div 2 = 3 at (19, 19), alpha 255 - 120 = 135; the oldest has faded out.
    debris.Age = 40;
    surface.Clear(kBlack);
    debris.Draw(surface);
    for (int xy : {19, 21}) square(xy, xy, 0x87660000);
    for (int xy : {18, 22, 59}) square(xy, xy, kBlack);
}

}  // namespace
}  // namespace vandor

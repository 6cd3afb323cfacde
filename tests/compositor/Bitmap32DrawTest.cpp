#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>

#include "compositor/Bitmap32.h"
#include "compositor/BlendReference.h"

namespace vandor {
namespace {

TBitmap32 RandomBitmap(int width, int height, std::mt19937& random) {
    TBitmap32 bitmap(width, height);
    for (int i = 0; i < width * height; ++i) {
        TColor32 value = random();
        // Runs of transparent and opaque pixels as pictures have, and everything between.
        if ((i / 16) % 4 == 1) value &= 0x00FFFFFF;
        if ((i / 16) % 4 == 2) value |= 0xFF000000;
        bitmap.Bits()[i] = value;
    }
    return bitmap;
}

// Stretching: offset d of the destination takes source offset trunc(d × s), with
// s = srcSize ÷ dstSize held as a 32-bit float and the product taken exactly.
int StretchedOffset(int d, int srcSize, int dstSize) {
    const float s = static_cast<float>(srcSize) / static_cast<float>(dstSize);
    return static_cast<int>(static_cast<double>(d) * static_cast<double>(s));
}

// The same with the product rounded to a 32-bit float first, which moves some offsets.
int FloatProductOffset(int d, int srcSize, int dstSize) {
    const float s = static_cast<float>(srcSize) / static_cast<float>(dstSize);
    return static_cast<int>(static_cast<float>(d) * s);
}

// Pixel by pixel: which source pixel lands on destination (x, y) of an already cut
// and unclipped draw, and how it combines.
void ReferenceDraw(TBitmap32& target, const TRect& dst, const TRect& src, const TBitmap32& source) {
    for (int y = std::max(dst.Top, 0); y < std::min(dst.Bottom, target.Height()); ++y) {
        for (int x = std::max(dst.Left, 0); x < std::min(dst.Right, target.Width()); ++x) {
            int sx = src.Left + StretchedOffset(x - dst.Left, src.Width(), dst.Width());
            int sy = src.Top + StretchedOffset(y - dst.Top, src.Height(), dst.Height());
            if (dst.Width() < 2) sx = (src.Left + src.Right - 1) / 2;
            if (dst.Height() < 2) sy = (src.Top + src.Bottom - 1) / 2;
            const TColor32 pixel = *source.PixelPtr(sx, sy);
            TColor32& out = *target.PixelPtr(x, y);
            out = source.DrawMode() == TDrawMode::dmOpaque ? pixel
                                                           : testing::ReferenceBlend(pixel, out, source.MasterAlpha());
        }
    }
}

TEST(Bitmap32Draw, MatchesThePixelByPixelReferenceWithClippingAndStretching) {
    std::mt19937 random(777);
    const TBitmap32 background = RandomBitmap(120, 90, random);
    TBitmap32 source = RandomBitmap(50, 40, random);
    const TRect dstRects[] = {
        {10, 5, 60, 45},       // same size
        {-17, -9, 33, 31},     // same size, off the top left
        {90, 70, 140, 110},    // same size, off the bottom right
        {-30, -20, 170, 130},  // larger than the target: 4x stretch, clipped all round
        {3, 4, 103, 84},       // 2x
        {0, 0, 150, 120},      // 3x
        {7, 9, 38, 22},        // shrunk
        {5, 5, 6, 70},         // one column wide
        {5, 5, 90, 6},         // one row high
    };
    const TRect srcRects[] = {{0, 0, 50, 40}, {0, 0, 50, 40}, {0, 0, 50, 40},  {0, 0, 50, 40}, {0, 0, 50, 40},
                              {0, 0, 50, 40}, {3, 2, 47, 39}, {10, 0, 21, 40}, {0, 7, 50, 12}};
    const testing::TWideRowsRestorer restorer;
    for (bool wide : testing::kRowKinds) {
        EnableWideRows(wide);
        for (TDrawMode mode : {TDrawMode::dmOpaque, TDrawMode::dmBlend}) {
            for (int masterAlpha : {255, 254, 90}) {
                source.SetDrawMode(mode);
                source.SetMasterAlpha(static_cast<uint8_t>(masterAlpha));
                for (std::size_t i = 0; i < std::size(dstRects); ++i) {
                    SCOPED_TRACE(::testing::Message() << "case " << i << ", wide " << wide << ", mode "
                                                      << static_cast<int>(mode) << ", master alpha " << masterAlpha);
                    TBitmap32 expected = background;
                    TBitmap32 actual = background;
                    ReferenceDraw(expected, dstRects[i], srcRects[i], source);
                    actual.Draw(dstRects[i], srcRects[i], source);
                    ASSERT_TRUE(std::equal(actual.Bits(), actual.Bits() + 120 * 90, expected.Bits()));
                }
            }
        }
    }
}

TEST(Bitmap32Draw, StretchTo200x50TakesColumnsTwiceAndEverySecondRow) {
    TBitmap32 source(100, 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) *source.PixelPtr(x, y) = 0xFF000000u | (y << 8) | x;
    }
    TBitmap32 target(200, 50);
    target.Draw(target.BoundsRect(), source.BoundsRect(), source);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(*target.PixelPtr(x, y), 0xFF000000u | ((2 * y) << 8) | (x / 2)) << x << "," << y;
        }
    }
}

TEST(Bitmap32Draw, StretchingTakesTheExactProductOfTheFloatRatio) {
    // The scaled presentations stretch 800 x 600 to 960 x 720 (shown at 480 x 360) and
    // 1920 x 720 (a band of the 960 x 720 picture).
    TBitmap32 source(800, 600);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) *source.PixelPtr(x, y) = 0xFF000000u | (y << 12) | x;
    }
    for (int width : {960, 1920}) {
        SCOPED_TRACE(width);
        TBitmap32 target(width, 720);
        target.Draw(target.BoundsRect(), source.BoundsRect(), source);
        int columnsOffTheFloatProduct = 0;
        for (int x = 0; x < width; ++x) {
            const int column = static_cast<int>(*target.PixelPtr(x, 0) & 0xFFF);
            ASSERT_EQ(column, StretchedOffset(x, 800, width)) << x;
            if (column != FloatProductOffset(x, 800, width)) ++columnsOffTheFloatProduct;
        }
        EXPECT_EQ(columnsOffTheFloatProduct, 159);
        int rowsOffTheFloatProduct = 0;
        for (int y = 0; y < 720; ++y) {
            const int row = static_cast<int>(*target.PixelPtr(0, y) >> 12 & 0xFFF);
            ASSERT_EQ(row, StretchedOffset(y, 600, 720)) << y;
            if (row != FloatProductOffset(y, 600, 720)) ++rowsOffTheFloatProduct;
        }
        EXPECT_EQ(rowsOffTheFloatProduct, 119);
    }
    // 800 / 960 as a float is a little under 5 / 6: 6 × s lies just under 5.
    TBitmap32 target(960, 1);
    target.Draw(target.BoundsRect(), {0, 0, 800, 1}, source);
    EXPECT_EQ(*target.PixelPtr(6, 0) & 0xFFF, 4u);
}

TEST(Bitmap32Draw, SourceRectOutsideTheSourceIsCutAndTheDestinationMovedInProportion) {
    TBitmap32 source(10, 1);
    for (int x = 0; x < 10; ++x) *source.PixelPtr(x, 0) = 0xFF000000u | x;
    TBitmap32 target(20, 1);

    // Three columns cut on the right of 13 drawn into 20: floor(3 * 20 / 13) = 4.
    target.Clear(0xDEADBEEF);
    target.Draw({0, 0, 20, 1}, {0, 0, 13, 1}, source);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(*target.PixelPtr(x, 0), 0xFF000000u | (x * 10 / 16)) << x;
    for (int x = 16; x < 20; ++x) EXPECT_EQ(*target.PixelPtr(x, 0), 0xDEADBEEFu) << x;

    // Three on the left: ceil(3 * 20 / 13) = 5; the remaining 15 columns show 10.
    target.Clear(0xDEADBEEF);
    target.Draw({0, 0, 20, 1}, {-3, 0, 10, 1}, source);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(*target.PixelPtr(x, 0), 0xDEADBEEFu) << x;
    for (int x = 5; x < 20; ++x) {
        EXPECT_EQ(*target.PixelPtr(x, 0), 0xFF000000u | StretchedOffset(x - 5, 10, 15)) << x;
    }

    // Without stretching the cut moves the destination by the same amount.
    target.Clear(0xDEADBEEF);
    target.DrawAt(2, 0, {-4, 0, 6, 1}, source);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(*target.PixelPtr(x, 0), x >= 6 && x < 12 ? 0xFF000000u | (x - 6) : 0xDEADBEEFu) << x;
    }
}

TEST(Bitmap32Draw, NothingHappensForEmptySurfacesOrZeroMasterAlphaAndBadSourceRectsFail) {
    TBitmap32 source(4, 4);
    source.Clear(0xFFFFFFFF);
    TBitmap32 target(8, 8);
    target.Clear(0xFF000000);

    TBitmap32 empty;
    target.DrawAt(0, 0, empty);
    empty.DrawAt(0, 0, source);
    source.SetDrawMode(TDrawMode::dmBlend);
    source.SetMasterAlpha(0);
    target.DrawAt(0, 0, source);
    target.Draw({0, 0, 8, 8}, {0, 0, 4, 4}, source);
    target.DrawAt(20, 20, source);  // entirely off the target
    source.SetMasterAlpha(255);
    target.Draw({0, 0, 0, 8}, {0, 0, 4, 4}, source);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(target.Bits()[i], 0xFF000000u);

    // Nothing of the source to show draws nothing; only an inverted rectangle is an error.
    target.Draw({0, 0, 8, 8}, {5, 0, 9, 4}, source);
    target.Draw({0, 0, 8, 8}, {0, -6, 4, -1}, source);
    target.Draw({0, 0, 8, 8}, {2, 0, 2, 4}, source);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(target.Bits()[i], 0xFF000000u);
    try {
        target.Draw({0, 0, 8, 8}, {3, 0, 2, 4}, source);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Invalid SrcRect");
    }
}

TEST(Bitmap32Draw, DrawingASurfaceOntoItselfReadsTheOriginalPixels) {
    TBitmap32 bitmap(6, 1);
    for (int x = 0; x < 6; ++x) *bitmap.PixelPtr(x, 0) = 0xFF000000u | x;
    bitmap.DrawAt(1, 0, {0, 0, 5, 1}, bitmap);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(*bitmap.PixelPtr(x, 0), 0xFF000000u | (x - 1));
}

}  // namespace
}  // namespace vandor

namespace vandor {
namespace {

TEST(Bitmap32Draw, AClipRectangleKeepsTheUnclippedPixelsInsideAndTouchesNothingOutside) {
    std::mt19937 random(4242);
    const TBitmap32 background = RandomBitmap(120, 90, random);
    TBitmap32 source = RandomBitmap(50, 40, random);
    source.SetDrawMode(TDrawMode::dmBlend);
    const TRect clips[] = {{13, 7, 61, 50}, {0, 0, 1, 90}, {-20, 80, 200, 300}, {119, 89, 120, 90}, {40, 40, 40, 60}};
    for (const TRect& dst : {TRect{-30, -20, 170, 130}, TRect{7, 9, 38, 22}, TRect{10, 5, 60, 45}}) {
        TBitmap32 whole = background;
        whole.Draw(dst, source.BoundsRect(), source);
        for (const TRect& clip : clips) {
            TBitmap32 clipped = background;
            clipped.SetClipRect(clip);
            clipped.Draw(dst, source.BoundsRect(), source);
            for (int y = 0; y < 90; ++y) {
                for (int x = 0; x < 120; ++x) {
                    const TColor32 expected =
                        clip.Contains({x, y}) ? *whole.PixelPtr(x, y) : *background.PixelPtr(x, y);
                    ASSERT_EQ(*clipped.PixelPtr(x, y), expected) << x << "," << y;
                }
            }
            TBitmap32 reset = background;
            reset.SetClipRect(clip);
            reset.ResetClipRect();
            reset.Draw(dst, source.BoundsRect(), source);
            ASSERT_TRUE(std::equal(reset.Bits(), reset.Bits() + 120 * 90, whole.Bits()));
        }
    }
}

}  // namespace
}  // namespace vandor

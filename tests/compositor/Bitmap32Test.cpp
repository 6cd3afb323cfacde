#include "compositor/Bitmap32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>

namespace vandor {
namespace {

int CountPixels(const TBitmap32& bitmap, TColor32 colour) {
    int count = 0;
    for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) count += bitmap.Bits()[i] == colour;
    return count;
}

TEST(Bitmap32, SetSizeKeepsPixelsOnlyForTheSameSize) {
    TBitmap32 bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.DrawMode(), TDrawMode::dmOpaque);
    EXPECT_EQ(bitmap.MasterAlpha(), 255);

    bitmap.SetSize(4, 3);
    EXPECT_EQ(CountPixels(bitmap, 0), 12);
    bitmap.Clear(0xFF123456);
    bitmap.SetSize(4, 3);
    EXPECT_EQ(CountPixels(bitmap, 0xFF123456), 12);
    bitmap.SetSize(3, 4);
    EXPECT_EQ(CountPixels(bitmap, 0), 12);

    *bitmap.PixelPtr(2, 1) = 7;
    EXPECT_EQ(bitmap.Bits()[2 + 1 * 3], 7u);
    EXPECT_EQ(bitmap.ScanLine(1), bitmap.Bits() + 3);

    bitmap.SetSize(-5, 2);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap32, LargeSurfacesStartClearAfterOthersWereDrawnAndFreed) {
    for (int round = 0; round < 3; ++round) {
        auto drawn = std::make_unique<TBitmap32>(800, 600);
        drawn->Clear(0xFF123456);
        const TBitmap32 copy = *drawn;
        EXPECT_EQ(CountPixels(copy, 0xFF123456), 800 * 600);
        drawn.reset();
        TBitmap32 fresh(800, 600);
        EXPECT_EQ(CountPixels(fresh, 0), 800 * 600);
        auto smallDrawn = std::make_unique<TBitmap32>(30, 20);
        smallDrawn->Clear(0xFF654321);
        smallDrawn.reset();
        TBitmap32 small(30, 20);
        EXPECT_EQ(CountPixels(small, 0), 30 * 20);
    }
}

TEST(Bitmap32, ImpossibleSizeFailsWithTheDibMessageAndKeepsTheSurface) {
    TBitmap32 bitmap(2, 2);
    bitmap.Clear(0xFFABCDEF);
    try {
        bitmap.SetSize(INT_MAX, INT_MAX);  // the pixel count needs 62 bits
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Can't allocate the DIB handle");
    }
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(CountPixels(bitmap, 0xFFABCDEF), 4);
}

TEST(Bitmap32, FillAndFrameAreClippedAndWriteTheColourUnblended) {
    TBitmap32 bitmap(6, 5);
    bitmap.Clear(0xFF000000);
    bitmap.FillRect({-3, -3, 2, 2}, 0x40FF0000);
    EXPECT_EQ(*bitmap.PixelPtr(0, 0), 0x40FF0000u);
    EXPECT_EQ(*bitmap.PixelPtr(1, 1), 0x40FF0000u);
    EXPECT_EQ(*bitmap.PixelPtr(2, 1), 0xFF000000u);
    EXPECT_EQ(CountPixels(bitmap, 0x40FF0000), 4);

    bitmap.Clear(0);
    bitmap.FrameRect({1, 1, 5, 4}, 0xFFFFFFFF);
    const char* expected[] = {"......", ".XXXX.", ".X..X.", ".XXXX.", "......"};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(*bitmap.PixelPtr(x, y) != 0, expected[y][x] == 'X') << x << "," << y;
        }
    }

    // One pixel high: only the top row; empty: nothing; partly outside: clipped.
    bitmap.Clear(0);
    bitmap.FrameRect({1, 2, 4, 3}, 0xFFFFFFFF);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 3);
    bitmap.Clear(0);
    bitmap.FrameRect({3, 3, 3, 5}, 0xFFFFFFFF);
    bitmap.FrameRect({4, 2, 1, 3}, 0xFFFFFFFF);
    EXPECT_EQ(CountPixels(bitmap, 0), 30);
    bitmap.FrameRect({-2, -2, 3, 10}, 0xFFFFFFFF);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 5);  // the right column x = 2
}

TEST(Bitmap32, LinesRunFromStartTowardsEndWhichIsOptional) {
    TBitmap32 bitmap(10, 10);
    bitmap.DrawLine(1, 1, 7, 4, 0xFF00FF00, false);
    EXPECT_EQ(*bitmap.PixelPtr(1, 1), 0xFF00FF00u);
    EXPECT_EQ(*bitmap.PixelPtr(7, 4), 0u);
    EXPECT_EQ(CountPixels(bitmap, 0xFF00FF00), 6);  // one pixel per column 1 ... 6
    for (int x = 1; x < 7; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 10; ++y) inColumn += *bitmap.PixelPtr(x, y) != 0;
        EXPECT_EQ(inColumn, 1) << x;
    }
    bitmap.DrawLine(1, 1, 7, 4, 0xFF00FF00, true);
    EXPECT_EQ(*bitmap.PixelPtr(7, 4), 0xFF00FF00u);

    // Steep and backwards, and a single point.
    bitmap.Clear(0);
    bitmap.DrawLine(5, 9, 3, 0, 0xFFFFFFFF, true);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 10);
    EXPECT_EQ(*bitmap.PixelPtr(5, 9), 0xFFFFFFFFu);
    EXPECT_EQ(*bitmap.PixelPtr(3, 0), 0xFFFFFFFFu);
    bitmap.Clear(0);
    bitmap.DrawLine(2, 2, 2, 2, 0xFFFFFFFF, false);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 0);
    bitmap.DrawLine(2, 2, 2, 2, 0xFFFFFFFF, true);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 1);

    // Ends off the surface draw the part inside and nothing outside.
    bitmap.Clear(0);
    bitmap.DrawLine(-5, 5, 20, 5, 0xFFFFFFFF, true);
    EXPECT_EQ(CountPixels(bitmap, 0xFFFFFFFF), 10);
}

TEST(Bitmap32, EllipseIsSymmetricOutlinedAndFilled) {
    constexpr TColor32 kOutline = 0xFF0000FF;
    constexpr TColor32 kFill = 0x80FF0000;
    TBitmap32 bitmap(40, 30);
    const TRect rect{3, 2, 34, 25};  // 31 x 23
    bitmap.DrawEllipse(rect, kOutline, kFill);
    auto at = [&](int x, int y) { return *bitmap.PixelPtr(x, y); };
    auto neighbours = [&](int x, int y) { return std::array{at(x + 1, y), at(x - 1, y), at(x, y + 1), at(x, y - 1)}; };
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (!rect.Contains({x, y})) {
                ASSERT_EQ(at(x, y), 0u) << x << "," << y;
                continue;
            }
            ASSERT_EQ(at(x, y), at(rect.Left + rect.Right - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(at(x, y), at(x, rect.Top + rect.Bottom - 1 - y)) << x << "," << y;
            const auto around = neighbours(x, y);
            const bool open = std::count(around.begin(), around.end(), 0u) > 0;
            // The outline is exactly the drawn pixels next to undrawn ones.
            if (at(x, y) != 0) {
                EXPECT_EQ(at(x, y), open ? kOutline : kFill) << x << "," << y;
            }
        }
    }
    // It touches the middle of every side of the rectangle, and not the corners.
    EXPECT_EQ(at(18, 2), kOutline);
    EXPECT_EQ(at(18, 24), kOutline);
    EXPECT_EQ(at(3, 13), kOutline);
    EXPECT_EQ(at(33, 13), kOutline);
    EXPECT_EQ(at(3, 2), 0u);
    EXPECT_GT(CountPixels(bitmap, kFill), 400);  // about pi / 4 of the 713 pixels, less the outline

    // Cut by the surface: the visible part is the same, nothing is written outside.
    TBitmap32 clipped(20, 30);
    clipped.DrawEllipse(rect, kOutline, kFill);
    for (int y = 0; y < 30; ++y) {
        ASSERT_TRUE(std::equal(clipped.ScanLine(y), clipped.ScanLine(y) + 20, bitmap.ScanLine(y))) << y;
    }
}

}  // namespace
}  // namespace vandor

#include "shell/PictureLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

#include "shell/WindowHost.h"

namespace vandor {
namespace {

TEST(PictureLayout, KeepsFourToThreeOnAFortyByThirtyGrid) {
    struct Case {
        int clientWidth, clientHeight;
        TRect picture;
        bool direct;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}, true},       {1024, 600, {112, 0, 912, 600}, true},
        {1600, 1200, {0, 0, 1600, 1200}, true},   {1000, 750, {0, 0, 1000, 750}, false},
        {450, 400, {5, 35, 445, 365}, false},  // 450 wide: W 440, H 330
        {2400, 2000, {0, 100, 2400, 1900}, true},
    };
    for (const Case& c : cases) {
        const TPictureLayout layout = LayoutPicture(c.clientWidth, c.clientHeight);
        EXPECT_EQ(layout.PictureRect, c.picture) << c.clientWidth << "x" << c.clientHeight;
        EXPECT_EQ(layout.DirectScale(), c.direct) << c.clientWidth << "x" << c.clientHeight;
    }
}

TEST(PictureLayout, MouseCoordinatesAndMargins) {
    const TPictureLayout layout = LayoutPicture(1024, 600);
    EXPECT_EQ(layout.ToPicture(112, 0), (TPoint{0, 0}));
    EXPECT_EQ(layout.ToPicture(911, 599), (TPoint{799, 599}));
    EXPECT_EQ(layout.ToPicture(100, 10), (TPoint{-12, 10}));  // in the band: passed on as it is
    EXPECT_EQ(layout.ToPicture(1000, 10), (TPoint{888, 10}));
    TRect margins[4];
    ASSERT_EQ(layout.Margins(1024, 600, margins), 2);
    EXPECT_EQ(margins[0], (TRect{0, 0, 112, 600}));
    EXPECT_EQ(margins[1], (TRect{912, 0, 1024, 600}));

    const TPictureLayout scaled = LayoutPicture(1000, 750);
    EXPECT_EQ(scaled.ToPicture(999, 749), (TPoint{799, 599}));
    EXPECT_EQ(scaled.Margins(1000, 750, margins), 0);
}

TEST(PictureLayout, BandResamplerMatchesStretchThenHalve) {
    TBitmap32 source(800, 600);
    std::mt19937 random(11);
    for (int i = 0; i < 800 * 600; ++i) source.Bits()[i] = random() | 0xFF000000u;
    const TPictureLayout layout = LayoutPicture(1000, 750);
    TBandResampler resampler;
    resampler.Resize(layout);
    const TBitmap32& scaled = resampler.Resample(source);
    ASSERT_EQ(scaled.Width(), 1000);
    ASSERT_EQ(scaled.Height(), 750);

    // The same picture made in one piece: stretched to 2000 x 1500, then every 2 x 2 block averaged.
    TBitmap32 whole(2000, 1500);
    whole.Draw(whole.BoundsRect(), source.BoundsRect(), source);
    for (int y : {0, 249, 250, 499, 500, 749}) {
        for (int x : {0, 1, 500, 999}) {
            TColor32 expected = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                unsigned sum = 0;
                for (int j = 0; j < 2; ++j) {
                    for (int i = 0; i < 2; ++i) sum += (*whole.PixelPtr(2 * x + i, 2 * y + j) >> shift) & 0xFF;
                }
                expected |= static_cast<TColor32>(sum >> 2) << shift;
            }
            EXPECT_EQ(*scaled.PixelPtr(x, y), expected) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace vandor

namespace vandor {
namespace {

TEST(PictureLayout, SharpScalingTakesTheLargestWholeNumberAndFallsBackBelowOne) {
    struct Case {
        int clientWidth, clientHeight;
        TRect picture;
        bool sharp;
    };
    const Case cases[] = {
        {1000, 750, {100, 75, 900, 675}, true},      // smooth would fill it
        {2880, 2200, {240, 200, 2640, 2000}, true},  // 3x, not 3.6x
        {3300, 2400, {50, 0, 3250, 2400}, true},     // 4x, wider than tall
        {800, 600, {0, 0, 800, 600}, true},
        {640, 480, {0, 0, 640, 480}, false},  // smaller than the picture: scaled as ever
    };
    for (const Case& c : cases) {
        const TPictureLayout layout = LayoutPicture(c.clientWidth, c.clientHeight, true);
        EXPECT_EQ(layout.PictureRect, c.picture) << c.clientWidth << "x" << c.clientHeight;
        EXPECT_EQ(layout.DirectScale(), c.sharp || layout.Width() == 800) << c.clientWidth << "x" << c.clientHeight;
    }
    EXPECT_FALSE(LayoutPicture(2880, 2200).DirectScale()) << "off, the same window is smooth";
    EXPECT_EQ(LayoutPicture(2880, 2200, true).ToPicture(2639, 1999), (TPoint{799, 599}));
}

TEST(PictureLayout, ResamplingAChangedRectangleGivesThatPartOfTheWholeResampling) {
    std::mt19937 random(5);
    TBitmap32 source(800, 600);
    for (int i = 0; i < 800 * 600; ++i) source.Bits()[i] = random();
    for (const auto& [clientWidth, clientHeight] : {std::pair{2880, 2160}, {1000, 750}, {440, 330}, {1240, 930}}) {
        const TPictureLayout layout = LayoutPicture(clientWidth, clientHeight);
        TBandResampler partial;
        partial.Resize(layout);
        partial.Resample(source);
        TBandResampler whole;
        whole.Resize(layout);
        for (int step = 0; step < 6; ++step) {
            const int left = static_cast<int>(random() % 800);
            const int top = static_cast<int>(random() % 600);
            const TRect changed{left, top, left + 1 + static_cast<int>(random() % 90),
                                top + 1 + static_cast<int>(random() % 70)};
            for (int y = changed.Top; y < std::min(changed.Bottom, 600); ++y) {
                for (int x = changed.Left; x < std::min(changed.Right, 800); ++x) *source.PixelPtr(x, y) = random();
            }
            const TRect part = partial.Resample(source, changed);
            const TBitmap32& expected = whole.Resample(source);
            ASSERT_TRUE(std::equal(expected.Bits(), expected.Bits() + expected.Width() * expected.Height(),
                                   partial.Scaled().Bits()))
                << clientWidth << " wide, step " << step;
            // The part returned is what the change reaches, not the whole picture.
            EXPECT_FALSE(part.IsEmpty());
            EXPECT_LE(part.Width(), (changed.Width() + 2) * layout.Width() / 800 + 2);
            EXPECT_LE(part.Height(), (changed.Height() + 2) * layout.Height() / 600 + 2);
        }
    }
}

TEST(PictureLayout, APresentedPartCoversEveryPixelShowingTheChange) {
    const TRect dst{112, 0, 912, 600};
    EXPECT_EQ(PresentedPart(dst, {0, 0, 800, 600}, {0, 0, 800, 600}), dst);
    EXPECT_EQ(PresentedPart(dst, {0, 0, 800, 600}, {-5, -5, 900, 700}), dst);
    EXPECT_EQ(PresentedPart(dst, {0, 0, 800, 600}, {10, 20, 30, 40}), (TRect{121, 19, 143, 41}));
    EXPECT_EQ(PresentedPart({0, 0, 2400, 1800}, {0, 0, 800, 600}, {10, 20, 11, 21}), (TRect{29, 59, 34, 64}));
    EXPECT_EQ(PresentedPart(dst, {0, 0, 800, 600}, {900, 0, 950, 10}), TRect{});
}

}  // namespace
}  // namespace vandor

#include "text/TextRender.h"

#include <gtest/gtest.h>

#include <vector>

namespace vandor {
namespace {

TBitmap32 Target() {
    TBitmap32 target(200, 60);
    target.Clear(0xFF000000);
    target.Font = {"ＭＳ ゴシック", 22, 0xFFFFFFFF, true};
    return target;
}

// Sum of the alpha the stamp left, read back as the red channel of white on black.
long Coverage(const TBitmap32& target) {
    long sum = 0;
    for (int i = 0; i < target.Width() * target.Height(); ++i) sum += (target.Bits()[i] >> 16) & 0xFF;
    return sum;
}

std::vector<uint8_t> MaskPixels(const TRTextRender& renderer) {
    std::vector<uint8_t> red;
    const TRect& rect = renderer.MaskRect();
    for (int y = 0; y < rect.Height(); ++y) {
        for (int x = 0; x < rect.Width(); ++x) red.push_back((*renderer.Mask().PixelPtr(x, y) >> 16) & 0xFF);
    }
    return red;
}

TEST(TextRender, QualityIsClampedAndIntensityZeroDrawsNothing) {
    TRTextRender renderer;
    renderer.SetQuality(7);
    EXPECT_EQ(renderer.Quality(), 3);
    renderer.SetQuality(-1);
    EXPECT_EQ(renderer.Quality(), 0);

    TBitmap32 target = Target();
    renderer.DrawText(target, 2, 2, 255, 0xFFFFFFFF, "灯台");
    const auto mask = MaskPixels(renderer);
    TBitmap32 untouched = Target();
    renderer.DrawText(untouched, 2, 2, 0, 0xFFFFFFFF, "別の文");
    EXPECT_EQ(Coverage(untouched), 0);
    EXPECT_EQ(MaskPixels(renderer), mask);  // the previous mask is kept
}

TEST(TextRender, DrawAgainRepeatsTheShapeInAnotherColour) {
    TRTextRender renderer;
    renderer.Configure(3, 2, 3, 2, 1);
    TBitmap32 first = Target();
    renderer.DrawText(first, 5, 5, 255, 0xFFFF0000, "灯台");
    TBitmap32 second = Target();
    renderer.DrawAgain(second, 5, 5, 0xFF00FF00);
    for (int i = 0; i < first.Width() * first.Height(); ++i) {
        ASSERT_EQ((first.Bits()[i] >> 16) & 0xFF, (second.Bits()[i] >> 8) & 0xFF) << i;
    }
    EXPECT_GT(Coverage(first), 0);
}

TEST(TextRender, ThickenedHighQualityTextIsBolderThanPlain) {
    TRTextRender renderer;
    TBitmap32 plain = Target();
    renderer.SetQuality(0);
    renderer.DrawText(plain, 2, 2, 255, 0xFFFFFFFF, "霧の港");
    TBitmap32 thick = Target();
    renderer.Configure(3, 2, 3, 2, 1);
    renderer.DrawText(thick, 2, 2, 255, 0xFFFFFFFF, "霧の港");
    EXPECT_GT(Coverage(thick), Coverage(plain) * 11 / 10);
    // Smoothed edges: some pixels lie between background and text.
    int partial = 0;
    for (int i = 0; i < thick.Width() * thick.Height(); ++i) {
        const auto red = (thick.Bits()[i] >> 16) & 0xFF;
        if (red > 20 && red < 235) ++partial;
    }
    EXPECT_GT(partial, 20);
}

}  // namespace
}  // namespace vandor

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compositor/Bitmap32.h"
#include "compositor/BlendReference.h"
#include "compositor/FontRasterizer.h"

namespace vandor {
namespace {

constexpr TColor32 kBackground = 0xFF336699;
const std::string kText = "吾輩は猫である。";

TBitmap32 Target(const std::string& fontName = "ＭＳ ゴシック", int height = -22) {
    TBitmap32 target(300, 80);
    target.Clear(kBackground);
    target.Font.Name = fontName;
    target.Font.Height = height;
    return target;
}

int Changed(const TBitmap32& bitmap) {
    int changed = 0;
    for (int i = 0; i < bitmap.Width() * bitmap.Height(); ++i) changed += bitmap.Bits()[i] != kBackground;
    return changed;
}

TEST(Bitmap32Text, UnsmoothedTextSetsGlyphPixelsAndLeavesTheRestUntouched) {
    TBitmap32 target = Target();
    target.DrawText(12, 9, kText, 0, 0xFFCCFFCC);
    const TSize extent = target.TextExtent(kText);
    EXPECT_EQ(extent, TFontRasterizer::Instance().Extent(target.Font, kText));
    EXPECT_EQ(target.TextWidth(kText), extent.Width);
    int glyphPixels = 0;
    for (int y = 0; y < target.Height(); ++y) {
        for (int x = 0; x < target.Width(); ++x) {
            const TColor32 pixel = *target.PixelPtr(x, y);
            if (pixel == kBackground) continue;
            ++glyphPixels;
            EXPECT_EQ(pixel, 0xFFCCFFCCu) << x << "," << y;
            EXPECT_TRUE(x >= 12 && y >= 9 && x < 12 + extent.Width + 2 && y < 9 + extent.Height) << x << "," << y;
        }
    }
    EXPECT_GT(glyphPixels, 150);

    // A translucent colour blends the glyphs at its alpha (grey at 204).
    TBitmap32 grey = Target();
    grey.DrawText(12, 9, kText, 0, 0xCCCCCCCC);
    for (int i = 0; i < grey.Width() * grey.Height(); ++i) {
        if (target.Bits()[i] == kBackground) {
            ASSERT_EQ(grey.Bits()[i], kBackground);
        } else {
            ASSERT_EQ(grey.Bits()[i], testing::ReferenceBlend(0xFFCCCCCC, kBackground, 0xCC));
        }
    }

    // Alpha 0 draws nothing.
    TBitmap32 invisible = Target();
    invisible.DrawText(12, 9, kText, 0, 0x00FFFFFF);
    EXPECT_EQ(Changed(invisible), 0);
}

TEST(Bitmap32Text, SmoothedTextHasIntermediateAlphas) {
    TBitmap32 target(300, 80);  // transparent black, so the stamp's alpha shows through
    target.Font.Height = -22;
    target.DrawText(4, 4, kText, 1, 0xFFFFFFFF);
    std::set<uint32_t> alphas;
    for (int i = 0; i < target.Width() * target.Height(); ++i) alphas.insert(target.Bits()[i] >> 24);
    EXPECT_TRUE(alphas.count(0));
    EXPECT_TRUE(alphas.count(255));
    int between = 0;
    for (uint32_t alpha : alphas) between += alpha > 0 && alpha < 255;
    EXPECT_GE(between, 2);

    // About the same place and size as the unsmoothed text.
    TBitmap32 plain = Target();
    TBitmap32 smooth = Target();
    plain.DrawText(4, 4, kText, 0, 0xFFFFFFFF);
    smooth.DrawText(4, 4, kText, 1, 0xFFFFFFFF);
    EXPECT_NEAR(Changed(smooth), Changed(plain), Changed(plain) / 2);
}

TEST(Bitmap32Text, UnknownFontStillRendersAndTinyTargetsAreSafe) {
    TBitmap32 target = Target("Font That Does Not Exist", -22);
    EXPECT_GT(target.TextWidth(kText), 0);
    target.DrawText(0, 0, kText, 0, 0xFFFFFFFF);
    EXPECT_GT(Changed(target), 100);

    TBitmap32 tiny(3, 2);
    tiny.Font.Height = -32;
    tiny.DrawText(-5, -5, kText, 0, 0xFFFFFFFF);
    tiny.DrawText(1, 1, kText, 1, 0xFFFFFFFF);
    TBitmap32 none;
    none.DrawText(0, 0, kText, 0, 0xFFFFFFFF);
    none.DrawText(0, 0, "", 1, 0xFFFFFFFF);
    EXPECT_EQ(none.TextWidth(""), 0);
}

}  // namespace
}  // namespace vandor

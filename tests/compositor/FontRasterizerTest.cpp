#include "compositor/FontRasterizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "compositor/FontLookup.h"

namespace vandor {
namespace {

TFont MakeFont(const std::string& name, int height, bool bold = false) {
    TFont font;
    font.Name = name;
    font.Height = height;
    font.Bold = bold;
    return font;
}

struct TCoverage {
    int Pixels = 0;
    int Top = INT_MAX;
    int Bottom = INT_MIN;
    int Left = INT_MAX;
    int Right = INT_MIN;
};

// Where the pixels of the colour are; fails if any pixel is neither it nor the background.
TCoverage Coverage(const TBitmap32& bitmap, TColor32 colour, TColor32 background) {
    TCoverage c;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor32 pixel = *bitmap.PixelPtr(x, y);
            if (pixel == background) continue;
            EXPECT_EQ(pixel, colour) << x << "," << y;
            ++c.Pixels;
            c.Top = std::min(c.Top, y);
            c.Bottom = std::max(c.Bottom, y + 1);
            c.Left = std::min(c.Left, x);
            c.Right = std::max(c.Right, x + 1);
        }
    }
    return c;
}

TEST(FontRasterizer, WindowsNamesMapToTheIpaFontsAndUnknownNamesFallBackToJapanese) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    EXPECT_EQ(fonts.FamilyName("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(fonts.FamilyName("MS Gothic"), "IPAGothic");
    EXPECT_EQ(fonts.FamilyName("ＭＳ Ｐゴシック"), "IPAPGothic");
    EXPECT_EQ(fonts.FamilyName("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(fonts.FamilyName("MS PMincho"), "IPAPMincho");
    const std::string fallback = fonts.FamilyName("No Such Font 12345");
    EXPECT_NE(fallback.find("IPA"), std::string::npos) << fallback;
    EXPECT_TRUE(FontFamilyInstalled("ＭＳ Ｐ明朝"));
    EXPECT_FALSE(FontFamilyInstalled("No Such Font 12345"));

    // The fixed-width and the proportional Gothic really are different fonts.
    EXPECT_EQ(fonts.Width(MakeFont("ＭＳ ゴシック", -16), "iiii"), fonts.Width(MakeFont("ＭＳ ゴシック", -16), "WWWW"));
    EXPECT_LT(fonts.Width(MakeFont("ＭＳ Ｐゴシック", -16), "iiii"),
              fonts.Width(MakeFont("ＭＳ Ｐゴシック", -16), "WWWW"));
}

TEST(FontRasterizer, HeightsFollowTheCharacterAndCellConvention) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    for (int height : {12, 16, 22, 32}) {
        const TFontMetrics cell = fonts.Metrics(MakeFont("ＭＳ ゴシック", height));
        EXPECT_EQ(cell.CellHeight, height);
        EXPECT_EQ(cell.Ascent + cell.Descent, height);
        EXPECT_LT(cell.EmHeight, height);
        const TFontMetrics characters = fonts.Metrics(MakeFont("ＭＳ ゴシック", -height));
        EXPECT_EQ(characters.EmHeight, height);
        EXPECT_GT(characters.CellHeight, height);
        EXPECT_EQ(fonts.Extent(MakeFont("ＭＳ ゴシック", -height), "").Height, characters.CellHeight);
    }
    EXPECT_EQ(fonts.Extent(MakeFont("ＭＳ ゴシック", 22), "あ").Height, 22);
    EXPECT_GT(fonts.Extent(MakeFont("ＭＳ ゴシック", -16), "あ").Height, 16);
}

TEST(FontRasterizer, WidthsAddUpAndGrowWithSizeTextAndBoldness) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    const TFont font = MakeFont("ＭＳ Ｐ明朝", -22);
    const int one = fonts.Width(font, "吾");
    EXPECT_GT(one, 10);
    EXPECT_EQ(fonts.Width(font, "吾輩"), one + fonts.Width(font, "輩"));
    EXPECT_GT(fonts.Width(font, "吾輩は猫である。"), fonts.Width(font, "吾輩は猫"));
    EXPECT_EQ(fonts.Width(font, ""), 0);
    EXPECT_GE(fonts.Width(MakeFont("ＭＳ Ｐ明朝", -22, true), "吾輩は猫"), fonts.Width(font, "吾輩は猫"));
    const int large = fonts.Width(MakeFont("ＭＳ Ｐ明朝", -44), "吾輩は猫");
    EXPECT_NEAR(large, 2 * fonts.Width(font, "吾輩は猫"), 4);
    // A code point no font has still advances.
    EXPECT_GT(fonts.Width(font, "\xF4\x8F\xBF\xBD"), 0);
}

TEST(FontRasterizer, GlyphsAreSolidColourInsideTheCellAndDrawnPiecewiseTheSame) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    constexpr TColor32 kBackground = 0xFF102030;
    constexpr TColor32 kRed = 0x00FF0000;
    for (int height : {-16, -22, -32, 16, 22}) {
        for (bool bold : {false, true}) {
            const TFont font = MakeFont("ＭＳ ゴシック", height, bold);
            const std::string text = "「吾輩gjyÁ」_";
            TBitmap32 whole(400, 100);
            whole.Clear(kBackground);
            fonts.Draw(whole, 10, 20, font, text, kRed);
            const TCoverage c = Coverage(whole, kRed, kBackground);
            const int cell = fonts.Metrics(font).CellHeight;
            EXPECT_GT(c.Pixels, 40);
            EXPECT_GE(c.Top, 20) << height;
            EXPECT_LE(c.Bottom, 20 + cell) << height;
            EXPECT_GE(c.Left, 10);
            EXPECT_LE(c.Right, 10 + fonts.Width(font, text) + 1);

            // Character by character at the advances gives the same picture: one baseline.
            TBitmap32 pieces(400, 100);
            pieces.Clear(kBackground);
            int x = 10;
            for (std::string piece : {"「", "吾", "輩", "g", "j", "y", "Á", "」", "_"}) {
                fonts.Draw(pieces, x, 20, font, piece, kRed);
                x += fonts.Width(font, piece);
            }
            EXPECT_TRUE(std::equal(whole.Bits(), whole.Bits() + 400 * 100, pieces.Bits())) << height << bold;
        }
    }
}

TEST(FontRasterizer, DrawingIsClippedToTheTarget) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    const TFont font = MakeFont("ＭＳ ゴシック", -32);
    TBitmap32 full(100, 60);
    fonts.Draw(full, 0, 0, font, "猫猫猫", 0xFFFFFFFF);
    // The same text drawn partly off a small surface matches the same window of the full one.
    TBitmap32 window(30, 20);
    fonts.Draw(window, -20, -10, font, "猫猫猫", 0xFFFFFFFF);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) ASSERT_EQ(*window.PixelPtr(x, y), *full.PixelPtr(x + 20, y + 10)) << x << "," << y;
    }
    TBitmap32 empty;
    fonts.Draw(empty, 0, 0, font, "猫", 0xFFFFFFFF);
}

}  // namespace
}  // namespace vandor

// Text on a surface: the font rasteriser draws the glyphs in white into a
// temporary surface, whose coverage becomes the alpha of a stamp in the text colour,
// blended onto the surface.

#include <algorithm>
#include <string>

#include "compositor/Bitmap32.h"
#include "compositor/FontRasterizer.h"

namespace vandor {

namespace {

constexpr TColor32 kWhite = 0xFFFFFFFF;

uint32_t Blue(TColor32 pixel) { return pixel & 0xFF; }

}  // namespace

int TBitmap32::TextWidth(std::string_view text) const { return TFontRasterizer::Instance().Width(Font, text); }

TSize TBitmap32::TextExtent(std::string_view text) const { return TFontRasterizer::Instance().Extent(Font, text); }

void TBitmap32::DrawText(int x, int y, std::string_view text, int smoothing, TColor32 colour) {
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    const TColor32 rgb = colour & 0xFFFFFF;
    // The measure includes a trailing blank so that glyphs overhanging their advance
    // are not cut off.
    std::string padded(text);
    padded += ' ';
    TBitmap32 stamp;
    if (smoothing == 0) {
        const TSize extent = fonts.Extent(Font, padded);
        stamp.SetSize(std::min(extent.Width, Width_), std::min(extent.Height, Height_));
        fonts.Draw(stamp, 0, 0, Font, text, kWhite);
        for (TColor32& pixel : stamp.Bits_) {
            if (pixel != 0) pixel = (Blue(pixel) << 24) | rgb;
        }
    } else {
        // Twice the size, then every 2 x 2 block averaged into one stamp pixel.
        constexpr int kLargestHeight = 1 << 20;  // keeps the doubling from overflowing
        TFont large = Font;
        large.Height = std::clamp(Font.Height, -kLargestHeight, kLargestHeight) * 2;
        const TSize extent = fonts.Extent(large, padded);
        TBitmap32 canvas(extent.Width + 2, extent.Height + 2);
        fonts.Draw(canvas, 0, 0, large, text, kWhite);
        stamp.SetSize(canvas.Width_ / 2, canvas.Height_ / 2);
        for (int row = 0; row < stamp.Height_; ++row) {
            const TColor32* upper = canvas.ScanLine(2 * row);
            const TColor32* lower = canvas.ScanLine(2 * row + 1);
            TColor32* out = stamp.ScanLine(row);
            for (int column = 0; column < stamp.Width_; ++column) {
                const uint32_t sum = Blue(upper[2 * column]) + Blue(upper[2 * column + 1]) + Blue(lower[2 * column]) +
                                     Blue(lower[2 * column + 1]);
                out[column] = ((sum / 4) << 24) | rgb;
            }
        }
    }
    stamp.SetDrawMode(TDrawMode::dmBlend);
    stamp.SetMasterAlpha(static_cast<uint8_t>(colour >> 24));
    DrawAt(x, y, stamp);
}

}  // namespace vandor

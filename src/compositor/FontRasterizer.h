#pragma once
// TFontRasterizer: draws and measures text in named fonts, one process-wide
// instance used by TBitmap32's text operations and by the text renderer.
//
// Glyphs are monochrome (no smoothing): a pixel is covered or not, and covered
// pixels are set to the colour; the game's text look is built on that. Font names
// in content are Windows names; the usual Japanese ones are mapped to the IPA fonts,
// anything else is looked up with fontconfig, and when nothing fits a font that
// covers Japanese stands in. Without any usable font, text measures 0 and draws
// nothing. Main thread only.

#include <memory>
#include <string>
#include <string_view>

#include "compositor/Bitmap32.h"
#include "util/Geometry.h"

namespace vandor {

struct TFontMetrics {
    int EmHeight = 0;    // the pixel size the glyphs are drawn at
    int Ascent = 0;      // from the top of the character cell to the baseline
    int Descent = 0;     // from the baseline to the bottom of the cell
    int CellHeight = 0;  // Ascent + Descent: the height of a line of text
};

class TFontRasterizer {
public:
    static TFontRasterizer& Instance();

    TFontRasterizer(const TFontRasterizer&) = delete;
    TFontRasterizer& operator=(const TFontRasterizer&) = delete;
    ~TFontRasterizer();

    TFontMetrics Metrics(const TFont& font);
    // Sum of the advances of the characters of UTF-8 text.
    int Width(const TFont& font, std::string_view utf8);
    // Width and cell height.
    TSize Extent(const TFont& font, std::string_view utf8);
    // Sets every pixel a glyph covers to the colour, unblended, clipped to the
    // target; y is the top of the character cell.
    void Draw(TBitmap32& target, int x, int y, const TFont& font, std::string_view utf8, TColor32 colour);

    // The family of the font a face name resolves to; empty when no font is available.
    std::string FamilyName(const std::string& name);

private:
    TFontRasterizer();

    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};

}  // namespace vandor

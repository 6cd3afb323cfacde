#pragma once
// TBitmap32: a rectangle of 32-bit straight-alpha ARGB pixels in memory, the
// surface every picture, layer, text stamp and back buffer of the game lives in.
// Bits are rows top to bottom with no gap; pixel (x, y) is Bits[x + y * Width].

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compositor/ZeroedAllocator.h"
#include "util/Geometry.h"

namespace vandor {

using TColor32 = uint32_t;  // AARRGGBB

enum class TDrawMode { dmOpaque, dmBlend };

// Font of the text operations. Height follows the Windows convention: negative is
// the height of the characters (the em size), positive the height of the whole
// character cell (ascent + descent).
struct TFont {
    std::string Name = "ＭＳ ゴシック";
    int Height = -16;
    TColor32 Color = 0xFFFFFFFF;
    bool Bold = false;
    friend bool operator==(const TFont&, const TFont&) = default;
};

class TBitmap32 {
public:
    TBitmap32() = default;
    TBitmap32(int width, int height) { SetSize(width, height); }

    int Width() const { return Width_; }
    int Height() const { return Height_; }
    bool Empty() const { return Width_ == 0 || Height_ == 0; }
    TRect BoundsRect() const { return {0, 0, Width_, Height_}; }

    // Negative sizes become 0. The same size keeps the pixels; any other clears them to 0.
    // A size that cannot be allocated throws std::runtime_error and keeps the old surface.
    void SetSize(int width, int height);

    TColor32* Bits() { return Bits_.data(); }
    const TColor32* Bits() const { return Bits_.data(); }
    TColor32* PixelPtr(int x, int y) { return Bits_.data() + x + static_cast<std::ptrdiff_t>(y) * Width_; }
    const TColor32* PixelPtr(int x, int y) const { return Bits_.data() + x + static_cast<std::ptrdiff_t>(y) * Width_; }
    TColor32* ScanLine(int y) { return PixelPtr(0, y); }
    const TColor32* ScanLine(int y) const { return PixelPtr(0, y); }

    TDrawMode DrawMode() const { return DrawMode_; }
    void SetDrawMode(TDrawMode mode) { DrawMode_ = mode; }
    uint8_t MasterAlpha() const { return MasterAlpha_; }
    void SetMasterAlpha(uint8_t alpha) { MasterAlpha_ = alpha; }

    // Fills and lines write the colour unchanged (alpha included, no blending), clipped
    // to the surface. Rectangles exclude their right and bottom edges.
    void Clear(TColor32 colour = 0);
    void FillRect(const TRect& rect, TColor32 colour);
    void FrameRect(const TRect& rect, TColor32 colour);
    // Bresenham from (x1, y1) towards (x2, y2); the end point only when includeEnd.
    void DrawLine(int x1, int y1, int x2, int y2, TColor32 colour, bool includeEnd);
    // The ellipse inscribed in rect: a one-pixel outline around the fill.
    void DrawEllipse(const TRect& rect, TColor32 outline, TColor32 fill);

    // Puts srcRect of src into dstRect of this surface, stretching by nearest
    // neighbour when the sizes differ, using src's DrawMode and MasterAlpha. A srcRect
    // reaching outside src is cut and dstRect shrunk in proportion; a srcRect with
    // nothing left throws std::invalid_argument "Invalid SrcRect".
    void Draw(const TRect& dstRect, const TRect& srcRect, const TBitmap32& src);
    void DrawAt(int x, int y, const TBitmap32& src);
    void DrawAt(int x, int y, const TRect& srcRect, const TBitmap32& src);
    // Draw changes only pixels inside the clip rectangle (the whole surface by default),
    // each exactly as an unclipped Draw would set it: redrawing a part of a picture
    // gives that part of the whole redraw.
    void SetClipRect(const TRect& rect) { ClipRect_ = rect; }
    void ResetClipRect() { ClipRect_.reset(); }

    TFont Font;
    int TextWidth(std::string_view text) const;
    TSize TextExtent(std::string_view text) const;
    // Stamps text in the colour (its alpha is the stamp's opacity); smoothing 0 or 1.
    void DrawText(int x, int y, std::string_view text, int smoothing, TColor32 colour);

private:
    int Width_ = 0;
    int Height_ = 0;
    std::vector<TColor32, TZeroedAllocator<TColor32>> Bits_;
    TDrawMode DrawMode_ = TDrawMode::dmOpaque;
    uint8_t MasterAlpha_ = 255;
    std::optional<TRect> ClipRect_;
};

// Draw for a frame that may miss its picture (content drawn smaller than the layout that
// cuts frames from it): nothing is drawn when the frame or the target rectangle holds
// nothing, instead of failing the whole picture.
void DrawFrame(TBitmap32& target, const TRect& dstRect, const TRect& srcRect, const TBitmap32& src);

// The blend of one source pixel onto one destination pixel, all four channels alike.
// masterAlpha 255 short-cuts W = 0 and W = 255; below 255 the formula always runs.
TColor32 BlendPixel(TColor32 source, TColor32 destination, uint8_t masterAlpha);

}  // namespace vandor

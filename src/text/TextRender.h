#pragma once
// The shared text renderer. A run of text is drawn in red on black into a working
// canvas, optionally enlarged 2, 3 or 4 times and thickened by drawing it several
// times at small offsets, reduced back by box filtering, and the red of the result
// becomes the alpha of a solid-colour stamp blended onto the target. Callers set the
// quality and the copies right before they draw: the settings are shared.

#include <string>
#include <string_view>
#include <unordered_map>

#include "compositor/Bitmap32.h"
#include "compositor/PixelReduce.h"

namespace vandor {

class TRTextRender {
public:
    TRTextRender();

    void SetQuality(int level);
    int Quality() const { return Quality_; }
    // Quality and thickening in one call, as each caller sets them before drawing.
    void Configure(int quality, int copiesX, int copiesY, int stepX, int stepY);

    // Draws text in the target's font; intensity 0 draws nothing and keeps the last mask.
    void DrawText(TBitmap32& target, int x, int y, int intensity, TColor32 colour, std::string_view text);
    // Draws the mask of the last DrawText again in another colour (a shadow, a glow).
    void DrawAgain(TBitmap32& target, int x, int y, TColor32 colour);

    int CopiesX = 1;
    int CopiesY = 1;
    int StepX = 1;
    int StepY = 1;

    const TBitmap32& Mask() const { return Mask_; }
    const TRect& MaskRect() const { return MaskRect_; }

private:
    void RenderMask(const TFont& font, std::string_view text, int intensity);
    void DrawMask(const TFont& font, std::string_view text, int intensity);
    void EnsureSizes(int width, int height);
    void Colorize(TColor32 colour);

    // The message window draws one character at a time from a small repertoire, so
    // finished masks are kept by everything that shapes them; the cache is emptied
    // whenever it grows past kMaxCachedMasks.
    static constexpr std::size_t kMaxCachedMasks = 2048;
    std::string MaskKey(const TFont& font, std::string_view text, int intensity) const;
    std::unordered_map<std::string, TBitmap32> CachedMasks_;

    int Quality_ = 0;
    TBitmap32 Canvas_;
    TBitmap32 Mask_;
    TBitmap32 Output_;
    TRect CanvasRect_;
    TRect MaskRect_;
};

}  // namespace vandor

#pragma once
// Pixel helpers of the text renderer and the scaled presentation: box reductions by
// 2 and by 3, and the transfer of a red mask into an alpha channel. They work on
// raw rows of 24- or 32-bit pixels (blue, green, red[, alpha] in ascending bytes)
// and give exactly the results of the plain per-channel arithmetic.

#include <cstdint>

#include "compositor/Bitmap32.h"

namespace vandor {

struct TBitmapInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;  // bytes from row 0 to row 1; negative for bottom-up pictures
    uint8_t* Bits = nullptr;
    int32_t BitsPerPixel = 0;
};

TBitmapInfo MakeBitmapInfo(TBitmap32& bitmap);

// Each output channel is the sum of a 2 x 2 source block shifted right by 2. Width and
// height are in source pixels; remainder rows and columns are ignored. Both pictures
// must have the same depth, 24 or 32 bits, else nothing happens. No clipping: the
// caller keeps both rectangles inside their pictures.
void Reduce2(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width, int height);

// The same with 3 x 3 blocks: the eight border pixels summed, the centre left out,
// shifted right by 3.
void Reduce3(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width, int height);

// ORs each source pixel shifted left by 8 bits into the destination pixel, so a red
// mask becomes the alpha of a destination whose alpha was 0. Clipped against both
// pictures; the destination must be 32-bit.
void AlphaFromRed(const TBitmapInfo& dst, int dx, int dy, const TBitmapInfo& src, int sx, int sy, int width,
                  int height);

}  // namespace vandor

#pragma once
// The blend rule written out plainly, channel by channel, as the oracle for the
// optimised kernels and for drawing.

#include "compositor/Bitmap32.h"
#include "compositor/PixelRows.h"

namespace vandor::testing {

inline TColor32 ReferenceBlend(TColor32 source, TColor32 destination, uint8_t masterAlpha) {
    const int alpha = static_cast<int>(source >> 24);
    const int weight = masterAlpha == 255 ? alpha : alpha * (masterAlpha + 1) / 256;
    if (weight == 0) return destination;
    if (masterAlpha == 255 && weight == 255) return source;
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int f = static_cast<int>((source >> shift) & 0xFF);
        const int b = static_cast<int>((destination >> shift) & 0xFF);
        result |= static_cast<TColor32>((256 * b + weight * (f - b) + 128) / 256) << shift;
    }
    return result;
}

// The row kernels in use before a test that switches between them come back after it.
struct TWideRowsRestorer {
    const bool Saved = WideRowsEnabled();
    ~TWideRowsRestorer() { EnableWideRows(Saved); }
};

// Both the AVX2 rows (when the machine has them) and the baseline rows.
inline constexpr bool kRowKinds[] = {true, false};

}  // namespace vandor::testing

#pragma once
// The row of seven small boxes that tells how many battles an area still needs: one
// filled box per battle, outlines for the rest. The area buttons of the map and the
// battle's status panel both carry it.

#include <cstdint>

#include "compositor/Bitmap32.h"

namespace vandor {

// Boxes of 9 x 12 pixels, 11 apart, from (x, y).
inline void DrawStrengthBoxes(TBitmap32& surface, int x, int y, int32_t strength) {
    constexpr TColor32 kGreen = 0xBB00FF00;
    for (int k = 0; k < 7; ++k) {
        const TRect box{x + 11 * k, y, x + 11 * k + 9, y + 12};
        if (k < strength) {
            surface.FillRect(box, kGreen);
        } else {
            surface.FrameRect(box, kGreen);
        }
    }
}

}  // namespace vandor

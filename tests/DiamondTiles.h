#pragma once
// A ground picture for battles in tests: twelve 32 x 16 frames side by side, each a
// diamond like the tiles of the isometric field, so that the pointer finds the tile
// under it as on screen (rectangles would overlap their neighbours).

#include <functional>

#include "compositor/Bitmap32.h"

namespace vandor::test {

inline TBitmap32 DiamondTiles(const std::function<TColor32(int frame)>& colour) {
    TBitmap32 picture(384, 17);
    for (int frame = 0; frame < 12; ++frame) {
        for (int y = 0; y < 16; ++y) {
            const int half = y < 8 ? 2 * y + 2 : 2 * (15 - y) + 2;
            picture.FillRect({32 * frame + 16 - half, y, 32 * frame + 16 + half, y + 1}, colour(frame));
        }
    }
    return picture;
}

}  // namespace vandor::test

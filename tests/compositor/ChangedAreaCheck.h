#pragma once
// Checks for redrawing only what changed: after a frame, the layer list's surface
// must equal a redraw of every layer, and every pixel that changed must lie inside
// the rectangle the list reports.

#include <gtest/gtest.h>

#include <algorithm>

#include "compositor/LayerList.h"

namespace vandor::testing {

// Every layer drawn anew, back to front, onto a fresh surface.
inline TBitmap32 WholeRedraw(TLayerList& list) {
    TBitmap32 picture(list.Surface.Width(), list.Surface.Height());
    for (int i = 0; i < list.Count(); ++i) list.Items(i).Draw(picture);
    return picture;
}

inline bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
    return std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

// Renders one frame and checks it; returns the rectangle the list reported (and clears it).
inline TRect CheckedFrame(TLayerList& list, int ms, int frame) {
    const TBitmap32 before = list.Surface;
    list.Render(ms);
    const TRect dirty = list.Dirty.Within(list.Surface.BoundsRect());
    list.Dirty.Clear();
    EXPECT_TRUE(SamePixels(list.Surface, WholeRedraw(list))) << "frame " << frame;
    for (int y = 0; y < before.Height(); ++y) {
        for (int x = 0; x < before.Width(); ++x) {
            if (*before.PixelPtr(x, y) != *list.Surface.PixelPtr(x, y) && !dirty.Contains({x, y})) {
                ADD_FAILURE() << x << "," << y << " changed outside, frame " << frame;
                return dirty;
            }
        }
    }
    return dirty;
}

}  // namespace vandor::testing

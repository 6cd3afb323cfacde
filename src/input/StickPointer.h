#pragma once
// The left stick moving the pointer freely, as a mouse would: the further the stick is
// pushed beyond a small dead zone, the faster the pointer goes, one step each frame.
// Frames, not time, keep replays exact.

#include "input/PadNames.h"
#include "util/Geometry.h"

namespace vandor {

class TStickPointer {
public:
    static constexpr int kDeadZone = 8000;
    // Pixels of the 800 x 600 picture per frame with the stick pushed all the way.
    static constexpr int kTopSpeed = 12;

    // Left stick axes; any other axis is ignored.
    void Axis(TPadAxis axis, int value);
    void Release() { X_ = Y_ = 0; }
    // Whether the stick is out of its dead zone, so that the pointer moves.
    bool Pushed() const;
    // Where one frame takes the pointer, kept inside `area`.
    TPoint Step(TPoint pointer, TSize area) const;

private:
    int X_ = 0;
    int Y_ = 0;
};

}  // namespace vandor

#include "input/StickPointer.h"

#include <algorithm>
#include <cstdlib>

namespace vandor {
namespace {

// Pixels for one frame of a stick value: 0 inside the dead zone, then from 1 up to
// kTopSpeed in proportion to how far beyond it the stick is pushed.
int Speed(int value) {
    constexpr int kRange = kPadAxisMax - TStickPointer::kDeadZone;
    const int push = std::min(std::abs(value), kPadAxisMax) - TStickPointer::kDeadZone;
    if (push <= 0) return 0;
    const int speed = std::max(push * TStickPointer::kTopSpeed / kRange, 1);
    return value < 0 ? -speed : speed;
}

}  // namespace

void TStickPointer::Axis(TPadAxis axis, int value) {
    if (axis == TPadAxis::LeftX) X_ = value;
    if (axis == TPadAxis::LeftY) Y_ = value;
}

bool TStickPointer::Pushed() const { return Speed(X_) != 0 || Speed(Y_) != 0; }

TPoint TStickPointer::Step(TPoint pointer, TSize area) const {
    return {std::clamp(pointer.X + Speed(X_), 0, std::max(area.Width - 1, 0)),
            std::clamp(pointer.Y + Speed(Y_), 0, std::max(area.Height - 1, 0))};
}

}  // namespace vandor

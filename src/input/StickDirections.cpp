#include "input/StickDirections.h"

#include <cstdlib>

namespace vandor {
namespace {

TPadButton Button(bool vertical, int sign) {
    if (vertical) return sign < 0 ? TPadButton::DpUp : TPadButton::DpDown;
    return sign < 0 ? TPadButton::DpLeft : TPadButton::DpRight;
}

// The side the stick holds after `value`, starting from `held`.
int NextSide(int held, int value) {
    if (value <= -TStickDirections::kPressAt) return -1;
    if (value >= TStickDirections::kPressAt) return 1;
    if (held != 0 && std::abs(value) >= TStickDirections::kReleaseBelow && (value < 0) == (held < 0)) return held;
    return 0;
}

void Move(int& held, int side, bool vertical, std::vector<TStickDirections::TChange>& changes) {
    if (side == held) return;
    if (held != 0) changes.emplace_back(Button(vertical, held), false);
    if (side != 0) changes.emplace_back(Button(vertical, side), true);
    held = side;
}

}  // namespace

std::vector<TStickDirections::TChange> TStickDirections::Axis(TPadAxis axis, int value) {
    std::vector<TChange> changes;
    if (axis == TPadAxis::LeftX) Move(X_, NextSide(X_, value), false, changes);
    if (axis == TPadAxis::LeftY) Move(Y_, NextSide(Y_, value), true, changes);
    return changes;
}

std::vector<TStickDirections::TChange> TStickDirections::ReleaseAll() {
    std::vector<TChange> changes;
    Move(X_, 0, false, changes);
    Move(Y_, 0, true, changes);
    return changes;
}

}  // namespace vandor

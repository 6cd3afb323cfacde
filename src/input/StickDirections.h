#pragma once
// The left stick used as a d-pad: pushed far enough in a direction it presses that
// direction's button, and back near the middle it releases it. The gap between the two
// thresholds keeps a stick held near one of them from pressing again and again.

#include <utility>
#include <vector>

#include "input/PadNames.h"

namespace vandor {

class TStickDirections {
public:
    static constexpr int kPressAt = 16384;
    static constexpr int kReleaseBelow = 8192;

    using TChange = std::pair<TPadButton, bool>;  // the button, and whether it is now down

    // The d-pad changes of a new axis value, releases before presses; other axes than
    // the left stick's change nothing.
    std::vector<TChange> Axis(TPadAxis axis, int value);
    // Releases whatever the stick holds (the controller went away).
    std::vector<TChange> ReleaseAll();

private:
    // -1, 0 or +1 for each of x and y.
    int X_ = 0;
    int Y_ = 0;
};

}  // namespace vandor

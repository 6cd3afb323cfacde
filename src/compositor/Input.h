#pragma once
// Mouse buttons and modifier keys as the layers and the game logic see them.

#include <cstdint>

namespace vandor {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and buttons held during a mouse event, as bit flags.
enum TShiftFlag : uint8_t {
    ssShift = 1 << 0,
    ssAlt = 1 << 1,
    ssCtrl = 1 << 2,
    ssLeft = 1 << 3,
    ssRight = 1 << 4,
    ssMiddle = 1 << 5,
};
using TShiftState = uint8_t;

}  // namespace vandor

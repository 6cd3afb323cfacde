#pragma once
// Mouse buttons, keys and modifier keys as the layers and the game logic see them.

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

// Key numbers as the game logic knows them (the Windows virtual-key codes); letters
// and digits are their upper-case ASCII codes.
inline constexpr int vkBack = 8;
inline constexpr int vkTab = 9;
inline constexpr int vkReturn = 13;
inline constexpr int vkShift = 16;
inline constexpr int vkControl = 17;
inline constexpr int vkMenu = 18;  // Alt
inline constexpr int vkEscape = 27;
inline constexpr int vkSpace = 32;
inline constexpr int vkPrior = 33;
inline constexpr int vkNext = 34;
inline constexpr int vkEnd = 35;
inline constexpr int vkHome = 36;
inline constexpr int vkLeft = 37;
inline constexpr int vkUp = 38;
inline constexpr int vkRight = 39;
inline constexpr int vkDown = 40;
inline constexpr int vkInsert = 45;
inline constexpr int vkDelete = 46;
inline constexpr int vkF1 = 112;  // F2..F12 follow
inline constexpr int vkF11 = vkF1 + 10;

}  // namespace vandor

#pragma once
// A game controller's buttons and axes, named as SDL's game controller API names them,
// so that input files, the real controller and the game agree on one spelling.

#include <optional>
#include <string_view>

namespace vandor {

// In the order of SDL's button numbers.
enum class TPadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpUp,
    DpDown,
    DpLeft,
    DpRight,
};
inline constexpr int kPadButtonCount = 15;

// In the order of SDL's axis numbers. Sticks run from -32768 (left, up) to 32767;
// triggers from 0 (released) to 32767.
enum class TPadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
inline constexpr int kPadAxisCount = 6;
inline constexpr int kPadAxisMin = -32768;
inline constexpr int kPadAxisMax = 32767;

std::optional<TPadButton> PadButtonFromName(std::string_view name);
std::optional<TPadAxis> PadAxisFromName(std::string_view name);
std::string_view PadButtonName(TPadButton button);
std::string_view PadAxisName(TPadAxis axis);

}  // namespace vandor

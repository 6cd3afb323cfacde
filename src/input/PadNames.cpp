#include "input/PadNames.h"

#include <array>

namespace vandor {
namespace {

constexpr std::array<std::string_view, kPadButtonCount> kButtonNames = {"a",
                                                                        "b",
                                                                        "x",
                                                                        "y",
                                                                        "back",
                                                                        "guide",
                                                                        "start",
                                                                        "leftstick",
                                                                        "rightstick",
                                                                        "leftshoulder",
                                                                        "rightshoulder",
                                                                        "dpup",
                                                                        "dpdown",
                                                                        "dpleft",
                                                                        "dpright"};

constexpr std::array<std::string_view, kPadAxisCount> kAxisNames = {"leftx",  "lefty",       "rightx",
                                                                    "righty", "lefttrigger", "righttrigger"};

template <typename Enum, std::size_t Count>
std::optional<Enum> Find(const std::array<std::string_view, Count>& names, std::string_view name) {
    for (std::size_t i = 0; i < Count; ++i) {
        if (names[i] == name) return static_cast<Enum>(i);
    }
    return std::nullopt;
}

}  // namespace

std::optional<TPadButton> PadButtonFromName(std::string_view name) { return Find<TPadButton>(kButtonNames, name); }

std::optional<TPadAxis> PadAxisFromName(std::string_view name) { return Find<TPadAxis>(kAxisNames, name); }

std::string_view PadButtonName(TPadButton button) { return kButtonNames[static_cast<std::size_t>(button)]; }

std::string_view PadAxisName(TPadAxis axis) { return kAxisNames[static_cast<std::size_t>(axis)]; }

}  // namespace vandor

#pragma once
// A liveness case: a story script built from the real command set, and a player's
// input for it, both made from arbitrary bytes. Every jump of the script goes forward
// and every wait ends by time or by a click, so a player who keeps clicking always
// reaches its last label: when that label is not reached, the game is stuck.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vandor::liveness {

// The label every script ends with.
inline constexpr const char* kEndLabel = "*終点";
// The pointer's buttons by their replay names, in the order of TMouseButton.
inline constexpr std::array<std::string_view, 3> kPointerButtons{"left", "right", "middle"};
// The keys the player's input holds down and lets go, by their replay names.
inline constexpr std::array<std::string_view, 5> kHeldKeys{"Control", "Up", "Down", "Shift", "Q"};

struct TLivenessCase {
    std::string Script;  // first.txt, "\n"-separated
    // The player's input in the headless replay's format ("FRAME EVENT ARGS" lines).
    std::string Input;
    // Frames the input spans: the input's last frame.
    uint32_t InputFrames = 0;
    // Story blocks in the script; the rescue's frame budget grows with them.
    int Blocks = 0;
};

// The same bytes always give the same case; bytes that run out read as zeros.
TLivenessCase MakeLivenessCase(const uint8_t* data, std::size_t size);

}  // namespace vandor::liveness

// Arbitrary bytes as a replay input file: parsing never crashes, keeps the events in
// the order they run in, and every event and error points at a line that exists. Events are
// not applied: a "shot" line would write files wherever the input says.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "platform/headless/ReplayInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto input = vandor::TReplayInput::Parse(text);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const auto& events = input.Events();
    // Events run wait by wait: those after a wait count their frames from its end.
    const auto order = [](const vandor::TReplayEvent& event) {
        return std::tuple(event.Segment, event.Kind == vandor::TReplayEventKind::Wait, event.Frame);
    };
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].Line < 1 || events[i].Line > lines) __builtin_trap();
        if (i > 0 && order(events[i - 1]) > order(events[i])) __builtin_trap();
        if (i > 0 && order(events[i - 1]) == order(events[i]) && events[i - 1].Line >= events[i].Line) __builtin_trap();
    }
    for (const auto& error : input.Errors()) {
        if (!error.starts_with("line ")) __builtin_trap();
    }
    return 0;
}

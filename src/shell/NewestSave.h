#pragma once
// The save a "continue" resumes: the newest file among the slots, the autosaves and the
// quick save, by the time it was written. They all load the same way, so the player's
// latest progress is the one to go on from, whichever way it was kept.

#include <optional>
#include <string>

namespace vandor {

inline constexpr const char* kQuickSaveFileName = "quicksave.dat";

// The file name (within `saveFolder`, which ends with '/') of the newest save file, or
// nothing when the folder holds none.
std::optional<std::string> NewestSaveFile(const std::string& saveFolder);

}  // namespace vandor

#pragma once
// File bytes in memory: what the archive reader hands out and the file cache keeps.

#include <cstdint>
#include <vector>

namespace vandor {

using TBytes = std::vector<uint8_t>;

}  // namespace vandor

#pragma once
// Nearest-neighbour stretching by pixel replication, one rule for every place that
// scales a picture: destination offset d takes source offset trunc(d × s), where
// s = srcSize ÷ dstSize is held as a 32-bit float and d × s is taken exactly. Rounding
// the product to a float as well would move columns one place: 800 → 960 would show
// source column 5 at d = 6 instead of 4.

#include <cstdint>
#include <vector>

namespace vandor {

// Source index of each destination index in [clipBegin, clipEnd) for the source range
// [srcBegin, srcEnd) drawn into [dstBegin, dstEnd); a destination under 2 pixels takes
// the middle of the source. Clamped to the source range, which the float ratio could
// otherwise overshoot at extreme sizes.
std::vector<int32_t> StretchMap(int64_t srcBegin, int64_t srcEnd, int64_t dstBegin, int64_t dstEnd, int clipBegin,
                                int clipEnd);

}  // namespace vandor

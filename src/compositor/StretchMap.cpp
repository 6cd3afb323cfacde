#include "compositor/StretchMap.h"

#include <algorithm>

namespace vandor {
namespace {

float StretchRatio(int64_t srcSize, int64_t dstSize) {
    return static_cast<float>(srcSize) / static_cast<float>(dstSize);
}

// Exact for offsets below 2^29 (a double holds the product of a float and such an
// offset), far beyond any surface.
int64_t StretchOffset(int64_t dstOffset, float ratio) {
    return static_cast<int64_t>(static_cast<double>(dstOffset) * static_cast<double>(ratio));
}

}  // namespace

std::vector<int32_t> StretchMap(int64_t srcBegin, int64_t srcEnd, int64_t dstBegin, int64_t dstEnd, int clipBegin,
                                int clipEnd) {
    std::vector<int32_t> map(static_cast<std::size_t>(clipEnd - clipBegin));
    const int64_t dstSize = dstEnd - dstBegin;
    const int64_t srcSize = srcEnd - srcBegin;
    if (dstSize < 2) {
        std::fill(map.begin(), map.end(), static_cast<int32_t>((srcBegin + srcEnd - 1) / 2));
        return map;
    }
    const float ratio = StretchRatio(srcSize, dstSize);
    for (int i = clipBegin; i < clipEnd; ++i) {
        const int64_t offset = std::min(StretchOffset(i - dstBegin, ratio), srcSize - 1);
        map[static_cast<std::size_t>(i - clipBegin)] = static_cast<int32_t>(srcBegin + offset);
    }
    return map;
}

}  // namespace vandor

#include "shell/WindowHost.h"

#include <algorithm>

namespace vandor {

namespace {

// [begin, end) of a source axis to the destination pixels that can show it, widened by one.
std::pair<int, int> ScaledSpan(int begin, int end, int srcBegin, int srcSize, int dstBegin, int dstSize) {
    const auto scale = [&](int at) { return static_cast<int64_t>(at - srcBegin) * dstSize; };
    const auto first = static_cast<int>(dstBegin + scale(begin) / srcSize - 1);
    const auto last = static_cast<int>(dstBegin + (scale(end) + srcSize - 1) / srcSize + 1);
    return {std::max(first, dstBegin), std::min(last, dstBegin + dstSize)};
}

}  // namespace

TRect PresentedPart(const TRect& dstRect, const TRect& srcRect, const TRect& changed) {
    if (srcRect.IsEmpty() || dstRect.IsEmpty()) return {};
    const TRect part = Intersect(changed, srcRect);
    if (part == srcRect) return dstRect;
    if (part.IsEmpty()) return {};
    const auto [left, right] =
        ScaledSpan(part.Left, part.Right, srcRect.Left, srcRect.Width(), dstRect.Left, dstRect.Width());
    const auto [top, bottom] =
        ScaledSpan(part.Top, part.Bottom, srcRect.Top, srcRect.Height(), dstRect.Top, dstRect.Height());
    return {left, top, right, bottom};
}

}  // namespace vandor

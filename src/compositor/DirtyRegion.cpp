#include "compositor/DirtyRegion.h"

#include <algorithm>

namespace vandor {

void TDirtyRegion::Add(const TRect& rect) {
    if (rect.IsEmpty()) return;
    if (Bounds_.IsEmpty()) {
        Bounds_ = rect;
        return;
    }
    Bounds_ = {std::min(Bounds_.Left, rect.Left), std::min(Bounds_.Top, rect.Top), std::max(Bounds_.Right, rect.Right),
               std::max(Bounds_.Bottom, rect.Bottom)};
}

void TDirtyRegion::Add(const TDirtyRegion& other) {
    if (other.Whole_) Whole_ = true;
    Add(other.Bounds_);
}

TRect TDirtyRegion::Within(const TRect& bounds) const { return Whole_ ? bounds : Intersect(Bounds_, bounds); }

}  // namespace vandor

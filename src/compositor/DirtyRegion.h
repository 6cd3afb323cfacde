#pragma once
// What changed in a picture since it was last shown, so that only that part is
// scaled and painted: one bounding rectangle, or the whole picture when a change
// cannot be placed. Anything drawn over the shown picture (notices, menus) adds its
// own rectangle here, or Whole() when unsure.

#include "util/Geometry.h"

namespace vandor {

class TDirtyRegion {
public:
    // Empty rectangles add nothing.
    void Add(const TRect& rect);
    void Add(const TDirtyRegion& other);
    void AddWhole() { Whole_ = true; }
    void Clear() { *this = {}; }

    bool Empty() const { return !Whole_ && Bounds_.IsEmpty(); }
    bool IsWhole() const { return Whole_; }
    // The changed part of a picture with these bounds: the bounding rectangle cut to
    // them, or all of them.
    TRect Within(const TRect& bounds) const;

private:
    TRect Bounds_;
    bool Whole_ = false;
};

}  // namespace vandor

#include "battle/PlacementCheck.h"

#include <algorithm>
#include <cstdlib>

namespace vandor {

void TPlacementCheck::Prepare(const TDistanceField::TOccupied& occupied, int targetX, int targetY) {
    TargetX_ = targetX;
    TargetY_ = targetY;
    TDistanceField shared;
    Passes_ = shared.Start(occupied, 0, 0);  // (0, 0) blocks nothing
    int pass = 0;
    for (int ring = 0; ring < kRings; ++ring) {
        // Passes whose square stops short of the ring read it only where it is still
        // unreached, and an unreached cell relaxes no one, blocked or not.
        while (pass < Passes_ && TDistanceField::PassRadius(pass) < ring) shared.RunPass(pass++);
        RingStart_[static_cast<std::size_t>(ring)] = shared;
        RingPass_[static_cast<std::size_t>(ring)] = pass;
    }
}

bool TPlacementCheck::CutsOff(int x, int y) {
    const std::size_t ring = static_cast<std::size_t>(std::min(std::max(std::abs(x), std::abs(y)), kRings - 1));
    Work_ = RingStart_[ring];
    if (x != 0 || y != 0) Work_.Block(x, y);  // as in Compute, the base's own cell blocks nothing
    const auto reached = [&] { return Work_.Dist(TargetX_, TargetY_) < TDistanceField::kNotReached; };
    for (int pass = RingPass_[ring]; pass < Passes_; ++pass) {
        if (reached()) return false;
        Work_.RunPass(pass);
    }
    return !reached();
}

}  // namespace vandor

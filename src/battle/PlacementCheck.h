#pragma once
// Whether a tower on a free cell would cut the enemies off from the base: the
// walking distances with that cell blocked leave a target cell unreached. Placement
// asks this for every free cell of the building area at once, and each answer must
// be exactly that of a full TDistanceField::Compute, so the work they share is done
// once:
//  - A pass relaxes a square and reads one cell beyond it, where every cell is still
//    unreached; an unreached cell lowers no neighbour, blocked or not. So every pass
//    before the square takes in the blocked cell runs as it would without the block.
//    Those passes run once, keeping the state where each ring of cells starts to
//    matter; a test resumes from its ring's state.
//  - Distances only ever fall and an unreached cell holds kNotReached exactly, so
//    once the target falls below it, the answer is known and the passes stop.

#include <array>

#include "battle/DistanceField.h"

namespace vandor {

class TPlacementCheck {
public:
    // The rings of cells (Chebyshev distance from the base) that keep a state of their
    // own; a cell further out resumes from the last, which is still exact.
    static constexpr int kRings = TDistanceField::kPathRegion + 1;

    // Runs the shared passes for the buildings of `occupied`, towards (targetX, targetY).
    void Prepare(const TDistanceField::TOccupied& occupied, int targetX, int targetY);
    // Compute (occupied, x, y) of the prepared field would leave the target at kNotReached or more.
    bool CutsOff(int x, int y);

private:
    std::array<TDistanceField, kRings> RingStart_{};
    std::array<int, kRings> RingPass_{};
    TDistanceField Work_;
    int Passes_ = 0;
    int TargetX_ = 0;
    int TargetY_ = 0;
};

}  // namespace vandor

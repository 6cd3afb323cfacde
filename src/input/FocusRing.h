#pragma once
// The focus among the choices or the script buttons on screen, for players without a
// mouse. Nothing is focused when a set of targets appears; the first step focuses the
// first target, whichever way it goes, and further steps go round. The focus is only
// ever shown and used through the pointer: the main window puts the pointer on the
// focused target's middle, so the target reacts exactly as to the mouse.

#include <vector>

#include "util/Geometry.h"

namespace vandor {

struct TFocusTarget {
    const void* Id = nullptr;  // the same object keeps the same id while it shows
    TRect Bounds;              // where it is on the picture now
};

class TFocusRing {
public:
    // The targets on screen, in focus order. Other targets than before (by identity)
    // clear the focus; the same ones, moved or in another order, keep it on its target.
    void SetTargets(std::vector<TFocusTarget> targets);
    const std::vector<TFocusTarget>& Targets() const { return Targets_; }

    bool HasFocus() const { return Focused_ >= 0; }
    // The focused target's index, -1 for none.
    int Focused() const { return Focused_; }
    // +1 for the next target, -1 for the previous one; nothing without targets.
    void Step(int direction);
    void Clear() { Focused_ = -1; }
    // The middle of the focused target; only while HasFocus.
    TPoint FocusPoint() const;

private:
    std::vector<TFocusTarget> Targets_;
    int Focused_ = -1;
};

// Reading order for buttons placed anywhere: by top edge, then by left edge.
void SortByTopThenLeft(std::vector<TFocusTarget>& targets);

}  // namespace vandor

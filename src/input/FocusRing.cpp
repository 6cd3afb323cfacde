#include "input/FocusRing.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace vandor {

// Buttons sliding in may pass one another, so that the reading order changes while the
// set stays the same: the focus stays on its target then.
void TFocusRing::SetTargets(std::vector<TFocusTarget> targets) {
    const auto ids = [](const std::vector<TFocusTarget>& list) {
        std::vector<const void*> sorted;
        for (const TFocusTarget& target : list) sorted.push_back(target.Id);
        std::sort(sorted.begin(), sorted.end(), std::less<>());
        return sorted;
    };
    const void* focused = HasFocus() ? Targets_[static_cast<std::size_t>(Focused_)].Id : nullptr;
    const bool same = ids(targets) == ids(Targets_);
    Targets_ = std::move(targets);
    Focused_ = -1;
    if (!same) return;
    for (std::size_t i = 0; i < Targets_.size(); ++i) {
        if (Targets_[i].Id == focused) Focused_ = static_cast<int>(i);
    }
}

void TFocusRing::Step(int direction) {
    const int count = static_cast<int>(Targets_.size());
    if (count == 0) return;
    if (Focused_ < 0) {
        Focused_ = 0;
        return;
    }
    Focused_ = ((Focused_ + (direction < 0 ? -1 : 1)) % count + count) % count;
}

TPoint TFocusRing::FocusPoint() const {
    if (!HasFocus()) throw std::logic_error("the focus point is asked for with nothing focused");
    const TRect& bounds = Targets_[static_cast<std::size_t>(Focused_)].Bounds;
    return {bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2};
}

void SortByTopThenLeft(std::vector<TFocusTarget>& targets) {
    std::stable_sort(targets.begin(), targets.end(), [](const TFocusTarget& a, const TFocusTarget& b) {
        if (a.Bounds.Top != b.Bounds.Top) return a.Bounds.Top < b.Bounds.Top;
        return a.Bounds.Left < b.Bounds.Left;
    });
}

}  // namespace vandor

#include "compositor/Transitions.h"

#include "compositor/LayerItem.h"

namespace vandor {

TTransitionItem::TTransitionItem(TLayerItem& layer, bool removeWhenDone)
    : Layer(layer), RemoveWhenDone(removeWhenDone) {
    StartValues = {layer.Position.X, layer.Position.Y, layer.Position.Z,
                   layer.Width(),    layer.Height(),   layer.Position.Alpha};
    TargetValues = StartValues;
    CurrentValues = StartValues;
}

void TTransitionItem::Restart(int ms, const TValues& target) {
    Duration = ms;
    Elapsed = 0;
    TargetValues = target;
}

void TTransitionItem::SetTarget(int ms, int x, int y, int z, int width, int height, int alpha) {
    Restart(ms, {x, y, z, width, height, alpha});
}

void TTransitionItem::SetMoveFadeTarget(int ms, int x, int y, int z, int alpha) {
    Restart(ms, {x, y, z, StartValues[vWidth], StartValues[vHeight], alpha});
}

void TTransitionItem::SetMoveTarget(int ms, int x, int y) {
    Restart(ms, {x, y, StartValues[vZ], StartValues[vWidth], StartValues[vHeight], StartValues[vAlpha]});
}

void TTransitionItem::SetFadeTarget(int ms, int alpha) {
    Restart(ms, {StartValues[vX], StartValues[vY], StartValues[vZ], StartValues[vWidth], StartValues[vHeight], alpha});
}

void TTransitionItem::SetDepthFadeTarget(int ms, int z, int alpha) {
    Restart(ms, {StartValues[vX], StartValues[vY], z, StartValues[vWidth], StartValues[vHeight], alpha});
}

int32_t TTransitionItem::EasedTime(int32_t elapsed, int32_t duration, int32_t easing) {
    const int64_t t = elapsed;
    const int64_t d = duration;
    if (easing < 100) {
        const int64_t n1 = 100 * t + (easing - 100) * t * t;
        const int64_t n2 = 100 * d + (easing - 100) * d * d;
        if (n2 == 0) return elapsed;  // a degenerate curve falls back to linear time
        return static_cast<int32_t>(n1 * d / n2);
    }
    if (easing > 100) {
        const int64_t r = d - t;
        const int64_t n1 = 100 * r + (100 - easing) * r * r;
        const int64_t n2 = 100 * d + (100 - easing) * d * d;
        if (n2 == 0) return elapsed;
        return static_cast<int32_t>(d - n1 * d / n2);
    }
    return elapsed;
}

void TTransitionItem::Advance(int ms) {
    Elapsed += ms;
    if (Elapsed >= Duration) {
        Finished = true;
        Elapsed = Duration;
        CurrentValues = TargetValues;
    } else {
        const int32_t t = EasedTime(Elapsed, Duration, Easing);
        for (int i = 0; i < kValueCount; ++i) {
            CurrentValues[i] = (t * TargetValues[i] + (Duration - t) * StartValues[i]) / Duration;
        }
    }
    Layer.Position.SetPos(CurrentValues[vX], CurrentValues[vY], CurrentValues[vZ]);
    Layer.Position.SetAlpha(CurrentValues[vAlpha]);
    Layer.SetSize(CurrentValues[vWidth], CurrentValues[vHeight]);
}

TTransitionItem& TTransitionList::Add(TLayerItem& layer, bool removeWhenDone) {
    Items_.push_back(std::make_unique<TTransitionItem>(layer, removeWhenDone));
    return *Items_.back();
}

TTransitionItem& TTransitionList::MoveTo(TLayerItem& layer, int ms, int x, int y, bool removeWhenDone) {
    TTransitionItem& item = Add(layer, removeWhenDone);
    item.SetMoveTarget(ms, x, y);
    return item;
}

TTransitionItem& TTransitionList::FadeTo(TLayerItem& layer, int ms, int alpha, bool removeWhenDone) {
    TTransitionItem& item = Add(layer, removeWhenDone);
    item.SetFadeTarget(ms, alpha);
    return item;
}

TTransitionItem& TTransitionList::DepthFadeTo(TLayerItem& layer, int ms, int z, int alpha, bool removeWhenDone) {
    TTransitionItem& item = Add(layer, removeWhenDone);
    item.SetDepthFadeTarget(ms, z, alpha);
    return item;
}

void TTransitionList::Step(int ms) {
    for (auto& item : Items_) item->Advance(ms);
    // Deleting a layer through OnFinished drops its other transitions (Forget), which may
    // shift the list under us: after each event the walk starts over. Finished ones ahead
    // of the walk were already removed, so only unfinished ones are looked at again.
    for (std::size_t i = 0; i < Items_.size();) {
        if (!Items_[i]->Finished) {
            ++i;
            continue;
        }
        std::unique_ptr<TTransitionItem> item = std::move(Items_[i]);
        Items_.erase(Items_.begin() + static_cast<std::ptrdiff_t>(i));
        if (item->RemoveWhenDone && OnFinished) {
            OnFinished(item->Layer);
            i = 0;
        }
    }
}

void TTransitionList::Forget(const TLayerItem& layer) {
    std::erase_if(Items_, [&](const auto& item) { return &item->Layer == &layer; });
}

void TTransitionList::Cancel(const TLayerItem& layer) {
    for (auto it = Items_.begin(); it != Items_.end(); ++it) {
        if (&(*it)->Layer == &layer) {
            Items_.erase(it);
            return;
        }
    }
}

}  // namespace vandor

#pragma once
// Timed, eased changes of a layer's position, depth, display size and opacity.
// Every layer list runs one list of them; cross-fades, slides and screen fades are
// made of these. A transition can delete its layer when it ends.

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace vandor {

class TLayerItem;

class TTransitionItem {
public:
    enum Value { vX, vY, vZ, vWidth, vHeight, vAlpha, kValueCount };
    using TValues = std::array<int32_t, kValueCount>;

    TTransitionItem(TLayerItem& layer, bool removeWhenDone);

    // Each setter restarts the transition; values it does not name are held at their start.
    void SetTarget(int ms, int x, int y, int z, int width, int height, int alpha);
    void SetMoveFadeTarget(int ms, int x, int y, int z, int alpha);
    void SetMoveTarget(int ms, int x, int y);
    void SetFadeTarget(int ms, int alpha);
    void SetDepthFadeTarget(int ms, int z, int alpha);

    // Advances by `ms` and applies the current values to the layer.
    void Advance(int ms);
    // The eased time for `elapsed` of `duration` at the given easing (100 = linear).
    static int32_t EasedTime(int32_t elapsed, int32_t duration, int32_t easing);

    TLayerItem& Layer;
    int32_t Elapsed = 0;
    int32_t Duration = 0;
    TValues StartValues{};
    TValues TargetValues{};
    TValues CurrentValues{};
    bool Finished = false;
    bool RemoveWhenDone;
    int32_t Easing = 100;

private:
    void Restart(int ms, const TValues& target);
};

class TTransitionList {
public:
    // Returns the new transition; give it a target at once with one of its setters.
    TTransitionItem& Add(TLayerItem& layer, bool removeWhenDone);
    TTransitionItem& MoveTo(TLayerItem& layer, int ms, int x, int y, bool removeWhenDone);
    TTransitionItem& FadeTo(TLayerItem& layer, int ms, int alpha, bool removeWhenDone);
    TTransitionItem& DepthFadeTo(TLayerItem& layer, int ms, int z, int alpha, bool removeWhenDone);

    // Advances every transition, then removes the finished ones; those that remove their
    // layer report it through OnFinished after all of this step's values were applied.
    void Step(int ms);
    // Drops the first transition of the layer without applying anything more.
    void Cancel(const TLayerItem& layer);
    // Drops every transition of a layer that is about to be deleted, so none is left
    // pointing at a freed layer.
    void Forget(const TLayerItem& layer);
    bool Busy() const { return !Items_.empty(); }
    void Clear() { Items_.clear(); }
    std::size_t Count() const { return Items_.size(); }

    std::function<void(TLayerItem&)> OnFinished;

private:
    std::vector<std::unique_ptr<TTransitionItem>> Items_;
};

}  // namespace vandor

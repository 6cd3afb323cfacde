#pragma once
// The stack of layers composed into one back surface. The list owns its layers,
// redraws them back to front inside the rectangle that changed (a still scene costs
// only the scan), routes the mouse to the topmost layer under the pointer and runs
// the transitions that move and fade its layers.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "compositor/Bitmap32.h"
#include "compositor/DirtyRegion.h"
#include "compositor/LayerItem.h"
#include "compositor/Transitions.h"

namespace vandor {

class TLayerList {
public:
    TLayerList(int width, int height);
    ~TLayerList();
    TLayerList(const TLayerList&) = delete;
    TLayerList& operator=(const TLayerList&) = delete;

    // Steps the transitions, then redraws when needed; true when the surface changed,
    // and the redrawn rectangle is added to Dirty.
    bool Render(int elapsedMs);
    bool NeedsRedraw() const;
    // Rearmost first: larger Z first, then smaller Y, then smaller X.
    void Sort();

    // Takes ownership; returns the layer for convenience.
    TLayerItem& Add(std::unique_ptr<TLayerItem> layer);
    template <class T>
    T& Add(std::unique_ptr<T> layer) {
        T& result = *layer;
        Add(std::unique_ptr<TLayerItem>(std::move(layer)));
        return result;
    }
    TLayerItem& AddBitmap(std::unique_ptr<TBitmap32> bitmap, int x, int y, int z, int anchor);
    // A width x height rectangle of one colour, blended: one pixel drawn stretched, which
    // comes out exactly as a surface of that colour would, without its memory.
    TLayerItem& AddFill(TColor32 colour, int width, int height, int x, int y, int z, int anchor);
    // Null when the picture does not exist (the lookup has logged it).
    TLayerItem* AddImage(IPictureSource& pictures, std::string_view name, int x, int y, int z, int anchor);

    void Remove(const TLayerItem& layer);
    void Delete(int index);
    int IndexOf(const TLayerItem& layer) const;
    int IndexOfName(std::string_view name) const;
    TLayerItem& Items(int index) const { return *Items_.at(static_cast<std::size_t>(index)); }
    int Count() const { return static_cast<int>(Items_.size()); }
    void Clear();

    TLayerItem* ItemAt(int x, int y) const;
    void MouseMove(int x, int y);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);

    TBitmap32 Surface;
    TTransitionList Transitions;
    // Set from outside, it redraws the whole surface.
    bool Changed = false;
    // What Render redrew since its owner last cleared it.
    TDirtyRegion Dirty;
    std::function<void(TLayerItem&)> OnItemEnter;
    std::function<void(TLayerItem&)> OnItemLeave;

private:
    TRect ChangedArea() const;

    std::vector<std::unique_ptr<TLayerItem>> Items_;
    TDirtyRegion Pending_;  // where added and removed layers lie
};

}  // namespace vandor

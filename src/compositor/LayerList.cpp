#include "compositor/LayerList.h"

#include <algorithm>

#include "util/Encoding.h"

namespace vandor {

TLayerList::TLayerList(int width, int height) : Surface(width, height) {
    Transitions.OnFinished = [this](TLayerItem& layer) { Remove(layer); };
}

TLayerList::~TLayerList() { Clear(); }

bool TLayerList::Render(int elapsedMs) {
    Transitions.Step(elapsedMs);
    if (!NeedsRedraw()) return false;
    Sort();
    const TRect area = ChangedArea();
    Changed = false;
    Pending_.Clear();
    // The rearmost layer covers the whole surface, so it is not cleared first. Every
    // layer draws (clipped), which also brings its Changed flag down.
    Surface.SetClipRect(area);
    for (auto& layer : Items_) {
        layer->Draw(Surface);
        layer->DrawnRect = layer->Visible() ? layer->DstRect() : TRect{};
    }
    Surface.ResetClipRect();
    Dirty.Add(area);
    return true;
}

bool TLayerList::NeedsRedraw() const {
    return Changed || !Pending_.Empty() ||
           std::any_of(Items_.begin(), Items_.end(), [](const auto& layer) { return layer->Changed; });
}

TRect TLayerList::ChangedArea() const {
    const bool whole = Changed || std::any_of(Items_.begin(), Items_.end(), [](const auto& layer) {
                           return layer->Visible() && !layer->DrawsWithinRect();
                       });
    TDirtyRegion region = Pending_;
    if (whole) region.AddWhole();
    for (const auto& layer : Items_) {
        if (!layer->Changed) continue;
        if (const auto part = layer->ChangedPart()) {
            region.Add(*part);
            continue;
        }
        region.Add(layer->DrawnRect);
        if (layer->Visible()) region.Add(layer->DstRect());
    }
    return region.Within(Surface.BoundsRect());
}

void TLayerList::Sort() {
    std::stable_sort(Items_.begin(), Items_.end(), [](const auto& a, const auto& b) {
        const TLayerPosition& p = a->Position;
        const TLayerPosition& q = b->Position;
        if (p.Z != q.Z) return p.Z > q.Z;
        if (p.Y != q.Y) return p.Y < q.Y;
        return p.X < q.X;
    });
}

TLayerItem& TLayerList::Add(std::unique_ptr<TLayerItem> layer) {
    if (layer->Visible()) Pending_.Add(layer->DstRect());
    Items_.push_back(std::move(layer));
    return *Items_.back();
}

TLayerItem& TLayerList::AddBitmap(std::unique_ptr<TBitmap32> bitmap, int x, int y, int z, int anchor) {
    auto layer = std::make_unique<TLayerItem>(std::move(bitmap));
    layer->Position.SetAnchor(anchor);
    layer->SetPosition(x, y, z);
    return Add(std::move(layer));
}

TLayerItem& TLayerList::AddFill(TColor32 colour, int width, int height, int x, int y, int z, int anchor) {
    auto pixel = std::make_unique<TBitmap32>(1, 1);
    pixel->Clear(colour);
    pixel->SetDrawMode(TDrawMode::dmBlend);
    TLayerItem& layer = AddBitmap(std::move(pixel), x, y, z, anchor);
    layer.SetSize(width, height);
    return layer;
}

TLayerItem* TLayerList::AddImage(IPictureSource& pictures, std::string_view name, int x, int y, int z, int anchor) {
    auto layer = std::make_unique<TLayerItem>(pictures, name);
    if (!layer->Bitmap()) return nullptr;
    layer->Position.SetAnchor(anchor);
    layer->SetPosition(x, y, z);
    return &Add(std::move(layer));
}

void TLayerList::Remove(const TLayerItem& layer) {
    const int index = IndexOf(layer);
    if (index >= 0) Delete(index);
}

void TLayerList::Delete(int index) {
    if (index < 0) return;
    TLayerItem& layer = Items(index);
    if (layer.Hover && OnItemLeave) OnItemLeave(layer);
    Pending_.Add(layer.DrawnRect);
    Transitions.Forget(layer);
    // Out of the list before it is freed: its destructor may call back into the owner.
    std::unique_ptr<TLayerItem> doomed = std::move(Items_[static_cast<std::size_t>(index)]);
    Items_.erase(Items_.begin() + index);
}

int TLayerList::IndexOf(const TLayerItem& layer) const {
    for (std::size_t i = 0; i < Items_.size(); ++i) {
        if (Items_[i].get() == &layer) return static_cast<int>(i);
    }
    return -1;
}

int TLayerList::IndexOfName(std::string_view name) const {
    const std::string key = AsciiLower(name);
    for (std::size_t i = 0; i < Items_.size(); ++i) {
        if (Items_[i]->Name() == key) return static_cast<int>(i);
    }
    return -1;
}

void TLayerList::Clear() {
    Transitions.Clear();
    // Layers are freed after the list forgets them, so that callbacks never see half a list.
    std::vector<std::unique_ptr<TLayerItem>> doomed = std::move(Items_);
    Items_.clear();
    doomed.clear();
}

TLayerItem* TLayerList::ItemAt(int x, int y) const {
    for (auto it = Items_.rbegin(); it != Items_.rend(); ++it) {
        if ((*it)->HitTest(x, y)) return it->get();
    }
    return nullptr;
}

void TLayerList::MouseMove(int x, int y) {
    TLayerItem* target = ItemAt(x, y);
    if (target && target->Hover) return;
    for (auto& layer : Items_) {
        if (layer->Hover) {
            layer->MouseLeave();
            if (OnItemLeave) OnItemLeave(*layer);
            break;
        }
    }
    if (target) {
        target->MouseEnter();
        if (OnItemEnter) OnItemEnter(*target);
    }
}

void TLayerList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (TLayerItem* target = ItemAt(x, y)) target->MouseDown(button, shift, x, y);
}

void TLayerList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (TLayerItem* target = ItemAt(x, y)) target->MouseUp(button, shift, x, y);
}

}  // namespace vandor

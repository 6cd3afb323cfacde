#include "compositor/LayerItem.h"

#include <algorithm>

#include "util/Encoding.h"

namespace vandor {

void TLayerPosition::SetPos(int x, int y, int z) {
    if (x == X && y == Y && z == Z) return;
    X = x, Y = y, Z = z;
    Changed();
}

void TLayerPosition::SetAlpha(int alpha) {
    if (alpha == Alpha) return;
    Alpha = alpha;
    Changed();
}

void TLayerPosition::SetAnchor(int anchor) {
    if (anchor == Anchor) return;
    Anchor = anchor;
    Changed();
}

TLayerItem::TLayerItem(std::unique_ptr<TBitmap32> bitmap) : OwnedBitmap_(std::move(bitmap)) {
    Bitmap_ = OwnedBitmap_.get();
    Init();
}

TLayerItem::TLayerItem(IPictureSource& pictures, std::string_view name) {
    Bitmap_ = pictures.GetImage(name);
    if (Bitmap_) Pictures_ = &pictures;
    Init();
    Name_ = AsciiLower(name);
}

void TLayerItem::Init() {
    if (Bitmap_) {
        Width_ = Bitmap_->Width();
        Height_ = Bitmap_->Height();
        SrcRect = Bitmap_->BoundsRect();
    }
    Position.OnChange = [this] { UpdateRect(); };
    UpdateRect();
}

TLayerItem::~TLayerItem() {
    // Calls the base behaviour on purpose: a derived part is already gone here, and a
    // hovered layer still reports that the pointer left it.
    TLayerItem::MouseLeave();
    if (Pictures_) Pictures_->Release(Bitmap_);
}

void TLayerItem::SetBitmapSize(int width, int height) {
    if (!OwnedBitmap_) return;  // a shared cached picture is never resized
    Bitmap_->SetSize(width, height);
    SrcRect = Bitmap_->BoundsRect();
    SetSize(Bitmap_->Width(), Bitmap_->Height());
    Invalidate();
}

void TLayerItem::MouseEnter() {
    if (Hover) return;
    if (OnMouseEnter) OnMouseEnter(*this);
    Hover = true;
}

void TLayerItem::MouseLeave() {
    Pressed = false;
    if (!Hover) return;
    if (OnMouseLeave) OnMouseLeave(*this);
    Hover = false;
}

void TLayerItem::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
    if (button == TMouseButton::mbLeft) Pressed = true;
}

void TLayerItem::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    // Cleared before the click: a click handler may delete this layer.
    const bool clicked = Pressed;
    Pressed = false;
    if (clicked && OnClick) OnClick(*this);
}

// A layer whose picture is missing draws as nothing, and that drawing brings it up to
// date like any other: it asks for a redraw again only when it is shown, moved or
// hidden, not on every frame while it exists.
void TLayerItem::Draw(TBitmap32& target) {
    if (Bitmap_) {
        Bitmap_->SetMasterAlpha(static_cast<uint8_t>(std::clamp(Position.Alpha, 0, 255)));
        if (Visible_) DrawFrame(target, DstRect_, SrcRect, *Bitmap_);
    }
    Changed = false;
    PartsOnly_ = false;
    Parts_.Clear();
}

void TLayerItem::Invalidate() {
    Changed = true;
    PartsOnly_ = false;
}

void TLayerItem::Invalidate(const TRect& part) {
    if (part.IsEmpty()) return;
    if (!Changed) {
        Changed = true;
        PartsOnly_ = true;
        Parts_.Clear();
    }
    if (PartsOnly_) Parts_.Add(part);
}

std::optional<TRect> TLayerItem::ChangedPart() const {
    // A part maps to the target by a plain shift only at the picture's own size, and
    // it says nothing about where the layer was before a move.
    const bool sameSize = SrcRect.Width() == Width_ && SrcRect.Height() == Height_;
    if (!PartsOnly_ || !Visible_ || !sameSize || DrawnRect != DstRect_) return std::nullopt;
    const TRect part = Parts_.Within(SrcRect);
    if (part.IsEmpty()) return TRect{};
    const int dx = DstRect_.Left - SrcRect.Left;
    const int dy = DstRect_.Top - SrcRect.Top;
    return TRect{part.Left + dx, part.Top + dy, part.Right + dx, part.Bottom + dy};
}

void TLayerItem::UpdateRect() {
    int left;
    int top;
    switch (Position.Anchor) {
        case 2:
        case 5:
        case 8: left = Position.X - Width_ / 2; break;
        case 3:
        case 6:
        case 9: left = Position.X - Width_; break;
        default: left = Position.X; break;
    }
    switch (Position.Anchor) {
        case 4:
        case 5:
        case 6: top = Position.Y - Height_ / 2; break;
        case 1:
        case 2:
        case 3: top = Position.Y - Height_; break;
        default: top = Position.Y; break;
    }
    DstRect_ = {left, top, left + Width_, top + Height_};
    if (Visible_) Invalidate();
}

void TLayerItem::SetSize(int width, int height) {
    if (width == Width_ && height == Height_) return;
    Width_ = width;
    Height_ = height;
    UpdateRect();
}

void TLayerItem::SetVisible(bool visible) {
    if (visible == Visible_) return;
    Visible_ = visible;
    Invalidate();
}

bool TLayerItem::HitTest(int x, int y) const {
    if (!Bitmap_ || !Visible_ || HitAlpha >= 256) return false;
    if (!DstRect_.Contains({x, y})) return false;
    if (HitAlpha <= 0) return true;
    if (Width_ <= 0 || Height_ <= 0) return false;
    const int sx = SrcRect.Left + (x - DstRect_.Left) * SrcRect.Width() / Width_;
    const int sy = SrcRect.Top + (y - DstRect_.Top) * SrcRect.Height() / Height_;
    // A source rectangle that reaches past the picture is not hit there.
    if (sx < 0 || sy < 0 || sx >= Bitmap_->Width() || sy >= Bitmap_->Height()) return false;
    return static_cast<int>(*Bitmap_->PixelPtr(sx, sy) >> 24) >= HitAlpha;
}

}  // namespace vandor

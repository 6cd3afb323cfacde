#pragma once
// A layer: a rectangle of a picture placed on the back surface by an anchor point,
// with a depth, a display size (stretched when it differs from the source), an
// opacity and a visibility flag. Layers take the mouse events the layer list routes
// to them; buttons, labels, the message window and the battle's layers derive from it.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "compositor/Bitmap32.h"
#include "compositor/DirtyRegion.h"
#include "compositor/Input.h"
#include "compositor/PictureSource.h"
#include "util/Geometry.h"

namespace vandor {

class TLayerItem;

// Anchor point numbering follows a numeric keypad: 7 8 9 / 4 5 6 / 1 2 3.
inline constexpr int kAnchorTopLeft = 7;
inline constexpr int kAnchorBottomLeft = 1;
inline constexpr int kAnchorBottomCentre = 2;
// A HitAlpha that no pixel reaches: the layer is never hit (backgrounds, overlays).
inline constexpr int kHitNever = 256;

class TLayerPosition {
public:
    int X = 0;
    int Y = 0;
    int Z = 0;  // depth: larger lies further back
    int Alpha = 255;
    int Anchor = 5;
    std::function<void()> OnChange;

    void SetPos(int x, int y, int z);
    void SetAlpha(int alpha);
    void SetAnchor(int anchor);

private:
    void Changed() {
        if (OnChange) OnChange();
    }
};

using TLayerNotify = std::function<void(TLayerItem&)>;
using TLayerMouseEvent = std::function<void(TLayerItem&, TMouseButton, TShiftState, int x, int y)>;

class TLayerItem {
public:
    // A layer that owns `bitmap` (may be null: a layer without a picture).
    explicit TLayerItem(std::unique_ptr<TBitmap32> bitmap = nullptr);
    // A layer showing the shared picture `name` of `pictures` (null when it does not exist).
    TLayerItem(IPictureSource& pictures, std::string_view name);
    virtual ~TLayerItem();
    TLayerItem(const TLayerItem&) = delete;
    TLayerItem& operator=(const TLayerItem&) = delete;

    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Draw(TBitmap32& target);
    // False for layers that draw outside DstRect or past the target's clip rectangle:
    // while one is shown, the layer list redraws its whole surface.
    virtual bool DrawsWithinRect() const { return true; }

    void UpdateRect();
    // The whole layer is drawn anew on the next frame.
    void Invalidate();
    // Only `part` of the picture (in the picture's own coordinates) changed: the next
    // frame redraws just where that part shows, unless the layer is also moved,
    // resized, faded, shown, hidden or invalidated whole before it.
    void Invalidate(const TRect& part);
    // Where the pending change shows on the target when only parts of an unmoved,
    // unstretched layer changed; nothing when the layer must be redrawn whole.
    std::optional<TRect> ChangedPart() const;
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height_); }
    void SetHeight(int height) { SetSize(Width_, height); }
    void SetPosition(int x, int y, int z) { Position.SetPos(x, y, z); }
    void SetVisible(bool visible);
    bool HitTest(int x, int y) const;
    // Resizes the picture (clearing it when the size changes) and shows all of it at
    // its own size: for layers that draw into a surface of their own.
    void SetBitmapSize(int width, int height);

    TBitmap32* Bitmap() const { return Bitmap_; }
    const std::string& Name() const { return Name_; }
    int Width() const { return Width_; }
    int Height() const { return Height_; }
    const TRect& DstRect() const { return DstRect_; }
    bool Visible() const { return Visible_; }

    TLayerPosition Position;
    TRect SrcRect;
    // Where the layer list last drew this layer (empty when hidden): a change redraws
    // both there and where the layer now lies.
    TRect DrawnRect;
    // Raised through Invalidate, which also tells whether only parts changed.
    bool Changed = false;
    bool Pressed = false;
    bool Hover = false;
    int Tag = 0;
    // 0 or less: the whole rectangle is hit; 1..255: where the picture's alpha reaches it; 256+: never.
    int HitAlpha = 16;

    TLayerMouseEvent OnMouseDown;
    TLayerMouseEvent OnMouseUp;
    TLayerNotify OnMouseEnter;
    TLayerNotify OnMouseLeave;
    TLayerNotify OnClick;

private:
    void Init();

    std::unique_ptr<TBitmap32> OwnedBitmap_;
    TBitmap32* Bitmap_ = nullptr;
    IPictureSource* Pictures_ = nullptr;  // set when Bitmap_ is borrowed from it
    std::string Name_;
    int Width_ = 1;
    int Height_ = 1;
    TRect DstRect_;
    bool Visible_ = true;
    // Set while every change since the last draw went through Invalidate(part).
    bool PartsOnly_ = false;
    TDirtyRegion Parts_;
};

}  // namespace vandor

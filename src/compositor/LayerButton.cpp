#include "compositor/LayerButton.h"

#include <stdexcept>

namespace vandor {

TLayerButton::TLayerButton(IPictureSource& pictures, std::string_view name) : TLayerItem(pictures, name) {
    if (!Bitmap()) throw std::runtime_error("ボタン画像 \"" + std::string(name) + "\" がありません");
    Position.SetAnchor(kAnchorTopLeft);
    Bitmap()->SetDrawMode(TDrawMode::dmBlend);
    SetSize(Bitmap()->Width(), Bitmap()->Height() / 3);
    ShowFrame(bfNormal);
}

void TLayerButton::ShowFrame(int frame) {
    const int frameHeight = Bitmap()->Height() / 3;
    SrcRect = {0, frame * frameHeight, Bitmap()->Width(), (frame + 1) * frameHeight};
    Invalidate();
}

void TLayerButton::MouseEnter() {
    if (Enabled) ShowFrame(bfHover);
    TLayerItem::MouseEnter();
}

void TLayerButton::MouseLeave() {
    if (Enabled) ShowFrame(bfNormal);
    TLayerItem::MouseLeave();
}

void TLayerButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (Enabled && button == TMouseButton::mbLeft) ShowFrame(bfPressed);
    TLayerItem::MouseDown(button, shift, x, y);
}

void TLayerButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (Pressed) ShowFrame(Hover ? bfHover : bfNormal);
    TLayerItem::MouseUp(button, shift, x, y);
}

}  // namespace vandor

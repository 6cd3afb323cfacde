#include "text/LayerLabel.h"

#include <cstdlib>
#include <memory>

namespace vandor {

TLayerLabel::TLayerLabel(TRTextRender& renderer) : TLayerItem(std::make_unique<TBitmap32>()), Renderer_(renderer) {
    HitAlpha = 0;
    Position.SetAnchor(7);
    Bitmap()->SetDrawMode(TDrawMode::dmBlend);
}

void TLayerLabel::SetCaption(std::string text) {
    Caption_ = std::move(text);
    Redraw();
}

void TLayerLabel::Redraw() {
    TBitmap32& bitmap = *Bitmap();
    bitmap.Font.Bold = true;
    const int width = bitmap.TextWidth(Caption_) + 8;
    const int height = std::abs(bitmap.Font.Height) + 4;
    SetSize(width, height);
    SrcRect = {0, 0, width, height};

    bitmap.SetSize(width, Enabled ? 3 * height : height);
    bitmap.Clear(0);
    if (Enabled) bitmap.FillRect({0, height, width, 3 * height}, HoverColour);

    if (AntiAlias) {
        Renderer_.Configure(2, 1, 2, 2, 1);
    } else {
        Renderer_.SetQuality(0);
    }
    Renderer_.DrawText(bitmap, 3, 2, 255, ShadowColour, Caption_);
    if (Enabled) {
        Renderer_.DrawAgain(bitmap, 2, height + 2, HoverColour);
        Renderer_.DrawAgain(bitmap, 3, height + 1, HoverColour);
        Renderer_.DrawAgain(bitmap, 3, 2 * height + 3, HoverColour);
        Renderer_.DrawAgain(bitmap, 4, 2 * height + 2, HoverColour);
    }
    Renderer_.DrawAgain(bitmap, 2, 1, TextColour);
    if (Enabled) {
        Renderer_.DrawAgain(bitmap, 2, height + 1, TextColour);
        Renderer_.DrawAgain(bitmap, 3, 2 * height + 2, TextColour);
    }
    Invalidate();
}

void TLayerLabel::ShowFrame(int frame) {
    SrcRect = {0, frame * Height(), Width(), (frame + 1) * Height()};
    Invalidate();
}

void TLayerLabel::MouseEnter() {
    if (Enabled) ShowFrame(1);
    TLayerItem::MouseEnter();
}

void TLayerLabel::MouseLeave() {
    if (Enabled) ShowFrame(0);
    TLayerItem::MouseLeave();
}

void TLayerLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (Enabled) ShowFrame(2);
    TLayerItem::MouseDown(button, shift, x, y);
}

void TLayerLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (Enabled) ShowFrame(0);
    TLayerItem::MouseUp(button, shift, x, y);
}

}  // namespace vandor

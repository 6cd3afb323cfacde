#include "text/LayerBackLog.h"

#include <algorithm>
#include <memory>

namespace vandor {

TLayerBackLog::TLayerBackLog(TNGText& store, TRTextRender& renderer)
    : TLayerItem(std::make_unique<TBitmap32>()), Store_(store), Renderer_(renderer) {
    Bitmap()->SetDrawMode(TDrawMode::dmBlend);
    Bitmap()->Font.Bold = true;
    HitAlpha = 0;  // takes every click over it, so nothing behind reacts
    SetVisible(false);
}

void TLayerBackLog::Rebuild() {
    SrcRect = Bitmap()->BoundsRect();
    Invalidate();
    TotalHeight = 0;
    PageCount = 0;
    CurrentPage = 0;
    LastTopPage = -1;
    PageTop_.fill(0);
    PageFirstLine_.fill(0);
    if (Store_.Count() > 0) {
        const TNGTListItem& last = Store_.Item(Store_.Count() - 1);
        TotalHeight = last.Offset + last.Y + last.Height + 16;
        PageCount = last.Page + 1;
    }
    TotalHeight = std::max(TotalHeight, kScreenHeight);
    if (Store_.Count() == 0) {
        Bitmap()->Clear(Background);
        return;
    }
    int32_t previousPage = -1;
    for (int32_t i = 0; i < Store_.Count(); ++i) {
        const TNGTListItem& line = Store_.Item(i);
        if (line.Page == previousPage || line.Page < 0 || line.Page >= kMaxPages) continue;
        previousPage = line.Page;
        PageTop_[line.Page] = line.Offset;
        PageFirstLine_[line.Page] = i;
        if (LastTopPage == -1 && TotalHeight - line.Offset - 8 <= kScreenHeight) LastTopPage = line.Page;
    }
    CurrentPage = std::max(LastTopPage, 0);
    Render();
}

void TLayerBackLog::Scroll(int direction) {
    if (direction != -1 && direction != 1) return;
    const int32_t page = std::clamp(CurrentPage + direction, 0, std::max(LastTopPage, 0));
    if (page == CurrentPage) return;
    CurrentPage = page;
    Render();
}

void TLayerBackLog::Render() {
    Invalidate();
    TBitmap32& surface = *Bitmap();
    surface.Clear(Background);
    if (Store_.Count() == 0) return;
    const int32_t pageTop = PageTop_[CurrentPage];
    for (int32_t i = PageFirstLine_[CurrentPage]; i < Store_.Count(); ++i) {
        const TNGTListItem& line = Store_.Item(i);
        const int32_t top = line.Offset + line.Y - pageTop;
        if (top + line.Height + 8 >= kScreenHeight) break;
        if (line.Text.empty() || line.Height <= 0) continue;
        surface.Font.Height = line.Height + 1;
        Renderer_.Configure(3, 2, 3, 2, 1);
        Renderer_.DrawText(surface, line.X - 4, top + 8, 255, 0xFFFFFFFF, line.Text);
    }
}

}  // namespace vandor

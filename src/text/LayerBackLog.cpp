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
    Marks_.clear();
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
    Marks_.clear();
    if (Store_.Count() == 0) return;
    const int32_t pageTop = PageTop_[CurrentPage];
    int32_t markedPage = -1;
    for (int32_t i = PageFirstLine_[CurrentPage]; i < Store_.Count(); ++i) {
        const TNGTListItem& line = Store_.Item(i);
        const int32_t top = line.Offset + line.Y - pageTop;
        if (top + line.Height + 8 >= kScreenHeight) break;
        if (line.Text.empty() || line.Height <= 0) continue;
        if (ShowVoiceMarks && !line.Voice.empty() && line.Page != markedPage) {
            markedPage = line.Page;
            DrawVoiceMark(top + 8, i);
        }
        surface.Font.Height = line.Height + 1;
        Renderer_.Configure(3, 2, 3, 2, 1);
        Renderer_.DrawText(surface, line.X - 4, top + 8, 255, 0xFFFFFFFF, line.Text);
    }
}

// A speaker: a box with a cone beside it, light on the dark backlog.
void TLayerBackLog::DrawVoiceMark(int top, int32_t line) {
    constexpr TColor32 kMarkColour = 0xFF9FD0FF;
    const int left = Bitmap()->Width() - kMarkRight - kMarkSize;
    const TRect area = MakeRect(left, top, kMarkSize, kMarkSize);
    TBitmap32& surface = *Bitmap();
    surface.FillRect({left + 3, top + 7, left + 8, top + 13}, kMarkColour);
    for (int column = 0; column < 8; ++column) {
        surface.FillRect({left + 8 + column, top + 7 - column, left + 9 + column, top + 13 + column}, kMarkColour);
    }
    Marks_.push_back({area, line});
}

const TNGTListItem* TLayerBackLog::VoiceMarkAt(int x, int y) const {
    if (!Visible()) return nullptr;
    for (const TVoiceMark& mark : Marks_) {
        if (mark.Area.Contains({x, y})) return &Store_.Item(mark.Line);
    }
    return nullptr;
}

}  // namespace vandor

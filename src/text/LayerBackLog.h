#pragma once
// The backlog: the text the message window has written, drawn again as a
// full-screen history that scrolls a page at a time. It opens at its end; the
// engine closes it when the player scrolls down past the last page.

#include <array>
#include <cstdint>
#include <vector>

#include "compositor/LayerItem.h"
#include "text/NGText.h"
#include "text/TextRender.h"

namespace vandor {

class TLayerBackLog : public TLayerItem {
public:
    static constexpr int kScreenHeight = 600;
    static constexpr int kMaxPages = 4096;

    TLayerBackLog(TNGText& store, TRTextRender& renderer);

    void Rebuild();
    // -1 one page back, +1 one page forward; other values change nothing.
    void Scroll(int direction);
    void Render();
    // The first line of the voiced page whose mark is at this point of the backlog,
    // or null; marks exist only while ShowVoiceMarks is on.
    const TNGTListItem* VoiceMarkAt(int x, int y) const;

    int32_t TotalHeight = kScreenHeight;
    int32_t PageCount = 0;
    int32_t CurrentPage = 0;
    int32_t LastTopPage = -1;  // the first page from which the rest fits on the screen
    TColor32 Background = 0xCC000000;
    // Voiced pages get a mark at the right edge beside their first line.
    bool ShowVoiceMarks = false;
    static constexpr int kMarkSize = 20;
    static constexpr int kMarkRight = 16;  // the gap between the mark and the edge

private:
    struct TVoiceMark {
        TRect Area;
        int32_t Line;
    };
    void DrawVoiceMark(int top, int32_t line);

    TNGText& Store_;
    std::vector<TVoiceMark> Marks_;
    TRTextRender& Renderer_;
    std::array<int32_t, kMaxPages> PageTop_{};
    std::array<int32_t, kMaxPages> PageFirstLine_{};
};

}  // namespace vandor

#pragma once
// The backlog: the text the message window has written, drawn again as a
// full-screen history that scrolls a page at a time. It opens at its end; the
// engine closes it when the player scrolls down past the last page.

#include <array>
#include <cstdint>

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

    int32_t TotalHeight = kScreenHeight;
    int32_t PageCount = 0;
    int32_t CurrentPage = 0;
    int32_t LastTopPage = -1;  // the first page from which the rest fits on the screen
    TColor32 Background = 0xCC000000;

private:
    TNGText& Store_;
    TRTextRender& Renderer_;
    std::array<int32_t, kMaxPages> PageTop_{};
    std::array<int32_t, kMaxPages> PageFirstLine_{};
};

}  // namespace vandor

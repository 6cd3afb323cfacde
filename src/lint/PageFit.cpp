#include "lint/PageFit.h"

#include "util/Encoding.h"

namespace vandor {

TPageFit::TPageFit() {
    const TNovelProperty defaults;
    SetFrame(TNovelGame::kStageWidth, TNovelGame::kMessageFrameHeight);
    SetFont(defaults.FontName, defaults.FontSize, defaults.LineHeight);
    // Only the layout counts here: the plain glyphs are drawn quicker.
    Message_.AntiAlias = false;
}

void TPageFit::SetFrame(int width, int height) { Message_.SetBitmapSize(width, height); }

void TPageFit::SetMargins(int left, int top, int right) {
    Message_.MarginLeft = left;
    Message_.MarginTop = top;
    Message_.MarginRight = right;
}

void TPageFit::SetFont(const std::string& name, int size, int lineHeight) {
    Message_.Surface().Font.Name = name;
    Message_.Surface().Font.Height = size;
    Message_.LineHeight = lineHeight;
}

int TPageFit::Dropped(const std::vector<std::string>& lines) {
    Store_.Clear();
    Message_.PageRegistered = false;
    Message_.Clear();
    std::size_t written = 0;
    for (const std::string& line : lines) {
        for (std::size_t pos = 0; pos < line.size();) {
            const std::size_t start = pos;
            NextCodePoint(line, pos);
            Message_.AddChar(std::string_view(line).substr(start, pos - start));
            ++written;
        }
        Message_.NewLine();
    }
    std::size_t kept = 0;
    for (int32_t i = 0; i < Store_.Count(); ++i) kept += CodePointCount(Store_.Item(i).Text);
    return static_cast<int>(written - kept);
}

int TPageFit::LinesShown() const {
    constexpr int kMostLines = 1000;  // a line height of 0 or less stacks every line on the first
    int lines = 0;
    const int height = Message_.Bitmap()->Height();
    while (lines < kMostLines && Message_.MarginTop + lines * Message_.LineHeight + Message_.FontHeight() < height) {
        ++lines;
    }
    return lines;
}

}  // namespace vandor

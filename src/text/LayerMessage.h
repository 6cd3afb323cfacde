#pragma once
// The message window: story text written one character at a time onto a
// transparent surface laid over the message frame. Lines break by width with two
// Japanese rules: closing punctuation never starts a line (it hangs into the right
// margin instead), and text inside an open bracket continues under the first
// character after the bracket. Every line is recorded for the backlog.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compositor/LayerItem.h"
#include "text/NGText.h"
#include "text/TextRender.h"

namespace vandor {

class TLayerMessage : public TLayerItem {
public:
    TLayerMessage(TNGText& store, TRTextRender& renderer);

    // Lays out, draws and records one character (one code point, UTF-8).
    void AddChar(std::string_view character);
    void NewLine();
    void Clear();

    TBitmap32& Surface() { return *Bitmap(); }
    int FontHeight() const;
    // How far the pen moves for a character: measured at three times the size and
    // rounded up, which keeps the pen from drifting through rounding at display size.
    int Advance(std::string_view character);
    int Limit() const { return Bitmap()->Width() - MarginLeft - MarginRight; }

    std::u32string HangChars = U"、。」』】ーッっ-,.・…)]}!?！？";
    std::u32string OpenBrackets = U"「『【（";
    std::u32string CloseBrackets = U"」』】）";
    bool AtLineStart = true;
    bool PageRegistered = false;
    int X = 32;
    int Y = 16;
    std::vector<std::pair<char32_t, int>> IndentList;  // open bracket -> x just after it
    int MarginLeft = 32;
    int MarginTop = 16;
    int MarginRight = 32;
    int MarginBottom = 16;
    bool AntiAlias = true;
    TColor32 TextColor = 0xFFFFFFFF;
    TColor32 ShadowColor = 0xFF000000;
    int LineHeight = 28;

private:
    TNGText& Store_;
    TRTextRender& Renderer_;
    TBitmap32 Measure_;
};

}  // namespace vandor

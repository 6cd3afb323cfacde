#include "text/LayerMessage.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "util/Encoding.h"

namespace vandor {

TLayerMessage::TLayerMessage(TNGText& store, TRTextRender& renderer)
    : TLayerItem(std::make_unique<TBitmap32>()), Store_(store), Renderer_(renderer) {
    Bitmap()->SetDrawMode(TDrawMode::dmBlend);
    Bitmap()->Font.Bold = true;
    Measure_.Font.Bold = true;
    HitAlpha = 256;
}

int TLayerMessage::FontHeight() const { return std::abs(Bitmap()->Font.Height); }

void TLayerMessage::AddChar(std::string_view character) {
    TBitmap32& surface = *Bitmap();
    if (FontHeight() + Y >= surface.Height()) return;  // below the window: neither drawn nor recorded
    Invalidate();
    AtLineStart = false;
    PageRegistered = false;

    const int advance = Advance(character);

    std::size_t pos = 0;
    const char32_t code = character.empty() ? 0 : NextCodePoint(character, pos);
    const bool hangs = HangChars.find(code) != std::u32string::npos;
    if (X + advance > Limit() && !hangs) {
        NewLine();
        // The wrapped line may lie below the window: then this character goes too,
        // rather than being drawn cut off at the bottom edge.
        if (FontHeight() + Y >= surface.Height()) return;
    }

    if (Store_.Count() > 0) {
        Store_.Append(character);
        Store_.Item(Store_.Count() - 1).Height = FontHeight();
    }

    if (AntiAlias) {
        Renderer_.Configure(3, 2, 3, 2, 1);
        Renderer_.DrawText(surface, X + 2, Y + 2, 255, ShadowColor, character);
    } else {
        Renderer_.SetQuality(0);
        Renderer_.DrawText(surface, X + 1, Y + 1, 255, ShadowColor, character);
    }
    Renderer_.DrawAgain(surface, X, Y, TextColor);

    X += advance;
    // A closing bracket ends its indent before a break it causes: the line after a
    // bracket closed at the end of a full line starts at the margin, not indented.
    if (const auto close = CloseBrackets.find(code); close != std::u32string::npos && close < OpenBrackets.size()) {
        const char32_t partner = OpenBrackets[close];
        std::erase_if(IndentList, [&](const auto& entry) { return entry.first == partner; });
    }
    if (X > Limit()) NewLine();

    if (OpenBrackets.find(code) != std::u32string::npos) {
        std::erase_if(IndentList, [&](const auto& entry) { return entry.first == code; });
        IndentList.emplace_back(code, X);
    }
}

int TLayerMessage::Advance(std::string_view character) {
    Measure_.Font.Name = Bitmap()->Font.Name;
    Measure_.Font.Height = Bitmap()->Font.Height * 3;
    return (Measure_.TextWidth(character) + 3) / 3;
}

void TLayerMessage::NewLine() {
    if (AtLineStart) return;
    AtLineStart = true;
    if (IndentList.empty()) {
        X = MarginLeft;
    } else {
        X = std::max_element(IndentList.begin(), IndentList.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->second;
    }
    Y += LineHeight;
    Store_.AddLine(X, Y - MarginTop, FontHeight());
}

void TLayerMessage::Clear() {
    Bitmap()->Clear(0);
    Invalidate();
    X = MarginLeft;
    Y = MarginTop;
    IndentList.clear();
    AtLineStart = true;
    if (!PageRegistered) {
        PageRegistered = true;
        Store_.AddPage(MarginLeft, 0, FontHeight());
    }
}

}  // namespace vandor

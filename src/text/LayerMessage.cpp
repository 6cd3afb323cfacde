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

bool IsSpacedScriptChar(char32_t code) {
    return (code > U' ' && code <= U'~') || (code >= 0xA1 && code <= 0x24F) || (code >= 0x370 && code <= 0x52F) ||
           (code >= 0x1E00 && code <= 0x1EFF) || (code >= 0x2018 && code <= 0x201F);
}

int TLayerMessage::FontHeight() const { return std::abs(Bitmap()->Font.Height); }

int TLayerMessage::WordWidth(std::string_view text) {
    // Punctuation closing the word may hang past the limit, as it does everywhere.
    int width = 0;
    int hanging = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t code = NextCodePoint(text, pos);
        if (!IsSpacedScriptChar(code)) break;
        const int advance = Advance(text.substr(start, pos - start));
        hanging = HangChars.find(code) != std::u32string::npos ? hanging + advance : 0;
        width += advance;
    }
    return width - hanging;
}

bool TLayerMessage::WordGoesDown(char32_t code, std::string_view character, std::string_view following) {
    if (Previous_ == 0 || !IsSpacedScriptChar(code) || IsSpacedScriptChar(Previous_)) return false;
    const int width = WordWidth(std::string(character).append(following));
    return X + width > Limit() && NextLineX() + width <= Limit();
}

bool TLayerMessage::SpaceEndsLine(int advance, std::string_view following) {
    if (X + advance > Limit()) return true;
    const int width = WordWidth(following);
    return X + advance + width > Limit() && NextLineX() + width <= Limit();
}

void TLayerMessage::AddChar(std::string_view character, std::string_view following) {
    TBitmap32& surface = *Bitmap();
    if (FontHeight() + Y >= surface.Height()) return;  // below the window: neither drawn nor recorded

    std::size_t pos = 0;
    const char32_t code = character.empty() ? 0 : NextCodePoint(character, pos);
    const int advance = Advance(character);
    // A space where a line breaks is the break itself: it ends the full line unseen
    // and does not start the next one.
    if (code == U' ' && ((Previous_ == 0 && Wrapped_) || (Previous_ != 0 && SpaceEndsLine(advance, following)))) {
        if (Previous_ != 0) {
            AtLineStart = false;
            NewLine();
            Wrapped_ = true;
        }
        return;
    }
    const bool wordGoesDown = WordGoesDown(code, character, following);
    AtLineStart = false;
    PageRegistered = false;

    const bool hangs = HangChars.find(code) != std::u32string::npos;
    if (wordGoesDown || (X + advance > Limit() && !hangs)) {
        NewLine();
        Wrapped_ = true;
        // The wrapped line may lie below the window: then this character goes too,
        // rather than being drawn cut off at the bottom edge.
        if (FontHeight() + Y >= surface.Height()) return;
    }

    if (Store_.Count() > 0) {
        Store_.Append(character);
        Store_.Item(Store_.Count() - 1).Height = FontHeight();
    }

    const int shadow = AntiAlias ? 2 : 1;
    if (AntiAlias) {
        Renderer_.Configure(3, 2, 3, 2, 1);
    } else {
        Renderer_.SetQuality(0);
    }
    Renderer_.DrawText(surface, X + shadow, Y + shadow, 255, ShadowColor, character);
    Renderer_.DrawAgain(surface, X, Y, TextColor);
    // Only this character's cell shows anew: on a big window redrawing the whole
    // message window for every character costs more than the text itself.
    const TRect& mask = Renderer_.MaskRect();
    Invalidate({X, Y, X + std::max(advance, mask.Width() + shadow), Y + std::max(LineHeight, mask.Height() + shadow)});

    X += advance;
    TextEnd = {X, Y};
    Previous_ = code;
    // A closing bracket ends its indent before a break it causes: the line after a
    // bracket closed at the end of a full line starts at the margin, not indented.
    if (const auto close = CloseBrackets.find(code); close != std::u32string::npos && close < OpenBrackets.size()) {
        const char32_t partner = OpenBrackets[close];
        std::erase_if(IndentList, [&](const auto& entry) { return entry.first == partner; });
    }
    if (X > Limit()) {
        NewLine();
        Wrapped_ = true;
    }

    if (OpenBrackets.find(code) != std::u32string::npos) {
        std::erase_if(IndentList, [&](const auto& entry) { return entry.first == code; });
        IndentList.emplace_back(code, X);
    }
}

int TLayerMessage::NextLineX() const {
    if (IndentList.empty()) return MarginLeft;
    return std::max_element(IndentList.begin(), IndentList.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->second;
}

int TLayerMessage::Advance(std::string_view character) {
    Measure_.Font.Name = Bitmap()->Font.Name;
    Measure_.Font.Height = Bitmap()->Font.Height * 3;
    return (Measure_.TextWidth(character) + 3) / 3;
}

void TLayerMessage::NewLine() {
    if (AtLineStart) return;
    AtLineStart = true;
    Previous_ = 0;
    Wrapped_ = false;
    X = NextLineX();
    Y += LineHeight;
    Store_.AddLine(X, Y - MarginTop, FontHeight());
}

void TLayerMessage::Clear() {
    Bitmap()->Clear(0);
    Invalidate();
    X = MarginLeft;
    Y = MarginTop;
    TextEnd = {X, Y};
    IndentList.clear();
    AtLineStart = true;
    Previous_ = 0;
    Wrapped_ = false;
    if (!PageRegistered) {
        PageRegistered = true;
        Store_.AddPage(MarginLeft, 0, FontHeight());
    }
}

}  // namespace vandor

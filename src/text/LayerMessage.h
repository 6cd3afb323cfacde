#pragma once
// The message window: story text written one character at a time onto a
// transparent surface laid over the message frame. Lines break by width with two
// Japanese rules: closing punctuation never starts a line (it hangs into the right
// margin instead), and text inside an open bracket continues under the first
// character after the bracket. Text in scripts that separate words with spaces
// (Latin, Greek, Cyrillic) breaks at the spaces instead, whatever language the page
// is in: a word that would cross the limit starts the next line whole, and only a
// word longer than a line is broken where it must. Every line is recorded for the
// backlog.

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

    // Lays out, draws and records one character (one code point, UTF-8). `following`
    // is the text after it on the same script line, which tells how long a word is
    // that starts here.
    void AddChar(std::string_view character, std::string_view following = {});
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
    // Just after the last character drawn on this page, at its line's top; the page's
    // first pen position while the page is empty.
    TPoint TextEnd{32, 16};

private:
    // Where the pen starts on the next line: under the innermost open bracket, or at the margin.
    int NextLineX() const;
    // Whether a word starting here must go to the next line to be whole.
    bool WordGoesDown(char32_t code, std::string_view character, std::string_view following);
    // Whether the line breaks at a space: the word after it would not fit behind it.
    bool SpaceEndsLine(int advance, std::string_view following);
    // The width of the word `text` begins with, without the punctuation that may hang.
    int WordWidth(std::string_view text);

    TNGText& Store_;
    TRTextRender& Renderer_;
    TBitmap32 Measure_;
    char32_t Previous_ = 0;  // the character before on this line; 0 at a line's start
    bool Wrapped_ = false;   // the current line began because the one before was full
};

// Characters of scripts that separate their words with spaces; a run of them is a word.
bool IsSpacedScriptChar(char32_t code);

}  // namespace vandor

#pragma once
// Whether a page's text fits the message window, laid out by the game's own message
// layer: characters that would stand below the window's bottom edge are dropped
// without a word in play.

#include <string>
#include <vector>

#include "scenario/NovelGame.h"
#include "text/LayerMessage.h"
#include "text/NGText.h"
#include "text/TextRender.h"

namespace vandor {

class TPageFit {
public:
    TPageFit();

    // The frame picture's size, and the margins when a script gives them.
    void SetFrame(int width, int height);
    void SetMargins(int left, int top, int right);
    // The font a page starts with.
    void SetFont(const std::string& name, int size, int lineHeight);

    // How many characters of the page do not fit; each of `lines` starts a line of the
    // window, as each text line of a script does.
    int Dropped(const std::vector<std::string>& lines);
    // How many lines the window shows.
    int LinesShown() const;

private:
    TNGText Store_{4096};
    TRTextRender Renderer_;
    TLayerMessage Message_{Store_, Renderer_};
};

}  // namespace vandor

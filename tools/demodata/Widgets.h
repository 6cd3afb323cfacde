#pragma once
// The interface's shared pieces, so that the menus and the battle look alike: the
// three-frame picture buttons with their gold-rimmed face, and the translucent panels.

#include <string_view>

#include "Canvas.h"

namespace vandor::demo {

constexpr TColor32 kGold = 0xFFE8C468;
constexpr TColor32 kNavy = 0xFF16204A;

// A button of three frames stacked vertically. paint draws one frame's face into the
// band starting at `top`; frame 1 is lit, frame 2 pressed.
template <class Paint>
TBitmap32 ThreeFrames(int width, int height, const Paint& paint) {
    TBitmap32 picture(width, 3 * height);
    picture.Clear(0);
    TCanvas canvas(picture);
    for (int frame = 0; frame < 3; ++frame) paint(canvas, frame, frame * height);
    return picture;
}

// The gold rim and the navy face of one frame; returns the pressed frame's shift (its
// face one pixel down and right, darker). The rim stays in place in every frame: the
// game tests the hit again on release, against the pressed frame, so a pixel the
// pressed frame leaves clear would swallow the click.
double ButtonFace(TCanvas& canvas, int frame, int top, int width, int height, double radius);

// A caption on a button face at (x, y) of the normal frame: brighter on the lit frame,
// moved with the face on the pressed one.
void FaceCaption(TCanvas& canvas, std::string_view caption, const TFont& font, int frame, int x, int y);

// A face with a small star at each end and the caption centred on it.
TBitmap32 CaptionButton(std::string_view caption, int width, int height, int fontHeight);

// The colours of a title picture's lettering.
struct TTitleStyle {
    TColor32 Band;    // the darker band behind the lettering (its alpha is ignored)
    TColor32 Upper;   // the small first line
    TColor32 Main;    // the large name, and the rule under it
    TColor32 Latin;   // the name in Latin letters
    TColor32 Shadow;  // the outline of all three
};

// A title in two lines over a darker band across the top, a rule, and a line in Latin
// letters below.
void TitleLettering(TCanvas& canvas, std::string_view upper, std::string_view main, std::string_view latin,
                    const TTitleStyle& style);

// A translucent navy panel in a gold rim, with stars in its corners if asked.
TBitmap32 Panel(int width, int height, double radius, bool stars);

}  // namespace vandor::demo

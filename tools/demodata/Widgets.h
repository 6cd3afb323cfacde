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

// A face with a small star at each end and the caption centred on it.
TBitmap32 CaptionButton(std::string_view caption, int width, int height, int fontHeight);

// A translucent navy panel in a gold rim, with stars in its corners if asked.
TBitmap32 Panel(int width, int height, double radius, bool stars);

}  // namespace vandor::demo

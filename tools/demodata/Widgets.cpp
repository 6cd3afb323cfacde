#include "Widgets.h"

namespace vandor::demo {
namespace {

// The pressed frame's face and caption sit one pixel down and right.
int PressShift(int frame) { return frame == 2 ? 1 : 0; }

}  // namespace

double ButtonFace(TCanvas& canvas, int frame, int top, int width, int height, double radius) {
    const double shift = PressShift(frame);
    const TColor32 upper = frame == 1 ? 0xF0405AA8 : frame == 2 ? 0xF0141C40 : 0xE0243470;
    const TColor32 lower = frame == 1 ? 0xF0202C68 : frame == 2 ? 0xF00C1028 : 0xE0101838;
    canvas.Fill(RoundRect(2, top + 2, width - 2, top + height - 2, radius), frame == 1 ? 0xFFFFE8A0 : kGold);
    canvas.Fill(RoundRect(4 + shift, top + 4 + shift, width - 4 + shift, top + height - 4 + shift, radius - 2),
                LinearGradient({0, double(top)}, upper, {0, double(top + height)}, lower));
    return shift;
}

void FaceCaption(TCanvas& canvas, std::string_view caption, const TFont& font, int frame, int x, int y) {
    const TColor32 ink = frame == 1 ? 0xFFFFF4D0 : 0xFFF0E6C8;
    const int shift = PressShift(frame);
    canvas.Text(x + shift, y + shift, caption, font, ink, 0xA0000010);
}

TBitmap32 CaptionButton(std::string_view caption, int width, int height, int fontHeight) {
    const TFont font{"ＭＳ Ｐ明朝", fontHeight, 0, true};
    // The stars and the corners grow with the height, in the proportions of the menu's
    // 56-pixel buttons; the renderer's line is about 5/4 of the font height.
    const double unit = height / 56.0;
    const int textTop = (height - fontHeight * 5 / 4) / 2;
    return ThreeFrames(width, height, [&](TCanvas& canvas, int frame, int top) {
        const double shift = ButtonFace(canvas, frame, top, width, height, 12 * unit);
        for (double x : {22 * unit, width - 22 * unit}) {
            canvas.Fill(Star(x + shift, top + height / 2.0 + shift, 8 * unit, 3 * unit, 4), kGold);
        }
        FaceCaption(canvas, caption, font, frame, Centred(canvas, caption, font, width), top + textTop);
    });
}

TBitmap32 Panel(int width, int height, double radius, bool stars) {
    TBitmap32 picture(width, height);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(RoundRect(0, 0, width, height, radius), 0xC0E8C468);
    canvas.Fill(RoundRect(3, 3, width - 3, height - 3, radius - 2),
                LinearGradient({0, 0}, WithAlpha(kNavy, 0xD8), {0, double(height)}, 0xE0080C20));
    if (stars) {
        for (double x : {14.0, width - 14.0}) {
            for (double y : {14.0, height - 14.0}) canvas.Fill(Star(x, y, 7, 2.5, 4), kGold);
        }
    }
    return picture;
}

void TitleLettering(TCanvas& canvas, std::string_view upper, std::string_view main, std::string_view latin,
                    const TTitleStyle& style) {
    const TColor32 band = style.Band & 0x00FFFFFF;
    canvas.Fill(Polygon({{0, 40}, {800, 40}, {800, 115}, {0, 115}}),
                LinearGradient({0, 40}, band, {0, 115}, band | 0x90000000));
    canvas.Fill(Polygon({{0, 115}, {800, 115}, {800, 190}, {0, 190}}),
                LinearGradient({0, 115}, band | 0x90000000, {0, 190}, band));
    const TFont small{"ＭＳ Ｐ明朝", 26, 0, true};
    const TFont large{"ＭＳ Ｐ明朝", 56, 0, true};
    const TFont letters{"ＭＳ Ｐ明朝", 18, 0, false};
    canvas.Text(Centred(canvas, upper, small, 800), 52, upper, small, style.Upper, style.Shadow);
    canvas.Text(Centred(canvas, main, large, 800), 86, main, large, style.Main, style.Shadow);
    canvas.Text(Centred(canvas, latin, letters, 800), 160, latin, letters, style.Latin, style.Shadow);
    canvas.Line({230, 154}, {570, 154}, 2, WithAlpha(style.Main, 0xA0));
}

}  // namespace vandor::demo

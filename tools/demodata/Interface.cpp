#include "Interface.h"

#include <cmath>
#include <numbers>

#include "Canvas.h"

namespace vandor::demo {
namespace {

constexpr TColor32 kGold = 0xFFE8C468;
constexpr TColor32 kNavy = 0xFF16204A;

void Glow(TCanvas& canvas, double x, double y, double radius, TColor32 colour) {
    canvas.Fill(Ellipse(x, y, radius, radius), RadialGradient({x, y}, radius, colour, WithAlpha(colour, 0)));
}

int Centred(TCanvas& canvas, std::string_view text, const TFont& font, int width) {
    return (width - canvas.TextWidth(text, font)) / 2;
}

TBitmap32 Title() {
    TBitmap32 picture(800, 600);
    PaintFortressNight(picture);
    TCanvas canvas(picture);
    // A great star rising behind the fortress.
    Glow(canvas, 400, 250, 240, 0x70FFE8B0);
    canvas.Fill(Star(400, 250, 60, 18, 4), 0xE0FFF8E0);
    canvas.Fill(Star(400, 250, 26, 8, 4), 0xFFFFFFFF);
    // A darker band so that the title reads over the sky.
    canvas.Fill(Polygon({{0, 40}, {800, 40}, {800, 115}, {0, 115}}),
                LinearGradient({0, 40}, 0x00060A20, {0, 115}, 0x90060A20));
    canvas.Fill(Polygon({{0, 115}, {800, 115}, {800, 190}, {0, 190}}),
                LinearGradient({0, 115}, 0x90060A20, {0, 190}, 0x00060A20));
    const TFont small{"ＭＳ Ｐ明朝", 26, 0, true};
    const TFont large{"ＭＳ Ｐ明朝", 56, 0, true};
    const TFont latin{"ＭＳ Ｐ明朝", 18, 0, false};
    canvas.Text(Centred(canvas, "ヴァンドルの", small, 800), 52, "ヴァンドルの", small, 0xFFF0E0B0, 0xC0101430);
    canvas.Text(Centred(canvas, "星砦タクティクス", large, 800), 86, "星砦タクティクス", large, kGold, 0xE0101430);
    canvas.Text(Centred(canvas, "Vandor's Star Fortress Tactics", latin, 800), 160, "Vandor's Star Fortress Tactics",
                latin, 0xFFC8D4F0, 0xC0101430);
    canvas.Line({230, 154}, {570, 154}, 2, 0xA0E8C468);
    const TFont note{"ＭＳ Ｐ明朝", 16, 0, false};
    canvas.Text(Centred(canvas, "序章　―七日前―", note, 800), 560, "序章　―七日前―", note, 0xFFE0E6F8, 0xC0101430);
    return picture;
}

// A button of three frames stacked vertically. draw paints one frame's face into the
// rectangle; frame 1 is lit, frame 2 pressed (darker, its face one pixel down and right).
// The outline stays in place in every frame: the game tests the hit again on release,
// against the pressed frame, so a pixel the pressed frame leaves clear would swallow the click.
template <class Paint>
TBitmap32 ThreeFrames(int width, int height, const Paint& paint) {
    TBitmap32 picture(width, 3 * height);
    picture.Clear(0);
    TCanvas canvas(picture);
    for (int frame = 0; frame < 3; ++frame) paint(canvas, frame, frame * height);
    return picture;
}

TBitmap32 MenuButton(const char* caption) {
    constexpr int kW = 240, kH = 56;
    const TFont font{"ＭＳ Ｐ明朝", 26, 0, true};
    return ThreeFrames(kW, kH, [&](TCanvas& canvas, int frame, int top) {
        const double shift = frame == 2 ? 1 : 0;
        const TColor32 upper = frame == 1 ? 0xF0405AA8 : frame == 2 ? 0xF0141C40 : 0xE0243470;
        const TColor32 lower = frame == 1 ? 0xF0202C68 : frame == 2 ? 0xF00C1028 : 0xE0101838;
        canvas.Fill(RoundRect(2, top + 2, kW - 2, top + kH - 2, 12), frame == 1 ? 0xFFFFE8A0 : kGold);
        canvas.Fill(RoundRect(4 + shift, top + 4 + shift, kW - 4 + shift, top + kH - 4 + shift, 10),
                    LinearGradient({0, double(top)}, upper, {0, double(top + kH)}, lower));
        for (double x : {22.0, kW - 22.0}) canvas.Fill(Star(x + shift, top + kH / 2.0 + shift, 8, 3, 4), kGold);
        const TColor32 ink = frame == 1 ? 0xFFFFF4D0 : 0xFFF0E6C8;
        canvas.Text(Centred(canvas, caption, font, kW) + static_cast<int>(shift), top + 12 + static_cast<int>(shift),
                    caption, font, ink, 0xA0000010);
    });
}

// The place buttons of the tour: an emblem above the name.
enum class TEmblem { Gear, Telescope, Wall };

TBitmap32 PlaceButton(const char* caption, TEmblem emblem, TColor32 tint) {
    constexpr int kW = 200, kH = 120;
    const TFont font{"ＭＳ Ｐ明朝", 22, 0, true};
    return ThreeFrames(kW, kH, [&](TCanvas& canvas, int frame, int top) {
        const double s = frame == 2 ? 1 : 0;
        const double t = top + s;
        canvas.Fill(RoundRect(2, top + 2, kW - 2, top + kH - 2, 14), frame == 1 ? 0xFFFFE8A0 : kGold);
        canvas.Fill(RoundRect(5 + s, t + 5, kW - 5 + s, t + kH - 5, 11),
                    LinearGradient({0, t}, Shade(tint, frame == 1 ? 1.35 : frame == 2 ? 0.6 : 1.0), {0, t + kH},
                                   Shade(tint, frame == 2 ? 0.3 : 0.45)));
        const double cx = kW / 2.0 + s, cy = t + 44;
        if (frame == 1) Glow(canvas, cx, cy, 44, 0x80FFF0C0);
        switch (emblem) {
            case TEmblem::Gear:
                for (int i = 0; i < 40; ++i) {
                    const double a = 2 * std::numbers::pi * i / 40;
                    const double r = (i % 4 < 2) ? 28 : 22;
                    const double b = 2 * std::numbers::pi * (i + 1) / 40;
                    canvas.Fill(Polygon({{cx, cy}, {cx + r * std::cos(a), cy + r * std::sin(a)}, {cx + r * std::cos(b), cy + r * std::sin(b)}}), kGold);
                }
                canvas.Fill(Ellipse(cx, cy, 9, 9), Shade(tint, 0.5));
                break;
            case TEmblem::Telescope:
                canvas.Fill(Polygon({{cx - 30, cy + 14}, {cx + 22, cy - 20}, {cx + 28, cy - 10}, {cx - 24, cy + 22}}), kGold);
                canvas.Line({cx - 6, cy + 6}, {cx - 18, cy + 30}, 4, kGold);
                canvas.Line({cx - 6, cy + 6}, {cx + 8, cy + 30}, 4, kGold);
                canvas.Fill(Star(cx + 26, cy - 28, 9, 3.5, 5), 0xFFFFF6D0);
                break;
            case TEmblem::Wall:
                canvas.Fill(Polygon({{cx - 34, cy + 24}, {cx - 34, cy - 6}, {cx + 34, cy - 6}, {cx + 34, cy + 24}}), kGold);
                for (int i = 0; i < 4; ++i) {
                    const double x = cx - 34 + i * 19;
                    canvas.Fill(Polygon({{x, cy - 5}, {x, cy - 18}, {x + 11, cy - 18}, {x + 11, cy - 5}}), kGold);
                }
                canvas.Fill(RoundRect(cx - 8, cy + 6, cx + 8, cy + 25, 7), Shade(tint, 0.5));
                break;
        }
        canvas.Text(Centred(canvas, caption, font, kW) + static_cast<int>(s), static_cast<int>(t) + 80, caption, font,
                    0xFFFFF6E0, 0xB0000010);
    });
}

// A translucent panel with a gold rule along the top, stars at its ends.
TBitmap32 MessageFrame() {
    TBitmap32 picture(800, 120);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(Polygon({{0, 6}, {800, 6}, {800, 120}, {0, 120}}), LinearGradient({0, 6}, 0xD8182450, {0, 120}, 0xE8080C20));
    canvas.Line({24, 7}, {776, 7}, 2, kGold);
    canvas.Line({40, 12}, {760, 12}, 1, 0x80E8C468);
    for (double x : {20.0, 780.0}) canvas.Fill(Star(x, 8, 8, 3, 4), kGold);
    canvas.Fill(Star(400, 7, 7, 2.5, 4), kGold);
    return picture;
}

TBitmap32 ChoiceFrame(int width, int height) {
    TBitmap32 picture(width, height);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(RoundRect(0, 0, width, height, 16), 0xC0E8C468);
    canvas.Fill(RoundRect(3, 3, width - 3, height - 3, 14),
                LinearGradient({0, 0}, WithAlpha(kNavy, 0xD8), {0, double(height)}, 0xE0080C20));
    for (double x : {14.0, width - 14.0}) {
        for (double y : {14.0, height - 14.0}) canvas.Fill(Star(x, y, 7, 2.5, 4), kGold);
    }
    return picture;
}

}  // namespace

std::vector<TPicture> MakeInterface() {
    std::vector<TPicture> pictures;
    pictures.push_back({"title.png", Title()});
    pictures.push_back({"btn_start.png", MenuButton("はじめる")});
    pictures.push_back({"btn_end.png", MenuButton("おわる")});
    pictures.push_back({"btn_works.png", PlaceButton("ミオの工房", TEmblem::Gear, 0xFF8A5A30)});
    pictures.push_back({"btn_tower.png", PlaceButton("星読みの塔", TEmblem::Telescope, 0xFF3A3A8A)});
    pictures.push_back({"btn_wall.png", PlaceButton("北の城壁", TEmblem::Wall, 0xFF4A5A6A)});
    pictures.push_back({"frame_msg.png", MessageFrame()});
    pictures.push_back({"frame_choice.png", ChoiceFrame(400, 220)});
    pictures.push_back({"frame_choice2.png", ChoiceFrame(560, 180)});
    return pictures;
}

}  // namespace vandor::demo

#include "Interface.h"

#include <cmath>
#include <numbers>

#include "Widgets.h"

namespace vandor::demo {
namespace {

// The title with its chapter line; the lettering is the game's logo in both languages.
TBitmap32 Title(const char* chapter) {
    TBitmap32 picture(800, 600);
    PaintFortressNight(picture);
    TCanvas canvas(picture);
    // A great star rising behind the fortress.
    Glow(canvas, 400, 250, 240, 0x70FFE8B0);
    canvas.Fill(Star(400, 250, 60, 18, 4), 0xE0FFF8E0);
    canvas.Fill(Star(400, 250, 26, 8, 4), 0xFFFFFFFF);
    TitleLettering(canvas, "ヴァンドルの", "星砦タクティクス", "Vandor's Star Fortress Tactics",
                   {0xFF060A20, 0xFFF0E0B0, kGold, 0xFFC8D4F0, 0xE0101430});
    const TFont note{"ＭＳ Ｐ明朝", 16, 0, false};
    canvas.Text(Centred(canvas, chapter, note, 800), 560, chapter, note, 0xFFE0E6F8, 0xC0101430);
    return picture;
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
                    LinearGradient({0, t},
                                   Shade(tint, frame == 1   ? 1.35
                                               : frame == 2 ? 0.6
                                                            : 1.0),
                                   {0, t + kH}, Shade(tint, frame == 2 ? 0.3 : 0.45)));
        const double cx = kW / 2.0 + s, cy = t + 44;
        if (frame == 1) Glow(canvas, cx, cy, 44, 0x80FFF0C0);
        switch (emblem) {
            case TEmblem::Gear:
                for (int i = 0; i < 40; ++i) {
                    const double a = 2 * std::numbers::pi * i / 40;
                    const double r = (i % 4 < 2) ? 28 : 22;
                    const double b = 2 * std::numbers::pi * (i + 1) / 40;
                    canvas.Fill(Polygon({{cx, cy},
                                         {cx + r * std::cos(a), cy + r * std::sin(a)},
                                         {cx + r * std::cos(b), cy + r * std::sin(b)}}),
                                kGold);
                }
                canvas.Fill(Ellipse(cx, cy, 9, 9), Shade(tint, 0.5));
                break;
            case TEmblem::Telescope:
                canvas.Fill(Polygon({{cx - 30, cy + 14}, {cx + 22, cy - 20}, {cx + 28, cy - 10}, {cx - 24, cy + 22}}),
                            kGold);
                canvas.Line({cx - 6, cy + 6}, {cx - 18, cy + 30}, 4, kGold);
                canvas.Line({cx - 6, cy + 6}, {cx + 8, cy + 30}, 4, kGold);
                canvas.Fill(Star(cx + 26, cy - 28, 9, 3.5, 5), 0xFFFFF6D0);
                break;
            case TEmblem::Wall:
                canvas.Fill(Polygon({{cx - 34, cy + 24}, {cx - 34, cy - 6}, {cx + 34, cy - 6}, {cx + 34, cy + 24}}),
                            kGold);
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
    canvas.Fill(Polygon({{0, 6}, {800, 6}, {800, 120}, {0, 120}}),
                LinearGradient({0, 6}, 0xD8182450, {0, 120}, 0xE8080C20));
    canvas.Line({24, 7}, {776, 7}, 2, kGold);
    canvas.Line({40, 12}, {760, 12}, 1, 0x80E8C468);
    for (double x : {20.0, 780.0}) canvas.Fill(Star(x, 8, 8, 3, 4), kGold);
    canvas.Fill(Star(400, 7, 7, 2.5, 4), kGold);
    return picture;
}

// The mark that waits for a click at a page's end: a small gold star that bobs and
// twinkles, eight frames of 20 x 20 side by side.
TBitmap32 PageEndMark() {
    constexpr int kFrames = 8, kSize = 20;
    TBitmap32 picture(kFrames * kSize, kSize);
    picture.Clear(0);
    TCanvas canvas(picture);
    for (int frame = 0; frame < kFrames; ++frame) {
        const double phase = 2 * std::numbers::pi * frame / kFrames;
        const double cx = frame * kSize + kSize / 2.0;
        const double cy = kSize / 2.0 + 2 * std::sin(phase);
        Glow(canvas, cx, cy, 7 + std::cos(phase), 0x90FFE8A0);
        canvas.Fill(Star(cx, cy, 6 + std::cos(phase), 2.5, 4), kGold);
        canvas.Fill(Star(cx, cy, 3, 1, 4), 0xFFFFFFF0);
    }
    return picture;
}

}  // namespace

std::vector<TPicture> MakeInterface() {
    std::vector<TPicture> pictures;
    pictures.push_back({"title.png", Title("序章　―七日前―")});
    pictures.push_back({"btn_start.png", CaptionButton("はじめる", 240, 56, 26)});
    pictures.push_back({"btn_end.png", CaptionButton("おわる", 240, 56, 26)});
    pictures.push_back({"btn_continue.png", CaptionButton("つづきから", 240, 56, 26)});
    pictures.push_back({"btn_howto.png", CaptionButton("遊び方", 240, 56, 26)});
    // The how-to-play's page buttons.
    pictures.push_back({"btn_page_prev.png", CaptionButton("前へ", 160, 44, 20)});
    pictures.push_back({"btn_page_next.png", CaptionButton("次へ", 160, 44, 20)});
    pictures.push_back({"btn_page_title.png", CaptionButton("タイトルへ", 160, 44, 20)});
    pictures.push_back({"btn_works.png", PlaceButton("ミオの工房", TEmblem::Gear, 0xFF8A5A30)});
    pictures.push_back({"btn_tower.png", PlaceButton("星読みの塔", TEmblem::Telescope, 0xFF3A3A8A)});
    pictures.push_back({"btn_wall.png", PlaceButton("北の城壁", TEmblem::Wall, 0xFF4A5A6A)});
    pictures.push_back({"frame_msg.png", MessageFrame()});
    pictures.push_back({"frame_choice.png", Panel(400, 220, 16, true)});
    pictures.push_back({"frame_choice2.png", Panel(560, 180, 16, true)});
    pictures.push_back({"mark_page.png", PageEndMark()});
    return pictures;
}

std::vector<TPicture> MakeEnglishInterface() {
    std::vector<TPicture> pictures;
    pictures.push_back({"title.png", Title("Prologue: Seven Days Before")});
    pictures.push_back({"btn_start.png", CaptionButton("Start", 240, 56, 26)});
    pictures.push_back({"btn_end.png", CaptionButton("Quit", 240, 56, 26)});
    pictures.push_back({"btn_continue.png", CaptionButton("Continue", 240, 56, 26)});
    pictures.push_back({"btn_howto.png", CaptionButton("How to Play", 240, 56, 26)});
    pictures.push_back({"btn_page_prev.png", CaptionButton("Previous", 160, 44, 20)});
    pictures.push_back({"btn_page_next.png", CaptionButton("Next", 160, 44, 20)});
    pictures.push_back({"btn_page_title.png", CaptionButton("Title", 160, 44, 20)});
    pictures.push_back({"btn_works.png", PlaceButton("Mio's Workshop", TEmblem::Gear, 0xFF8A5A30)});
    pictures.push_back({"btn_tower.png", PlaceButton("Stargazer's Tower", TEmblem::Telescope, 0xFF3A3A8A)});
    pictures.push_back({"btn_wall.png", PlaceButton("North Wall", TEmblem::Wall, 0xFF4A5A6A)});
    return pictures;
}

}  // namespace vandor::demo

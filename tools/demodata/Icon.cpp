#include "Icon.h"

#include <cmath>
#include <numbers>
#include <string>

#include "Widgets.h"

namespace vandor::demo {
namespace {

// The icon is drawn on a grid of this many units a side, whatever its size in pixels.
constexpr double kUnits = 256;
// The icon theme's folders the build installs into (tools/demodata/CMakeLists.txt).
constexpr int kSizes[] = {48, 128, 256};
constexpr TColor32 kSkyTop = 0xFF060A20;
constexpr TColor32 kSkyLow = 0xFF1E2D5A;
constexpr TColor32 kStone = 0xFF232A44;

// The fortress's outline seen from above, as on the fortress plan: five bastion points
// with the walls folding in between them, the first point to the north.
TPath Bastions(double cx, double cy, double outer, double inner) { return Star(cx, cy, outer, inner, 5); }

void PaintIcon(TCanvas canvas) {
    const TPath tile = RoundRect(8, 8, kUnits - 8, kUnits - 8, 44);
    canvas.Fill(tile, kGold);
    canvas.Fill(RoundRect(14, 14, kUnits - 14, kUnits - 14, 38),
                LinearGradient({0, 14}, kSkyTop, {0, kUnits - 14}, kSkyLow));
    // A few stars of the night sky, kept to the corners the fortress leaves free.
    for (const TPointF star :
         {TPointF{44, 52}, TPointF{212, 48}, TPointF{36, 196}, TPointF{220, 204}, TPointF{196, 94}}) {
        canvas.Fill(Ellipse(star.X, star.Y, 3, 3), 0xD0F4F0FF);
    }

    const double cx = kUnits / 2, cy = 138;
    Glow(canvas, cx, cy, 104, 0x50FFC060);
    canvas.Fill(Bastions(cx, cy, 104, 50), kGold);
    canvas.Fill(Bastions(cx, cy, 90, 42),
                LinearGradient({0, cy - 90}, Shade(kStone, 1.6), {0, cy + 80}, Shade(kStone, 0.8)));
    // The lights on the five bastions, as the towers of the title picture carry them.
    for (int i = 0; i < 5; ++i) {
        const double angle = -std::numbers::pi / 2 + 2 * std::numbers::pi * i / 5;
        canvas.Fill(Ellipse(cx + 70 * std::cos(angle), cy + 70 * std::sin(angle), 7, 7), 0xFFFFD27A);
    }
    // The great star of the title rising over the keep.
    Glow(canvas, cx, cy, 64, 0x90FFE8B0);
    canvas.Fill(Star(cx, cy, 58, 15, 4), 0xF0FFF8E0);
    canvas.Fill(Star(cx, cy, 25, 8, 4), 0xFFFFFFFF);
}

}  // namespace

std::vector<TPicture> MakeIcons() {
    std::vector<TPicture> icons;
    for (const int size : kSizes) {
        TBitmap32 picture(size, size);
        picture.Clear(0);
        PaintIcon(TCanvas(picture).At({0, 0}, size / kUnits));
        const std::string side = std::to_string(size);
        icons.push_back({side + "x" + side + ".png", std::move(picture)});
    }
    return icons;
}

}  // namespace vandor::demo

// The towers the player builds, 32 x 48, standing on the middle of their cell (16, 40),
// each of its own colour and outline so that it is known at a glance on a crowded
// field; and the sheet of the shots that are drawn from a picture.

#include <cmath>
#include <string>

#include "Battle.h"
#include "Isometric.h"

namespace vandor::demo {
namespace {

constexpr TColor32 kPlinth = 0xFFA8A294;
constexpr TColor32 kWood = 0xFFA8743E;
constexpr TColor32 kGrey = 0xFFB8B4AC;

// A slit in a wall face that rises or falls along the face's slope.
void Slit(TCanvas& canvas, double x, double y, double slope, TColor32 colour) {
    canvas.Fill(Polygon({{x, y}, {x + 1.4, y + 1.4 * slope}, {x + 1.4, y + 1.4 * slope - 3.5}, {x, y - 3.5}}), colour);
}

void Watchtower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, kPlinth);
    Block(canvas, 0, -3, 7, 20, kWood);
    for (double y : {-9.0, -16.0}) canvas.Line({-7, y - 3.5}, {0, y}, 0.8, 0x80402010);
    Block(canvas, 0, -23, 10, 2.5, Shade(kWood, 0.8));
    Pyramid(canvas, 0, -25.5, 9, 10, 0xFFD8B058);
}

void BowTower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, kPlinth);
    Block(canvas, 0, -3, 8, 24, kGrey);
    for (double x : {-6.0, -3.0}) Slit(canvas, x, -12 + (x + 8) / 2 - 4, 0.5, kInk);
    Slit(canvas, 3.5, -15.5 - 1.75, -0.5, kInk);
    Battlements(canvas, 0, -27, 8, kGrey);
    canvas.Line({0, -27}, {0, -38}, 1.2, kInk);
    canvas.Fill(Polygon({{0.5, -38}, {8, -36}, {0.5, -33.5}}), 0xFF2E9A4A);
}

void MagicBowTower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, 0xFFB8C4D8);
    Cylinder(canvas, 0, -3, 7, 21, 0xFFE8EEF8);
    for (double x : {-3.5, 1.5}) {
        Glow(canvas, x + 1, -14, 4, 0x9060D8FF);
        Slit(canvas, x, -12, 0, 0xFF60D8FF);
    }
    Cone(canvas, 0, -24, 8, 7, 0xFF3A7AD8);
    Glow(canvas, 0, -35.5, 5, 0xA080E8FF);
    canvas.Outline(Polygon({{0, -39}, {2.2, -35.5}, {0, -32.5}, {-2.2, -35.5}}), 0xFF1A4A8A);
    canvas.Fill(Polygon({{0, -39}, {2.2, -35.5}, {0, -32.5}, {-2.2, -35.5}}),
                LinearGradient({-2, -39}, 0xFFFFFFFF, {2, -32}, 0xFF60C8FF));
}

void Catapult(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, kPlinth);
    Block(canvas, 0, -3, 10, 4, kWood);
    for (double x : {-7.0, -2.0}) {
        const double y = -3 + (x + 10) / 2 - 2;
        canvas.Outline(Ellipse(x, y, 2.3, 2.6), kInk);
        canvas.Fill(Ellipse(x, y, 2.3, 2.6), 0xFF5A3A20);
    }
    Block(canvas, -4, -9, 1.3, 9, kWood);
    Block(canvas, 4, -5, 1.3, 9, kWood);
    canvas.Line({-4, -17}, {4, -13}, 2.2, kInk);
    canvas.Line({-4, -17}, {4, -13}, 1.2, Shade(kWood, 0.8));
    canvas.Line({3, -10}, {-6, -27}, 3, kInk);
    canvas.Line({3, -10}, {-6, -27}, 1.6, Shade(kWood, 1.1));
    canvas.Outline(Ellipse(-6.5, -29, 3, 3), kInk);
    canvas.Fill(Ellipse(-6.5, -29, 3, 3), RadialGradient({-7.5, -30}, 4, 0xFFC0BCB4, 0xFF707068));
}

void PoisonTower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, 0xFF7A7488);
    Cylinder(canvas, 0, -3, 7, 20, 0xFF7A6A94);
    for (double x : {-4.0, 1.0}) {
        Glow(canvas, x + 1, -11, 4, 0xA080FF40);
        Slit(canvas, x, -9, 0, 0xFFA0FF50);
    }
    Cone(canvas, 0, -23, 8.5, 10, 0xFF7AB830);
    for (double x : {-5.0, 0.0, 4.5}) canvas.Fill(Ellipse(x, -20 + std::abs(x) * 0.2, 0.9, 1.6), 0xFFB8FF60);
    Glow(canvas, 0, -35, 4, 0xC0A0FF40);
    canvas.Fill(Ellipse(0, -35, 1.6, 2), 0xFFD8FF90);
}

void Shrine(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, 0xFFE8E0D0);
    Block(canvas, 0, -3, 9, 12, 0xFFF6F2E8);
    canvas.Fill(Polygon({{-6, -3.5}, {-3, -2}, {-3, -9}, {-4.5, -10.5}, {-6, -10.5}}), 0xFFB03A2A);
    canvas.Line({-9, -15}, {0, -10.5}, 1, 0xFFE8C060);
    canvas.Line({0, -10.5}, {9, -15}, 1, 0xFFC8A040);
    Dome(canvas, 0, -15, 7.5, 0xFFE8C060);
    Glow(canvas, 0, -29, 8, 0xB0FFF0B0);
    canvas.Fill(Star(0, -29, 4.5, 1.8, 5), 0xFFFFF4C0);
}

void SorceryTower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, 0xFF6A6478);
    Cylinder(canvas, 0, -3, 5.5, 22, 0xFF5A4A9A);
    Glow(canvas, -1, -15, 4, 0xA0FF60E0);
    canvas.Fill(RoundRect(-2, -18, 0, -13, 1), 0xFFFFA0F0);
    Cone(canvas, 0, -25, 8, 11, 0xFF2A1E5A);
    for (const TPointF& p : {TPointF{-3, -27}, TPointF{1.5, -30}, TPointF{3.5, -25.5}}) {
        canvas.Fill(Star(p.X, p.Y, 1.4, 0.5, 4), 0xFFE8C860);
    }
    Glow(canvas, 0, -37, 3.5, 0xC0FF60E0);
    canvas.Fill(Ellipse(0, -37, 1.5, 1.5), 0xFFFFE0FA);
}

// A fire-breathing face of red stone between two horns, a flame on its top.
void DragonTower(TCanvas& canvas) {
    Block(canvas, 0, 0, 12, 3, 0xFF6A5048);
    Cylinder(canvas, 0, -3, 8, 16, 0xFF9A2E24);
    for (double side : {-1.0, 1.0}) {
        TPath horn;
        horn.MoveTo(side * 5, -18)
            .CurveTo(side * 9, -20, side * 12, -24, side * 11, -31)
            .CurveTo(side * 9, -26, side * 7, -22, side * 3, -20);
        canvas.Outline(horn, kInk);
        canvas.Fill(horn, 0xFFEDE2C8);
        canvas.Fill(Ellipse(side * 3, -12, 1.6, 1), 0xFFFFD040);
    }
    canvas.Fill(Polygon({{-3, -7}, {3, -7}, {2, -5}, {-2, -5}}), 0xFF2A0A08);
    Glow(canvas, 0, -25, 9, 0xB0FF8020);
    TPath flame;
    flame.MoveTo(0, -36).CurveTo(5, -30, 5, -22, 0, -21).CurveTo(-5, -22, -5, -30, 0, -36);
    canvas.Fill(flame, RadialGradient({0, -24}, 12, 0xFFFFF2A0, 0xFFFF4A10));
}

// The shot sheet, 32 x 32: a stone (0, 8)-(8, 16), the trail dot of magic shots
// (8, 8)-(16, 16), the magic bolt (0, 16)-(16, 32), the trail dot of fire (16, 8)-(24, 16)
// and the dragon's fireball (16, 16)-(32, 32); every sprite centred in its frame.
TBitmap32 Shots() {
    TBitmap32 sheet(32, 32);
    sheet.Clear(0);
    TCanvas canvas(sheet);
    canvas.Outline(Ellipse(4, 12, 2.6, 2.4), kInk);
    canvas.Fill(Ellipse(4, 12, 2.6, 2.4), RadialGradient({3.2, 11.2}, 3.5, 0xFFD0CCC4, 0xFF6A6860));
    Glow(canvas, 12, 12, 4, 0xE0A8E8FF);
    canvas.Fill(Ellipse(12, 12, 1.2, 1.2), 0xFFFFFFFF);
    Glow(canvas, 8, 24, 8, 0xC080C8FF);
    canvas.Fill(Star(8, 24, 5.5, 1.8, 4), 0xF0E0F4FF);
    canvas.Fill(Ellipse(8, 24, 2, 2), 0xFFFFFFFF);
    Glow(canvas, 20, 12, 4, 0xE0FFA040);
    canvas.Fill(Ellipse(20, 12, 1.2, 1.2), 0xFFFFE8A0);
    Glow(canvas, 24, 24, 8, 0xD0FF5010);
    canvas.Fill(Ellipse(24, 24, 5, 5), RadialGradient({23, 23}, 5.5, 0xFFFFF0A0, 0xFFFF4010));
    canvas.Fill(Ellipse(23, 23, 2, 2), 0xFFFFFFE0);
    return sheet;
}

}  // namespace

void DrawTower(TCanvas& canvas, int kind) {
    switch (kind) {
        case 1: Watchtower(canvas); break;
        case 2: BowTower(canvas); break;
        case 3: MagicBowTower(canvas); break;
        case 4: Catapult(canvas); break;
        case 5: PoisonTower(canvas); break;
        case 6: Shrine(canvas); break;
        case 7: SorceryTower(canvas); break;
        default: DragonTower(canvas); break;
    }
}

std::vector<TPicture> MakeTowers() {
    std::vector<TPicture> pictures;
    for (int kind = 1; kind <= 8; ++kind) {
        TBitmap32 picture(32, 48);
        picture.Clear(0);
        TCanvas canvas = TCanvas(picture).At({16, 40});
        DrawTower(canvas, kind);
        pictures.push_back({"塔" + std::to_string(kind) + ".png", std::move(picture)});
    }
    pictures.push_back({"弾丸.png", Shots()});
    return pictures;
}

}  // namespace vandor::demo

// The obstacle chips the battle maps place on cells: 32 pictures of 32 x 32 in two
// rows of sixteen, each standing on the middle of its cell (16, 24).

#include <cmath>
#include <functional>
#include <numbers>
#include <tuple>

#include "Battle.h"
#include "Isometric.h"

namespace vandor::demo {
namespace {

constexpr TColor32 kBark = 0xFF7A5232;
constexpr TColor32 kLeaves = 0xFF3E8A34;
constexpr TColor32 kRuinStone = 0xFFB8B0A0;
constexpr TColor32 kSnow = 0xFFF4F8FF;

struct TCircle {
    double X, Y, R;
};

// Overlapping circles read as one mass: all outlined first, then all filled, lit from
// the upper left.
void Blob(TCanvas& canvas, std::initializer_list<TCircle> circles, TColor32 colour) {
    for (const TCircle& c : circles) canvas.Outline(Ellipse(c.X, c.Y, c.R, c.R), kInk);
    for (const TCircle& c : circles) {
        canvas.Fill(Ellipse(c.X, c.Y, c.R, c.R),
                    RadialGradient({c.X - c.R / 2, c.Y - c.R / 2}, c.R * 1.6, Shade(colour, 1.2), Shade(colour, 0.7)));
    }
}

void Dots(TCanvas& canvas, TRandom& random, int count, double spreadX, double top, double bottom, TColor32 colour) {
    for (int i = 0; i < count; ++i) {
        const double x = random.Range(-spreadX, spreadX), y = random.Range(top, bottom);
        canvas.Fill(Ellipse(x, y, 1, 1), colour);
    }
}

void RoundTree(TCanvas& canvas, TColor32 leaves, double size) {
    Shadow(canvas, 0, 0, 10 * size);
    Cylinder(canvas, 0, 0, 1.8, 9, kBark);
    Blob(canvas,
         {{-4.5 * size, -11 * size, 5.5 * size}, {4.5 * size, -11 * size, 5.5 * size}, {0, -15 * size, 6.5 * size}},
         leaves);
}

void Pine(TCanvas& canvas, double x, double height, bool snow) {
    Shadow(canvas, x, 0, 7);
    Cylinder(canvas, x, 0, 1.5, 4, kBark);
    const double tier = height / 3;
    for (int i = 0; i < 3; ++i) {
        const double base = -3 - tier * i * 0.8, half = 7 - 1.6 * i;
        const TPath needles = Polygon({{x - half, base}, {x, base - tier * 1.3}, {x + half, base}, {x, base + 2}});
        canvas.Outline(needles, kInk);
        canvas.Fill(needles, LinearGradient({x - half, 0}, 0xFF2E7A3E, {x + half, 0}, 0xFF1A4A2A));
        if (snow) {
            const double line = base - tier * 0.75;
            canvas.Fill(Polygon({{x - half * 0.45, line}, {x, base - tier * 1.3}, {x + half * 0.45, line}}), kSnow);
        }
    }
}

void DeadTree(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 7);
    const TColor32 wood = 0xFF6A5040;
    const std::tuple<TPointF, TPointF, double> branches[] = {
        {{0, 0}, {0, -16}, 3.0},     {{0, -9}, {-6, -16}, 1.8},  {{0, -12}, {5, -20}, 1.8},
        {{-6, -16}, {-8, -21}, 1.2}, {{0, -16}, {-1, -22}, 1.5},
    };
    for (const auto& [from, to, width] : branches) {
        canvas.Line(from, to, width + 2, kInk);
        canvas.Line(from, to, width, wood);
    }
}

void Bush(TCanvas& canvas, TColor32 leaves, TColor32 blossom, uint32_t seed) {
    Shadow(canvas, 0, 0, 9);
    Blob(canvas, {{-4, -4, 4.5}, {4, -4, 4.5}, {0, -7, 5}}, leaves);
    if ((blossom >> 24) == 0) return;
    TRandom random(seed);
    Dots(canvas, random, 7, 6, -10, -2, blossom);
}

// A boulder of a few facets, its top lit.
void Rock(TCanvas& canvas, TColor32 stone, double size, uint32_t seed, bool snow) {
    TRandom random(seed);
    TPath rock, top;
    for (int i = 0; i < 9; ++i) {
        const double a = std::numbers::pi * (1 + i / 8.0);  // the upper half, left to right
        const double r = size * random.Range(0.8, 1.1);
        rock.LineTo(r * std::cos(a), -size * 0.4 + r * std::sin(a) * 0.9);
        top.LineTo(r * 0.7 * std::cos(a) - size * 0.1, -size * 0.55 + r * 0.6 * std::sin(a) * 0.9);
    }
    rock.LineTo(size * 0.6, size * 0.3).LineTo(-size * 0.5, size * 0.35);
    Shadow(canvas, 0, 0, size * 1.1);
    canvas.Outline(rock, kInk);
    canvas.Fill(rock, LinearGradient({-size, 0}, Shade(stone, 0.95), {size, 0}, Shade(stone, 0.6)));
    canvas.Fill(top, snow ? kSnow : Shade(stone, 1.15));
}

void Pillar(TCanvas& canvas, double x, double y, double height) {
    Block(canvas, x, y, 4.5, 2, kRuinStone);
    Cylinder(canvas, x, y - 2, 2.8, height, kRuinStone);
    // A broken top, higher on one side.
    canvas.Fill(Polygon({{x - 2.8, y - 2 - height},
                         {x - 1, y - 4 - height},
                         {x + 1, y - 2.5 - height},
                         {x + 2.8, y - 3.5 - height},
                         {x + 2.8, y - 1.5 - height},
                         {x - 2.8, y - 1 - height}}),
                Shade(kRuinStone, 1.1));
}

void RuinedWall(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 12);
    Block(canvas, -5, 2.5, 5, 14, kRuinStone);
    Block(canvas, 2, -1, 5, 8, Shade(kRuinStone, 0.95));
    Block(canvas, 8, 2, 2.5, 2.5, kRuinStone);
}

void Rubble(TCanvas& canvas, uint32_t seed) {
    TRandom random(seed);
    Shadow(canvas, 0, 0, 11);
    for (int i = 0; i < 7; ++i) {
        const double y = -4 + i * 1.3;
        const double x = random.Range(-8, 8), size = random.Range(1.8, 3.5), height = random.Range(1.5, 4);
        Block(canvas, x, y, size, height, Shade(kRuinStone, random.Range(0.8, 1.05)));
    }
}

// A cottage whose ridge runs towards the lower right: wall block, then the far roof
// slope, the near slope and the near gable.
void Hut(TCanvas& canvas, TColor32 wall, TColor32 roof) {
    constexpr double w = 9, h = 8, rise = 8;
    Shadow(canvas, 0, 0, 13);
    Block(canvas, 0, 0, w, h, wall);
    const double t = -h;
    const TPointF left{-w, t}, top{0, t - w / 2}, right{w, t}, bottom{0, t + w / 2};
    const TPointF ridgeBack{-w / 2, t - w / 4 - rise}, ridgeFront{w / 2, t + w / 4 - rise};
    const TPath back = Polygon({ridgeBack, ridgeFront, right, top});
    const TPath near = Polygon({left, bottom, ridgeFront, ridgeBack});
    const TPath gable = Polygon({bottom, right, ridgeFront});
    for (const TPath* part : {&back, &near, &gable}) canvas.Outline(*part, kInk);
    canvas.Fill(back, Shade(roof, 0.7));
    canvas.Fill(near, roof);
    canvas.Fill(gable, Shade(wall, 0.75));
    // The door on the lower left wall.
    canvas.Fill(Polygon({{-5, 2.5}, {-2.5, 3.75}, {-2.5, -1.25}, {-5, -2.5}}), 0xFF4A3020);
}

void Tent(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 11);
    Pyramid(canvas, 0, 0, 10, 16, 0xFFE0D0A8);
    canvas.Fill(Polygon({{-4, 2.5}, {-1, 4}, {-2, -4}}), 0xFF5A4030);
    canvas.Line({0, -16}, {0, -20}, 1.2, kInk);
    canvas.Fill(Polygon({{0, -20}, {4, -19}, {0, -18}}), 0xFFC83030);
}

void Pond(TCanvas& canvas, bool lilies) {
    canvas.Fill(GroundEllipse(0, 0, 13), 0xFF6A5A3A);
    canvas.Fill(GroundEllipse(0, 0.5, 11.5), LinearGradient({0, -6}, 0xFF3A6A9A, {0, 6}, 0xFF5A9ACA));
    for (double y : {-1.5, 2.0}) canvas.Line({-5 + y, y}, {1 + y, y}, 1, 0xA0E8F4FF);
    if (!lilies) return;
    for (const TPointF& p : {TPointF{-5, 1}, TPointF{4, -1.5}, TPointF{2, 3}}) {
        canvas.Fill(Ellipse(p.X, p.Y, 2.2, 1.2), 0xFF4A9A3A);
        canvas.Fill(Ellipse(p.X + 0.5, p.Y - 0.5, 0.8, 0.8), 0xFFF8C8E0);
    }
}

void Well(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 9);
    for (double x : {-5.0, 5.0}) canvas.Line({x, 0}, {x, -15}, 2, 0xFF5A3A22);
    Cylinder(canvas, 0, 0, 5.5, 6, kRuinStone);
    canvas.Fill(GroundEllipse(0, -6, 3.8), 0xFF1E3A5A);
    Pyramid(canvas, 0, -15, 7, 5, 0xFF9A3A2A);
}

void Reeds(TCanvas& canvas, uint32_t seed) {
    TRandom random(seed);
    canvas.Fill(GroundEllipse(0, 0, 11), 0xC0384A3A);
    for (int i = 0; i < 9; ++i) {
        const double x = random.Range(-8, 8), y = random.Range(-2, 3), h = random.Range(9, 17);
        const TPointF tip{x + random.Range(-2, 2), y - h};
        canvas.Line({x, y}, tip, 1, 0xFF4A7A2A);
        if (i % 3 == 0) canvas.Fill(Ellipse(tip.X, tip.Y + 1.5, 1, 2), 0xFF6A4028);
    }
}

void Stump(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 7);
    Cylinder(canvas, 0, 0, 4.5, 4, kBark);
    canvas.Fill(GroundEllipse(0, -4, 3.5), 0xFFD8B07A);
    canvas.Fill(GroundEllipse(0, -4, 1.5), 0xFFB08050);
}

void Crates(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 11);
    Block(canvas, -4, -1, 4.5, 7, 0xFFB08050);
    Block(canvas, 4, 2, 4, 6, 0xFFA07040);
    Block(canvas, -3, -8, 3.5, 5, 0xFFC09060);
    Cylinder(canvas, 7, -3, 3, 8, 0xFF8A5A30);
}

void StandingStones(TCanvas& canvas) {
    Shadow(canvas, 0, 0, 12);
    for (const auto& [x, y, h] : {std::tuple{-6.0, -2.0, 13.0}, {5.0, -3.0, 10.0}, {0.0, 3.0, 16.0}}) {
        Extrude(canvas, GroundEllipse(x, y, 2.6), h, 0xFF8A8C90);
    }
}

using TChip = std::function<void(TCanvas&)>;

// In order: round trees, pines, an autumn tree and a dead one (0-5); bushes (6-8);
// rocks (9-12); a ruined pillar, wall and rubble (13-15); huts and a tent (16-19);
// ponds, a well and reeds (20-23); a snowy pine and rock, a stump, a haystack,
// crates, broken pillars, standing stones and two pines (24-31).

const std::vector<TChip>& Chips() {
    static const std::vector<TChip> chips = {
        [](TCanvas& c) { RoundTree(c, kLeaves, 1); },
        [](TCanvas& c) { RoundTree(c, 0xFF2E6A2E, 0.9); },
        [](TCanvas& c) { Pine(c, 0, 16, false); },
        [](TCanvas& c) { Pine(c, 0, 19, false); },
        [](TCanvas& c) { RoundTree(c, 0xFFD08030, 1); },
        [](TCanvas& c) { DeadTree(c); },
        [](TCanvas& c) { Bush(c, 0xFF4A9A3A, 0, 1); },
        [](TCanvas& c) { Bush(c, 0xFF3E8A3A, 0xFFF090C0, 2); },
        [](TCanvas& c) { Bush(c, 0xFF5A9A34, 0xFFFFE060, 3); },
        [](TCanvas& c) { Rock(c, 0xFF9A9894, 8, 4, false); },
        [](TCanvas& c) { Rock(c, 0xFF8A8884, 11, 5, false); },
        [](TCanvas& c) { Rock(c, 0xFF7A8A6A, 9, 6, false); },
        [](TCanvas& c) { Rock(c, 0xFFC8A878, 9, 7, false); },
        [](TCanvas& c) { Pillar(c, 0, 0, 14); },
        [](TCanvas& c) { RuinedWall(c); },
        [](TCanvas& c) { Rubble(c, 8); },
        [](TCanvas& c) { Hut(c, 0xFFE0D0B0, 0xFFC8A050); },
        [](TCanvas& c) { Hut(c, 0xFFF0E8DA, 0xFFB84030); },
        [](TCanvas& c) { Hut(c, 0xFFB8B0A4, 0xFF5A6A80); },
        [](TCanvas& c) { Tent(c); },
        [](TCanvas& c) { Pond(c, false); },
        [](TCanvas& c) { Pond(c, true); },
        [](TCanvas& c) { Well(c); },
        [](TCanvas& c) { Reeds(c, 9); },
        [](TCanvas& c) { Pine(c, 0, 19, true); },
        [](TCanvas& c) { Rock(c, 0xFF9098A0, 9, 10, true); },
        [](TCanvas& c) { Stump(c); },
        [](TCanvas& c) { Dome(c, 0, 0, 8.5, 0xFFE0B850); },
        [](TCanvas& c) { Crates(c); },
        [](TCanvas& c) {
            Pillar(c, -5, -1, 9);
            Pillar(c, 5, 2, 12);
        },
        [](TCanvas& c) { StandingStones(c); },
        [](TCanvas& c) {
            Pine(c, -5, 14, false);
            Pine(c, 5, 18, false);
        },
    };
    return chips;
}

}  // namespace

std::vector<TPicture> MakeObstacles() {
    TBitmap32 sheet(512, 64);
    sheet.Clear(0);
    const TCanvas canvas(sheet);
    const std::vector<TChip>& chips = Chips();
    for (std::size_t c = 0; c < chips.size(); ++c) {
        TCanvas chip = canvas.At({32.0 * (c % 16) + 16, 32.0 * (c / 16) + 24});
        chips[c](chip);
    }
    std::vector<TPicture> pictures;
    pictures.push_back({"マップチップ.png", std::move(sheet)});
    return pictures;
}

}  // namespace vandor::demo

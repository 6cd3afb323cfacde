#include "Scenery.h"

#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

#include "Canvas.h"

namespace vandor::demo {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kPi = std::numbers::pi;

// Colours of an outdoor scene at one time of day.
struct TPalette {
    TColor32 SkyTop, SkyHorizon, Land, Fortress, Light;
    int Stars;
};

const TPalette kDusk{0xFF2A2250, 0xFFF0955A, 0xFF3A2A3A, 0xFF2A2035, 0xFFFFD27A, 25};
const TPalette kNight{0xFF060A20, 0xFF1E2D5A, 0xFF0E1424, 0xFF232A44, 0xFFFFC060, 220};
const TPalette kAsh{0xFF3A4250, 0xFFB8B4B0, 0xFF4A4C52, 0xFF30343C, 0xFFE8E0D0, 40};

TBitmap32 NewPicture() { return TBitmap32(kWidth, kHeight); }

void Stars(TCanvas& canvas, TRandom& random, int count, double maxY, double brightness) {
    for (int i = 0; i < count; ++i) {
        const double x = random.Range(0, kWidth), y = random.Range(0, maxY);
        const double size = random.Next() < 0.08 ? 2.2 : random.Range(0.6, 1.3);
        const int alpha = static_cast<int>(brightness * random.Range(120, 255) * (1 - y / maxY * 0.6));
        canvas.Fill(Ellipse(x, y, size, size), WithAlpha(0xFFF4F0FF, alpha));
        if (size > 2)
            canvas.Fill(Ellipse(x, y, 6, 6), RadialGradient({x, y}, 6, WithAlpha(0xFFBFD0FF, alpha / 3), 0x00BFD0FF));
    }
}

void Sky(TCanvas& canvas, TColor32 top, TColor32 horizon, double horizonY) {
    canvas.FillAll(LinearGradient({0, 0}, top, {0, horizonY}, horizon));
}

// Rolling land from the horizon down, with a darker band of forest far away.
void Land(TCanvas& canvas, TRandom& random, double horizon, TColor32 colour, bool forest) {
    if (forest) {
        TPath trees;
        trees.MoveTo(0, horizon + 10);
        for (double x = 0; x <= kWidth; x += random.Range(9, 16)) {
            trees.LineTo(x, horizon + 6 - random.Range(6, 22)).LineTo(x + 5, horizon + 8);
        }
        trees.LineTo(kWidth, horizon + 30).LineTo(0, horizon + 30);
        canvas.Fill(trees, Shade(colour, 0.6));
    }
    TPath land;
    land.MoveTo(0, horizon + 12).CurveTo(250, horizon - 6, 520, horizon + 26, kWidth, horizon + 8);
    land.LineTo(kWidth, kHeight).LineTo(0, kHeight);
    canvas.Fill(land, LinearGradient({0, horizon}, colour, {0, kHeight}, Shade(colour, 0.45)));
}

// A tower with a pointed roof and a light at its top: the "star towers" of the fortress.
void Tower(TCanvas& canvas, double x, double base, double width, double height, const TPalette& p) {
    canvas.Fill(
        Polygon({{x - width / 2, base},
                 {x - width / 2, base - height},
                 {x + width / 2, base - height},
                 {x + width / 2, base}}),
        LinearGradient({x - width / 2, 0}, Shade(p.Fortress, 1.35), {x + width / 2, 0}, Shade(p.Fortress, 0.8)));
    canvas.Fill(
        Polygon({{x - width * 0.7, base - height}, {x, base - height - width * 1.4}, {x + width * 0.7, base - height}}),
        Shade(p.Fortress, 0.7));
    Glow(canvas, x, base - height - width * 1.5, width * 1.3, WithAlpha(p.Light, 170));
    canvas.Fill(Star(x, base - height - width * 1.5, width * 0.45, width * 0.18, 5), WithAlpha(0xFFFFF6D8, 240));
    for (int i = 0; i < 2; ++i) {
        const double wy = base - height * (0.35 + 0.3 * i);
        canvas.Fill(RoundRect(x - width * 0.12, wy - 7, x + width * 0.12, wy + 7, 3), WithAlpha(p.Light, 220));
    }
}

// The star fortress on its hill: walls folding out into bastion points, five towers.
void Fortress(TCanvas& canvas, double cx, double base, double scale, const TPalette& p) {
    TPath hill;
    hill.MoveTo(cx - 330 * scale, base + 40 * scale)
        .CurveTo(cx - 200 * scale, base - 30 * scale, cx + 200 * scale, base - 30 * scale, cx + 330 * scale,
                 base + 40 * scale);
    canvas.Fill(hill, Shade(p.Land, 0.85));
    TPath wall;
    const double w = 230 * scale, h = 58 * scale;
    wall.MoveTo(cx - w, base)
        .LineTo(cx - w * 0.82, base - h)
        .LineTo(cx - w * 0.55, base - h * 0.8)
        .LineTo(cx - w * 0.3, base - h * 1.3)
        .LineTo(cx, base - h * 1.05)
        .LineTo(cx + w * 0.3, base - h * 1.3)
        .LineTo(cx + w * 0.55, base - h * 0.8)
        .LineTo(cx + w * 0.82, base - h)
        .LineTo(cx + w, base);
    canvas.Fill(wall, LinearGradient({0, base - h * 1.3}, Shade(p.Fortress, 1.3), {0, base}, Shade(p.Fortress, 0.75)));
    // Battlements along the top edge.
    for (double x = cx - w * 0.8; x < cx + w * 0.8; x += 14 * scale) {
        const double top =
            base - h * (1.05 + 0.25 * std::max(0.0, 1 - std::abs(std::abs(x - cx) - w * 0.3) / (w * 0.3)));
        canvas.Fill(
            Polygon({{x, top + 2}, {x, top - 7 * scale}, {x + 7 * scale, top - 7 * scale}, {x + 7 * scale, top + 2}}),
            Shade(p.Fortress, 1.1));
    }
    const double towers[5][3] = {
        {-0.82, 0.8, 0.95}, {-0.3, 1.05, 1.25}, {0, 1.0, 1.7}, {0.3, 1.05, 1.25}, {0.82, 0.8, 0.95}};
    for (const auto& t : towers)
        Tower(canvas, cx + w * t[0], base - h * t[1], 26 * scale * t[2] / 1.2, 70 * scale * t[2], p);
    // A rim of light along the top of the walls, and the gate.
    canvas.Fill(
        wall, LinearGradient({0, base - h * 1.3}, WithAlpha(p.Light, 60), {0, base - h * 0.6}, WithAlpha(p.Light, 0)));
    canvas.Fill(RoundRect(cx - 11 * scale, base - 24 * scale, cx + 11 * scale, base, 10 * scale),
                WithAlpha(p.Light, 150));
}

void PaintFortress(TBitmap32& picture, const TPalette& p, uint32_t seed, bool moon) {
    TCanvas canvas(picture);
    TRandom random(seed);
    Sky(canvas, p.SkyTop, p.SkyHorizon, 380);
    Stars(canvas, random, p.Stars, 360, 1.0);
    if (moon) {
        Glow(canvas, 640, 110, 110, 0x50C8D8FF);
        canvas.Fill(Ellipse(640, 110, 34, 34), 0xFFF2F0E0);
        canvas.Fill(Ellipse(652, 102, 30, 30), WithAlpha(p.SkyTop, 235));
    } else {
        Glow(canvas, 180, 390, 260, 0x90FFC080);
    }
    Land(canvas, random, 390, p.Land, true);
    Fortress(canvas, 430, 430, 1.15, p);
    // A road winding up to the gate.
    TPath road;
    road.MoveTo(300, kHeight)
        .CurveTo(360, 520, 470, 500, 430, 432)
        .LineTo(446, 432)
        .CurveTo(500, 500, 420, 540, 420, kHeight);
    canvas.Fill(road, LinearGradient({0, 432}, WithAlpha(Shade(p.Light, 0.5), 40), {0, 600},
                                     WithAlpha(Shade(p.Light, 0.4), 110)));
}

// The parapet in the foreground, as seen from the walkway.
void Parapet(TCanvas& canvas, TColor32 stone, double top) {
    canvas.Fill(Polygon({{0, top + 40}, {kWidth, top + 40}, {kWidth, kHeight}, {0, kHeight}}),
                LinearGradient({0, top}, Shade(stone, 1.2), {0, kHeight}, Shade(stone, 0.5)));
    for (double x = 0; x < kWidth; x += 120) {
        canvas.Fill(Polygon({{x + 10, top + 41}, {x + 10, top}, {x + 80, top}, {x + 80, top + 41}}),
                    LinearGradient({0, top}, Shade(stone, 1.3), {0, top + 40}, Shade(stone, 0.9)));
    }
    for (double y = top + 70; y < kHeight; y += 34) {
        canvas.Line({0, y}, {double(kWidth), y}, 2, WithAlpha(Shade(stone, 0.4), 160));
        for (double x = (int(y) / 34 % 2) * 45; x < kWidth; x += 90)
            canvas.Line({x, y}, {x, y + 34}, 2, WithAlpha(Shade(stone, 0.4), 160));
    }
}

void Torch(TCanvas& canvas, double x, double y) {
    Glow(canvas, x, y, 130, 0x70FF9A40);
    canvas.Fill(Polygon({{x - 5, y + 10}, {x + 5, y + 10}, {x + 3, y + 60}, {x - 3, y + 60}}), 0xFF3A2418);
    TPath flame;
    flame.MoveTo(x, y - 26)
        .CurveTo(x + 14, y - 6, x + 10, y + 10, x, y + 10)
        .CurveTo(x - 10, y + 10, x - 14, y - 6, x, y - 26);
    canvas.Fill(flame, RadialGradient({x, y + 4}, 28, 0xFFFFF2B0, 0xFFFF6A20));
}

void PaintWall(TBitmap32& picture, const TPalette& p, uint32_t seed, bool night) {
    TCanvas canvas(picture);
    TRandom random(seed);
    Sky(canvas, p.SkyTop, p.SkyHorizon, 330);
    Stars(canvas, random, p.Stars, 320, 1.0);
    if (!night) Glow(canvas, 620, 330, 230, 0x90FFB070);
    Land(canvas, random, 335, p.Land, true);
    if (night) {
        // The mist over the forest glows faintly: something is there.
        canvas.Fill(Ellipse(400, 338, 420, 26), RadialGradient({400, 338}, 420, 0x80D0E0F0, 0x00D0E0F0));
    }
    Parapet(canvas, night ? 0xFF3A4050 : 0xFF8A7A70, 400);
    if (night) {
        Torch(canvas, 140, 330);
        Torch(canvas, 660, 330);
    }
}

void PaintHall(TBitmap32& picture) {
    TCanvas canvas(picture);
    canvas.FillAll(LinearGradient({0, 0}, 0xFF3A2E2A, {0, 600}, 0xFF1E1614));
    for (double y = 0; y < 420; y += 40) {
        canvas.Line({0, y}, {800, y}, 2, 0x40000000);
        for (double x = (int(y) / 40 % 2) * 60; x < 800; x += 120) canvas.Line({x, y}, {x, y + 40}, 2, 0x40000000);
    }
    // Two tall arched windows full of evening light.
    for (double x : {190.0, 610.0}) {
        TPath window;
        window.MoveTo(x - 60, 360).LineTo(x - 60, 130).CurveTo(x - 60, 50, x + 60, 50, x + 60, 130).LineTo(x + 60, 360);
        canvas.Fill(window, LinearGradient({0, 70}, 0xFF5A6AB0, {0, 360}, 0xFFF4A868));
        canvas.Line({x, 70}, {x, 360}, 6, 0xFF2A1E1A);
        canvas.Line({x - 60, 220}, {x + 60, 220}, 6, 0xFF2A1E1A);
        canvas.Fill(Polygon({{x - 60, 360}, {x + 60, 360}, {x + 150, 600}, {x - 120, 600}}), 0x22FFD0A0);
    }
    // Banners with the fortress star.
    for (double x : {400.0}) {
        canvas.Fill(Polygon({{x - 55, 40}, {x + 55, 40}, {x + 55, 300}, {x, 270}, {x - 55, 300}}),
                    LinearGradient({x - 55, 0}, 0xFF8A1E24, {x + 55, 0}, 0xFF5A1016));
        canvas.Fill(Star(x, 140, 38, 16, 5), 0xFFE8C060);
    }
    // The floor and the council table with the model of the fortress.
    canvas.Fill(Polygon({{0, 420}, {800, 420}, {800, 600}, {0, 600}}),
                LinearGradient({0, 420}, 0xFF4A3A30, {0, 600}, 0xFF2A201A));
    canvas.Fill(Ellipse(400, 470, 300, 70), 0xFF2A1A12);
    canvas.Fill(Ellipse(400, 460, 300, 70), LinearGradient({0, 390}, 0xFF8A5A38, {0, 530}, 0xFF5A3820));
    canvas.Fill(Star(400, 455, 90, 42, 5), 0xFF6A7A88);
    canvas.Fill(Star(400, 450, 84, 38, 5), LinearGradient({0, 380}, 0xFFC8D0D8, {0, 520}, 0xFF7A8890));
    for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 + 2 * kPi * i / 5;
        Glow(canvas, 400 + 84 * std::cos(a), 450 + 84 * std::sin(a) * 0.5 - 6, 14, 0xC0FFE080);
    }
}

void Gear(TCanvas& canvas, double x, double y, double radius, int teeth, TColor32 colour) {
    TPath gear;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = 2 * kPi * i / (teeth * 4);
        const double r = (i % 4 < 2) ? radius : radius * 0.82;
        gear.LineTo(x + r * std::cos(a), y + r * std::sin(a));
    }
    canvas.Fill(gear, colour);
    canvas.Fill(Ellipse(x, y, radius * 0.3, radius * 0.3), Shade(colour, 0.5));
}

void PaintWorks(TBitmap32& picture) {
    TCanvas canvas(picture);
    canvas.FillAll(LinearGradient({0, 0}, 0xFF3A2A20, {0, 600}, 0xFF22160E));
    // The forge, glowing in the corner.
    Glow(canvas, 660, 420, 300, 0xB0FF7A28);
    canvas.Fill(RoundRect(580, 330, 760, 470, 20), 0xFF2A1A14);
    canvas.Fill(RoundRect(605, 370, 735, 450, 14), RadialGradient({670, 420}, 80, 0xFFFFE090, 0xFFE04A10));
    // Plans pinned to the wall.
    for (int i = 0; i < 3; ++i) {
        const double x = 60 + i * 150, y = 70 + (i % 2) * 30;
        canvas.Fill(Polygon({{x, y}, {x + 130, y + 6}, {x + 126, y + 170}, {x - 4, y + 164}}), 0xFF2E4A7A);
        for (int k = 0; k < 5; ++k)
            canvas.Line({x + 14, y + 30 + k * 26.0}, {x + 110, y + 34 + k * 26.0}, 2, 0x90C8DCFF);
        canvas.Fill(Ellipse(x + 64, y + 6, 5, 5), 0xFFC83030);
    }
    Gear(canvas, 560, 150, 70, 12, 0xFF8A6A40);
    Gear(canvas, 660, 95, 44, 9, 0xFFA8844C);
    Gear(canvas, 480, 235, 36, 8, 0xFF6A5030);
    // The workbench.
    canvas.Fill(Polygon({{0, 430}, {560, 430}, {560, 600}, {0, 600}}),
                LinearGradient({0, 430}, 0xFF6A4426, {0, 600}, 0xFF3A2414));
    canvas.Fill(Polygon({{0, 420}, {570, 420}, {560, 440}, {0, 440}}), 0xFF8A5A34);
    canvas.Fill(RoundRect(80, 380, 180, 422, 6), 0xFF707880);
    canvas.Fill(Polygon({{260, 420}, {300, 340}, {320, 340}, {290, 420}}), 0xFF5A4030);
    canvas.Fill(RoundRect(285, 322, 345, 348, 5), 0xFF9098A0);
}

void PaintObservatory(TBitmap32& picture) {
    TCanvas canvas(picture);
    TRandom random(31);
    Sky(canvas, 0xFF101640, 0xFF7A5A9A, 420);
    Stars(canvas, random, 160, 380, 1.0);
    // The round stone wall of the open roof, seen from inside.
    TPath wall;
    wall.MoveTo(0, 300).CurveTo(200, 380, 600, 380, 800, 300).LineTo(800, 600).LineTo(0, 600);
    canvas.Fill(wall, LinearGradient({0, 300}, 0xFF4A4A6A, {0, 600}, 0xFF1E1E30));
    for (double x = 40; x < 800; x += 95) canvas.Line({x, 360 - std::abs(400 - x) * 0.14}, {x, 600}, 3, 0x40000000);
    // The great telescope pointing north.
    canvas.Fill(Polygon({{360, 520}, {440, 520}, {420, 430}, {380, 430}}), 0xFF3A3026);
    canvas.Fill(Polygon({{330, 300}, {560, 150}, {580, 180}, {352, 335}}),
                LinearGradient({330, 0}, 0xFFB08A50, {580, 0}, 0xFF7A5A30));
    canvas.Fill(Ellipse(570, 165, 14, 22), 0xFF2A2018);
    canvas.Fill(Ellipse(400, 440, 30, 14), 0xFF5A4A36);
    // A ring of the star chart painted on the floor.
    canvas.Fill(Ellipse(400, 560, 330, 60), 0x30C8B0FF);
    canvas.Fill(Ellipse(400, 560, 300, 50), 0x201E1E30);
}

void PaintMap(TBitmap32& picture) {
    PaintParchment(picture, 9);
    TCanvas canvas(picture);
    // The star of the fortress; the north-west point lies in ruins (dashed).
    const TColor32 ink = 0xFF4A3020;
    double px[10], py[10];
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + kPi * i / 5;
        const double r = i % 2 == 0 ? 175 : 80;
        px[i] = 400 + r * std::cos(a);
        py[i] = 250 + r * std::sin(a);
    }
    for (int i = 0; i < 10; ++i) {
        const int j = (i + 1) % 10;
        const bool ruined = i == 8 || i == 9;
        if (!ruined) {
            canvas.Line({px[i], py[i]}, {px[j], py[j]}, 4, ink);
            continue;
        }
        for (int k = 0; k < 10; k += 2) {
            const double t0 = k / 10.0, t1 = (k + 1) / 10.0;
            canvas.Line({px[i] + (px[j] - px[i]) * t0, py[i] + (py[j] - py[i]) * t0},
                        {px[i] + (px[j] - px[i]) * t1, py[i] + (py[j] - py[i]) * t1}, 4, 0xC08A3020);
        }
    }
    for (int i = 0; i < 10; i += 2) canvas.Fill(Ellipse(px[i], py[i], 9, 9), i == 8 ? 0xC08A3020 : 0xFF2A5A8A);
    canvas.Fill(Ellipse(400, 250, 30, 30), 0x604A3020);
    const TFont font{"ＭＳ Ｐ明朝", 22, 0xFF000000, true};
    const TColor32 paper = 0xC0F0E0B8;
    const auto label = [&](double x, double y, const char* text) {
        canvas.Text(static_cast<int>(x - canvas.TextWidth(text, font) / 2.0), static_cast<int>(y), text, font, ink,
                    paper);
    };
    label(px[0], py[0] - 38, "霜の角（北）");
    label(px[2] + 30, py[2] - 34, "暁の角（東）");
    label(px[4] + 30, py[4] + 16, "灯の角（南）");
    label(px[6] - 30, py[6] + 16, "宵の角（西）");
    label(px[8] - 30, py[8] - 40, "崩れた角（北西）");
    label(400, 236, "本丸");
    // North arrow and the forest edge.
    canvas.Fill(Polygon({{720, 60}, {736, 110}, {720, 100}, {704, 110}}), ink);
    label(720, 114, "北");
    for (double x = 30; x < 780; x += 26) canvas.Fill(Polygon({{x, 40}, {x + 12, 8}, {x + 24, 40}}), 0x902A4A2A);
    label(140, 48, "黒霧の森");
}

// The mist king's castle on its crag, far off under a pale moon, the fog rising round it.
void PaintMistCastle(TBitmap32& picture) {
    TCanvas canvas(picture);
    TRandom random(41);
    Sky(canvas, 0xFF161A26, 0xFF5A606E, 440);
    Stars(canvas, random, 50, 260, 0.5);
    Glow(canvas, 610, 118, 170, 0x58D8DCE8);
    canvas.Fill(Ellipse(610, 118, 40, 40), RadialGradient({600, 108}, 46, 0xFFF4F2E6, 0xFFC8CAC4));
    for (const auto& [x, y, r] : {std::tuple{596.0, 104.0, 7.0}, {622.0, 128.0, 5.0}, {616.0, 98.0, 4.0}}) {
        canvas.Fill(Ellipse(x, y, r, r), 0x20404850);
    }
    // Far ridges, paler with the distance.
    for (int ridge = 0; ridge < 2; ++ridge) {
        TPath hills;
        const double base = 400 + ridge * 40;
        hills.MoveTo(0, kHeight).LineTo(0, base);
        for (double x = 0; x <= kWidth; x += 40) hills.LineTo(x, base - random.Range(10, 50) * (1 - ridge * 0.4));
        hills.LineTo(kWidth, kHeight);
        canvas.Fill(hills, Shade(0xFF3A3E4C, 1.0 - ridge * 0.3));
    }
    // The crag: steep on both sides, a flat crown for the walls.
    TPath crag;
    crag.MoveTo(180, kHeight)
        .LineTo(250, 470)
        .LineTo(282, 440)
        .LineTo(300, 392)
        .LineTo(336, 372)
        .LineTo(350, 338)
        .LineTo(498, 334)
        .LineTo(516, 366)
        .LineTo(548, 384)
        .LineTo(566, 430)
        .LineTo(610, 470)
        .LineTo(680, kHeight);
    canvas.Fill(crag, LinearGradient({300, 0}, 0xFF2A2C36, {600, 0}, 0xFF15161C));
    for (int i = 0; i < 9; ++i) {
        const double x = random.Range(300, 560), y = random.Range(380, 560);
        canvas.Line({x, y}, {x + random.Range(-16, 16), y + random.Range(24, 60)}, 2, 0x40000000);
    }
    // The castle: a keep between two towers and a spire over all.
    const TColor32 stone = 0xFF22222C;
    const auto tower = [&](double x, double width, double top, double roof) {
        canvas.Fill(Polygon({{x - width / 2, 340}, {x - width / 2, top}, {x + width / 2, top}, {x + width / 2, 340}}),
                    LinearGradient({x - width / 2, 0}, Shade(stone, 1.5), {x + width / 2, 0}, stone));
        canvas.Fill(Polygon({{x - width * 0.65, top + 2}, {x, top - roof}, {x + width * 0.65, top + 2}}), 0xFF18181F);
        canvas.Fill(Polygon({{x - 1.5, top - roof},
                             {x - 1.5, top - roof - 14},
                             {x + 12, top - roof - 9},
                             {x + 1.5, top - roof - 6}}),
                    0xFF3A1E2A);
    };
    canvas.Fill(Polygon({{352, 340}, {352, 262}, {494, 262}, {494, 340}}),
                LinearGradient({352, 0}, 0xFF2E2E3A, {494, 0}, stone));
    for (double x = 354; x < 492; x += 12)
        canvas.Fill(Polygon({{x, 263}, {x, 254}, {x + 6, 254}, {x + 6, 263}}), 0xFF2A2A34);
    tower(362, 30, 214, 50);
    tower(486, 28, 226, 44);
    tower(424, 44, 150, 84);
    // Windows lit with a cold, faint light.
    for (const auto& [x, y] :
         {std::pair{424.0, 180.0}, {424.0, 214.0}, {362.0, 240.0}, {486.0, 250.0}, {400.0, 290.0}, {448.0, 290.0}}) {
        Glow(canvas, x, y + 7, 14, 0x50A8A0E8);
        canvas.Fill(RoundRect(x - 3, y, x + 3, y + 14, 3), 0xD0B8B0F0);
    }
    canvas.Fill(RoundRect(410, 306, 438, 340, 13), 0xFF0C0C12);
    // Fog: veils across the crag's foot, thickest low down, a thin one over the walls.
    for (int i = 0; i < 14; ++i) {
        const double y = random.Range(320, 600), x = random.Range(-100, 900);
        const int alpha = static_cast<int>(50 + 100 * (y - 320) / 280);
        Haze(canvas, x, y, random.Range(160, 320), random.Range(24, 50), WithAlpha(0xFFB4B8C4, alpha));
    }
    canvas.Fill(Polygon({{0, 500}, {kWidth, 500}, {kWidth, kHeight}, {0, kHeight}}),
                LinearGradient({0, 500}, 0x00A8ACB8, {0, kHeight}, 0x90A8ACB8));
}

// The sky of the star reading and its variants; x1 and x2 are the lightning.
void PaintSky(TBitmap32& picture, char variant) {
    TCanvas canvas(picture);
    TRandom random(static_cast<uint32_t>(100 + variant));
    struct TSkyColours {
        TColor32 Top, Horizon, Land;
        int Stars;
    };
    TSkyColours c{0xFF0A0C2A, 0xFF3A2A6A, 0xFF0E0E1E, 140};
    switch (variant) {
        case 'a': c = {0xFF3A4A8A, 0xFFF8C8A0, 0xFF2A2A3A, 10}; break;
        case 'b': c = {0xFF3A86D8, 0xFFBDE0F8, 0xFF4A6A40, 0}; break;
        case 'c': c = {0xFF3A2A60, 0xFFF07848, 0xFF2A1E2A, 6}; break;
        case 'd': c = {0xFF040820, 0xFF14204A, 0xFF080A14, 260}; break;
        case 'e': c = {0xFF0A0A30, 0xFF2A2060, 0xFF0A0A18, 200}; break;
        case 'f': c = {0xFF1A0610, 0xFF5A1420, 0xFF12080A, 60}; break;
        case 'g': c = {0xFF1A1E26, 0xFF3A4048, 0xFF14161A, 0}; break;
        case '1': c = {0xFFE8ECFF, 0xFFB8C0E0, 0xFF50586A, 0}; break;
        case '2': c = {0xFF161A24, 0xFF30384A, 0xFF101218, 0}; break;
        default: break;
    }
    Sky(canvas, c.Top, c.Horizon, 430);
    Stars(canvas, random, c.Stars, 400, 1.0);
    if (variant == 'a' || variant == 'c') Glow(canvas, variant == 'a' ? 620 : 180, 430, 260, 0xA0FFD090);
    if (variant == 'b') {
        Glow(canvas, 600, 90, 120, 0xB0FFFFF0);
        canvas.Fill(Ellipse(600, 90, 34, 34), 0xFFFFFFF0);
    }
    if (variant == 'b' || variant == 'c' || variant == 'g' || variant == '2') {
        const TColor32 cloud = variant == 'b' ? 0xE0FFFFFF : variant == 'c' ? 0xC0C06A6A : 0xF0282C34;
        for (int i = 0; i < (variant == 'g' || variant == '2' ? 14 : 6); ++i) {
            const double x = random.Range(-50, 850), y = random.Range(40, 300);
            for (int k = 0; k < 4; ++k) canvas.Fill(Ellipse(x + k * 35, y - (k % 2) * 14, 60, 28), cloud);
        }
    }
    if (variant == 'e') {
        for (int i = 0; i < 14; ++i) {
            const double x = random.Range(100, 800), y = random.Range(20, 300), len = random.Range(60, 140);
            canvas.Line({x, y}, {x - len, y + len * 0.5}, 2, 0x60FFFFFF);
            canvas.Fill(Ellipse(x, y, 2.5, 2.5), 0xFFFFFFFF);
        }
    }
    if (variant == 'f' || variant == 0 || variant == 'd') {
        const TColor32 moon = variant == 'f' ? 0xFFE03A2A : 0xFFF4F0DC;
        Glow(canvas, 560, 150, 120, WithAlpha(moon, 90));
        canvas.Fill(Ellipse(560, 150, 46, 46), moon);
    }
    if (variant == 'g' || variant == '2') {
        for (int i = 0; i < 220; ++i) {
            const double x = random.Range(0, 820), y = random.Range(0, 600);
            canvas.Line({x, y}, {x - 8, y + 30}, 1.2, 0x50B0C0D0);
        }
    }
    if (variant == '1' || variant == '2') {
        // The bolt, split in two towards the ground.
        TRandom bolt(4);
        double x = 420, y = 0;
        while (y < 420) {
            const double nx = x + bolt.Range(-40, 40), ny = y + bolt.Range(30, 60);
            canvas.Line({x, y}, {nx, ny}, variant == '1' ? 9 : 5, variant == '1' ? 0xFF7A8AC8 : 0xFFE8F0FF);
            if (variant == '2') Glow(canvas, nx, ny, 40, 0x40A0C0FF);
            x = nx;
            y = ny;
        }
    }
    Land(canvas, random, 440, c.Land, true);
    // The fortress tower of the observatory in the corner, where the reading happens.
    canvas.Fill(Polygon({{0, 600}, {0, 470}, {90, 470}, {120, 600}}), Shade(c.Land, 0.7));
}

}  // namespace

void PaintFortressNight(TBitmap32& picture) { PaintFortress(picture, kNight, 11, true); }

void PaintParchment(TBitmap32& picture, uint32_t seed) {
    TCanvas canvas(picture);
    canvas.FillAll(RadialGradient({400, 300}, 520, 0xFFF0E0B8, 0xFFB89868));
    TRandom random(seed);
    for (int i = 0; i < 60; ++i) {
        const double x = random.Range(0, 800), y = random.Range(0, 600), r = random.Range(10, 40);
        canvas.Fill(Ellipse(x, y, r, r * 0.7), 0x108A6A3A);
    }
}

void PaintAshFortress(TBitmap32& picture) { PaintFortress(picture, kAsh, 12, false); }

std::vector<TPicture> MakeBackgrounds() {
    std::vector<TPicture> pictures;
    const auto add = [&](const std::string& name, const auto& paint) {
        TBitmap32 picture = NewPicture();
        paint(picture);
        pictures.push_back({name, std::move(picture)});
    };
    add("bg_fort01.png", [](TBitmap32& b) { PaintFortress(b, kDusk, 10, false); });
    add("bg_fort02.png", [](TBitmap32& b) { PaintFortressNight(b); });
    add("bg_wall01.png", [](TBitmap32& b) { PaintWall(b, kDusk, 20, false); });
    add("bg_wall02.png", [](TBitmap32& b) { PaintWall(b, kNight, 21, true); });
    add("bg_hall01.png", PaintHall);
    add("bg_works01.png", PaintWorks);
    add("bg_tower01.png", PaintObservatory);
    add("bg_map01.png", PaintMap);
    add("bg_castle01.png", PaintMistCastle);
    add("bg_sky01.png", [](TBitmap32& b) { PaintSky(b, 0); });
    for (char v : std::string("abcdefg"))
        add(std::string("bg_sky01") + v + ".png", [v](TBitmap32& b) { PaintSky(b, v); });
    add("bg_sky01x1.png", [](TBitmap32& b) { PaintSky(b, '1'); });
    add("bg_sky01x2.png", [](TBitmap32& b) { PaintSky(b, '2'); });
    return pictures;
}

}  // namespace vandor::demo

// The battle field: the ground around and below it, the tiles it is laid with, and
// the base at its middle, a keep on a star-shaped bastion inside a ring of walls.

#include <cmath>
#include <functional>

#include "Battle.h"
#include "Isometric.h"
#include "Widgets.h"

namespace vandor::demo {
namespace {

constexpr int kTile = 32;  // width of a tile frame; its diamond is half as high
constexpr TColor32 kStone = 0xFFD6CCB4;
constexpr TColor32 kRoof = 0xFF3A5AB0;
constexpr double kWallHeight = 9;  // low enough for the keep to show over the front walls

// The land outside the field darkening towards the edges, and the panel band of the
// buttons and displays along the bottom.
TBitmap32 Background() {
    TBitmap32 picture(800, 600);
    TCanvas canvas(picture);
    canvas.FillAll(RadialGradient({400, 260}, 560, 0xFF3E4C26, 0xFF14160C));
    TRandom random(70);
    for (int i = 0; i < 120; ++i) {
        const double x = random.Range(-40, 840), y = random.Range(-20, 500), r = random.Range(12, 46);
        canvas.Fill(Ellipse(x, y, r, r / 2), random.Next() < 0.6 ? 0x14000000 : 0x0AE8F0A0);
    }
    for (int i = 0; i < 500; ++i) {
        const double x = random.Range(0, 800), y = random.Range(0, 480);
        canvas.Line({x, y}, {x + random.Range(-2, 2), y - random.Range(3, 6)}, 1, 0x30102008);
    }
    canvas.Fill(Polygon({{0, 482}, {800, 482}, {800, 600}, {0, 600}}),
                LinearGradient({0, 482}, 0xFF241E16, {0, 600}, 0xFF0C0A06));
    canvas.Fill(Polygon({{0, 484}, {800, 484}, {800, 502}, {0, 502}}), 0x30FFF0C0);
    canvas.Line({0, 483}, {800, 483}, 2, kGold);
    canvas.Line({0, 502.5}, {800, 502.5}, 1, 0x80E8C468);
    return picture;
}

// One tile exact to the pixel, so that neighbours meet without seams or overlap: every
// pixel whose centre lies inside the diamond, painted by its place (p, q) on the
// ground, both -0.5..0.5 (p grows towards the lower right, q towards the upper right).
using TTilePaint = std::function<TColor32(double p, double q)>;

void PaintTile(TCanvas& canvas, int left, const TTilePaint& paint) {
    for (int y = 0; y < kTile / 2; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const double across = (x + 0.5) / kTile - 0.5, down = (y + 0.5) / (kTile / 2) - 0.5;
            const double p = across + down, q = across - down;
            if (std::abs(p) < 0.5 && std::abs(q) < 0.5) canvas.Blend(left + x, y, paint(p, q), 1);
        }
    }
}

// The two pixels nearest an edge along each row make a line one pixel thick.
constexpr double kEdge = 0.5 - 2.0 / kTile;

bool OnUpperEdge(double p, double q) { return p < -kEdge || q > kEdge; }
bool OnEdge(double p, double q) { return std::abs(p) > kEdge || std::abs(q) > kEdge; }

enum class TMark { None, Flowers, Flagstones, Puddle };

struct TGround {
    TColor32 Base, Speck;
    double Specks;  // share of speckled pixels
    TMark Mark;
};

// Frames 4..11: grass, meadow, dry grass, sand, dark earth, snow, stone paving, swamp.
const TGround kGrounds[] = {
    {0xFF5A9A3A, 0xFF3E7A2A, 0.18, TMark::None},       {0xFF6AAE48, 0xFF4E8E36, 0.12, TMark::Flowers},
    {0xFFA8A04A, 0xFF8A7A36, 0.20, TMark::None},       {0xFFD8C48A, 0xFFB8A06A, 0.15, TMark::None},
    {0xFF5E4630, 0xFF44321E, 0.25, TMark::None},       {0xFFE8EEF4, 0xFFC4D0E2, 0.12, TMark::None},
    {0xFF9A968C, 0xFF86827A, 0.15, TMark::Flagstones}, {0xFF4E5A32, 0xFF3A4626, 0.20, TMark::Puddle},
};

// Only the upper edges are darkened: each line of the grid is then drawn once, by
// the tile below it.
void PaintGround(TCanvas& canvas, int left, const TGround& ground, uint32_t seed) {
    TRandom random(seed);
    const TColor32 flowers[] = {0xFFFFFFF0, 0xFFFFE060, 0xFFF0A0C8};
    PaintTile(canvas, left, [&](double p, double q) {
        const double grain = random.Next(), speck = random.Next(), pick = random.Next();
        TColor32 colour = Shade(ground.Base, 0.97 + 0.06 * grain);
        if (speck < ground.Specks) colour = ground.Speck;
        if (ground.Mark == TMark::Flowers && speck > 0.96) colour = flowers[static_cast<int>(pick * 3)];
        if (ground.Mark == TMark::Flagstones && (std::abs(p) < 0.03 || std::abs(q) < 0.03))
            colour = Shade(ground.Base, 0.7);
        const double puddle = (p - 0.12) * (p - 0.12) + (q + 0.1) * (q + 0.1);
        if (ground.Mark == TMark::Puddle && puddle < 0.05) colour = puddle < 0.012 ? 0xFF5A7470 : 0xFF3A5048;
        return OnUpperEdge(p, q) ? Shade(colour, 0.78) : colour;
    });
}

// A diamond ring: the outer outline one way round, the inner the other, so that the
// non-zero rule leaves the middle open.
TPath DiamondRing(double x, double y, double outer, double inner) {
    TPath ring = Diamond(x, y, outer);
    ring.MoveTo(x, y + inner / 2).LineTo(x + inner, y).LineTo(x, y - inner / 2).LineTo(x - inner, y);
    return ring;
}

// Frame 0 the hover cursor (17 rows: its shadow reaches one below the diamond), frame 2
// the cannot-build marker, 4..11 the grounds; 1 and 3 stay empty.
TBitmap32 Tiles() {
    TBitmap32 picture(12 * kTile, 17);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(Diamond(16, 8, 14), 0x30FFFFFF);
    canvas.Fill(DiamondRing(16, 9, 15.5, 12.5), 0x90000000);
    canvas.Fill(DiamondRing(16, 8, 15.5, 12.5), 0xFFFFD848);
    canvas.Fill(DiamondRing(16, 8, 14.5, 13.5), 0xFFFFFFF0);
    PaintTile(canvas, 2 * kTile, [](double p, double q) { return OnEdge(p, q) ? 0xD0A01010 : 0x70E02020; });
    for (int k = 0; k < 8; ++k) PaintGround(canvas, (4 + k) * kTile, kGrounds[k], 200 + k);
    return picture;
}

// The keep on the middle cell: a star-shaped bastion, a square tower with battlements
// and a blue roof under the fortress's gold star.
TBitmap32 Keep() {
    TBitmap32 picture(48, 46);
    picture.Clear(0);
    TCanvas canvas = TCanvas(picture).At({24, 38});
    Extrude(canvas, GroundStar(0, 0, 15, 9, 4), 4, Shade(kStone, 0.9));
    Block(canvas, 0, -4, 8, 19, kStone);
    canvas.Fill(Polygon({{-5.5, -2.75}, {-2.5, -1.25}, {-2.5, -7.75}, {-5.5, -9.25}}), 0xFF3A2A20);
    for (double x : {2.5, 5.5}) {
        const double y = -13 - x / 2;
        canvas.Fill(Polygon({{x, y}, {x + 1.5, y - 0.75}, {x + 1.5, y - 3.75}, {x, y - 3}}), 0xFFFFD870);
    }
    Battlements(canvas, 0, -23, 8, kStone);
    Pyramid(canvas, 0, -23, 4.5, 10, kRoof);
    canvas.Fill(Star(0, -35, 3.5, 1.5, 5), kGold);
    return picture;
}

// A stretch of wall through the middle of its cell, along one side of the base.
// `rising` walls run from lower left to upper right.
void Wall(TCanvas canvas, bool rising) {
    const double slope = rising ? -0.5 : 0.5;
    const TPointF a{-11, -11 * slope}, b{11, 11 * slope};
    const TPointF across{rising ? 3.0 : -3.0, 1.5};  // half the thickness, along the other ground axis
    Extrude(canvas,
            Polygon({{a.X + across.X, a.Y + across.Y},
                     {b.X + across.X, b.Y + across.Y},
                     {b.X - across.X, b.Y - across.Y},
                     {a.X - across.X, a.Y - across.Y}}),
            kWallHeight, kStone);
    for (int i = 0; i < 5; ++i) {
        // From the far end forwards, so that nearer merlons cover farther ones.
        const double x = (rising ? -8.8 : 8.8) * (i - 2) / 2;
        Block(canvas, x, x * slope - kWallHeight, 1.8, 3, kStone);
    }
}

// A round corner tower under a pointed roof.
void CornerTower(TCanvas canvas) {
    Cylinder(canvas, 0, 0, 6.5, 13, kStone);
    canvas.Fill(Polygon({{-1, -7}, {1, -7.5}, {1, -10.5}, {-1, -10}}), 0xFF3A2A20);
    Cone(canvas, 0, -13, 7, 9, kRoof);
    canvas.Fill(Ellipse(0, -22, 1.2, 1.2), kGold);
}

// Frames: corner towers at (4..28), and one tower at x 48 shared by the cuts (32..56)
// and (40..64), which shows it 4 pixels in from either side corner towards the keep;
// then the straight walls of the upper left, upper right, lower right and lower left
// sides. Every piece stands on the middle of its cell, 8 pixels above the bottom.
TBitmap32 Walls() {
    TBitmap32 picture(192, 32);
    picture.Clear(0);
    TCanvas canvas(picture);
    for (double x : {16.0, 48.0}) CornerTower(canvas.At({x, 24}));
    for (int i = 0; i < 4; ++i) Wall(canvas.At({64 + 32.0 * i + 16, 24}), i % 2 == 0);
    return picture;
}

}  // namespace

std::vector<TPicture> MakeBattleField() {
    std::vector<TPicture> pictures;
    pictures.push_back({"bgi戦闘.png", Background()});
    pictures.push_back({"地面.png", Tiles()});
    pictures.push_back({"城.png", Keep()});
    pictures.push_back({"城壁.png", Walls()});
    return pictures;
}

}  // namespace vandor::demo

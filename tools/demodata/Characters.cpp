#include "Characters.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Widgets.h"
#include "campaign/WorldNames.h"

namespace vandor::demo {
namespace {

constexpr int kStandWidth = 360;
constexpr int kStandHeight = 560;
constexpr int kFaceSize = 200;
constexpr double kCx = 180;  // the figure's centre line

enum class THair { Ponytail, TwinTails, Long, Short };
// A vestment is a shrine keeper's robe: white above, a pleated skirt in the second colour.
enum class TOutfit { Armour, Overalls, Robe, Vestment, Soldier };
enum class THeadwear { None, Goggles, Hat, Helmet };
enum class TMouth { Smile, Grin, Calm };

struct TLook {
    THair Hair;
    TOutfit Outfit;
    THeadwear Headwear;
    TMouth Mouth;
    TColor32 HairColour;
    TColor32 EyeColour;
    TColor32 Main;    // the outfit's main colour
    TColor32 Second;  // cape, shirt or mail
    TColor32 Trim;
    bool Sword = false;  // a sheathed sword at the hip
};

constexpr TColor32 kSkin = 0xFFFBE2D0;
constexpr TColor32 kSkinShade = 0xFFE8BFA8;
constexpr TColor32 kLine = 0xFF3A2228;
constexpr TColor32 kSilver = 0xFFD4DAE4;

TPaint Across(double left, TColor32 a, double right, TColor32 b) { return LinearGradient({left, 0}, a, {right, 0}, b); }

// Mirror of a path around the centre line, for the symmetric parts.
TPath Mirrored(const TPath& path) {
    TPath mirrored;
    for (const auto& outline : path.Outlines()) {
        bool first = true;
        for (const TPointF& p : outline) {
            if (first) {
                mirrored.MoveTo(2 * kCx - p.X, p.Y);
                first = false;
            } else {
                mirrored.LineTo(2 * kCx - p.X, p.Y);
            }
        }
    }
    return mirrored;
}

void FillBoth(TCanvas& canvas, const TPath& left, const TPaint& paint) {
    canvas.Fill(left, paint);
    canvas.Fill(Mirrored(left), paint);
}

void FillBoth(TCanvas& canvas, const TPath& left, TColor32 colour) { FillBoth(canvas, left, Solid(colour)); }

void BackHair(TCanvas& canvas, const TLook& look) {
    const TPaint hair = Vertical(60, Shade(look.HairColour, 0.85), 480, Shade(look.HairColour, 0.55));
    switch (look.Hair) {
        case THair::Long: {
            TPath back;
            back.MoveTo(120, 100)
                .CurveTo(90, 220, 80, 380, 70, 470)
                .CurveTo(140, 490, 220, 490, 290, 470)
                .CurveTo(280, 380, 270, 220, 240, 100)
                .CurveTo(230, 40, 130, 40, 120, 100);
            canvas.Fill(back, hair);
            break;
        }
        case THair::Ponytail: {
            TPath tail;
            tail.MoveTo(220, 70)
                .CurveTo(300, 60, 320, 160, 300, 260)
                .CurveTo(290, 320, 300, 360, 318, 390)
                .CurveTo(270, 370, 255, 300, 262, 230)
                .CurveTo(268, 160, 250, 110, 215, 100);
            canvas.Fill(tail, hair);
            canvas.Fill(Ellipse(180, 118, 62, 66), hair);
            break;
        }
        case THair::TwinTails: {
            TPath tail;
            tail.MoveTo(124, 96)
                .CurveTo(70, 110, 60, 200, 66, 280)
                .CurveTo(70, 330, 56, 360, 44, 380)
                .CurveTo(96, 360, 104, 300, 100, 240)
                .CurveTo(98, 180, 110, 140, 136, 120);
            FillBoth(canvas, tail, hair);
            canvas.Fill(Ellipse(180, 120, 60, 64), hair);
            break;
        }
        case THair::Short: canvas.Fill(Ellipse(180, 118, 58, 62), hair); break;
    }
}

void Cape(TCanvas& canvas, const TLook& look) {
    if (look.Outfit != TOutfit::Armour) return;
    TPath cape;
    cape.MoveTo(104, 222).CurveTo(60, 320, 40, 460, 30, 560).LineTo(330, 560).CurveTo(320, 460, 300, 320, 256, 222);
    canvas.Fill(cape, Across(30, Shade(look.Second, 0.6), 330, look.Second));
}

void Body(TCanvas& canvas, const TLook& look) {
    // The neck first, so that collars lie over it.
    canvas.Fill(Polygon({{165, 170}, {195, 170}, {197, 222}, {163, 222}}), Vertical(170, kSkinShade, 222, kSkin));

    // Sleeves hang beside the body; robes have wide ones.
    const bool robe = look.Outfit == TOutfit::Robe || look.Outfit == TOutfit::Vestment;
    TPath sleeve;
    if (robe) {
        sleeve.MoveTo(108, 222)
            .CurveTo(70, 260, 50, 360, 40, 430)
            .LineTo(106, 440)
            .CurveTo(104, 360, 112, 290, 126, 250);
    } else {
        sleeve.MoveTo(106, 224).CurveTo(82, 250, 70, 320, 66, 400).LineTo(94, 404).CurveTo(96, 330, 106, 280, 124, 250);
    }
    const TColor32 sleeveColour = look.Outfit == TOutfit::Overalls ? look.Second : look.Main;
    FillBoth(canvas, sleeve, Across(40, Shade(sleeveColour, 0.75), 130, sleeveColour));
    if (look.Outfit == TOutfit::Overalls) {
        // Rolled-up sleeves: bare forearms.
        FillBoth(canvas, Polygon({{70, 320}, {96, 322}, {94, 404}, {66, 400}}), kSkin);
    }
    FillBoth(canvas, Ellipse(robe ? 74 : 80, robe ? 440 : 414, 15, 18), kSkin);

    // Overalls end in shorts; everything else reaches the bottom edge.
    const double hem = look.Outfit == TOutfit::Overalls ? 470 : 560;
    TPath torso;
    torso.MoveTo(112, 218)
        .LineTo(248, 218)
        .CurveTo(262, 240, 262, 300, 252, 360)
        .LineTo(262, hem)
        .LineTo(98, hem)
        .LineTo(108, 360)
        .CurveTo(98, 300, 98, 240, 112, 218);
    const TColor32 base = look.Outfit == TOutfit::Overalls ? look.Second : look.Main;
    canvas.Fill(torso, Across(98, Shade(base, 0.8), 262, Shade(base, 1.1)));

    switch (look.Outfit) {
        case TOutfit::Armour: {
            TPath plate;
            plate.MoveTo(118, 226)
                .LineTo(242, 226)
                .CurveTo(250, 280, 244, 330, 228, 350)
                .LineTo(132, 350)
                .CurveTo(116, 330, 110, 280, 118, 226);
            canvas.Fill(plate, Across(110, Shade(kSilver, 0.75), 250, kSilver));
            canvas.Line({180, 232}, {180, 346}, 3, 0x60FFFFFF);
            canvas.Fill(Star(180, 262, 16, 7, 5), look.Trim);
            FillBoth(canvas, Ellipse(112, 232, 30, 20), Vertical(212, kSilver, 252, Shade(kSilver, 0.7)));
            canvas.Fill(Polygon({{108, 352}, {252, 352}, {254, 368}, {106, 368}}), 0xFF5A3A22);
            canvas.Fill(RoundRect(168, 350, 192, 370, 4), look.Trim);
            for (int i = 0; i < 4; ++i) {
                const double x = 112 + i * 35;
                canvas.Fill(RoundRect(x, 368, x + 34, 450, 6), Vertical(368, kSilver, 450, Shade(kSilver, 0.6)));
            }
            canvas.Fill(Polygon({{150, 226}, {210, 226}, {180, 244}}), look.Second);
            break;
        }
        case TOutfit::Overalls: {
            canvas.Fill(Polygon({{130, 290}, {230, 290}, {236, 372}, {124, 372}}),
                        Vertical(290, look.Main, 372, Shade(look.Main, 0.8)));
            FillBoth(canvas, Polygon({{130, 290}, {118, 222}, {134, 220}, {146, 290}}), look.Main);
            canvas.Fill(Polygon({{106, 372}, {254, 372}, {262, 470}, {98, 470}}),
                        Vertical(372, look.Main, 470, Shade(look.Main, 0.7)));
            canvas.Fill(Polygon({{106, 372}, {254, 372}, {254, 386}, {106, 386}}), 0xFF4A3020);
            for (double x : {122.0, 220.0}) canvas.Fill(RoundRect(x, 380, x + 26, 414, 5), 0xFF6A4428);
            canvas.Fill(RoundRect(165, 300, 195, 322, 4), look.Trim);
            canvas.Fill(Polygon({{98, 470}, {176, 470}, {172, 560}, {104, 560}}), kSkin);
            canvas.Fill(Polygon({{184, 470}, {262, 470}, {256, 560}, {188, 560}}), kSkin);
            canvas.Fill(Polygon({{100, 520}, {174, 520}, {172, 560}, {102, 560}}), 0xFF4A3020);
            canvas.Fill(Polygon({{186, 520}, {260, 520}, {258, 560}, {188, 560}}), 0xFF4A3020);
            break;
        }
        case TOutfit::Robe: {
            canvas.Fill(Polygon({{110, 218}, {250, 218}, {236, 262}, {180, 280}, {124, 262}}), Shade(look.Main, 1.35));
            canvas.Line({124, 262}, {180, 280}, 3, look.Trim);
            canvas.Line({180, 280}, {236, 262}, 3, look.Trim);
            canvas.Fill(Star(180, 282, 15, 6, 5), look.Trim);
            canvas.Line({180, 300}, {180, 560}, 3, look.Trim);
            canvas.Fill(Polygon({{108, 360}, {252, 360}, {252, 372}, {108, 372}}), look.Trim);
            TRandom random(3);
            for (int i = 0; i < 14; ++i) {
                canvas.Fill(Star(random.Range(110, 250), random.Range(390, 550), 5, 2, 4), 0xC0FFF0C0);
            }
            break;
        }
        case TOutfit::Vestment: {
            // The skirt is wider than the robe above it, tied with a bow at the waist.
            canvas.Fill(Polygon({{102, 330}, {258, 330}, {274, 560}, {86, 560}}),
                        Vertical(330, look.Second, 560, Shade(look.Second, 0.65)));
            for (double x : {136.0, 160.0, 200.0, 224.0}) {
                canvas.Line({x, 346}, {x + (x - 180) * 0.2, 560}, 2, Shade(look.Second, 0.7));
            }
            canvas.Fill(Polygon({{180, 336}, {150, 318}, {152, 354}}), Shade(look.Second, 1.15));
            canvas.Fill(Polygon({{180, 336}, {210, 318}, {208, 354}}), Shade(look.Second, 1.15));
            canvas.Fill(Ellipse(180, 336, 8, 7), Shade(look.Second, 0.85));
            // Crossed collars, each edged in the second colour.
            canvas.Line({136, 218}, {196, 310}, 7, look.Second);
            canvas.Line({224, 218}, {172, 296}, 7, look.Second);
            FillBoth(canvas, Polygon({{40, 424}, {106, 434}, {106, 442}, {40, 432}}), look.Second);
            canvas.Fill(Star(180, 240, 9, 4, 5), look.Trim);
            break;
        }
        case TOutfit::Soldier: {
            canvas.Fill(Polygon({{122, 230}, {238, 230}, {246, 540}, {114, 540}}),
                        Vertical(230, look.Main, 540, Shade(look.Main, 0.7)));
            canvas.Fill(Star(180, 320, 30, 13, 5), look.Trim);
            canvas.Fill(Polygon({{108, 380}, {252, 380}, {252, 396}, {108, 396}}), 0xFF4A3020);
            break;
        }
    }
}

void Head(TCanvas& canvas, const TLook& look) {
    TPath face;
    face.MoveTo(128, 110)
        .CurveTo(128, 160, 158, 192, 180, 194)
        .CurveTo(202, 192, 232, 160, 232, 110)
        .CurveTo(232, 62, 128, 62, 128, 110);
    canvas.Fill(face, Vertical(70, kSkin, 194, kSkinShade));

    // Eyes: white, a gradient iris, pupil, highlight, and the upper lash line.
    for (double ex : {158.0, 202.0}) {
        canvas.Fill(Ellipse(ex, 140, 11, 13), 0xFFFFFFFF);
        canvas.Fill(Ellipse(ex, 142, 8, 11),
                    Vertical(131, Shade(look.EyeColour, 0.55), 153, Shade(look.EyeColour, 1.25)));
        canvas.Fill(Ellipse(ex, 143, 3.5, 5.5), Shade(look.EyeColour, 0.3));
        canvas.Fill(Ellipse(ex - 3, 137, 2.6, 2.6), 0xFFFFFFFF);
        canvas.Line({ex - 13, 130}, {ex + 12, 127}, 3.2, kLine);
        canvas.Line({ex - 10, 117}, {ex + 9, 115}, 2, Shade(look.HairColour, 0.6));
    }
    canvas.Fill(Ellipse(146, 160, 11, 5), 0x40FF7080);
    canvas.Fill(Ellipse(214, 160, 11, 5), 0x40FF7080);
    switch (look.Mouth) {
        case TMouth::Grin: {
            TPath mouth;
            mouth.MoveTo(170, 170).CurveTo(172, 184, 188, 184, 190, 170);
            canvas.Fill(mouth, 0xFFB04050);
            break;
        }
        case TMouth::Smile: {
            TPath mouth;
            mouth.MoveTo(172, 172).CurveTo(176, 178, 184, 178, 188, 172).CurveTo(184, 175, 176, 175, 172, 172);
            canvas.Fill(mouth, 0xFF9A3A44);
            break;
        }
        case TMouth::Calm: canvas.Line({174, 174}, {186, 174}, 2, 0xFF9A5A5A); break;
    }
}

void FrontHair(TCanvas& canvas, const TLook& look) {
    if (look.Headwear == THeadwear::Helmet) return;
    const TPaint hair = Vertical(56, Shade(look.HairColour, 1.15), 200, Shade(look.HairColour, 0.8));
    // The crown with a fringe of pointed locks across the forehead.
    TPath fringe;
    fringe.MoveTo(122, 136).CurveTo(112, 60, 248, 60, 238, 136);
    const double tips[][2] = {{228, 120}, {218, 104}, {206, 126}, {194, 102}, {180, 122},
                              {166, 100}, {152, 124}, {142, 104}, {132, 128}};
    for (const auto& tip : tips) fringe.LineTo(tip[0], tip[1]);
    canvas.Fill(fringe, hair);
    // Side locks framing the face.
    TPath lock;
    lock.MoveTo(124, 100).CurveTo(112, 140, 114, 180, 120, 210).LineTo(132, 196).CurveTo(130, 160, 132, 130, 140, 108);
    FillBoth(canvas, lock, hair);
    // A shine across the crown.
    canvas.Line({146, 84}, {214, 84}, 3, 0x50FFFFFF);
}

void Headwear(TCanvas& canvas, const TLook& look) {
    switch (look.Headwear) {
        case THeadwear::None:
            if (look.Hair == THair::Ponytail) {
                // A ribbon where the ponytail is tied.
                canvas.Fill(Polygon({{232, 84}, {264, 64}, {260, 100}}), look.Trim);
                canvas.Fill(Polygon({{232, 84}, {254, 116}, {226, 110}}), Shade(look.Trim, 0.8));
            }
            break;
        case THeadwear::Goggles:
            canvas.Fill(Polygon({{124, 82}, {236, 82}, {236, 92}, {124, 92}}), 0xFF4A3020);
            for (double gx : {156.0, 204.0}) {
                canvas.Fill(Ellipse(gx, 84, 21, 17), 0xFF6A6A70);
                canvas.Fill(Ellipse(gx, 84, 15, 12), RadialGradient({gx - 4, 80}, 18, 0xFFFFE0A0, 0xFFE08A20));
                canvas.Fill(Ellipse(gx - 5, 80, 4, 3), 0xC0FFFFFF);
            }
            break;
        case THeadwear::Hat: {
            canvas.Fill(Ellipse(180, 86, 112, 24), Vertical(62, Shade(look.Main, 1.3), 110, Shade(look.Main, 0.7)));
            TPath cone;
            cone.MoveTo(112, 84)
                .CurveTo(130, 40, 160, 20, 200, 8)
                .CurveTo(230, 2, 262, 20, 282, 42)
                .CurveTo(250, 30, 226, 34, 218, 50)
                .CurveTo(232, 62, 244, 74, 248, 84);
            canvas.Fill(cone, Across(112, Shade(look.Main, 0.8), 248, Shade(look.Main, 1.2)));
            canvas.Fill(Polygon({{114, 74}, {246, 74}, {248, 86}, {112, 86}}), look.Trim);
            canvas.Fill(Star(282, 44, 13, 5, 5), 0xFFFFE890);
            break;
        }
        case THeadwear::Helmet: {
            TPath helmet;
            helmet.MoveTo(118, 126)
                .CurveTo(110, 40, 250, 40, 242, 126)
                .LineTo(226, 126)
                .LineTo(222, 112)
                .LineTo(138, 112)
                .LineTo(134, 126);
            canvas.Fill(helmet, Across(118, Shade(kSilver, 0.6), 242, kSilver));
            canvas.Fill(Polygon({{175, 112}, {185, 112}, {183, 150}, {177, 150}}), Shade(kSilver, 0.7));
            canvas.Fill(Polygon({{172, 52}, {188, 52}, {186, 30}, {174, 30}}), look.Trim);
            break;
        }
    }
}

// Worn on the left hip, the hilt forward and up, the scabbard trailing back past the
// hand.
void Sword(TCanvas& canvas, const TLook& look) {
    constexpr TPointF kMouth{248, 372}, kTip{326, 548}, kPommel{220, 318};
    const auto along = [](TPointF from, TPointF to, double t) {
        return TPointF{from.X + (to.X - from.X) * t, from.Y + (to.Y - from.Y) * t};
    };
    canvas.Line(kMouth, kTip, 13, 0xFF1E1A22);
    canvas.Line({kMouth.X + 2, kMouth.Y + 4}, {kTip.X - 2, kTip.Y - 4}, 5, 0x30FFFFFF);
    for (double t : {0.3, 0.75}) {
        const TPointF band = along(kMouth, kTip, t);
        canvas.Line({band.X - 8, band.Y + 3}, {band.X + 8, band.Y - 3}, 4, look.Trim);
    }
    canvas.Fill(Ellipse(kMouth.X - 2, kMouth.Y - 4, 12, 7), look.Trim);
    canvas.Line({kMouth.X - 4, kMouth.Y - 8}, kPommel, 9, 0xFF2A2430);
    for (double t = 0.15; t < 1; t += 0.25) {
        const TPointF wrap = along({kMouth.X - 4, kMouth.Y - 8}, kPommel, t);
        canvas.Fill(Ellipse(wrap.X, wrap.Y, 3, 2), 0xFFC0C0C8);
    }
}

TBitmap32 Standing(const TLook& look) {
    TBitmap32 picture(kStandWidth, kStandHeight);
    picture.Clear(0);
    TCanvas canvas(picture);
    BackHair(canvas, look);
    Cape(canvas, look);
    Body(canvas, look);
    if (look.Sword) Sword(canvas, look);
    Head(canvas, look);
    FrontHair(canvas, look);
    Headwear(canvas, look);
    return picture;
}

// Bilinear sample of straight-alpha pixels, weighting colours by alpha.
TColor32 Sample(const TBitmap32& source, double x, double y) {
    const int x0 = std::clamp(static_cast<int>(std::floor(x)), 0, source.Width() - 2);
    const int y0 = std::clamp(static_cast<int>(std::floor(y)), 0, source.Height() - 2);
    const double fx = std::clamp(x - x0, 0.0, 1.0), fy = std::clamp(y - y0, 0.0, 1.0);
    double a = 0, r = 0, g = 0, b = 0;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            const TColor32 p = *source.PixelPtr(x0 + i, y0 + j);
            const double w = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
            const double pa = (p >> 24) * w;
            a += pa;
            r += ((p >> 16) & 0xFF) * pa;
            g += ((p >> 8) & 0xFF) * pa;
            b += (p & 0xFF) * pa;
        }
    }
    if (a <= 0) return 0;
    const auto byte = [](double v) { return static_cast<TColor32>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return byte(a) << 24 | byte(r / a) << 16 | byte(g / a) << 8 | byte(b / a);
}

// The standing picture drawn enlarged over the box: the box's pixel (x, y) shows the
// point origin + (x, y) * step of it, weighed by `cover` (the pixel's share inside the
// box's shape).
template <class Cover>
void Enlarged(TCanvas& canvas, const TBitmap32& standing, TPointF origin, double step, const TRect& box,
              const Cover& cover) {
    for (int y = box.Top; y < box.Bottom; ++y) {
        for (int x = box.Left; x < box.Right; ++x) {
            const double weight = cover(x, y);
            if (weight <= 0) continue;
            const TColor32 p = Sample(standing, origin.X + x * step, origin.Y + y * step);
            canvas.Blend(x, y, p | 0xFF000000, (p >> 24) / 255.0 * weight);
        }
    }
}

double Whole(int, int) { return 1; }

// The face picture: the head enlarged onto a round-cornered plate in the
// character's colour.
TBitmap32 Face(const TBitmap32& standing, const TLook& look, double top) {
    TBitmap32 face(kFaceSize, kFaceSize);
    face.Clear(0);
    TCanvas canvas(face);
    canvas.Fill(RoundRect(2, 2, 198, 198, 22), Shade(look.Trim, 0.9));
    canvas.Fill(RoundRect(6, 6, 194, 194, 18), Vertical(6, Shade(look.Main, 1.6), 194, Shade(look.Main, 0.6)));
    const double side = 170;  // source square, centred on the face
    Enlarged(canvas, standing, {kCx - side / 2, top}, side / kFaceSize, {6, 6, 194, 194}, Whole);
    return face;
}

// The heroines of the story and of the campaign, then the guard. Each is told apart
// from the others by her hair and outfit at a glance, even as a small chip on a button.
constexpr TLook kLisette{THair::Ponytail, TOutfit::Armour, THeadwear::None, TMouth::Smile, 0xFFC8283A,
                         0xFF2E6AC8,      0xFF22305A,      0xFFA01E2A,      0xFFE0B850};
constexpr TLook kMio{THair::TwinTails, TOutfit::Overalls, THeadwear::Goggles, TMouth::Grin, 0xFFF08A2A,
                     0xFF2E9A58,       0xFF9A6A3A,        0xFFF4F0E8,         0xFFE0A030};
constexpr TLook kNoel{THair::Long, TOutfit::Robe, THeadwear::Hat, TMouth::Calm, 0xFFD8DCF4,
                      0xFF8A5AD0,  0xFF1E2A6A,    0xFF2A3A8A,     0xFFE8C860};
// The swordswoman of the old mine: short dark hair, a slate cloak, a sword at her hip.
constexpr TLook kSetsuna{THair::Short, TOutfit::Armour, THeadwear::None, TMouth::Calm, 0xFF2A2A38,
                         0xFFC83A3A,   0xFF3A3A48,      0xFF3A4A5E,      0xFFB8404A,   true};
// The prayer-singer of the western bastion: a purple ponytail and a plum robe.
constexpr TLook kKanae{THair::Ponytail, TOutfit::Robe, THeadwear::None, TMouth::Smile, 0xFF7A4AAA,
                       0xFF9A4AD0,      0xFF4A2A4A,    0xFF5A2A6A,      0xFFC8B0E8};
// The scout: blonde twin tails and green overalls, no goggles.
constexpr TLook kHibari{THair::TwinTails, TOutfit::Overalls, THeadwear::None, TMouth::Grin, 0xFFE8C040,
                        0xFF2E7AC8,       0xFF4A7A3A,        0xFFF4F0E8,      0xFFE0A030};
// The keeper of the southern signal fire: long black hair, amber eyes, a white vestment
// and a crimson skirt.
constexpr TLook kAmane{THair::Long, TOutfit::Vestment, THeadwear::None, TMouth::Calm, 0xFF1A1A22,
                       0xFFD07A20,  0xFFF0ECE8,        0xFFC8283A,      0xFFE0B850};
// The wandering sorceress: long white hair under a violet hat, a violet robe.
constexpr TLook kYuzuriha{THair::Long, TOutfit::Robe, THeadwear::Hat, TMouth::Grin, 0xFFF4F4FA,
                          0xFFE0A020,  0xFF5A2A78,    0xFF6A2A7A,     0xFFF0A8D0};
constexpr TLook kGuard{THair::Short, TOutfit::Soldier, THeadwear::Helmet, TMouth::Calm, 0xFF5A3A22,
                       0xFF6A4A2A,   0xFF2E5A3A,       0xFF8A9098,        0xFFE0C060};

// Heroine h's look at index h - 1; the last two command towers in battle only.
constexpr TLook kHeroines[] = {
    kLisette,
    kMio,
    kNoel,
    kSetsuna,
    kKanae,
    kHibari,
    kAmane,
    kYuzuriha,
    {THair::Short, TOutfit::Soldier, THeadwear::Goggles, TMouth::Grin, 0xFF8A4A22, 0xFF3A8A6A, 0xFF6A4A2A, 0xFFB89868,
     0xFFD0A040},
    {THair::Ponytail, TOutfit::Armour, THeadwear::Helmet, TMouth::Calm, 0xFF5A8A3A, 0xFF2A6A9A, 0xFF2A4A5A, 0xFF5A8A3A,
     0xFFC0C8D0},
};
// The heroines who join the campaign and have a button of their own.
constexpr int kCampaignHeroines = 8;

std::string Numbered(std::string_view prefix, int number, std::string_view suffix) {
    return std::string(prefix) + (number < 10 ? "0" : "") + std::to_string(number) + std::string(suffix);
}

// A bust for the battle's information panel, standing on the interface bar between the
// durability gauge and the command buttons: head and shoulders over a gold-rimmed plate
// in the character's colour, the head rising above the plate's rounded top.
TBitmap32 Portrait(const TBitmap32& standing, const TLook& look) {
    constexpr int kWidth = 104, kHeight = 140;
    constexpr double kScale = 0.55, kTop = 34;
    TBitmap32 portrait(kWidth, kHeight);
    portrait.Clear(0);
    TCanvas canvas(portrait);
    canvas.Fill(RoundRect(3, 36, kWidth - 3, kHeight + 16, 16), Shade(look.Trim, 0.9));
    canvas.Fill(RoundRect(6, 39, kWidth - 6, kHeight + 16, 13),
                Vertical(39, Shade(look.Main, 1.6), kHeight, Shade(look.Main, 0.6)));
    Enlarged(canvas, standing, {kCx - kWidth / 2.0 / kScale, kTop}, 1 / kScale, portrait.BoundsRect(), Whole);
    return portrait;
}

// A heroine's button: a round chip with her head at the left, her name beside it.
TBitmap32 HeroineButton(int heroine) {
    constexpr int kW = 200, kH = 56;
    // The chip shows the head and the top of the collar, the outfit's colours too.
    constexpr double kChipX = 31, kChipRadius = 21;
    constexpr TPointF kBustCentre{kCx, 146};  // in the standing picture
    constexpr double kStep = 4;               // standing picture pixels per chip pixel
    const TLook& look = kHeroines[heroine - 1];
    const TBitmap32 standing = Standing(look);
    const std::string_view name = HeroineName(heroine);
    const TFont font{"ＭＳ Ｐ明朝", 24, 0, true};
    return ThreeFrames(kW, kH, [&](TCanvas& canvas, int frame, int top) {
        const double shift = ButtonFace(canvas, frame, top, kW, kH, 12);
        const double cx = kChipX + shift, cy = top + kH / 2.0 + shift;
        canvas.Fill(Ellipse(cx, cy, kChipRadius + 2, kChipRadius + 2), frame == 1 ? 0xFFFFE8A0 : kGold);
        canvas.Fill(Ellipse(cx, cy, kChipRadius, kChipRadius),
                    Vertical(cy - kChipRadius, Shade(look.Main, 1.5), cy + kChipRadius, Shade(look.Main, 0.7)));
        const TRect box{static_cast<int>(cx - kChipRadius) - 1, static_cast<int>(cy - kChipRadius) - 1,
                        static_cast<int>(cx + kChipRadius) + 2, static_cast<int>(cy + kChipRadius) + 2};
        Enlarged(canvas, standing, {kBustCentre.X - cx * kStep, kBustCentre.Y - cy * kStep}, kStep, box,
                 [&](int x, int y) {
                     return std::clamp(kChipRadius + 0.5 - std::hypot(x + 0.5 - cx, y + 0.5 - cy), 0.0, 1.0);
                 });
        canvas.Fill(Star(kW - 22 + shift, cy, 8, 3, 4), kGold);
        constexpr int kNameLeft = 58, kNameWidth = 114;
        FaceCaption(canvas, name, font, frame, kNameLeft + Centred(canvas, name, font, kNameWidth),
                    top + (kH - 30) / 2);
    });
}

}  // namespace

std::vector<TPicture> MakeCharacters() {
    struct TCast {
        const char* Standing;
        const char* Face;  // nullptr: no face picture
        TLook Look;
        double FaceTop;
    };
    const TCast cast[] = {
        {"chr_rize01.png", "fc_rize01.png", kLisette, 50}, {"chr_mio01.png", "fc_mio01.png", kMio, 50},
        {"chr_noel01.png", "fc_noel01.png", kNoel, 56},    {"chr_setsuna01.png", "fc_setsuna01.png", kSetsuna, 50},
        {"chr_kanae01.png", "fc_kanae01.png", kKanae, 50}, {"chr_hibari01.png", "fc_hibari01.png", kHibari, 50},
        {"chr_amane01.png", "fc_amane01.png", kAmane, 50}, {"chr_yuzuriha01.png", "fc_yuzuriha01.png", kYuzuriha, 56},
        {"chr_guard01.png", nullptr, kGuard, 50},
    };
    std::vector<TPicture> pictures;
    for (const TCast& member : cast) {
        TBitmap32 standing = Standing(member.Look);
        if (member.Face) pictures.push_back({member.Face, Face(standing, member.Look, member.FaceTop)});
        pictures.push_back({member.Standing, std::move(standing)});
    }
    return pictures;
}

std::vector<TPicture> MakePortraits() {
    std::vector<TPicture> pictures;
    int number = 0;
    for (const TLook& look : kHeroines) {
        ++number;
        pictures.push_back({Numbered("マスター", number, ".png"), Portrait(Standing(look), look)});
    }
    return pictures;
}

std::vector<TPicture> MakeHeroineButtons() {
    std::vector<TPicture> pictures;
    for (int heroine = 1; heroine <= kCampaignHeroines; ++heroine) {
        pictures.push_back({Numbered("btn_h", heroine, ".png"), HeroineButton(heroine)});
    }
    return pictures;
}

}  // namespace vandor::demo

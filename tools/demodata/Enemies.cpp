// The enemy soldiers: a sheet per kind of 3 columns and 8 rows of 24 x 32 frames. Rows
// are the walking directions on screen (down, left, right, up, down-left, up-left,
// down-right, up-right), columns the steps (legs apart, together, the other leg
// forwards). Each soldier stands on the middle of its cell, 8 pixels above the
// frame's bottom, and is drawn from a few limbs placed by its facing, so that every
// direction and step follows from one description of the kind.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "Battle.h"
#include "Isometric.h"

namespace vandor::demo {
namespace {

constexpr int kFrameWidth = kEnemyFrameWidth, kFrameHeight = kEnemyFrameHeight;
constexpr TColor32 kSkin = 0xFFF0C8A8;
constexpr TColor32 kSteel = 0xFFC4CAD2;
constexpr TColor32 kBoot = 0xFF3A2A20;
constexpr TColor32 kHair = 0xFF4A3020;
constexpr double kPi = std::numbers::pi;

enum class THeadgear { Cap, Hood, Helm, Bare };
enum class TWeapon { Spear, Bow, Lance, Sword, Club };

struct TLook {
    TColor32 Body, Trim, Arms, Hands, Legs;
    TColor32 Head;  // the headgear's colour, or the skin when bare
    THeadgear Headgear;
    TWeapon Weapon;
    double Width, Torso, LegLength, HeadRadius;
    bool Mounted = false;
};

// The facing on screen, and the two ground directions it gives: ahead and to one side.
struct TFacing {
    double X, Y;
    TPointF Ahead() const { return {X, Y * 0.5}; }
    TPointF Side() const { return {-Y, X * 0.5}; }
};

constexpr double kDiagonal = 0.7071;
const TFacing kRows[8] = {{0, 1},
                          {-1, 0},
                          {1, 0},
                          {0, -1},
                          {-kDiagonal, kDiagonal},
                          {-kDiagonal, -kDiagonal},
                          {kDiagonal, kDiagonal},
                          {kDiagonal, -kDiagonal}};

TPointF Along(TPointF from, TPointF direction, double length) {
    return {from.X + direction.X * length, from.Y + direction.Y * length};
}

void Limb(TCanvas& canvas, TPointF from, TPointF to, double width, TColor32 colour) {
    canvas.Line(from, to, width + 2, kInk);
    canvas.Line(from, to, width, colour);
}

void Blot(TCanvas& canvas, TPointF at, double rx, double ry, TColor32 colour) {
    canvas.Outline(Ellipse(at.X, at.Y, rx, ry), kInk);
    canvas.Fill(Ellipse(at.X, at.Y, rx, ry), colour);
}

void Weapon(TCanvas& canvas, const TLook& look, TFacing f, TPointF hand) {
    const TPointF ahead = f.Ahead();
    switch (look.Weapon) {
        case TWeapon::Spear: {
            const TPointF tip{hand.X + ahead.X * 2, -21};
            Limb(canvas, {hand.X - ahead.X, hand.Y + 4}, tip, 0.8, 0xFF8A6A40);
            canvas.Fill(Polygon({{tip.X - 1.3, tip.Y + 1.5}, {tip.X, tip.Y - 2}, {tip.X + 1.3, tip.Y + 1.5}}), kSteel);
            break;
        }
        case TWeapon::Lance: {
            const TPointF tip = Along({hand.X, hand.Y - 8}, ahead, 4);
            Limb(canvas, {hand.X - ahead.X * 2, hand.Y + 3}, tip, 1, 0xFFE8E0D0);
            const TPath pennant =
                Polygon({{tip.X - 1.8, tip.Y + 2.5}, {tip.X + ahead.X * 1.5, tip.Y - 1}, {tip.X + 1.8, tip.Y + 2.5}});
            canvas.Fill(pennant, 0xFFC83030);
            break;
        }
        case TWeapon::Bow: {
            const TPointF grip = Along(hand, ahead, 1.5);
            const TPointF upper{grip.X - ahead.X * 1.5, grip.Y - 5}, lower{grip.X - ahead.X * 1.5, grip.Y + 4};
            Limb(canvas, upper, grip, 0.9, 0xFF8A5A2A);
            Limb(canvas, grip, lower, 0.9, 0xFF8A5A2A);
            canvas.Line(upper, lower, 0.5, 0xFFF0F0E0);
            break;
        }
        case TWeapon::Sword: Limb(canvas, hand, {hand.X + ahead.X * 3, hand.Y - 6}, 1, kSteel); break;
        case TWeapon::Club: {
            const TPointF top{hand.X + ahead.X * 1.5, hand.Y - 8};
            Limb(canvas, hand, top, 2, 0xFF7A5030);
            Blot(canvas, top, 2.2, 2.2, 0xFF8A5A34);
            break;
        }
    }
}

// The knight's shield on the arm away from the weapon, its face towards the facing.
void Shield(TCanvas& canvas, TFacing f, TPointF hand) {
    const TPointF centre = Along(hand, f.Ahead(), 1.2);
    const double w = 1.5 + 1.8 * std::abs(f.Y);
    const TPath shield = Polygon({{centre.X - w, centre.Y - 3},
                                  {centre.X + w, centre.Y - 3},
                                  {centre.X + w, centre.Y + 1},
                                  {centre.X, centre.Y + 3.5},
                                  {centre.X - w, centre.Y + 1}});
    canvas.Outline(shield, kInk);
    canvas.Fill(shield, 0xFFB02A2A);
    canvas.Line({centre.X, centre.Y - 2.5}, {centre.X, centre.Y + 2.5}, 0.9, 0xFFF0E8D0);
}

void Eyes(TCanvas& canvas, TFacing f, TPointF centre) {
    constexpr TColor32 kEye = 0xFF201818;
    if (std::abs(f.Y) > 0.1) {
        for (double dx : {-1.2, 1.2}) canvas.Fill(Ellipse(centre.X + f.X * 1.3 + dx, centre.Y, 0.55, 0.75), kEye);
    } else {
        canvas.Fill(Ellipse(centre.X + f.X * 1.9, centre.Y, 0.55, 0.75), kEye);  // in profile
    }
}

void Head(TCanvas& canvas, const TLook& look, TFacing f, TPointF centre) {
    const double r = look.HeadRadius;
    const bool away = f.Y < -0.1;
    double eyeDrop = 0.2;
    switch (look.Headgear) {
        case THeadgear::Hood:
            Blot(canvas, {centre.X, centre.Y - 0.3}, r + 1, r + 1, look.Head);
            if (!away) canvas.Fill(Ellipse(centre.X + f.X * 1.2, centre.Y + 0.6, r * 0.75, r * 0.7), kSkin);
            eyeDrop = 0.6;
            break;
        case THeadgear::Cap: {
            Blot(canvas, centre, r, r, away ? kHair : kSkin);
            const TPointF rim{centre.X, centre.Y - 0.3};
            TPath cap;
            canvas.Fill(cap.ArcTo(rim.X, rim.Y, r + 0.5, r + 0.5, kPi, 2 * kPi), look.Head);
            canvas.Line({rim.X - r - 0.5, rim.Y}, {rim.X + r + 0.5, rim.Y}, 0.8, kInk);
            break;
        }
        case THeadgear::Helm:
            Blot(canvas, centre, r, r, look.Head);
            canvas.Fill(Ellipse(centre.X, centre.Y - r - 0.5, 1.2, 1.3), 0xFFD83A3A);  // the plume
            if (!away) {
                const double x = centre.X + f.X * 1.2, half = std::abs(f.Y) > 0.1 ? 2 : 1.2;
                canvas.Line({x - half, centre.Y}, {x + half, centre.Y}, 1, kInk);  // the visor
            }
            return;
        case THeadgear::Bare: Blot(canvas, centre, r, r, look.Head); break;
    }
    if (!away) Eyes(canvas, f, {centre.X, centre.Y + eyeDrop});
}

// A horse under a rider: body and four legs stepping in pairs, drawn from the far side
// to the near one. Its neck and head point along the facing; HorseHead draws them, in
// front of the rider when the horse comes towards us and behind otherwise.
constexpr TColor32 kCoat = 0xFF8A5A3A;

void HorseHead(TCanvas& canvas, TFacing f) {
    const TPointF ahead = f.Ahead();
    // Coming towards us the head hangs low in front of the chest, below the rider.
    const TPointF head = Along({0, -13 + 4.5 * std::max(f.Y, 0.0)}, ahead, 7);
    Limb(canvas, Along({0, -9}, ahead, 4.5), head, 2.6, kCoat);
    Blot(canvas, head, 2.1 + std::abs(f.X) * 0.5, 1.8, kCoat);
    canvas.Fill(Ellipse(head.X - ahead.X, head.Y - 1.8, 0.8, 1.2), 0xFF3A2418);
}

void Horse(TCanvas& canvas, TFacing f, double phase) {
    const TPointF ahead = f.Ahead(), side = f.Side();
    const TPointF body{0, -7.5};
    const auto tail = [&] { Limb(canvas, Along({0, -9}, ahead, -6.5), Along({0, -3}, ahead, -8.5), 1.2, 0xFF3A2418); };
    if (f.Y >= 0) tail();
    struct TLeg {
        TPointF Root, Foot;
    };
    std::vector<TLeg> legs;
    for (double end : {-1.0, 1.0}) {
        for (double s : {-1.0, 1.0}) {
            const TPointF root = Along(Along(body, ahead, end * 4.5), side, s * 2.2);
            const double stride = phase * end * s * 1.8;
            legs.push_back({root, Along({root.X, root.Y + 7.5}, ahead, stride)});
        }
    }
    std::sort(legs.begin(), legs.end(), [](const TLeg& a, const TLeg& b) { return a.Foot.Y < b.Foot.Y; });
    for (std::size_t i = 0; i < 2; ++i) Limb(canvas, legs[i].Root, legs[i].Foot, 1.6, Shade(kCoat, 0.8));
    Blot(canvas, body, 5.5 + 2 * std::abs(f.X), 3.5, kCoat);
    for (std::size_t i = 2; i < 4; ++i) Limb(canvas, legs[i].Root, legs[i].Foot, 1.6, kCoat);
    if (f.Y < 0) tail();
}

void Soldier(TCanvas& canvas, const TLook& look, TFacing f, int column) {
    const double phase = column == 0 ? 1 : column == 2 ? -1 : 0;  // which leg is forwards
    const TPointF ahead = f.Ahead(), side = f.Side();
    Shadow(canvas, 0, 0, look.Mounted ? 9 : look.Width * 0.8);
    const bool facingUs = f.Y > 0.1;
    if (look.Mounted) {
        Horse(canvas, f, phase);
        if (!facingUs) HorseHead(canvas, f);
    }
    const double hipY = look.Mounted ? -10.5 : -look.LegLength + (column == 1 ? -0.6 : 0);
    const double width = look.Width * (0.65 + 0.35 * std::abs(f.Y));
    const double shoulderY = hipY - look.Torso + 1.8;
    struct TLimb {
        TPointF Root, End;
    };
    TLimb legs[2], arms[2];
    for (int i = 0; i < 2; ++i) {
        const double s = i == 0 ? -1 : 1;
        const double step = i == 0 ? phase : -phase;
        const TPointF hip = Along({0, hipY}, side, s * width * 0.25);
        const TPointF foot = look.Mounted ? Along({hip.X, hipY + 4}, side, s * 1.5)
                                          : Along(Along({0, 0}, side, s * width * 0.3), ahead, step * 2.4);
        legs[i] = {hip, foot};
        // The arms swing against the legs; a rider holds his forwards.
        const TPointF shoulder = Along({0, shoulderY}, side, s * (width / 2 + 0.6));
        const TPointF hand = Along({shoulder.X, shoulder.Y + 5}, side, s * 0.5);
        arms[i] = {shoulder, Along(hand, ahead, -step * 1.8 + (look.Mounted ? 1.5 : 0))};
    }
    const auto leg = [&](const TLimb& l) {
        Limb(canvas, l.Root, l.End, look.Width * 0.3, look.Legs);
        Blot(canvas, l.End, 1.5, 1, kBoot);
    };
    const auto arm = [&](int i) {
        Limb(canvas, arms[i].Root, arms[i].End, look.Width * 0.25, look.Arms);
        canvas.Fill(Ellipse(arms[i].End.X, arms[i].End.Y, 0.9, 0.9), look.Hands);
        if (i == 1) Weapon(canvas, look, f, arms[i].End);
        if (i == 0 && look.Weapon == TWeapon::Sword) Shield(canvas, f, arms[i].End);
    };
    const bool firstLegFar = legs[0].End.Y < legs[1].End.Y;
    leg(legs[firstLegFar ? 0 : 1]);
    leg(legs[firstLegFar ? 1 : 0]);
    // Arms on the far side go behind the body; in front and back views both are beside it.
    const auto far = [&](int i) { return arms[i].Root.Y < shoulderY - 0.1; };
    for (int i = 0; i < 2; ++i) {
        if (far(i)) arm(i);
    }
    const TPath torso = RoundRect(-width / 2, hipY - look.Torso, width / 2, hipY + 1.5, 2);
    canvas.Outline(torso, kInk);
    canvas.Fill(torso, LinearGradient({-width / 2, 0}, Shade(look.Body, 1.1), {width / 2, 0}, Shade(look.Body, 0.75)));
    const double half = width / 2;
    canvas.Fill(Polygon({{-half, hipY - 0.5}, {half, hipY - 0.5}, {half, hipY + 0.7}, {-half, hipY + 0.7}}),
                look.Trim);  // belt
    const TPointF headCentre{f.X * 0.4, hipY - look.Torso - look.HeadRadius + 0.8};
    Head(canvas, look, f, headCentre);
    for (int i = 0; i < 2; ++i) {
        if (!far(i)) arm(i);
    }
    if (look.Mounted && facingUs) HorseHead(canvas, f);
}

TBitmap32 Sheet(const TLook& look) {
    TBitmap32 sheet(3 * kFrameWidth, 8 * kFrameHeight);
    sheet.Clear(0);
    const TCanvas canvas(sheet);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 3; ++column) {
            TCanvas frame = canvas.At({kFrameWidth * (column + 0.5), kFrameHeight * row + kFrameHeight - 8.0});
            Soldier(frame, look, kRows[row], column);
        }
    }
    return sheet;
}

}  // namespace

std::vector<TPicture> MakeEnemies() {
    // Footman, archer, cavalry, armoured knight, ogre.
    const TLook looks[] = {
        {.Body = 0xFFB83A34,
         .Trim = 0xFF5A2A1A,
         .Arms = 0xFFB83A34,
         .Hands = kSkin,
         .Legs = 0xFF4A3A34,
         .Head = 0xFF9AA0A8,
         .Headgear = THeadgear::Cap,
         .Weapon = TWeapon::Spear,
         .Width = 7,
         .Torso = 7,
         .LegLength = 7,
         .HeadRadius = 3.4},
        {.Body = 0xFFE0A040,
         .Trim = 0xFF6A4020,
         .Arms = 0xFFE0A040,
         .Hands = kSkin,
         .Legs = 0xFF5A4A30,
         .Head = 0xFF7A4A2A,
         .Headgear = THeadgear::Hood,
         .Weapon = TWeapon::Bow,
         .Width = 6.5,
         .Torso = 7,
         .LegLength = 7,
         .HeadRadius = 3.2},
        {.Body = 0xFF8A3AA8,
         .Trim = 0xFFE8C060,
         .Arms = 0xFF8A3AA8,
         .Hands = kSkin,
         .Legs = 0xFF4A3050,
         .Head = 0xFF9AA0A8,
         .Headgear = THeadgear::Cap,
         .Weapon = TWeapon::Lance,
         .Width = 6,
         .Torso = 5.5,
         .LegLength = 0,
         .HeadRadius = 3.2,
         .Mounted = true},
        {.Body = 0xFFB8C0CC,
         .Trim = 0xFFB02A2A,
         .Arms = 0xFFB8C0CC,
         .Hands = kSteel,
         .Legs = 0xFF8A929E,
         .Head = kSteel,
         .Headgear = THeadgear::Helm,
         .Weapon = TWeapon::Sword,
         .Width = 8,
         .Torso = 7,
         .LegLength = 7,
         .HeadRadius = 3.6},
        {.Body = 0xFF6A4A2A,
         .Trim = 0xFF3A2418,
         .Arms = 0xFF8A98B0,
         .Hands = 0xFF8A98B0,
         .Legs = 0xFF8A98B0,
         .Head = 0xFF8A98B0,
         .Headgear = THeadgear::Bare,
         .Weapon = TWeapon::Club,
         .Width = 12,
         .Torso = 8.5,
         .LegLength = 6,
         .HeadRadius = 3.8},
    };
    std::vector<TPicture> pictures;
    for (int kind = 0; kind < 5; ++kind) {
        char name[32];
        std::snprintf(name, sizeof name, "敵ユニット%02d.png", kind + 1);
        pictures.push_back({name, Sheet(looks[kind])});
    }
    return pictures;
}

}  // namespace vandor::demo

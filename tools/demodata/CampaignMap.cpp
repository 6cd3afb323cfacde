// The campaign map, seen from above on parchment: the fortress as a star in the lower
// left whose five points are the bastions, the lake, the hills, the mine, the beach and
// the valley around it, and the mist thickening to the north where the mist king's
// castle stands. The game lays the areas' buttons over it at the corners below; each
// place is drawn under or beside its button, and the roads run from button to button.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "Campaign.h"
#include "Widgets.h"

namespace vandor::demo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr TColor32 kInk = 0xFF4A3020;

struct TAreaSpot {
    int Area;
    double Left, Top;  // the button's top left corner
};

constexpr TAreaSpot kSpots[] = {
    {2, 130, 300}, {3, 290, 380},  {4, 200, 470},  {5, 20, 430},   {6, 20, 330},  {7, 300, 250}, {8, 470, 330},
    {9, 630, 420}, {10, 640, 260}, {11, 460, 480}, {12, 470, 150}, {13, 640, 90}, {14, 250, 80},
};

constexpr double kButtonWidth = 139, kButtonHeight = 44;

const TAreaSpot& SpotOf(int area) {
    for (const TAreaSpot& spot : kSpots) {
        if (spot.Area == area) return spot;
    }
    return kSpots[0];
}

TPointF Middle(const TAreaSpot& spot) { return {spot.Left + kButtonWidth / 2, spot.Top + kButtonHeight / 2}; }

// The roads between neighbouring areas; the bastions' roads lead out of the fortress.
constexpr std::pair<int, int> kRoads[] = {
    {2, 7}, {3, 8}, {4, 11}, {6, 14}, {7, 8}, {7, 12}, {7, 14}, {8, 9}, {8, 10}, {9, 11}, {10, 13}, {12, 13}, {12, 14},
};

// A road leaves a button from the middle of the side that faces where it goes, a little
// clear of the frame: the strength boxes sit on a see-through strip of the button, and
// a road under them would read as a box ticked or crossed out.
TPointF Gate(const TAreaSpot& spot, TPointF towards) {
    constexpr double kClearance = 5;
    const TPointF middle = Middle(spot);
    const double dx = towards.X - middle.X, dy = towards.Y - middle.Y;
    if (std::abs(dx) * kButtonHeight > std::abs(dy) * kButtonWidth) {
        const double side = dx > 0 ? 1 : -1;
        return {middle.X + side * (kButtonWidth / 2 + kClearance), middle.Y};
    }
    const double side = dy > 0 ? 1 : -1;
    return {middle.X, middle.Y + side * (kButtonHeight / 2 + kClearance)};
}

// A point of the road from `from` to `to`, bowed to one side by `bow` of its length.
TPointF RoadPoint(TPointF from, TPointF to, double bow, double t) {
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const TPointF bend{(from.X + to.X) / 2 - dy * bow, (from.Y + to.Y) / 2 + dx * bow};
    const double u = 1 - t;
    return {u * u * from.X + 2 * u * t * bend.X + t * t * to.X, u * u * from.Y + 2 * u * t * bend.Y + t * t * to.Y};
}

bool UnderAButton(TPointF point) {
    constexpr double kMargin = 3;
    return std::any_of(std::begin(kSpots), std::end(kSpots), [&](const TAreaSpot& spot) {
        return point.X > spot.Left - kMargin && point.X < spot.Left + kButtonWidth + kMargin &&
               point.Y > spot.Top - kMargin && point.Y < spot.Top + kButtonHeight + kMargin;
    });
}

// A dashed track between two areas, bowed a little as roads are: the gentlest bow that
// keeps the whole road off every button.
void Road(TCanvas& canvas, int fromArea, int toArea) {
    const TAreaSpot &fromSpot = SpotOf(fromArea), &toSpot = SpotOf(toArea);
    const TPointF from = Gate(fromSpot, Middle(toSpot)), to = Gate(toSpot, Middle(fromSpot));
    const int dashes = std::max(4, static_cast<int>(std::hypot(to.X - from.X, to.Y - from.Y) / 9));
    const auto clear = [&](double bow) {
        for (int i = 0; i <= 4 * dashes; ++i) {
            if (UnderAButton(RoadPoint(from, to, bow, i / (4.0 * dashes)))) return false;
        }
        return true;
    };
    double bow = 0.12;
    for (const double candidate : {0.12, 0.0, -0.12, 0.24, -0.24, 0.36, -0.36}) {
        if (clear(candidate)) {
            bow = candidate;
            break;
        }
    }
    // Should no bow keep clear, the dashes that would lie under a button are left out.
    for (int i = 0; i < dashes; i += 2) {
        const TPointF start = RoadPoint(from, to, bow, double(i) / dashes);
        const TPointF end = RoadPoint(from, to, bow, double(i + 1) / dashes);
        if (!UnderAButton(start) && !UnderAButton(end)) canvas.Line(start, end, 2.5, 0xC07A5030);
    }
}

void Sea(TCanvas& canvas) {
    TPath sand;
    sand.MoveTo(360, kHeight)
        .CurveTo(410, 532, 510, 520, 600, 524)
        .CurveTo(680, 528, 740, 480, kWidth, 470)
        .LineTo(kWidth, kHeight);
    canvas.Fill(sand, 0xFFF6EEDA);
    TPath sea;
    sea.MoveTo(384, kHeight)
        .CurveTo(430, 548, 520, 538, 604, 542)
        .CurveTo(684, 546, 744, 500, kWidth, 490)
        .LineTo(kWidth, kHeight);
    canvas.Outline(sea, 0xA04A6A8A, 1.5);
    canvas.Fill(sea, Vertical(490, 0xFF8AB4CC, kHeight, 0xFF4A7AA4));
    TRandom random(23);
    for (int i = 0; i < 16; ++i) {
        const double x = random.Range(470, 780), y = random.Range(556, 592);
        if (x < 420 + (600 - y) * 1.2) continue;
        TPath wave;
        wave.MoveTo(x, y).CurveTo(x + 4, y - 4, x + 8, y - 4, x + 12, y).CurveTo(x + 8, y - 2, x + 4, y - 2, x, y);
        canvas.Fill(wave, 0xA0F0F8FF);
    }
    // Shells on the white beach.
    for (const auto& [x, y] : {std::pair{448.0, 538.0}, {616.0, 528.0}, {540.0, 530.0}})
        canvas.Fill(Ellipse(x, y, 3, 2), 0xFFE8B8A0);
}

// The lake's shore keeps above the strength boxes of its button.
void Lake(TCanvas& canvas) {
    const TPath water = Ellipse(552, 306, 96, 40);
    canvas.Outline(water, 0xB04A6A8A, 1.5);
    canvas.Fill(water, RadialGradient({530, 294}, 110, 0xFFD8E6F0, 0xFF7A9AC0));
    for (const auto& [x, y, w] : {std::tuple{500.0, 284.0, 30.0}, {560.0, 276.0, 40.0}, {620.0, 292.0, 24.0}}) {
        canvas.Line({x, y}, {x + w, y}, 1.5, 0xC0FFFFFF);
    }
}

void Valley(TCanvas& canvas) {
    canvas.Fill(Ellipse(540, 172, 120, 50), RadialGradient({540, 172}, 120, 0xB0908880, 0x20908880));
    // The valley's walls, hatched as a map shows a slope.
    for (const double side : {-1.0, 1.0}) {
        for (double x = 430; x < 650; x += 9) {
            const double y = 172 + side * (44 - 10 * std::sin((x - 430) / 220 * kPi));
            canvas.Line({x, y}, {x + 3, y + side * 10}, 1.5, 0xA04A4440);
        }
    }
    for (const auto& [x, y] : {std::pair{446.0, 202.0}, {628.0, 144.0}, {618.0, 206.0}}) {
        canvas.Line({x, y}, {x, y - 14}, 2, 0xFF3A3430);
        canvas.Line({x, y - 8}, {x - 5, y - 14}, 1.5, 0xFF3A3430);
        canvas.Line({x, y - 10}, {x + 5, y - 16}, 1.5, 0xFF3A3430);
    }
}

void Hills(TCanvas& canvas) {
    for (const auto& [x, y, rx, ry] :
         {std::tuple{662.0, 424.0, 36.0, 22.0}, {770.0, 424.0, 32.0, 20.0}, {716.0, 420.0, 44.0, 32.0}}) {
        TPath hill;
        hill.MoveTo(x - rx, y).CurveTo(x - rx * 0.6, y - ry * 1.3, x + rx * 0.6, y - ry * 1.3, x + rx, y);
        canvas.Outline(hill, 0xA04A3020, 1);
        canvas.Fill(hill, Vertical(y - ry, 0xFFA8BC78, y, 0xFF7A9450));
    }
    // The weathervane on the highest hill: a post, a cross of the four winds and the arrow.
    constexpr double x = 716, top = 366;
    canvas.Line({x, 398}, {x, top}, 2.5, kInk);
    canvas.Line({x - 9, top + 12}, {x + 9, top + 12}, 1.5, kInk);
    canvas.Line({x, top + 4}, {x, top + 20}, 1.5, kInk);
    canvas.Line({x - 14, top}, {x + 10, top}, 2.5, kInk);
    canvas.Fill(Polygon({{x + 16, top}, {x + 8, top - 5}, {x + 8, top + 5}}), kInk);
    canvas.Fill(Polygon({{x - 14, top}, {x - 20, top - 6}, {x - 16, top}, {x - 20, top + 6}}), kInk);
}

void Mountains(TCanvas& canvas) {
    for (const auto& [left, peak, right, top] :
         {std::tuple{742.0, 780.0, 810.0, 196.0}, {640.0, 676.0, 716.0, 190.0}, {688.0, 732.0, 782.0, 170.0}}) {
        const TPath mountain = Polygon({{left, 262}, {peak, top}, {right, 262}});
        canvas.Outline(mountain, 0xC04A3020, 1);
        canvas.Fill(mountain, LinearGradient({left, 0}, 0xFFB8A484, {right, 0}, 0xFF7A6A56));
        canvas.Fill(Polygon({{peak, top}, {peak - 9, top + 14}, {peak + 10, top + 14}}), 0xFFF4F0E8);
    }
    // The old mine's mouth, timbered, with its track running out.
    canvas.Fill(RoundRect(718, 230, 746, 262, 12), 0xFF1E1610);
    canvas.Line({716, 262}, {716, 236}, 3, 0xFF7A5030);
    canvas.Line({748, 262}, {748, 236}, 3, 0xFF7A5030);
    canvas.Line({712, 236}, {752, 236}, 3, 0xFF7A5030);
    for (double y = 262; y > 238; y -= 6) canvas.Line({726, y}, {738, y}, 1.2, 0xC04A3020);
}

void Forest(TCanvas& canvas) {
    TRandom random(17);
    std::vector<TPointF> trees;
    for (int i = 0; i < 46; ++i) {
        const double x = random.Range(250, 470), y = random.Range(196, 300);
        if (x > 296 && y > 244) continue;  // under the button
        trees.push_back({x, y});
    }
    std::sort(trees.begin(), trees.end(), [](const TPointF& a, const TPointF& b) { return a.Y < b.Y; });
    for (const TPointF& t : trees) {
        const TPath crown = Polygon({{t.X, t.Y - 16}, {t.X + 7, t.Y}, {t.X - 7, t.Y}});
        canvas.Outline(crown, 0xB02A3A20, 1);
        canvas.Fill(crown, LinearGradient({t.X - 7, 0}, 0xFF5A7A48, {t.X + 7, 0}, 0xFF3A5A30));
        canvas.Line({t.X, t.Y}, {t.X, t.Y + 3}, 1.5, 0xFF5A3A20);
    }
}

// The star fortress from above, its five points the bastions 2 (north) to 6; the
// north-western point lies in ruins.
void Fortress(TCanvas& canvas) {
    constexpr TPointF kCentre{215, 410};
    constexpr double kOuter = 62, kInner = 28;
    const TPath walls = Star(kCentre.X, kCentre.Y, kOuter, kInner, 5);
    canvas.Outline(walls, kInk, 2);
    canvas.Fill(walls, LinearGradient({kCentre.X, kCentre.Y - kOuter}, 0xFFA89C88, {kCentre.X, kCentre.Y + kOuter},
                                      0xFF6A6052));
    canvas.Fill(Star(kCentre.X, kCentre.Y, kOuter - 12, kInner - 5, 5), 0xFFD8C8A4);
    canvas.Fill(Ellipse(kCentre.X, kCentre.Y, 12, 12), kInk);
    canvas.Fill(Star(kCentre.X, kCentre.Y, 9, 3.6, 5), kGold);
    for (int point = 0; point < 5; ++point) {
        const double angle = -kPi / 2 + 2 * kPi * point / 5;
        const TPointF tip{kCentre.X + (kOuter - 8) * std::cos(angle), kCentre.Y + (kOuter - 8) * std::sin(angle)};
        if (point == 4) {
            // The broken point: its walls gone, rubble strewn where they stood.
            const TPointF end{kCentre.X + (kOuter - 2) * std::cos(angle), kCentre.Y + (kOuter - 2) * std::sin(angle)};
            canvas.Fill(Star(end.X, end.Y, 15, 12, 11), 0xF8E2D2AA);
            TRandom random(5);
            for (int i = 0; i < 9; ++i) {
                canvas.Fill(Ellipse(end.X + random.Range(-12, 12), end.Y + random.Range(-9, 9), 2.5, 2), 0xFF7A6A58);
            }
            canvas.Line({end.X - 10, end.Y - 8}, {end.X + 10, end.Y + 8}, 1.5, 0xC08A3020);
            canvas.Line({end.X - 10, end.Y + 8}, {end.X + 10, end.Y - 8}, 1.5, 0xC08A3020);
            continue;
        }
        canvas.Fill(Ellipse(tip.X, tip.Y, 6, 6), kInk);
        canvas.Fill(Ellipse(tip.X, tip.Y, 4.5, 4.5), 0xFF2A5A8A);
    }
}

void StarTower(TCanvas& canvas) {
    constexpr double x = 616;
    canvas.Fill(Polygon({{x - 9, 134}, {x - 7, 70}, {x + 7, 70}, {x + 9, 134}}),
                LinearGradient({x - 9, 0}, 0xFF8A7A66, {x + 9, 0}, 0xFF5A4C3E));
    canvas.Fill(Polygon({{x - 11, 72}, {x, 54}, {x + 11, 72}}), 0xFF3A4A7A);
    for (double y : {90.0, 110.0}) canvas.Fill(RoundRect(x - 2, y, x + 2, y + 8, 2), 0xFFFFE8A0);
    Glow(canvas, x, 50, 16, 0xA0FFF0B0);
    canvas.Fill(Star(x, 50, 7, 2.5, 4), 0xFFFFF8D8);
}

// The mist: a veil thickening to the north, heaviest round the castle.
void Mist(TCanvas& canvas) {
    constexpr double kClear = 360;  // where the veil ends
    canvas.Fill(Box(0, 0, kWidth, kClear), [](double, double y) {
        const double t = std::clamp(1 - y / kClear, 0.0, 1.0);
        return WithAlpha(0xFFB8BCC4, static_cast<int>(225 * t * t));
    });
    Glow(canvas, 230, 90, 230, 0x80A8ACB4);
    TRandom random(29);
    for (int i = 0; i < 28; ++i) {
        const double y = random.Range(40, 300), x = random.Range(-40, 840);
        const double rx = random.Range(50, 130);
        Haze(canvas, x, y, rx, rx * 0.3, WithAlpha(0xFFD0D4DA, static_cast<int>(150 * (1 - y / 320))));
    }
}

// The mist king's castle, black on its crag in the thickest of the mist.
void MistCastle(TCanvas& map) {
    constexpr TColor32 kStone = 0xFF34303E;
    TCanvas canvas = map.At({0, 20});  // clear of the status band
    canvas.Fill(Polygon({{150, 134}, {168, 112}, {186, 106}, {230, 104}, {246, 116}, {252, 134}}), 0xFF4A4652);
    canvas.Fill(Box(172, 78, 232, 110), kStone);
    for (double x = 172; x < 232; x += 8) canvas.Fill(Box(x, 73, x + 4, 79), kStone);
    for (const auto& [x, width, top] : {std::tuple{174.0, 12.0, 64.0}, {202.0, 16.0, 48.0}, {230.0, 12.0, 68.0}}) {
        canvas.Fill(Box(x - width / 2, top, x + width / 2, 110), kStone);
        canvas.Fill(Polygon({{x - width * 0.7, top + 1}, {x, top - width * 1.4}, {x + width * 0.7, top + 1}}),
                    0xFF221E2A);
    }
    for (const auto& [x, y] : {std::pair{202.0, 62.0}, {174.0, 84.0}, {230.0, 86.0}}) {
        canvas.Fill(Box(x - 1.5, y, x + 1.5, y + 6), 0xC0C0B8F0);
    }
    canvas.Fill(RoundRect(196, 94, 208, 110, 6), 0xFF14121A);
    for (const auto& [x, y, rx] : {std::tuple{200.0, 128.0, 80.0}, {150.0, 112.0, 40.0}, {262.0, 108.0, 40.0}}) {
        Haze(canvas, x, y, rx, rx * 0.22, 0xB0D0D4DA);
    }
}

void Compass(TCanvas& canvas, const char* north) {
    constexpr TPointF c{96, 546};
    canvas.Fill(Ellipse(c.X, c.Y, 24, 24), 0x30F4E8C8);
    canvas.Outline(Ellipse(c.X, c.Y, 22, 22), 0xA04A3020, 1);
    canvas.Fill(Ellipse(c.X, c.Y, 22, 22), 0xFFEADCB8);
    canvas.Fill(Star(c.X, c.Y, 30, 6, 4), kInk);
    canvas.Fill(Polygon({{c.X, c.Y - 30}, {c.X + 6, c.Y}, {c.X, c.Y}}), 0xFFC8283A);
    const TFont font{"ＭＳ Ｐ明朝", 16, 0, true};
    canvas.Text(static_cast<int>(c.X) + Centred(canvas, north, font, 0), static_cast<int>(c.Y) - 54, north, font, kInk,
                0x80F0E0B8);
}

void Border(TCanvas& canvas) {
    for (const double inset : {6.0, 11.0}) {
        const double width = inset < 8 ? 2.5 : 1;
        canvas.Line({inset, 40 + inset}, {kWidth - inset, 40 + inset}, width, 0xC04A3020);
        canvas.Line({inset, kHeight - inset}, {kWidth - inset, kHeight - inset}, width, 0xC04A3020);
        canvas.Line({inset, 40 + inset}, {inset, kHeight - inset}, width, 0xC04A3020);
        canvas.Line({kWidth - inset, 40 + inset}, {kWidth - inset, kHeight - inset}, width, 0xC04A3020);
    }
}

}  // namespace

void PaintCampaignMap(TBitmap32& picture, const TCampaignWords& words) {
    PaintParchment(picture, 7);
    TCanvas canvas(picture);
    // Washes of colour under the ink: the green lowlands, the grey of the north.
    canvas.Fill(Ellipse(560, 420, 300, 160), RadialGradient({560, 420}, 300, 0x40708A48, 0x00708A48));
    canvas.Fill(Ellipse(200, 420, 200, 140), RadialGradient({200, 420}, 200, 0x30708A48, 0x00708A48));
    Sea(canvas);
    for (const auto& [from, to] : kRoads) Road(canvas, from, to);
    Lake(canvas);
    Valley(canvas);
    Hills(canvas);
    Mountains(canvas);
    Forest(canvas);
    Fortress(canvas);
    StarTower(canvas);
    Mist(canvas);
    MistCastle(canvas);
    Compass(canvas, words.North);
    Border(canvas);
    StatusBand(canvas, words);
}

}  // namespace vandor::demo

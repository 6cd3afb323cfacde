// The battle's interface pictures, in the look of the menus: the command, build and
// pop-up buttons, the panels the game writes into, the durability gauge, and the
// captions that slide across the field or name it when a battle begins.

#include <string>
#include <utility>

#include "Battle.h"
#include "Widgets.h"
#include "campaign/WorldNames.h"

namespace vandor::demo {
namespace {

constexpr int kWidth = 800;

TBitmap32 TowerButton(int kind) {
    constexpr int kSize = 48;
    return ThreeFrames(kSize, kSize, [kind](TCanvas& canvas, int frame, int top) {
        const double shift = ButtonFace(canvas, frame, top, kSize, kSize, 8);
        if (frame == 1) Glow(canvas, kSize / 2.0, top + 26, 18, 0x60FFF0C0);
        TCanvas tower = canvas.At({kSize / 2.0 + shift, top + 38 + shift}, 0.74);
        DrawTower(tower, kind);
    });
}

// The game writes the menu's words on it, the price of a level at its right end.
TBitmap32 PlainButton() {
    constexpr int kW = 142, kH = 24;
    return ThreeFrames(kW, kH, [](TCanvas& canvas, int frame, int top) { ButtonFace(canvas, frame, top, kW, kH, 6); });
}

// An area's button on the campaign map, whose first frame is the enemy's banner in
// battle: the name across the top, a crimson pennant at the left, and beside it a dark
// strip on which the game marks the stronghold's strength. On the map those marks are
// drawn on a layer behind the buttons, so the strip is a window: faintly tinted, in the
// same place in every frame, it lets them through (and still takes the click).
TBitmap32 AreaBanner(std::string_view name) {
    constexpr int kW = 139, kH = 44;
    constexpr int kStripLeft = 48, kStripTop = 21, kStripRight = 131, kStripBottom = 37;
    const TFont font{"ＭＳ Ｐ明朝", 13, 0, true};
    TBitmap32 picture = ThreeFrames(kW, kH, [&](TCanvas& canvas, int frame, int top) {
        const double shift = ButtonFace(canvas, frame, top, kW, kH, 8);
        TCanvas face = canvas.At({shift, top + shift});
        face.Line({14, 21}, {14, 38}, 1.5, kGold);
        face.Fill(Polygon({{15, 21}, {40, 25}, {15, 31}}), frame == 1 ? 0xFFE83A4A : 0xFFC8283A);
        FaceCaption(canvas, name, font, frame, Centred(canvas, name, font, kW), top + 4);
    });
    for (int frame = 0; frame < 3; ++frame) {
        for (int y = kStripTop; y < kStripBottom; ++y) {
            for (int x = kStripLeft; x < kStripRight; ++x) *picture.PixelPtr(x, frame * kH + y) = 0x58000010;
        }
    }
    return picture;
}

// The game shows as much of the bar as durability is left, from the left.
TBitmap32 DurabilityGauge() {
    TBitmap32 picture(200, 14);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(RoundRect(0, 0, 200, 14, 4), 0xFF1A1410);
    canvas.Fill(RoundRect(2, 2, 198, 12, 3), LinearGradient({2, 0}, 0xFF38B848, {198, 0}, 0xFFF0D840));
    canvas.Fill(RoundRect(3, 3, 197, 6.5, 2), 0x50FFFFFF);
    for (double x = 40; x < 200; x += 40) canvas.Line({x, 3}, {x, 11}, 1, 0x40000000);
    return picture;
}

// A band across the screen in the colour, on transparent ground, the word large on it;
// slanted bands are the heroines' attacks, streaked as if rushing past.
TBitmap32 Caption(std::string_view word, TColor32 colour, TColor32 ink, bool slanted) {
    TBitmap32 picture(kWidth, 120);
    picture.Clear(0);
    TCanvas canvas(picture);
    const double rise = slanted ? 16 : 0;
    const TPath band = Polygon({{0, 22 + rise}, {kWidth, 22 - rise}, {kWidth, 98 - rise}, {0, 98 + rise}});
    canvas.Fill(band, LinearGradient({0, 22}, WithAlpha(Shade(colour, 1.25), 0xE8), {0, 98},
                                     WithAlpha(Shade(colour, 0.6), 0xE8)));
    for (double y : {22.0, 98.0}) canvas.Line({0, y + rise}, {double(kWidth), y - rise}, 2.5, kGold);
    if (slanted) {
        TRandom random(static_cast<uint32_t>(colour));
        for (int i = 0; i < 14; ++i) {
            const double x = random.Range(0, kWidth), y = random.Range(34, 86), length = random.Range(60, 200);
            const double slope = -2 * rise / kWidth;
            canvas.Line({x, y + (x - 400) * slope}, {x + length, y + (x + length - 400) * slope}, 1.5, 0x50FFFFFF);
        }
    }
    const TFont font{"ＭＳ Ｐ明朝", 64, 0, true};
    canvas.Text(Centred(canvas, word, font, kWidth), 60 - 64 * 5 / 8, word, font, ink, 0xD0100810);
    return picture;
}

// The name of the battlefield across the middle of the field, over a dark band.
TBitmap32 AreaTitle(const std::string& name) {
    TBitmap32 picture(kWidth, 600);
    picture.Clear(0);
    TCanvas canvas(picture);
    canvas.Fill(Polygon({{0, 200}, {kWidth, 200}, {kWidth, 260}, {0, 260}}),
                LinearGradient({0, 200}, 0x00060A20, {0, 230}, 0xC0060A20));
    canvas.Fill(Polygon({{0, 260}, {kWidth, 260}, {kWidth, 320}, {0, 320}}),
                LinearGradient({0, 290}, 0xC0060A20, {0, 320}, 0x00060A20));
    canvas.Line({160, 224}, {640, 224}, 1.5, 0xC0E8C468);
    canvas.Line({160, 296}, {640, 296}, 1.5, 0xC0E8C468);
    for (double x : {150.0, 650.0}) canvas.Fill(Star(x, 260, 9, 3, 4), kGold);
    const TFont font{"ＭＳ Ｐ明朝", 48, 0, true};
    canvas.Text(Centred(canvas, name, font, kWidth), 260 - 48 * 5 / 8, name, font, kGold, 0xE0101430);
    return picture;
}

}  // namespace

std::vector<TPicture> MakeBattleInterface() {
    std::vector<TPicture> pictures;
    pictures.push_back({"btn戦闘開始.png", CaptionButton("戦闘開始", 128, 32, 16)});
    pictures.push_back({"btn高速モード.png", CaptionButton("高速モード", 128, 32, 16)});
    pictures.push_back({"btn一時停止.png", CaptionButton("一時停止", 128, 32, 16)});
    for (int kind = 1; kind <= 8; ++kind)
        pictures.push_back({"btn塔" + std::to_string(kind) + ".png", TowerButton(kind)});
    pictures.push_back({"btn汎用.png", PlainButton()});
    pictures.push_back({"frm戦場.png", Panel(kStatusPanelWidth, kStatusPanelHeight, 8, false)});
    pictures.push_back({"frmメニュー.png", Panel(150, 102, 8, false)});
    pictures.push_back({"frm耐久ゲージ.png", DurabilityGauge()});

    constexpr TColor32 kLight = 0xFFFFF8E8;
    pictures.push_back({"ci撃破.png", Caption("撃破", 0xFFB8862A, kLight, false)});
    pictures.push_back({"ci殲滅.png", Caption("殲滅", 0xFF2A5AB0, kLight, false)});
    pictures.push_back({"ci敗北.png", Caption("敗北", 0xFF3A3048, 0xFFC8C0D8, false)});
    // The base is hit: redder each time its durability falls past a mark.
    const TColor32 hits[] = {0xFFB8602A, 0xFFC8402A, 0xFFD8202A};
    for (int i = 0; i < 3; ++i) {
        pictures.push_back({"ci被撃" + std::to_string(i + 1) + ".png", Caption("被撃", hits[i], kLight, false)});
    }
    // The attack cut-ins, each in its heroine's colour.
    const std::pair<const char*, TColor32> attacks[] = {{"0", 0xFFC8283A}, {"0f", 0xFFE05A20}, {"2", 0xFFF08A2A},
                                                        {"3", 0xFF6A4AC0}, {"4", 0xFF2E9A58},  {"5", 0xFF2A8AA0}};
    for (const auto& [suffix, colour] : attacks) {
        pictures.push_back({std::string("ci攻撃") + suffix + ".png", Caption("攻撃", colour, kLight, true)});
    }
    for (int area = 1; area <= 14; ++area) {
        const std::string number = (area < 10 ? "0" : "") + std::to_string(area);
        pictures.push_back({"fi戦場" + number + ".png", AreaTitle("第" + std::to_string(area) + "戦場")});
        pictures.push_back({AreaButtonName(area), AreaBanner(AreaName(area))});
    }
    // The homeland's enemy is its own rebel army.
    pictures.push_back({AreaBannerName(1), AreaBanner(std::string(AreaName(1)) + "国革命軍")});
    return pictures;
}

std::vector<TPicture> MakeEnglishBattleInterface(const TCatalogue& english) {
    std::vector<TPicture> pictures;
    pictures.push_back({"btn戦闘開始.png", CaptionButton("Start Battle", 128, 32, 16)});
    pictures.push_back({"btn高速モード.png", CaptionButton("Fast Mode", 128, 32, 16)});
    pictures.push_back({"btn一時停止.png", CaptionButton("Pause", 128, 32, 16)});
    constexpr TColor32 kLight = 0xFFFFF8E8;
    pictures.push_back({"ci撃破.png", Caption("Victory", 0xFFB8862A, kLight, false)});
    pictures.push_back({"ci殲滅.png", Caption("Wiped Out", 0xFF2A5AB0, kLight, false)});
    pictures.push_back({"ci敗北.png", Caption("Defeat", 0xFF3A3048, 0xFFC8C0D8, false)});
    const TColor32 hits[] = {0xFFB8602A, 0xFFC8402A, 0xFFD8202A};
    for (int i = 0; i < 3; ++i) {
        pictures.push_back({"ci被撃" + std::to_string(i + 1) + ".png", Caption("Under Fire", hits[i], kLight, false)});
    }
    const std::pair<const char*, TColor32> attacks[] = {{"0", 0xFFC8283A}, {"0f", 0xFFE05A20}, {"2", 0xFFF08A2A},
                                                        {"3", 0xFF6A4AC0}, {"4", 0xFF2E9A58},  {"5", 0xFF2A8AA0}};
    for (const auto& [suffix, colour] : attacks) {
        pictures.push_back({std::string("ci攻撃") + suffix + ".png", Caption("Attack!", colour, kLight, true)});
    }
    for (int area = 1; area <= 14; ++area) {
        const std::string number = (area < 10 ? "0" : "") + std::to_string(area);
        pictures.push_back({"fi戦場" + number + ".png", AreaTitle("Battlefield " + std::to_string(area))});
        pictures.push_back({AreaButtonName(area), AreaBanner(english.Translate("", AreaName(area)))});
    }
    pictures.push_back({AreaBannerName(1), AreaBanner(english.Translate("", AreaName(1)) + " Rebels")});
    return pictures;
}

}  // namespace vandor::demo

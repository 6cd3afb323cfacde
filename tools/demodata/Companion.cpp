#include "Companion.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "Interface.h"
#include "SoundEffects.h"
#include "Widgets.h"

namespace vandor::demo {
namespace {

constexpr TColor32 kAshWhite = 0xFFF0EEEA;
constexpr TColor32 kTitleShadow = 0xE0202430;

// A grey feather drifting down: a slanted blade with its quill.
void Feather(TCanvas& canvas, double x, double y, double length, double angle, TColor32 colour) {
    const double dx = std::cos(angle), dy = std::sin(angle);
    const double nx = -dy, ny = dx;
    const double w = length * 0.18;
    TPath blade;
    blade.MoveTo(x, y)
        .CurveTo(x + dx * length * 0.3 + nx * w, y + dy * length * 0.3 + ny * w, x + dx * length * 0.8 + nx * w * 0.8,
                 y + dy * length * 0.8 + ny * w * 0.8, x + dx * length, y + dy * length)
        .CurveTo(x + dx * length * 0.8 - nx * w * 0.6, y + dy * length * 0.8 - ny * w * 0.6,
                 x + dx * length * 0.3 - nx * w * 0.7, y + dy * length * 0.3 - ny * w * 0.7, x, y)
        .Close();
    canvas.Fill(blade, colour);
    canvas.Line({x - dx * length * 0.15, y - dy * length * 0.15}, {x + dx * length, y + dy * length}, 1.2,
                Shade(colour, 0.7));
}

void FallingFeathers(TCanvas& canvas, uint32_t seed, int count, TColor32 colour) {
    TRandom random(seed);
    for (int i = 0; i < count; ++i) {
        const double x = random.Range(0, 800), y = random.Range(0, 600);
        const double length = random.Range(14, 34);
        Feather(canvas, x, y, length, random.Range(0.6, 2.4),
                WithAlpha(colour, static_cast<int>(random.Range(120, 230))));
    }
}

const TTitleStyle kAshLettering{0xFF181C26, kAshWhite, kAshWhite, 0xFFD8DCE4, kTitleShadow};
const TTitleStyle kCombinedLettering{0xFF181C26, kAshWhite, kGold, 0xFFD8DCE4, kTitleShadow};

TBitmap32 CompanionTitle() {
    TBitmap32 picture(800, 600);
    PaintAshFortress(picture);
    TCanvas canvas(picture);
    Glow(canvas, 400, 260, 220, 0x60FFFFFF);
    FallingFeathers(canvas, 31, 70, 0xFFD8D8DC);
    TitleLettering(canvas, "星砦の", "灰羽　増羽", "Ash Feathers of the Star Fortress", kAshLettering);
    return picture;
}

// The combined edition: this title's night sky, two stars for the two fortresses,
// and the companion's feathers falling into it.
TBitmap32 CombinedTitle() {
    TBitmap32 picture(800, 600);
    PaintFortressNight(picture);
    TCanvas canvas(picture);
    for (const double x : {300.0, 500.0}) {
        Glow(canvas, x, 268, 110, 0x60FFE8B0);
        canvas.Fill(Star(x, 268, 34, 10, 4), 0xF0FFF8E0);
    }
    FallingFeathers(canvas, 32, 45, 0xFFC8CCD8);
    TitleLettering(canvas, "ヴァンドルの", "星砦＋", "Vandor's Star Fortress Plus", kCombinedLettering);
    const TFont badge{"ＭＳ Ｐ明朝", 24, 0, true};
    canvas.Text(Centred(canvas, "― 結合版 ―", badge, 800), 200, "― 結合版 ―", badge, 0xFFF0E0B0, kTitleShadow);
    return picture;
}

// Both fortresses' lights under one sky, for the bonus scene.
TBitmap32 TwoLights() {
    TBitmap32 picture(800, 600);
    PaintFortressNight(picture);
    TCanvas canvas(picture);
    const TPointF north{150, 120}, south{500, 70};
    for (const TPointF light : {north, south}) {
        Glow(canvas, light.X, light.Y, 110, 0x70FFE8B0);
        canvas.Fill(Star(light.X, light.Y, 30, 9, 4), 0xF0FFF8E0);
    }
    canvas.Line({north.X + 30, north.Y - 4}, {south.X - 30, south.Y + 4}, 2, 0x60FFF0C0);
    FallingFeathers(canvas, 33, 30, 0xFFC8CCD8);
    return picture;
}

TBitmap32 Lookout() {
    TBitmap32 picture(800, 600);
    PaintAshFortress(picture);
    TCanvas canvas(picture);
    canvas.Fill(Polygon({{0, 0}, {800, 0}, {800, 600}, {0, 600}}), Solid(0x70101826));
    canvas.Fill(Star(700, 70, 14, 4, 4), 0xFFFFF6E0);
    Glow(canvas, 700, 70, 60, 0x60FFF0C0);
    FallingFeathers(canvas, 34, 90, 0xFFE0E0E4);
    return picture;
}

template <typename Item>
std::vector<Item> Named(std::vector<Item> items, std::initializer_list<std::string_view> names) {
    std::erase_if(items,
                  [&](const Item& item) { return std::find(names.begin(), names.end(), item.Name) == names.end(); });
    return items;
}

}  // namespace

std::vector<TPicture> MakeCompanionBackgrounds() {
    std::vector<TPicture> pictures;
    TBitmap32 ash(800, 600);
    PaintAshFortress(ash);
    pictures.push_back({"bg_ash01.png", std::move(ash)});
    pictures.push_back({"bg_ash02.png", Lookout()});
    pictures.push_back({"bg_plus01.png", TwoLights()});
    return pictures;
}

std::vector<TPicture> MakeCompanionInterface() {
    std::vector<TPicture> pictures =
        Named(MakeInterface(), {"btn_start.png", "btn_end.png", "frame_msg.png", "frame_choice.png"});
    pictures.push_back({"title_haiba.png", CompanionTitle()});
    pictures.push_back({"title_plus.png", CombinedTitle()});
    pictures.push_back({"btn_vandor.png", CaptionButton("星砦の章", 240, 56, 26)});
    pictures.push_back({"btn_haiba.png", CaptionButton("灰羽の章", 240, 56, 26)});
    pictures.push_back({"btn_bonus.png", CaptionButton("結合特典", 240, 56, 26)});
    pictures.push_back({"btn_next.png", CaptionButton("つづける", 240, 56, 26)});
    return pictures;
}

std::vector<TPicture> MakeEnglishCompanionButtons() {
    return {{"btn_vandor.png", CaptionButton("Star Fortress", 240, 56, 26)},
            {"btn_haiba.png", CaptionButton("Ash Feathers", 240, 56, 26)},
            {"btn_bonus.png", CaptionButton("Bonus Story", 240, 56, 26)},
            {"btn_next.png", CaptionButton("Continue", 240, 56, 26)}};
}

std::vector<TPiece> MakeCompanionSounds() {
    return Named(MakeEffects(), {"se_click.ogg", "se_hover.ogg", "se_decide.ogg", "se_wind.ogg"});
}

std::vector<TPiece> MakeCompanionMusic() { return Named(MakeMusic(), {"bgm_title.ogg"}); }

}  // namespace vandor::demo

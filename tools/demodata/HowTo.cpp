#include "HowTo.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "Isometric.h"
#include "Widgets.h"

namespace vandor::demo {
namespace {

constexpr int kPageCount = 6;
// The illustration's frame on the left, the text on the right; the band at the bottom
// stays clear for the script's page buttons.
constexpr double kArtLeft = 40, kArtTop = 110, kArtWidth = 360, kArtHeight = 380;
constexpr int kTextLeft = 430, kTextRight = 770, kTextTop = 130, kLineStep = 40;
constexpr TColor32 kPaper = 0xFFE8ECF8;
constexpr TColor32 kGreen = 0xFF3CC060;
constexpr TColor32 kRed = 0xFFD04040;

struct TPageText {
    std::string_view Heading;
    std::array<std::string_view, 6> Lines;  // empty lines leave a gap
};

struct TLanguage {
    std::string_view PageWord;  // before "1/6"
    std::array<TPageText, kPageCount> Pages;
};

const TLanguage kJapanese{
    "遊び方",
    {{{"物語を読む",
       {"クリック、Enter、ホイール下で", "次の文へ進みます。", "", "右クリックか Space で文章枠を隠し、",
        "絵をゆっくり眺められます。", "選択肢とボタンはクリックで選びます。"}},
      {"バックログ",
       {"ホイール上か ↑ キーで、", "これまでの文を読み返せます。", "", "ホイール下で先へめくり、",
        "クリックで閉じます。", ""}},
      {"スキップとオート",
       {"Ctrl を押している間は、", "文と演出を飛ばして進みます。", "選択肢とボタンでは止まります。", "",
        "メニューの「文字表示」から", "オートや既読のみスキップも。"}},
      {"戦闘の基本",
       {"下の列から塔を選び、城のまわりへ。", "緑のマスに置けます。赤は置けません。", "準備ができたら「戦闘開始」。",
        "", "敵を倒すと軍資金が入り、塔を強く", "できます。城が落ちれば負けです。"}},
      {"行動フェイズ",
       {"一日ごとに指示を出します。", "調練と語らいで仲間を育て、", "最後の務めは出陣か休息です。", "",
        "上の帯はターン・制圧・将軍・軍資金。", "セーブはこの画面でできます。"}},
      {"地図",
       {"霧に奪われた場所の札を選ぶと、", "出撃できます。", "", "緑の箱は、取り戻すのに要る", "戦いの数です。",
        "すべて空になれば制圧です。"}}}}};

const TLanguage kEnglish{
    "How to Play",
    {{{"Reading the Story",
       {"Click, Enter or wheel down", "turns to the next page.", "", "Right click or Space hides the",
        "window: look at the picture.", "Click a choice or a button to pick it."}},
      {"The Backlog",
       {"Wheel up or the Up key shows", "the pages read so far.", "", "Wheel down turns forward,", "a click closes it.",
        ""}},
      {"Skip and Auto",
       {"While Ctrl is held, text and", "effects fly by.", "Choices and buttons stop it.", "",
        "The text menu offers auto", "and skipping read pages only."}},
      {"Battle Basics",
       {"Pick a tower from the row below", "and set it near the castle:", "green cells take it, red do not.",
        "Ready? Press Start Battle.", "Foes give funds for upgrades;", "if the castle falls, you lose."}},
      {"The Action Phase",
       {"Each day you give orders:", "train and talk to grow your allies;", "the last order is war or rest.", "",
        "The top bar: turn, areas, generals,", "funds. Save here."}},
      {"The Map",
       {"Choose the pennant of a place", "the mist took to march there.", "", "Green boxes: the battles",
        "still needed there.", "All empty: the place is yours."}}}}};

// A mouse seen from above; `lit` 1 lights the left button, 2 the right one, 3 the wheel.
void Mouse(TCanvas& canvas, double x, double y, int lit) {
    canvas.Fill(RoundRect(x - 24, y - 36, x + 24, y + 36, 22), 0xFF20243A);
    canvas.Fill(RoundRect(x - 22, y - 34, x + 22, y + 34, 20), 0xFFD8DCE8);
    canvas.Line({x, y - 34}, {x, y - 4}, 2, 0xFF20243A);
    canvas.Line({x - 22, y - 4}, {x + 22, y - 4}, 2, 0xFF20243A);
    if (lit == 1) canvas.Fill(Polygon({{x - 20, y - 6}, {x - 2, y - 6}, {x - 2, y - 30}, {x - 14, y - 30}}), kGold);
    if (lit == 2) canvas.Fill(Polygon({{x + 2, y - 6}, {x + 20, y - 6}, {x + 14, y - 30}, {x + 2, y - 30}}), kGold);
    canvas.Fill(RoundRect(x - 4, y - 28, x + 4, y - 12, 4), lit == 3 ? kGold : 0xFF505670);
}

// An arrow from `from` to `to` with a head at `to`.
void Arrow(TCanvas& canvas, TPointF from, TPointF to, double width, TColor32 colour) {
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length;
    const double head = width * 3;
    canvas.Line(from, {to.X - ux * head, to.Y - uy * head}, width, colour);
    canvas.Fill(Polygon({{to.X, to.Y},
                         {to.X - ux * head * 1.6 - uy * head, to.Y - uy * head * 1.6 + ux * head},
                         {to.X - ux * head * 1.6 + uy * head, to.Y - uy * head * 1.6 - ux * head}}),
                colour);
}

// Grey bars standing for lines of text.
void TextBars(TCanvas& canvas, double x, double y, double width, int lines, TColor32 colour) {
    for (int i = 0; i < lines; ++i) {
        const double w = i == lines - 1 ? width * 0.6 : width;
        canvas.Fill(RoundRect(x, y + i * 16, x + w, y + i * 16 + 7, 3), colour);
    }
}

// A small stage: sky, ground and a figure, as a scene shows them.
void Stage(TCanvas& canvas, double x, double y, double w, double h) {
    canvas.Fill(Box(x, y, x + w, y + h), Vertical(y, 0xFF2A3A78, y + h, 0xFF8A7AA8));
    canvas.Fill(Box(x, y + h * 0.7, x + w, y + h), 0xFF3A3450);
    const double cx = x + w * 0.5;
    canvas.Fill(Ellipse(cx, y + h * 0.3, w * 0.06, w * 0.06), 0xFFF0D8C0);
    canvas.Fill(RoundRect(cx - w * 0.1, y + h * 0.38, cx + w * 0.1, y + h * 0.95, w * 0.05), 0xFF8A3040);
}

void ReadingArt(TCanvas& canvas) {
    Stage(canvas, 20, 30, 320, 240);
    canvas.Fill(Box(20, 200, 340, 270), 0xD8101838);
    canvas.Line({28, 204}, {332, 204}, 2, kGold);
    TextBars(canvas, 36, 216, 250, 3, 0xFFD8DCE8);
    // The left button turns the page, the right one hides the window.
    Mouse(canvas, 90, 320, 1);
    for (const double a : {-2.4, -1.9, -1.4}) {
        canvas.Line({80 + 16 * std::cos(a), 284 + 16 * std::sin(a)}, {80 + 28 * std::cos(a), 284 + 28 * std::sin(a)}, 2,
                    kGold);
    }
    Mouse(canvas, 290, 320, 2);
}

void BacklogArt(TCanvas& canvas) {
    for (int i = 3; i >= 0; --i) {
        const double x = 30 + i * 18, y = 40 + i * 26;
        canvas.Fill(RoundRect(x, y, x + 220, y + 150, 8), kGold);
        canvas.Fill(RoundRect(x + 2, y + 2, x + 218, y + 148, 7), i == 0 ? 0xFF1A2450 : 0xFF243070);
        TextBars(canvas, x + 16, y + 20, 180, 4, i == 0 ? 0xFFE8ECF8 : 0xFF8890B0);
    }
    Arrow(canvas, {310, 260}, {310, 80}, 6, kGold);
    Mouse(canvas, 300, 320, 3);
}

void SkipArt(TCanvas& canvas, TCanvas& page) {
    canvas.Fill(RoundRect(30, 60, 150, 140, 12), 0xFF20243A);
    canvas.Fill(RoundRect(33, 62, 147, 132, 10), 0xFFE0E4EE);
    const TFont key{"ＭＳ Ｐゴシック", 30, 0, true};
    page.Text(static_cast<int>(kArtLeft) + 90 - page.TextWidth("Ctrl", key) / 2, static_cast<int>(kArtTop) + 78, "Ctrl",
              key, 0xFF20243A, 0x00000000);
    for (double x : {190.0, 250.0}) canvas.Fill(Polygon({{x, 60}, {x + 60, 100}, {x, 140}}), kGold);
    // Pages flying by.
    for (int i = 0; i < 4; ++i) {
        const double x = 30 + i * 80, y = 200 + (i % 2) * 20;
        canvas.Fill(RoundRect(x, y, x + 64, y + 90, 6), WithAlpha(0xFFE8ECF8, 0x50 + i * 0x30));
        TextBars(canvas, x + 8, y + 14, 48, 4, WithAlpha(0xFF404870, 0x50 + i * 0x30));
    }
    Arrow(canvas, {30, 330}, {340, 330}, 5, kGold);
}

// A small field seen as in battle: around the chosen cell the free ones show green and
// the taken ones (the enemies' way, the castle) red; a tower stands on a green one and
// foes come along their way.
void BattleArt(TCanvas& canvas) {
    const double ox = 180, oy = 150, half = 24;
    const auto at = [&](double gx, double gy) { return TPointF{ox + (gx - gy) * half, oy + (gx + gy + 6) * half / 2}; };
    for (int gx = -3; gx <= 3; ++gx) {
        for (int gy = -3; gy <= 3; ++gy) {
            const TPointF cell = at(gx, gy);
            const bool taken = gy == 0 && gx >= 0;
            const bool near = std::abs(gx - 1) <= 1 && std::abs(gy + 1) <= 1;
            const TColor32 ground = (gx + gy) % 2 ? 0xFF5A7A48 : 0xFF6A8A52;
            canvas.Fill(Diamond(cell.X, cell.Y, half - 1), taken ? 0xFF9A8460 : ground);
            if (near) canvas.Fill(Diamond(cell.X, cell.Y, half - 4), WithAlpha(taken ? kRed : kGreen, 0xB0));
        }
    }
    const TPointF castle = at(0, 0);
    Block(canvas, castle.X, castle.Y, 20, 34, 0xFFB8B0A0);
    Battlements(canvas, castle.X, castle.Y - 34, 20, 0xFFB8B0A0);
    const TPointF tower = at(1, -1);
    Cylinder(canvas, tower.X, tower.Y, 10, 30, 0xFF8A90B8);
    Cone(canvas, tower.X, tower.Y - 30, 13, 20, 0xFF3A4A9A);
    for (const double gx : {3.0, 2.2}) {
        const TPointF foe = at(gx, 0);
        canvas.Fill(Ellipse(foe.X, foe.Y - 8, 7, 9), 0xFF6A2040);
    }
    const TPointF from = at(4.2, 0), to = at(3.4, 0);
    Arrow(canvas, {from.X, from.Y - 4}, {to.X, to.Y - 4}, 4, kRed);
    // The row of tower buttons below the field.
    for (int i = 0; i < 5; ++i) {
        const double x = 40 + i * 58;
        canvas.Fill(RoundRect(x, 318, x + 50, 362, 6), i == 1 ? 0xFFFFE8A0 : kGold);
        canvas.Fill(RoundRect(x + 3, 321, x + 47, 359, 5), 0xFF243470);
        canvas.Fill(Ellipse(x + 25, 340, 9, 9), 0xFF8A90B8);
    }
}

void ActionArt(TCanvas& canvas) {
    canvas.Fill(Box(0, 0, 360, 380), Vertical(0, 0xFF3A2A20, 380, 0xFF6A4A30));
    canvas.Fill(Box(0, 0, 360, 40), 0xE0101838);
    for (int i = 0; i < 5; ++i) {
        canvas.Fill(RoundRect(12 + i * 70, 10, 60 + i * 70, 30, 4), 0xFF243470);
        canvas.Fill(RoundRect(14 + i * 70, 12, 30 + i * 70, 28, 3), kGold);
    }
    canvas.Fill(Ellipse(90, 130, 26, 26), 0xFFF0D8C0);
    canvas.Fill(RoundRect(50, 160, 130, 360, 30), 0xFF4A5A9A);
    for (int i = 0; i < 5; ++i) {
        const double y = 70 + i * 58;
        canvas.Fill(RoundRect(190, y, 340, y + 46, 10), i == 0 ? 0xFFFFE8A0 : kGold);
        canvas.Fill(RoundRect(193, y + 3, 337, y + 43, 8), i == 0 ? 0xFF405AA8 : 0xFF243470);
        canvas.Fill(Star(212, y + 23, 7, 2.5, 4), kGold);
        TextBars(canvas, 228, y + 19, 80, 1, 0xFFE8ECF8);
    }
}

void MapArt(TCanvas& canvas) {
    canvas.Fill(Box(0, 0, 360, 380), RadialGradient({180, 190}, 260, 0xFFF0E0B8, 0xFFB89868));
    const struct {
        double X, Y;
        int Left;
    } places[] = {{60, 70, 3}, {230, 60, 1}, {40, 250, 0}, {220, 260, 2}};
    for (const auto& place : places) canvas.Line({180, 190}, {place.X + 40, place.Y + 30}, 2, 0x806A4A2A);
    Block(canvas, 180, 200, 22, 30, 0xFFB8B0A0);
    Battlements(canvas, 180, 170, 22, 0xFFB8B0A0);
    for (const auto& place : places) {
        canvas.Line({place.X + 10, place.Y}, {place.X + 10, place.Y + 50}, 3, 0xFF4A3A2A);
        canvas.Fill(Polygon({{place.X + 12, place.Y}, {place.X + 60, place.Y + 12}, {place.X + 12, place.Y + 26}}),
                    place.Left == 0 ? 0xFF3A6AB0 : 0xFFB03A3A);
        for (int j = 0; j < 7; ++j) {
            const double x = place.X + j * 11, y = place.Y + 58;
            if (j < place.Left) {
                canvas.Fill(Box(x, y, x + 9, y + 12), 0xFF20A040);
            } else {
                canvas.Line({x, y + 0.5}, {x + 9, y + 0.5}, 1, 0xFF20A040);
                canvas.Line({x, y + 11.5}, {x + 9, y + 11.5}, 1, 0xFF20A040);
                canvas.Line({x + 0.5, y}, {x + 0.5, y + 12}, 1, 0xFF20A040);
                canvas.Line({x + 8.5, y}, {x + 8.5, y + 12}, 1, 0xFF20A040);
            }
        }
    }
}

// The text column: the largest font up to 22 pixels that fits every line.
TFont TextFont(TCanvas& canvas, const TPageText& text) {
    for (int height = 22;; --height) {
        const TFont font{"ＭＳ Ｐゴシック", height, 0, false};
        bool fits = true;
        for (std::string_view line : text.Lines) fits = fits && canvas.TextWidth(line, font) <= kTextRight - kTextLeft;
        if (fits || height <= 12) return font;
    }
}

TBitmap32 Page(const TLanguage& language, int index) {
    TBitmap32 picture(800, 600);
    TCanvas canvas(picture);
    canvas.FillAll(Vertical(0, 0xFF0C1230, 600, 0xFF1A1030));
    TRandom random(91 + static_cast<uint32_t>(index));
    for (int i = 0; i < 70; ++i) {
        canvas.Fill(Ellipse(random.Range(0, 800), random.Range(0, 600), 1.2, 1.2), 0x90FFF8E0);
    }
    // The heading band with the page's number.
    canvas.Fill(Box(0, 24, 800, 84), LinearGradient({0, 24}, 0xC0243470, {0, 84}, 0x60101838));
    canvas.Line({30, 84}, {770, 84}, 2, kGold);
    const TPageText& text = language.Pages[static_cast<std::size_t>(index)];
    const TFont heading{"ＭＳ Ｐ明朝", 32, 0, true};
    canvas.Text(40, 34, text.Heading, heading, 0xFFFFF0C8, 0xC0000010);
    const std::string number =
        std::string(language.PageWord) + "  " + std::to_string(index + 1) + " / " + std::to_string(kPageCount);
    const TFont small{"ＭＳ Ｐ明朝", 18, 0, false};
    canvas.Text(760 - canvas.TextWidth(number, small), 48, number, small, 0xFFC8D0E8, 0xC0000010);

    // The illustration in a gold frame.
    canvas.Fill(RoundRect(kArtLeft - 4, kArtTop - 4, kArtLeft + kArtWidth + 4, kArtTop + kArtHeight + 4, 10), kGold);
    canvas.Fill(Box(kArtLeft, kArtTop, kArtLeft + kArtWidth, kArtTop + kArtHeight), 0xFF141C40);
    TCanvas art = canvas.At({kArtLeft, kArtTop});
    switch (index) {
        case 0: ReadingArt(art); break;
        case 1: BacklogArt(art); break;
        case 2: SkipArt(art, canvas); break;
        case 3: BattleArt(art); break;
        case 4: ActionArt(art); break;
        default: MapArt(art); break;
    }

    const TFont font = TextFont(canvas, text);
    int y = kTextTop;
    for (std::string_view line : text.Lines) {
        if (!line.empty()) canvas.Text(kTextLeft, y, line, font, kPaper, 0xC0000010);
        y += kLineStep;
    }
    return picture;
}

std::vector<TPicture> Pages(const TLanguage& language) {
    std::vector<TPicture> pictures;
    for (int index = 0; index < kPageCount; ++index) {
        pictures.push_back({"howto" + std::to_string(index + 1) + ".png", Page(language, index)});
    }
    return pictures;
}

}  // namespace

std::vector<TPicture> MakeHowToPages() { return Pages(kJapanese); }

std::vector<TPicture> MakeEnglishHowToPages() { return Pages(kEnglish); }

}  // namespace vandor::demo

#include "Campaign.h"

#include <algorithm>
#include <string>
#include <utility>

#include "Widgets.h"

namespace vandor::demo {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kBandBottom = 38;

// Where the game writes one number of the status band, in the order of TCampaignWords'
// captions.
struct TBandField {
    int Left, Right;  // the number's spot
    bool Before;      // the caption stands before the number, else after it
};

constexpr std::array<TBandField, 6> kBandFields{{
    {12, 50, false},
    {202, 228, true},
    {308, 334, true},
    {410, 470, true},
    {558, 662, true},
    {752, 772, true},
}};

// The war room: a table with the campaign map and candles before a window at morning,
// the fortress's banner beside it. The commander stands at the left; the right half
// is a quiet panelled wall under the game's command buttons.
void PaintWarRoom(TBitmap32& picture, const TCampaignWords& words) {
    TCanvas canvas(picture);
    canvas.FillAll(Vertical(0, 0xFF24222E, 330, 0xFF3C3234));
    Glow(canvas, 330, 420, 460, 0x38FFB060);
    // Wood panelling below the plaster, in broad quiet panels.
    canvas.Fill(Box(0, 292, kWidth, 390), Vertical(292, 0xFF4A3020, 390, 0xFF2A1A10));
    canvas.Line({0, 293}, {double(kWidth), 293}, 4, 0xFF6A4A2A);
    for (double x = 8; x < kWidth; x += 132) {
        canvas.Fill(RoundRect(x, 306, x + 116, 382, 4), 0x24000000);
        canvas.Line({x + 2, 307}, {x + 114, 307}, 1, 0x18FFE0B0);
    }
    // The window, the morning over the fortress's towers, its light falling on the table.
    constexpr double kWindowX = 400;
    TPath window;
    window.MoveTo(kWindowX - 56, 282)
        .LineTo(kWindowX - 56, 124)
        .CurveTo(kWindowX - 56, 52, kWindowX + 56, 52, kWindowX + 56, 124)
        .LineTo(kWindowX + 56, 282);
    canvas.Outline(window, 0xFF4A3426, 6);
    canvas.Fill(window, Vertical(60, 0xFF5E80C0, 282, 0xFFF6D0A0));
    for (const auto& [x, top] : {std::pair{366.0, 212.0}, {392.0, 186.0}, {424.0, 222.0}, {446.0, 238.0}}) {
        canvas.Fill(Polygon({{x - 8, 282}, {x - 8, top}, {x, top - 16}, {x + 8, top}, {x + 8, 282}}), 0xC04A5070);
    }
    canvas.Fill(Star(392, 162, 6, 2.4, 5), 0xFFFFF4D0);
    canvas.Line({kWindowX, 60}, {kWindowX, 282}, 5, 0xFF3A2A20);
    canvas.Line({kWindowX - 56, 170}, {kWindowX + 56, 170}, 5, 0xFF3A2A20);
    canvas.Fill(Box(kWindowX - 66, 280, kWindowX + 66, 292), 0xFF5A3E2A);
    canvas.Fill(Polygon({{kWindowX - 56, 292}, {kWindowX + 56, 292}, {kWindowX + 120, 480}, {kWindowX - 100, 480}}),
                0x16FFE0B0);
    // The fortress's banner: crimson, gold-rimmed, its star over the table.
    constexpr double kBannerX = 262;
    const TPath banner = Polygon(
        {{kBannerX - 30, 54}, {kBannerX + 30, 54}, {kBannerX + 30, 262}, {kBannerX, 238}, {kBannerX - 30, 262}});
    canvas.Outline(banner, kGold, 2);
    canvas.Fill(banner, LinearGradient({kBannerX - 30, 0}, 0xFF9A2028, {kBannerX + 30, 0}, 0xFF5A1016));
    canvas.Fill(Star(kBannerX, 126, 20, 8, 5), kGold);
    canvas.Line({kBannerX - 40, 54}, {kBannerX + 40, 54}, 5, 0xFF3A2A20);
    // The table, its far edge across the room, and the map spread on it.
    canvas.Fill(Polygon({{30, 372}, {770, 372}, {900, kHeight}, {-100, kHeight}}),
                Vertical(372, 0xFF7A4E30, kHeight, 0xFF3A2414));
    canvas.Line({30, 372}, {770, 372}, 3, 0xFF9A6A40);
    const TPath map = Polygon({{236, 388}, {484, 386}, {512, 476}, {204, 478}});
    canvas.Fill(Shifted(map, 3, 4), 0x50000000);
    canvas.Fill(map, Vertical(386, 0xFFF0E0B8, 478, 0xFFD0B888));
    const TColor32 ink = 0xE04A3020;
    TCanvas chart = canvas.At({300, 432});
    chart.Fill(Star(0, 0, 26, 12, 5), 0x904A3020);
    chart.Fill(Star(0, 0, 20, 9, 5), 0xFFE8D8B0);
    chart.Line({20, -6}, {80, -20}, 2, ink);
    chart.Line({80, -20}, {140, 8}, 2, ink);
    chart.Line({18, 14}, {92, 30}, 2, ink);
    chart.Fill(Ellipse(140, 8, 7, 4), 0xFF2A5A8A);
    chart.Fill(Ellipse(92, 30, 6, 4), 0xFFC8283A);
    chart.Fill(Polygon({{80, -20}, {80, -40}, {94, -34}, {80, -28}}), 0xFFC8283A);
    // Candles on the table; their light is what the room is lit by.
    for (const double x : {178.0, 470.0}) {
        Glow(canvas, x, 330, 90, 0x60FFC070);
        canvas.Fill(Ellipse(x, 384, 16, 5), 0xFF8A7A5A);
        canvas.Fill(Box(x - 6, 336, x + 6, 384), Vertical(336, 0xFFF4ECD8, 384, 0xFFC8BC9C));
        TPath flame;
        flame.MoveTo(x, 312).CurveTo(x + 7, 322, x + 6, 332, x, 334).CurveTo(x - 6, 332, x - 7, 322, x, 312);
        canvas.Fill(flame, RadialGradient({x, 328}, 16, 0xFFFFF6C0, 0xFFFF8A30));
    }
    StatusBand(canvas, words);
}

// The ledger of owned items: a navy page of four columns and sixteen rows on the
// leather of the book, a heading above it, and the description band below.
void PaintLedger(TBitmap32& picture, const TCampaignWords& words) {
    TCanvas canvas(picture);
    canvas.FillAll(RadialGradient({400, 300}, 560, 0xFF4A2E20, 0xFF1A100A));
    constexpr double kTop = 102, kRow = 25, kColumn = 200;
    constexpr int kRows = 16, kColumns = 4;
    constexpr double kBottom = kTop + kRows * kRow;
    // The heading, between two stars, over a gold rule.
    const TFont heading{"ＭＳ Ｐ明朝", 32, 0, true};
    const char* const title = words.LedgerTitle;
    const int titleWidth = canvas.TextWidth(title, heading);
    canvas.Text((kWidth - titleWidth) / 2, 48, title, heading, kGold, 0xD0100804);
    for (double side : {-1.0, 1.0}) {
        canvas.Fill(Star(kWidth / 2.0 + side * (titleWidth / 2.0 + 26), 68, 9, 3.5, 4), kGold);
    }
    canvas.Line({240, 94}, {560, 94}, 1.5, 0xC0E8C468);
    // The commander's ink and quill at the left, the fortress's seal at the right.
    canvas.Fill(RoundRect(82, 64, 112, 92, 7), Vertical(64, 0xFF3A4660, 92, 0xFF141A28));
    canvas.Fill(Box(90, 56, 104, 66), 0xFF2A3040);
    canvas.Line({86, 70}, {86, 86}, 2, 0x50FFFFFF);
    TPath quill;
    quill.MoveTo(98, 60).CurveTo(112, 48, 140, 40, 160, 44).CurveTo(144, 52, 124, 58, 98, 60);
    canvas.Fill(quill, Vertical(40, 0xFFF4F0E6, 60, 0xFFC8C0B0));
    canvas.Line({98, 60}, {158, 45}, 1, 0x80786A58);
    for (double side : {-1.0, 1.0})
        canvas.Fill(Polygon({{704, 78}, {704 + side * 14, 98}, {704 + side * 6, 96}}), 0xFF7A1820);
    canvas.Fill(Star(704, 70, 17, 14, 12), 0xFFA01E2A);
    canvas.Fill(Ellipse(704, 70, 11, 11), 0xFF8A1A22);
    canvas.Fill(Star(704, 70, 8, 3.2, 5), 0xFFC84A50);
    // The page: dark under the white names, rows told apart by faint rules.
    canvas.Fill(Box(0, kTop - 2, kWidth, kBottom + 2), Vertical(kTop, 0xF80C1230, kBottom, 0xF8080C22));
    for (int row = 1; row < kRows; row += 2)
        canvas.Fill(Box(0, kTop + row * kRow, kWidth, kTop + (row + 1) * kRow), 0x0CFFFFFF);
    for (int row = 1; row < kRows; ++row)
        canvas.Line({0, kTop + row * kRow}, {double(kWidth), kTop + row * kRow}, 1, 0x30E8C468);
    for (int column = 1; column < kColumns; ++column) {
        canvas.Line({column * kColumn, kTop}, {column * kColumn, kBottom}, 1, 0x50E8C468);
    }
    for (double y : {kTop - 2, kBottom + 2}) canvas.Line({0, y}, {double(kWidth), y}, 2, kGold);
    // Every item has its own place in the ledger, by its number, and an item not owned
    // leaves its place empty: each place carries its number, dimly at its right end
    // (clear of the longest name), so that a few owned items stand in a register with
    // gaps rather than in odd cells.
    const TFont number{"ＭＳ Ｐゴシック", 11, 0, false};
    for (int item = 1; item <= kRows * kColumns; ++item) {
        const std::string text = std::to_string(item);
        const double right = ((item - 1) % kColumns + 1) * kColumn - 6;
        const double top = kTop + (item - 1) / kColumns * kRow + 8;
        canvas.Text(static_cast<int>(right) - canvas.TextWidth(text, number), static_cast<int>(top), text, number,
                    0xFF4E4226, 0);
    }
    // The description band, open to the left edge, rimmed in gold.
    canvas.Fill(RoundRect(-12, 508, 642, 612, 10), 0xD0E8C468);
    canvas.Fill(RoundRect(-12, 511, 639, 612, 8), Vertical(511, 0xF8141C40, kHeight, 0xF8080C20));
    canvas.Fill(Star(720, 522, 8, 3, 4), kGold);
    StatusBand(canvas, words);
}

}  // namespace

const TCampaignWords kJapaneseCampaignWords{{"ターン", "制圧", "将軍", "軍資金", "最高得点", "行動"}, "所持品", "北"};
const TCampaignWords kEnglishCampaignWords{{"Turn", "Taken", "Allies", "Funds", "Record", "Actions"}, "Items", "N"};

// The game writes the numbers right-aligned into fields of fixed width at fixed places,
// so a number's digits wander within its field and the spaces between the numbers
// differ. The band therefore frames every number with its caption in a plate of its
// own, the number in a dark well as wide as its whole field, and spaces the plates
// evenly: the turn's plate at the left edge, each next plate the same gap after the
// last, its caption first and its well reaching from the caption to the field's end.
void StatusBand(TCanvas& canvas, const TCampaignWords& words) {
    canvas.Fill(Box(0, 0, kWidth, kBandBottom), Vertical(0, 0xF0060A1A, kBandBottom, 0xE8101634));
    // The rule lies under the band, clear of the numbers' spots, which reach its bottom.
    canvas.Line({0, kBandBottom + 1}, {double(kWidth), kBandBottom + 1}, 2, kGold);
    canvas.Line({0, kBandBottom + 3.5}, {double(kWidth), kBandBottom + 3.5}, 2, 0x50000000);
    const TFont font{"ＭＳ Ｐ明朝", 15, 0, true};
    constexpr int kEdge = 4, kPad = 6, kWellMargin = 3, kCaptionTop = 18;
    std::array<int, kBandFields.size()> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = canvas.TextWidth(words.BandCaptions[i], font);
    // A plate's left end from the last plate's right end; the widest even gap that leaves
    // every caption room before its well.
    const auto plateRight = [&](std::size_t i) {
        const TBandField& field = kBandFields[i];
        return field.Before ? field.Right + kWellMargin : field.Right + kWellMargin + kPad + widths[i] + kPad;
    };
    const auto fits = [&](int gap) {
        for (std::size_t i = 1; i < kBandFields.size(); ++i) {
            if (plateRight(i - 1) + gap + kPad + widths[i] + kPad > kBandFields[i].Left - kWellMargin) return false;
        }
        return true;
    };
    int gap = 10;
    while (gap > 1 && !fits(gap)) --gap;

    int left = kEdge;
    for (std::size_t i = 0; i < kBandFields.size(); ++i) {
        const TBandField& field = kBandFields[i];
        const int right = i + 1 == kBandFields.size() ? kWidth - kEdge : plateRight(i);
        canvas.Fill(Box(left, 3, right, kBandBottom), Vertical(3, 0xFF1E2648, kBandBottom, 0xFF141A36));
        canvas.Line({double(left), 3.5}, {double(right), 3.5}, 1, WithAlpha(kGold, 0xA0));
        for (const int x : {left, right}) canvas.Line({x + 0.5, 3}, {x + 0.5, kBandBottom}, 1, WithAlpha(kGold, 0x70));
        const int captionLeft = field.Before ? left + kPad : field.Right + kWellMargin + kPad;
        const int wellLeft = field.Before ? captionLeft + widths[i] + kPad : left + kPad - kWellMargin;
        const int wellRight = field.Before ? right : field.Right + kWellMargin;
        canvas.Fill(Box(wellLeft, 7, wellRight, kBandBottom), 0xFF04060F);
        canvas.Text(captionLeft, kCaptionTop, words.BandCaptions[i], font, 0xFFE8D49C, 0xC0000008);
        left = right + gap;
    }
}

std::vector<TPicture> MakeCampaignBackgrounds(const TCampaignWords& words) {
    std::vector<TPicture> pictures;
    using TPainter = void (*)(TBitmap32&, const TCampaignWords&);
    const std::pair<const char*, TPainter> screens[] = {
        {"bg_camp01.png", PaintWarRoom}, {"bg_area01.png", PaintCampaignMap}, {"bg_items01.png", PaintLedger}};
    for (const auto& [name, paint] : screens) {
        TBitmap32 picture(kWidth, kHeight);
        paint(picture, words);
        pictures.push_back({name, std::move(picture)});
    }
    return pictures;
}

std::vector<TPicture> MakeCampaignButtons() {
    std::vector<TPicture> pictures;
    for (const auto& [name, caption] : {std::pair{"btn_war.png", "出陣"},
                                        {"btn_train.png", "調練"},
                                        {"btn_court.png", "語らい"},
                                        {"btn_items.png", "所持品"},
                                        {"btn_rest.png", "休息"}}) {
        pictures.push_back({name, CaptionButton(caption, 240, 56, 26)});
    }
    pictures.push_back({"btn_back.png", CaptionButton("戻る", 140, 44, 20)});
    return pictures;
}

std::vector<TPicture> MakeEnglishCampaignButtons() {
    std::vector<TPicture> pictures;
    for (const auto& [name, caption] : {std::pair{"btn_war.png", "March Out"},
                                        {"btn_train.png", "Train"},
                                        {"btn_court.png", "Talk"},
                                        {"btn_items.png", "Items"},
                                        {"btn_rest.png", "Rest"}}) {
        pictures.push_back({name, CaptionButton(caption, 240, 56, 26)});
    }
    pictures.push_back({"btn_back.png", CaptionButton("Back", 140, 44, 20)});
    return pictures;
}

}  // namespace vandor::demo

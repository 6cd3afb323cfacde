// What the campaign commands draw: the item list with the description of the item
// under the pointer, the strength boxes over the area buttons of the map, and the
// status bar.

#include "campaign/CampaignCommands.h"
#include "campaign/CampaignItems.h"
#include "campaign/GameDat.h"
#include "campaign/ItemTable.h"
#include "campaign/StrengthBoxes.h"
#include "campaign/WorldNames.h"
#include "compositor/LayerList.h"
#include "i18n/GameText.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr TColor32 kWhite = 0xFFFFFFFF;
// The item list: four columns of 200 pixels, rows of 25 from y = 106; the hover reads
// rows from y = 102 so that a row's band covers its text.
constexpr int kItemColumnWidth = 200;
constexpr int kItemRowHeight = 25;
constexpr int kItemListTop = 106;
constexpr int kItemHoverTop = 102;
constexpr int kItemHoverBottom = 502;
constexpr TRect kDescriptionBand{0, 510, 640, 600};

void Clear(TBitmap32& surface) { surface.FillRect({0, 0, surface.Width(), surface.Height()}, 0); }

}  // namespace

void TCampaignCommands::ItemList(TFields& fields) {
    PadFields(fields, fields.size() + 1);
    if (IsHideWord(fields[1])) {
        InfoLayer_.SetVisible(false);
        InfoShown = false;
        return;
    }
    InfoLayer_.SetVisible(true);
    InfoShown = true;
    DrawItemList();
}

void TCampaignCommands::DrawItemList() {
    TBitmap32& surface = *InfoLayer_.Bitmap();
    Clear(surface);
    surface.Font.Name = "ＭＳ Ｐゴシック";
    surface.Font.Height = 16;
    for (int item = 1; item <= kItemCount; ++item) {
        if (!Campaign_.HasItem(item)) continue;
        const int x = (item - 1) % 4 * kItemColumnWidth + 4;
        const int y = (item - 1) / 4 * kItemRowHeight + kItemListTop;
        surface.DrawText(x, y, GameText(ItemName(item)), 0, kWhite);
    }
    InfoLayer_.Invalidate();
}

void TCampaignCommands::UpdateItemHover(int mouseX, int mouseY) {
    if (!InfoShown || !InfoLayer_.Visible()) return;
    int item = -1;
    if (mouseY >= kItemHoverTop && mouseY <= kItemHoverBottom) {
        item = (mouseY - kItemHoverTop) / kItemRowHeight * 4 + mouseX / kItemColumnWidth + 1;
        if (item < 1 || item > kItemCount || !Campaign_.HasItem(item)) item = -1;
    }
    if (item == CurrentItem) return;
    CurrentItem = item;
    DrawItemDescription(item);
}

void TCampaignCommands::DrawItemDescription(int item) {
    TBitmap32& surface = *InfoLayer_.Bitmap();
    surface.FillRect(kDescriptionBand, 0);
    InfoLayer_.Invalidate();
    if (item < 1) return;
    surface.Font.Name = "ＭＳ Ｐゴシック";
    surface.Font.Height = 15;
    const TFields lines = SplitFields(GameText(ItemDescription(item)));
    for (std::size_t k = 0; k < lines.size(); ++k) {
        surface.DrawText(8, 514 + 18 * static_cast<int>(k), lines[k], 0, kWhite);
    }
}

void TCampaignCommands::AreaStrengths(TFields& fields) {
    PadFields(fields, fields.size() + 1);
    if (IsHideWord(fields[1])) {
        InfoLayer_.SetVisible(false);
        return;
    }
    DrawAreaStrengths();
    InfoLayer_.SetVisible(true);
}

void TCampaignCommands::DrawAreaStrengths() {
    TBitmap32& surface = *InfoLayer_.Bitmap();
    Clear(surface);
    for (int index = 0; index < Stage_.Count(); ++index) {
        const TLayerItem& layer = Stage_.Items(index);
        if (!layer.Name().starts_with("btn")) continue;
        for (int area = 2; area <= TQTDGameDat::kAreas; ++area) {
            if (layer.Name() != AreaButtonName(area)) continue;
            DrawStrengthBoxes(surface, layer.Position.X + 50, layer.Position.Y + 22, Campaign_.AreaStrength(area));
            break;
        }
    }
    InfoLayer_.Invalidate();
}

void TCampaignCommands::StatusBar(TFields& fields) {
    PadFields(fields, fields.size() + 1);
    if (IsHideWord(fields[1])) {
        TopBar_.SetVisible(false);
        if (Hooks.EnableSave) Hooks.EnableSave(false);
        return;
    }
    DrawStatusBar();
    TopBar_.SetVisible(true);
    if (Hooks.EnableSave) Hooks.EnableSave(true);
}

void TCampaignCommands::DrawStatusBar() {
    TBitmap32& surface = *TopBar_.Bitmap();
    Clear(surface);
    surface.Font.Height = 22;
    surface.DrawText(14, 14, Format("%3d", Campaign_.Turn()), 0, kWhite);
    surface.DrawText(204, 14, Format("%2d", Campaign_.ConqueredCount()), 0, kWhite);
    surface.DrawText(310, 14, Format("%2d", Campaign_.GeneralCount()), 0, kWhite);
    surface.DrawText(412, 14, Format("%5d", WarFunds(Campaign_)), 0, kWhite);
    surface.DrawText(560, 14, Format("%9d", Campaign_.BestScore()), 0, kWhite);
    surface.Font.Height = 28;
    surface.DrawText(755, 10, Format("%d", Campaign_.Actions()), 1, kWhite);
    TopBar_.Invalidate();
}

}  // namespace vandor

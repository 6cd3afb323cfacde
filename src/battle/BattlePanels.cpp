// The panels: the status panel with the battle, the wave and the timer, the
// information panel about the tower being placed, hovered or selected and its
// heroine, the durability, money and score numbers, the gauge, and the selected
// tower's pop-up menu; the enemy banner and the heroine portrait. A panel is drawn
// again only when marked, except the status panel's timer while a wave runs.

#include <algorithm>

#include "battle/PanelTexts.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "campaign/StrengthBoxes.h"
#include "campaign/WorldNames.h"
#include "compositor/LayerButton.h"
#include "i18n/GameText.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr const char* kProportionalFont = "ＭＳ Ｐゴシック";
constexpr const char* kFixedFont = "ＭＳ ゴシック";
constexpr int kTextHeight = 13;
constexpr TColor32 kWhite = 0xFFFFFFFF;
constexpr TColor32 kGrey = 0xCCCCCCCC;
constexpr TColor32 kPaleGreen = 0xFFCCFFCC;
constexpr TColor32 kBonusColour = 0xFF66FFFF;
constexpr int kLastHeroine = 10;  // heroines with a name and campaign values
constexpr int kPortraitZ = 199;
constexpr int kPortraitHit = 16;  // the portrait takes the pointer like any picture
constexpr int kBannerZ = 199;
constexpr TRect kBannerFrame{0, 0, 139, 44};
constexpr int kPopUpPanelZ = 108;
constexpr int kPopUpFrameZ = 201;
constexpr int kPopUpButtonZ = 200;

void Clear(TBitmap32& panel) { panel.FillRect(panel.BoundsRect(), 0); }

void UseFont(TBitmap32& panel, const char* name) {
    panel.Font.Name = name;
    panel.Font.Height = kTextHeight;
}

// Numbers, and texts already in the chosen language, drawn as they are.
void Figure(TBitmap32& panel, int x, int y, const std::string& text, TColor32 colour = kWhite) {
    panel.DrawText(x, y, text, 0, colour);
}

// A fixed word of the game's own, shown in the chosen language.
void Text(TBitmap32& panel, int x, int y, std::string_view japanese, TColor32 colour = kWhite) {
    Figure(panel, x, y, GameText(japanese), colour);
}

void SetEnabled(TLayerItem& button, bool enabled) {
    if (auto* picture = dynamic_cast<TLayerButton*>(&button)) picture->Enabled = enabled;
}

bool ValidTower(int type, int level) { return type >= 0 && type < kTowerTypes && level >= 1 && level <= kTowerLevels; }

}  // namespace

void TQTDGame::RefreshPanels() {
    if (Marks.Status || (!Prep && Speed > 0)) {
        Marks.Status = false;
        RefreshStatus();
    }
    if (Marks.Info) {
        Marks.Info = false;
        RefreshInformation();
    }
    if (Marks.Durability) {
        Marks.Durability = false;
        RefreshDurability();
    }
    if (Marks.Money) {
        Marks.Money = false;
        DrawNumber(*MoneyPanel, "%7d", Money());
    }
    if (Marks.Score) {
        Marks.Score = false;
        const int32_t score = Score();
        DrawNumber(*ScorePanel, "%9d", score);
        if (Campaign && score > Campaign->BestScore()) Campaign->SetBestScore(score);
    }
    if (Marks.PopUp) {
        Marks.PopUp = false;
        RefreshPopUp();
    }
}

void TQTDGame::DrawNumber(TLayerItem& panel, const char* format, int32_t value) {
    TBitmap32& bitmap = *panel.Bitmap();
    Clear(bitmap);
    Figure(bitmap, 0, 0, Format(format, value));
    panel.Invalidate();
}

// ---------------------------------------------------------------- status

// Asked for every frame of a running wave, for the timer; the panel is drawn and the
// picture composed again only when something it shows changed (a voice holding the
// wave changes nothing).
void TQTDGame::RefreshStatus() {
    const TStatusValues shown{Strength_,     Campaign ? Campaign->AreaBattles(Field) : 0,
                              WaveCount,     WaveIndex,
                              WaveSize,      WaveDirection,
                              EnemiesLeft(), Ticks,
                              Prep};
    if (StatusShown_ == shown) return;
    StatusShown_ = shown;
    DrawStatus(*StatusPanel->Bitmap());
    StatusPanel->Invalidate();
}

void TQTDGame::DrawStatus(TBitmap32& panel) {
    Clear(panel);
    DrawStrengthBoxes(panel, 54, 26, Strength_);
    UseFont(panel, kProportionalFont);
    const int battles = Campaign ? Campaign->AreaBattles(Field) : 0;
    Figure(panel, 7, 57,
           Strength_ == 0 ? GameFormat(panel_text::kKeepingPeace, WaveCount)
                          : GameFormat(panel_text::kStronghold, std::max(1, battles), WaveCount));
    if (Prep) {
        Text(panel, 7, 74, panel_text::kPreparing);
        Figure(panel, 7, 91, GameFormat(panel_text::kNextWave, WaveIndex + 1));
        const std::string direction = GameText(kDirectionNames[static_cast<std::size_t>(WaveDirection)]);
        Figure(panel, 7, 108, GameFormat(panel_text::kComing, WaveSize, direction.c_str()));
        return;
    }
    Figure(panel, 7, 74, GameFormat(panel_text::kFighting, WaveIndex + 1));
    Figure(panel, 7, 91, GameFormat(panel_text::kEnemiesLeft, EnemiesLeft()));
    UseFont(panel, kFixedFont);
    Figure(panel, 7, 108, Format("%2d:%.2d:%.2d", Ticks / 3600, Ticks / 60 % 60, Ticks % 60));
}

// ---------------------------------------------------------------- information

// What the player is about to build, hovers or has selected, and its heroine.
void TQTDGame::RefreshInformation() {
    TBitmap32& panel = *InfoPanel->Bitmap();
    Clear(panel);
    InfoPanel->Invalidate();
    if (Portrait) Portrait->SetVisible(false);

    int type = -1;
    int level = 1;
    int bonus = 0;
    bool priced = false;
    if (Ghost) {
        type = BuildType;
        priced = true;
    } else if (HoveredBuild > 0) {
        type = HoveredBuild;
        priced = true;
    } else {
        const TPoint at = Selected.X != kNoCell ? Selected : Hovered;
        if (!InDrawnField(at.X, at.Y)) return;
        const TCell& cell = Cell(at.X, at.Y);
        if (!cell.Building || cell.Type < 0) return;
        type = cell.Type;
        level = cell.Level;
        bonus = cell.Bonus;
    }
    if (!ValidTower(type, level)) return;

    const int heroine = HeroineOf[static_cast<std::size_t>(type)];
    if (heroine > 0) ShowPortrait(heroine);
    if (heroine >= 1 && heroine <= kLastHeroine && Campaign) DrawHeroineColumn(panel, type, heroine);
    DrawTowerColumn(panel, type, level);
    if (priced) Figure(panel, 72, 2, Format("%5d$", Cost(1, type)));
    // The next level's figures over the current ones while the level-up button is hovered.
    if (HoverLevelUp && HoveredBuild <= 0 && level < kTowerLevels) {
        Figure(panel, 78, 47, Format("→%3d", Attack(level + 1, type)));
        Figure(panel, 78, 77, Format("→%3d", Range(level + 1, type)));
        if (Reload(level + 1, type) > 0) Figure(panel, 78, 62, Format("→%3d", 600 / Reload(level + 1, type)));
        Figure(panel, 72, 2, Format("%5d$", Cost(level + 1, type)));
    } else if (bonus > 0) {
        Figure(panel, 78, 47, Format("+%3d", Attack(level, type) * bonus / 100), kBonusColour);
    }
}

// The heroine's name and what her affection and training add (x 210 labels, 255
// values). Heroine 1 commands the base, whose durability is shown divided by 10, like
// the durability display.
void TQTDGame::DrawHeroineColumn(TBitmap32& panel, int type, int heroine) {
    const int32_t affection = Campaign->Affection(heroine);
    const int32_t training = Campaign->Training(heroine);
    UseFont(panel, kProportionalFont);
    Text(panel, 210, 2, HeroineName(heroine));
    Text(panel, 210, 17, panel_text::kAffection, kPaleGreen);
    Text(panel, 210, 32, panel_text::kTraining, kPaleGreen);
    const std::string_view first = type == 0              ? panel_text::kDurability
                                   : type == kPrayerTower ? panel_text::kStrengthen
                                                          : panel_text::kAttack;
    const std::string_view second = type == 0 ? panel_text::kAttack : panel_text::kPrice;
    if (affection != 0) Text(panel, 210, 47, first, kPaleGreen);
    if (training != 0) Text(panel, 210, 62, second, kPaleGreen);

    UseFont(panel, kFixedFont);
    Figure(panel, 255, 17, Format(" %3d", affection));
    Figure(panel, 255, 32, Format(" %3d", training));
    if (type == 0) {
        const int32_t durability = std::min(100, 10 * affection);
        if (durability != 0) Figure(panel, 255, 47, Format("+%3d", durability));
        if (training != 0) Figure(panel, 255, 62, Format(" +%2d％", 3 * training));
        return;
    }
    if (affection != 0) Figure(panel, 255, 47, Format(" +%2d％", 3 * affection));
    if (training != 0) Figure(panel, 255, 62, Format(" -%2d％", 3 * training));
}

// The type's name, description, special effect and statistics at the level.
void TQTDGame::DrawTowerColumn(TBitmap32& panel, int type, int level) {
    const std::size_t t = static_cast<std::size_t>(type);
    UseFont(panel, kProportionalFont);
    Figure(panel, 4, 2, GameFormat(panel_text::kTowerLevel, GameText(kTowerNames[t]).c_str(), level));
    Text(panel, 4, 17, kTowerDescriptions[t]);
    Text(panel, 4, 47, type == kPrayerTower ? panel_text::kStrengthen : panel_text::kAttack, kPaleGreen);
    Text(panel, 4, 62, panel_text::kSpeed, kPaleGreen);
    Text(panel, 4, 77, panel_text::kRange, kPaleGreen);
    const std::string_view special = type == 4   ? panel_text::kAreaAttack
                                     : type == 5 ? panel_text::kLastingDamage
                                     : type == 7 ? panel_text::kSlowingDamage
                                                 : std::string_view();
    if (!special.empty()) Text(panel, 4, 32, special);

    UseFont(panel, kFixedFont);
    if (type == kPrayerTower) {
        Figure(panel, 35, 47, Format("%4d％", Attack(level, type)));
    } else {
        Figure(panel, 48, 47, Format("%4d", Attack(level, type)));
    }
    Figure(panel, 48, 77, Format("%4d", Range(level, type)));
    const int32_t reload = Reload(level, type);
    Figure(panel, 48, 62, reload == 0 ? std::string(" ---") : Format("%4d", 600 / reload));
}

void TQTDGame::ShowPortrait(int heroine) {
    if (!Portrait || Portrait->Tag != heroine) {
        if (Portrait) Layers.Remove(*Portrait);
        Portrait = &AddPicture(Format("マスター%.2d.png", heroine), 3, kPortraitHit);
        Portrait->SetPosition(670, 600, kPortraitZ);
        Portrait->Tag = heroine;
    }
    Portrait->SetVisible(true);
}

// ---------------------------------------------------------------- durability and banner

// The number in tens and the gauge, which shrinks from the right.
void TQTDGame::RefreshDurability() {
    const int32_t hp = std::max(0, BaseHP());
    DrawNumber(*DurabilityPanel, "%3d", hp / 10);
    if (const TBitmap32* gauge = DurabilityGauge->Bitmap(); gauge && BaseMaxHP > 0) {
        const int width = gauge->Width() * hp / BaseMaxHP;
        DurabilityGauge->SrcRect.Right = width;
        DurabilityGauge->SetWidth(width);
        DurabilityGauge->Invalidate();
    }
}

void TQTDGame::ShowEnemyBanner() {
    if (EnemyBanner) Layers.Remove(*EnemyBanner);
    EnemyBanner = &AddPicture(AreaBannerName(Field), kAnchorTopLeft, kHitNever);
    EnemyBanner->SetSize(kBannerFrame.Width(), kBannerFrame.Height());
    EnemyBanner->SrcRect = kBannerFrame;
    EnemyBanner->SetPosition(604, 4, kBannerZ);
}

// ---------------------------------------------------------------- pop-up

// The selected tower's menu, beside it, during preparation only; a cell selected
// during a wave keeps whatever was shown.
void TQTDGame::RefreshPopUp() {
    const TCell* cell = SelectedCell();
    if (!cell) {
        HidePopUp();
        return;
    }
    if (!Prep) return;
    // An obstacle's cell can be selected through a corner of its ground tile: it has no menu.
    if (!ValidTower(cell->Type, cell->Level)) {
        HidePopUp();
        return;
    }
    const int type = cell->Type;
    const int level = cell->Level;
    TBitmap32& panel = *PopUpPanel->Bitmap();
    Clear(panel);
    PopUpPanel->Invalidate();
    RangeMarker->SetVisible(true);
    PopUpPanel->SetVisible(true);
    PopUpFrame->SetVisible(true);
    PopUpCell = Selected;
    const TProjection point = ProjectCell(Selected.X, Selected.Y);

    const std::string name = GameText(kTowerNames[static_cast<std::size_t>(type)]);
    Figure(panel, 0, 1, GameFormat(panel_text::kTowerLevel, name.c_str(), level));
    PopUpFrame->SetPosition(point.X + 20, point.Y - 32, kPopUpFrameZ);
    PopUpPanel->SetPosition(point.X + 24, point.Y - 28, kPopUpPanelZ);
    ShowRangeMarker(Range(level, type), point);
    for (std::size_t j = 0; j < PopUpButtons.size(); ++j) {
        PopUpButtons[j]->SetPosition(point.X + 24, point.Y - 8 + 25 * static_cast<int>(j), kPopUpButtonZ);
    }

    TLayerItem& levelUp = *PopUpButtons[0];
    const int32_t nextCost = Cost(level + 1, type);
    const bool canRaise = level < kTowerLevels && Money() >= nextCost;
    levelUp.SetVisible(true);
    SetEnabled(levelUp, canRaise);
    Text(panel, 4, 26, panel_text::kLevelUp, canRaise ? kWhite : kGrey);
    if (canRaise) Figure(panel, 100, 26, Format("%4d$", nextCost));

    TLayerItem& cancel = *PopUpButtons[1];
    const bool canCancel = cell->CanCancelUpgrades();
    cancel.SetVisible(true);
    SetEnabled(cancel, canCancel);
    Text(panel, 4, 51, panel_text::kCancel, canCancel ? kWhite : kGrey);

    TLayerItem& remove = *PopUpButtons[2];
    const bool base = Selected == TPoint{0, 0};
    remove.SetVisible(!base);
    if (base) return;
    SetEnabled(remove, true);
    Text(panel, 4, 76, panel_text::kRemove);
}

}  // namespace vandor

// The battle's interface: its buttons and panels, and the mouse. A press while a
// caption or a voice holds the battle is refused; its release clears what held it.

#include <algorithm>

#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "compositor/LayerButton.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Format.h"

namespace vandor {
namespace {

enum TButtonTag { btStart = 0, btFast = 1, btPause = 2, btFirstBuild = 8, btLevelUp = 128 };

constexpr const char* kPanelFont = "ＭＳ ゴシック";
constexpr int kPanelFontHeight = 15;
constexpr int kPopUpFontHeight = 13;
constexpr int kPanelTag = -1;

}  // namespace

void TQTDGame::CreateInterface() {
    StartButton = AddButton("btn戦闘開始.png", 671, 504, 0, btStart);
    FastButton = AddButton("btn高速モード.png", 671, 536, 1, btFast);
    PauseButton = AddButton("btn一時停止.png", 671, 568, 2, btPause);
    FastButton->SetVisible(false);
    PauseButton->SetVisible(false);
    for (int t = 1; t < kTowerTypes; ++t) {
        BuildButtons[static_cast<std::size_t>(t)] = AddButton("btn塔" + std::to_string(t) + ".png", 48 * ((t + 7) % 4),
                                                              504 + 48 * ((t - 1) / 4), t + 7, btFirstBuild + t - 1);
    }
    for (int j = 0; j < 3; ++j) {
        TLayerItem* button = AddButton("btn汎用.png", 0, 0, 200, btLevelUp + j);
        button->SetVisible(false);
        PopUpButtons[static_cast<std::size_t>(j)] = button;
    }

    StatusPanel = AddPanel(200, 130, 800, 0, 103, 9);
    TLayerItem& statusFrame = AddPicture("frm戦場.png", 9, kHitNever);
    statusFrame.SetPosition(800, 0, 203);
    InfoPanel = AddPanel(296, 96, 192, 504, 104, kAnchorTopLeft);
    DurabilityPanel = AddPanel(24, 16, 338, 484, 105, kAnchorTopLeft);
    DurabilityGauge = &AddPicture("frm耐久ゲージ.png", kAnchorTopLeft, kHitNever);
    DurabilityGauge->SetPosition(364, 485, 204);
    MoneyPanel = AddPanel(64, 16, 118, 484, 106, kAnchorTopLeft);
    ScorePanel = AddPanel(72, 16, 720, 484, 107, kAnchorTopLeft);
    PopUpPanel = AddPanel(142, 94, 0, 0, 108, kAnchorTopLeft);
    PopUpPanel->Bitmap()->Font.Height = kPopUpFontHeight;
    PopUpPanel->SetVisible(false);
    PopUpFrame = &AddPicture("frmメニュー.png", kAnchorTopLeft, kHitNever);
    PopUpFrame->SetPosition(0, 0, 201);
    PopUpFrame->SetVisible(false);
    for (TLayerItem* frame : {&statusFrame, DurabilityGauge, PopUpFrame}) frame->Tag = kPanelTag;

    HoverCursor = &AddPicture("地面.png", kAnchorBottomCentre, kHitNever);
    HoverCursor->SetSize(32, 17);
    HoverCursor->SrcRect = {0, 0, 32, 17};
    HoverCursor->SetPosition(-100, -100, 300);

    auto marker = std::make_unique<TLayerItem>(std::make_unique<TBitmap32>());
    marker->Bitmap()->SetDrawMode(TDrawMode::dmBlend);
    marker->Position.SetAnchor(5);
    marker->HitAlpha = kHitNever;
    marker->Tag = 0;
    marker->SetVisible(false);
    RangeMarker = &Layers.Add(std::move(marker));
}

// The buttons are made with the battle, at start-up. A title without battle pictures
// must still start: a missing button is logged by the lookup and left as an empty
// layer that is never drawn nor hit.
TLayerItem* TQTDGame::AddButton(const std::string& picture, int x, int y, int z, int tag) {
    std::unique_ptr<TLayerItem> button;
    try {
        button = std::make_unique<TLayerButton>(Services_.Pictures, picture);
    } catch (const std::runtime_error&) {
        button = std::make_unique<TLayerItem>();
        button->Position.SetAnchor(kAnchorTopLeft);
    }
    button->SetPosition(x, y, z);
    button->Tag = tag;
    button->OnClick = [this](TLayerItem& sender) { ButtonClicked(sender); };
    return &Layers.Add(std::move(button));
}

TLayerItem* TQTDGame::AddPanel(int width, int height, int x, int y, int z, int anchor) {
    auto bitmap = std::make_unique<TBitmap32>(width, height);
    bitmap->SetDrawMode(TDrawMode::dmBlend);
    bitmap->Font.Name = kPanelFont;
    bitmap->Font.Height = kPanelFontHeight;
    TLayerItem& panel = Layers.AddBitmap(std::move(bitmap), x, y, z, anchor);
    panel.HitAlpha = kHitNever;
    panel.Tag = kPanelTag;
    return &panel;
}

void TQTDGame::ButtonClicked(TLayerItem& button) {
    switch (button.Tag) {
        case btPause:
            StartButton->SetVisible(true);
            PauseButton->SetVisible(false);
            Speed = -Speed;
            break;
        case btFast:
            StartButton->SetVisible(false);
            PauseButton->SetVisible(true);
            Speed = Speed == 1 ? kFastSpeed : Speed == -1 ? -kFastSpeed : 1;
            break;
        case btStart:
            if (!PlacementMode) StartWave();
            break;
        default: break;
    }
}

void TQTDGame::HidePopUp() {
    PopUpPanel->SetVisible(false);
    PopUpFrame->SetVisible(false);
    RangeMarker->SetVisible(false);
    for (TLayerItem* button : PopUpButtons) button->SetVisible(false);
}

void TQTDGame::UpdateTowerButtons(bool show) {
    const int32_t money = show ? Money() : 0;
    for (int t = 1; t < kTowerTypes; ++t) {
        BuildButtons[static_cast<std::size_t>(t)]->SetVisible(show && money >= Cost(1, t));
    }
}

// ---------------------------------------------------------------- mouse

void TQTDGame::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    LastShift = shift;
    if (VoiceChannel > 0 || CaptionTimer > 0 || Caption) return;
    PressAccepted = true;
    Layers.MouseDown(button, shift, x, y);
}

// A release without an accepted press clears what refused it; a voice plays on.
void TQTDGame::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (PressAccepted) {
        Layers.MouseUp(button, shift, x, y);
        PressAccepted = false;
        LastShift = shift;
        return;
    }
    if (VoiceChannel > 0) {
        VoiceChannel = -1;
        ResumeSavedMusic();
        DismissCaption();
    } else if (CaptionTimer > 0) {
        CaptionTimer = -1;
        VoiceChannel = -1;
        DismissCaption();
    } else if (Caption) {
        DismissCaption();
    }
}

// ---------------------------------------------------------------- panels

void TQTDGame::DrawNumber(TLayerItem& panel, const char* format, int32_t value) {
    TBitmap32& bitmap = *panel.Bitmap();
    bitmap.FillRect(bitmap.BoundsRect(), 0);
    bitmap.DrawText(0, 0, Format(format, value), 0, 0xFFFFFFFF);
    panel.Invalidate();
}

void TQTDGame::RefreshPanels() {
    if (Marks.Durability) {
        Marks.Durability = false;
        const int32_t hp = std::max(0, BaseHP());
        DrawNumber(*DurabilityPanel, "%3d", hp / 10);
        // The gauge shrinks from the right.
        if (const TBitmap32* gauge = DurabilityGauge->Bitmap(); gauge && BaseMaxHP > 0) {
            const int width = gauge->Width() * hp / BaseMaxHP;
            DurabilityGauge->SrcRect.Right = width;
            DurabilityGauge->SetWidth(width);
            DurabilityGauge->Invalidate();
        }
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
}

}  // namespace vandor

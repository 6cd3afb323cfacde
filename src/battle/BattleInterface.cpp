// The battle's interface: its buttons and panels, the buttons' events, and the
// mouse. A press while a caption or a voice holds the battle is refused; its release
// clears what held it.

#include "battle/QTDGame.h"
#include "compositor/LayerButton.h"

namespace vandor {
namespace {

enum TButtonTag {
    btStart = 0,
    btFast = 1,
    btPause = 2,
    btFirstBuild = 8,
    btLastBuild = btFirstBuild + kTowerTypes - 2,  // types 1..8; the base has none
    btLevelUp = 128,
    btCancel = 129,
    btRemove = 130,
};

constexpr const char* kPanelFont = "ＭＳ ゴシック";
constexpr int kPanelFontHeight = 15;
constexpr int kPopUpFontHeight = 13;
constexpr int kPanelTag = -1;
constexpr int kBuildTagOffset = btFirstBuild - 1;  // build button t carries tag t + 7

bool IsBuildButton(int tag) { return tag >= btFirstBuild && tag <= btLastBuild; }

// An empty stand-in for a missing button picture counts as disabled.
bool IsEnabled(const TLayerItem& button) {
    const auto* picture = dynamic_cast<const TLayerButton*>(&button);
    return picture && picture->Enabled;
}

}  // namespace

void TQTDGame::CreateInterface() {
    StartButton = AddButton("btn戦闘開始.png", 671, 504, 0, btStart);
    FastButton = AddButton("btn高速モード.png", 671, 536, 1, btFast);
    PauseButton = AddButton("btn一時停止.png", 671, 568, 2, btPause);
    FastButton->SetVisible(false);
    PauseButton->SetVisible(false);
    for (int t = 1; t < kTowerTypes; ++t) {
        BuildButtons[static_cast<std::size_t>(t)] = AddButton("btn塔" + std::to_string(t) + ".png", 48 * ((t + 7) % 4),
                                                              504 + 48 * ((t - 1) / 4), t + 7, t + kBuildTagOffset);
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

    Layers.OnItemEnter = [this](TLayerItem& layer) { OnCellHover(layer); };
}

// The buttons are made with the field, when the first battle starts. A title without
// battle pictures must still play: a missing button is logged by the lookup and left
// as an empty layer that is never drawn nor hit.
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
    button->OnMouseDown = [this](TLayerItem& sender, TMouseButton, TShiftState, int, int) { ButtonPressed(sender); };
    button->OnMouseEnter = [this](TLayerItem& sender) { ButtonEntered(sender); };
    button->OnMouseLeave = [this](TLayerItem& sender) { ButtonLeft(sender); };
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

// ---------------------------------------------------------------- button events

// A build button takes effect on the press, so that a tower can be dragged onto the field.
void TQTDGame::ButtonPressed(TLayerItem& button) {
    if (IsBuildButton(button.Tag)) EnterPlacement(button.Tag - kBuildTagOffset);
}

void TQTDGame::ButtonEntered(TLayerItem& button) {
    if (IsBuildButton(button.Tag)) {
        HoveredBuild = button.Tag - kBuildTagOffset;
        HoverLevelUp = false;
        Marks.Info = true;
    } else if (button.Tag == btLevelUp) {
        HoverLevelUp = IsEnabled(button);
        Marks.Info = true;
    }
}

void TQTDGame::ButtonLeft(TLayerItem& button) {
    if (HoverLevelUp) {
        HoverLevelUp = false;
        Marks.Info = true;
    } else if (IsBuildButton(button.Tag)) {
        HoveredBuild = -1;
        Marks.Info = true;
    }
}

// So a paused wave shows the start button, which resumes it; the fast button toggles
// between 1 and 16 ticks a frame and keeps a pause paused.
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
        case btLevelUp:
        case btCancel:
        case btRemove: PopUpButtonClicked(button.Tag); break;
        default: break;
    }
}

// Cancelling undoes only the levels bought in this preparation: a tower built in it
// has none to undo (it is removed at its full price instead).
void TQTDGame::PopUpButtonClicked(int tag) {
    const TPoint at = PopUpCell;
    if (!InDrawnField(at.X, at.Y)) return;
    TCell& cell = Cell(at.X, at.Y);
    if (!cell.Building) return;
    if (tag == btRemove) {
        Remove(at.X, at.Y);
        Selected = {kNoCell, 0};
    } else if (tag == btLevelUp) {
        LevelUp(at.X, at.Y);
    } else if (cell.CanCancelUpgrades()) {
        CancelUpgrades(at.X, at.Y);
    }
    Marks.Info = Marks.PopUp = true;
}

void TQTDGame::HidePopUp() {
    PopUpCell = {kNoCell, 0};
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
    if (RefusesPresses()) return;
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

}  // namespace vandor

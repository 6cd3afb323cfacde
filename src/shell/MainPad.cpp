// Playing without a mouse: the controller's buttons and sticks, the keys that stand in
// for the mouse, and the game menu drawn in the picture. The controls only move the
// pointer and press the buttons the mouse would (TMainPointerActions), so every rule of
// the scenes and the campaign stays where the mouse reaches it.

#include <algorithm>

#include "input/PadNames.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"

namespace vandor {

// The mouse and the keyboard as the controls press them.
class TMainPointerActions final : public IPointerActions {
public:
    explicit TMainPointerActions(TggTDMain& window) : Window_(window) {}

    void PointAt(const TFocusTarget& target) override { Window_.MovePointer(Window_.AimPoint(target)); }
    void Click(TMouseButton button) override {
        const TShiftState flag = button == TMouseButton::mbLeft ? ssLeft : ssRight;
        Window_.FormMouseDown(button, flag, 0, 0);
        Window_.FormMouseUp(button, 0, 0, 0);
    }
    void Wheel(int notch) override { Window_.FormMouseWheel(notch); }
    void HoldKey(int key, bool held) override { Window_.HoldKeyFromPad(key, held); }
    void TypeKey(int key, int character) override {
        Window_.FormKeyDown(key, 0);
        Window_.FormKeyPress(character);
        Window_.FormKeyUp(key, 0);
    }

private:
    TggTDMain& Window_;
};

void TggTDMain::CreateControls() {
    PointerActions_ = std::make_unique<TMainPointerActions>(*this);
    Controls_ = std::make_unique<TStoryControls>(*PointerActions_);
    BattlePadButton = [this](const std::string& button, bool down) { return Session_->PadButton(button, down); };
}

// ---------------------------------------------------------------- the controller

void TggTDMain::FormPadButton(const std::string& name, bool down) {
    if (const auto button = PadButtonFromName(name)) PadButton(*button, down);
}

void TggTDMain::PadButton(TPadButton button, bool down) {
    if (GameMenu_.IsOpen()) {
        if (down) MenuPadButton(button);
        return;
    }
    if (down && (button == TPadButton::Start || button == TPadButton::Guide)) {
        OpenGameMenu();
        return;
    }
    // A release lets go of what its press held in the story, even once a battle shows.
    if (!down) Controls_->PadButton(button, false);
    if (Session_->Running()) {
        const bool taken = BattlePadButton && BattlePadButton(std::string(PadButtonName(button)), down);
        // An ended battle waits for a click to leave it: a gives one when the battle
        // did not take it.
        if (!taken && down && button == TPadButton::A && Session_->Ended())
            PointerActions_->Click(TMouseButton::mbLeft);
        return;
    }
    if (!down) return;
    SyncFocusTargets();
    Controls_->PadButton(button, true);
}

// The left stick moves the pointer freely in a battle and is a d-pad everywhere else;
// the right trigger is Ctrl.
void TggTDMain::FormPadAxis(const std::string& name, int value) {
    const auto axis = PadAxisFromName(name);
    if (!axis) return;
    StickPointer_.Axis(*axis, value);
    for (const auto& [button, down] : StickDirections_.Axis(*axis, value)) {
        if (!Session_->Running() || GameMenu_.IsOpen()) {
            PadButton(button, down);
        } else if (!down) {
            Controls_->PadButton(button, false);
        }
    }
    if (!GameMenu_.IsOpen()) Controls_->PadAxis(*axis, value);
}

// A controller that goes away lets go of everything it held.
void TggTDMain::FormPadConnected(bool connected) {
    if (connected) return;
    for (const auto& [button, down] : StickDirections_.ReleaseAll()) Controls_->PadButton(button, down);
    StickPointer_.Release();
    Controls_->ReleaseHeld();
}

void TggTDMain::HoldKeyFromPad(int key, bool held) {
    if (held && Session_->StoryHearsInput()) Options_.EndByInput();
    SetKeyHeld(key, held);
}

// Disabled choices never react to the mouse, so they take no focus either.
void TggTDMain::SyncFocusTargets() {
    std::vector<TFocusTarget> targets;
    for (const TLayerLabel* choice : Engine_->Choices()) {
        const TLayerItem* layer = choice;
        if (choice->Enabled && choice->Visible()) targets.push_back({layer, choice->DstRect()});
    }
    std::vector<TFocusTarget> buttons;
    for (const TLayerButton* button : Engine_->Buttons()) {
        const TLayerItem* layer = button;
        if (button->Visible()) buttons.push_back({layer, button->DstRect()});
    }
    SortByTopThenLeft(buttons);
    targets.insert(targets.end(), buttons.begin(), buttons.end());
    Controls_->Focus().SetTargets(std::move(targets));
}

// The middle of the target, or the nearest point to it where the layers route the mouse
// to the target: in ever larger squares around the middle, row by row.
TPoint TggTDMain::AimPoint(const TFocusTarget& target) {
    const TRect& bounds = target.Bounds;
    const TPoint middle{bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2};
    const int reach = std::max(bounds.Width(), bounds.Height()) / 2;
    for (int d = 0; d <= reach; ++d) {
        for (int y = middle.Y - d; y <= middle.Y + d; ++y) {
            const int step = y == middle.Y - d || y == middle.Y + d ? 1 : 2 * d;
            for (int x = middle.X - d; x <= middle.X + d; x += std::max(step, 1)) {
                if (bounds.Contains({x, y}) && Engine_->Layers.ItemAt(x, y) == target.Id) return {x, y};
            }
        }
    }
    return middle;
}

void TggTDMain::StepStickPointer() {
    if (GameMenu_.IsOpen() || !Session_->Running() || !StickPointer_.Pushed()) return;
    // The battle's cursor follows the cell under the pointer, as it does the mouse's.
    MovePointer(
        StickPointer_.Step({MouseX_, MouseY_}, {TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight}));
    Session_->PointerMoved(MouseX_, MouseY_);
}

// ---------------------------------------------------------------- the game menu

void TggTDMain::OpenGameMenu() {
    // Keys and buttons the controller holds would otherwise stay down behind the menu.
    Controls_->ReleaseHeld();
    GameMenu_.Open();
    ShowGameMenuChange();
}

void TggTDMain::ShowGameMenuChange() {
    ScaledStale_ = true;
    FormPaint();
}

const TBitmap32& TggTDMain::GameMenuPicture() {
    GameMenuPicture_ = ActiveMode().BackSurface();
    GameMenu_.Draw(GameMenuPicture_);
    return GameMenuPicture_;
}

void TggTDMain::MenuPadButton(TPadButton button) {
    switch (button) {
        case TPadButton::DpUp: GameMenu_.Step(-1); break;
        case TPadButton::DpDown: GameMenu_.Step(1); break;
        case TPadButton::DpRight: GameMenu_.EnterSubmenu(); break;
        case TPadButton::A: GameMenu_.Choose(); break;
        case TPadButton::B:
        case TPadButton::DpLeft: GameMenu_.Back(); break;
        case TPadButton::Start:
        case TPadButton::Guide: GameMenu_.Close(); break;
        default: return;
    }
    ShowGameMenuChange();
}

void TggTDMain::MenuKeyDown(int key, TShiftState shift) {
    switch (key) {
        case vkUp: GameMenu_.Step(-1); break;
        case vkDown: GameMenu_.Step(1); break;
        case vkTab: GameMenu_.Step((shift & ssShift) ? -1 : 1); break;
        case vkRight: GameMenu_.EnterSubmenu(); break;
        case vkLeft:
        case vkBack:
        case vkEscape: GameMenu_.Back(); break;
        default: return;
    }
    ShowGameMenuChange();
}

}  // namespace vandor

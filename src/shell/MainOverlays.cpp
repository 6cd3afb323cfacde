// What the main window draws over the presented picture besides the notices: the
// quick menu on the message window and the auto/skip mark. Both are player options;
// while they are off nothing here touches the picture or the input.

#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"

namespace vandor {

bool TggTDMain::StepOverlays() {
    TNovelGame& engine = *Engine_;
    const bool story = Session_->StoryHearsInput();
    const bool windowShown = story && !engine.Hidden && engine.Message().Visible() && engine.MessageFrame()->Visible();
    bool changed = QuickMenu_.Update(Options_.QuickMenuOn() && windowShown, engine.Message().DstRect(), engine.AutoMode,
                                     Options_.SkippingToChoice());
    changed |= QuickMenu_.PointAt({MouseX_, MouseY_});
    TStoryMode mode = TStoryMode::None;
    if (Options_.ModeIndicatorOn() && story) {
        if (engine.AutoMode) {
            mode = TStoryMode::Auto;
        } else if (engine.Skipping()) {
            mode = TStoryMode::Skip;
        }
    }
    changed |= Indicator_.Update(mode);
    return changed;
}

const TBitmap32& TggTDMain::WithOverlays(const TBitmap32& picture) {
    const TBitmap32* shown = &picture;
    // The game menu stands over a still picture of its own: the overlays wait behind it.
    if (!GameMenu_.IsOpen() && (QuickMenu_.Visible() || Indicator_.Visible())) {
        Overlaid_ = picture;
        QuickMenu_.DrawOn(Overlaid_);
        Indicator_.DrawOn(Overlaid_);
        shown = &Overlaid_;
    }
    return Notice_.Visible() ? Notice_.Over(*shown) : *shown;
}

// A press on a quick menu button belongs to the button: it neither turns the page nor
// ends auto mode, and the button acts when the press is released over it.
bool TggTDMain::QuickMenuMouseDown(TMouseButton button) {
    if (button != TMouseButton::mbLeft) return false;
    QuickMenuPressed_ = QuickMenu_.ButtonAt({MouseX_, MouseY_});
    return QuickMenuPressed_.has_value();
}

bool TggTDMain::QuickMenuMouseUp(TMouseButton button) {
    if (button != TMouseButton::mbLeft || !QuickMenuPressed_) return false;
    const TQuickAction pressed = *QuickMenuPressed_;
    QuickMenuPressed_.reset();
    if (QuickMenu_.ButtonAt({MouseX_, MouseY_}) == pressed) QuickMenuAction(pressed);
    return true;
}

// The same actions as the wheel, the menu items and the keys.
void TggTDMain::QuickMenuAction(TQuickAction action) {
    switch (action) {
        case TQuickAction::BackLog: Engine_->Wheel(-1); break;
        case TQuickAction::Auto: Options_.ToggleAuto(); break;
        case TQuickAction::Skip: Options_.ToggleSkipToChoice(); break;
        case TQuickAction::QuickSave: QuickSave(); break;
        case TQuickAction::QuickLoad: QuickLoad(); break;
        case TQuickAction::GameMenu: OpenGameMenu(); break;
    }
}

}  // namespace vandor

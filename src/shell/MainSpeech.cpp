// Self-voicing (TSelfVoicing) joined to the window: its menu items, the engine whose
// pages it reads, and what has the focus each frame.

#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/SelfVoicing.h"

namespace vandor {

void TggTDMain::CreateSelfVoicing() {
    SelfVoicing_ = std::make_unique<TSelfVoicing>(Menu_, *Log_);
    SelfVoicing_->Build([this](const std::function<void()>& action) { Guarded(action); });
}

void TggTDMain::SelfVoicingKey(int key) {
    if (key == TSelfVoicing::kKey) SelfVoicing_->Toggle();
    if (key == TSelfVoicing::kStatusKey && Session_->Running()) SelfVoicing_->BattleStatus();
}

void TggTDMain::StepSelfVoicing() {
    if (GameMenu_.IsOpen()) {
        SelfVoicing_->StepGameMenu(GameMenu_);
    } else if (Session_->Running()) {
        const TBattlePad& pad = Session_->Pad();
        SelfVoicing_->StepBattle(pad.Cursor(), pad.CursorLayer() != nullptr, {MouseX_, MouseY_});
    } else {
        const TFocusRing& focus = Controls_->Focus();
        SelfVoicing_->StepStory(focus.HasFocus() ? focus.Targets()[static_cast<std::size_t>(focus.Focused())].Id
                                                 : nullptr);
    }
}

}  // namespace vandor

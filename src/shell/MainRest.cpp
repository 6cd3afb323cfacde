// Whether the main window's frames may rest: a still scene costs no frame work and no
// wake-ups until something happens.

#include <malloc.h>

#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/FolderWatch.h"
#include "shell/MainWindow.h"
#include "sound/SoundPlayer.h"

namespace vandor {

bool TggTDMain::FramesCanRest() const {
    if (!Platform_.RestStillFrames || InputSinceFrame_ || Menu_.Clicks() != MenuClicksSeen_) return false;
    if (QuietFrames_ < kQuietFramesBeforeRest || RestartPending_ || !WindowsSavesLooked_) return false;
    // Each of these has work to do in every frame while it lasts.
    if (GameMenu_.IsOpen() || Notice_.Visible() || CtrlHeld_ || StickPointer_.Pushed()) return false;
    if (!Session_->StoryHearsInput() || Options_.SkippingToChoice()) return false;
    // A sound ends by itself, and what waits on it (auto mode, a voice) must see it end.
    if (!Engine_->AtRest() || Sound_->Sounding()) return false;
    // An author's edit to the loose data is read by the next frame.
    return !(Watch_ && Watch_->Pending());
}

// glibc keeps the memory that the pages before freed between the blocks still in use,
// resident for as long as the game runs: a scene at rest gives it back to the system.
void TggTDMain::BeginRest() {
    Resting_ = true;
    malloc_trim(0);
}

}  // namespace vandor

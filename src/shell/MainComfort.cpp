// The player options (TPlayerOptions) joined to the story engine, and the read pages,
// kept in a file of their own beside the read flags.

#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "util/DebugLog.h"

namespace vandor {

void TggTDMain::AttachPlayerOptions() {
    TNovelGame& engine = *Engine_;
    TAssistState state;
    state.BattleRunning = [this] { return Session_->Running(); };
    state.SkipHeld = [this] { return CtrlHeld_; };
    state.ChoiceShown = [this] { return !Engine_->Choices().empty() || !Engine_->Buttons().empty(); };
    state.Skipping = [this] { return Engine_->Skipping(); };
    state.ShowTowerLevels = [this](bool on) { Battle_->ShowLevelMarks(on); };
    Options_.Attach({engine.SkipReadOnly, engine.Skip, engine.AutoMode, engine.AutoTiming, engine.ReplayVoices,
                     engine.ChoiceToBackLog},
                    std::move(state));
}

void TggTDMain::LoadReadPages() {
    ReadPages_.Clear();
    const std::string path = Locations_.SaveFolder + kReadPagesFileName;
    ReadKeepingDamagedAside(path, [&] {
        ReadReadPagesFile(path, ReadPages_);
        Log_->Add("既読ページ読込.(" + std::to_string(ReadPages_.Count()) + ")");
    });
}

// As with the read flags, no pages write nothing and leave an older file as it was.
bool TggTDMain::SaveReadPages() {
    if (ReadPages_.Empty()) return true;
    return WriteLoggingFailure("既読ページの保存に失敗.", [&] {
        WriteReadPagesFile(Locations_.SaveFolder + kReadPagesFileName, ReadPages_);
        Log_->Add("既読ページ保存.(" + std::to_string(ReadPages_.Count()) + ")");
    });
}

}  // namespace vandor

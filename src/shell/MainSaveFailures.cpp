// What the player hears when a file cannot be kept. A save folder that takes no files
// (it cannot be made, or it is read-only) is told once a run, at the first frame, and
// the game plays on with the save menu closed. A write that fails in a folder that
// works (a full disk) is told where it happens: at the slot saved, or in one box for
// the settings and read progress written at exit or before a restart. In every case
// the old files stay as they were and the debug log says what failed.

#include "shell/MainWindow.h"
#include "shell/SaveFolderCheck.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

constexpr const char* kCaption = "保存";
constexpr const char* kUnsavedSettings =
    "設定または既読情報を保存できませんでした。\n"
    "ディスクの空き容量を確認してください。";

std::string SaveFolderNotice(const std::string& folder) {
    return "セーブフォルダに書き込めません。\n" + folder +
           "\n\n"
           "ゲームはこのまま続けられますが、セーブ、設定、既読情報は保存されません。";
}

}  // namespace

void TggTDMain::CheckSaveFolder() {
    const std::string problem = SaveFolderProblem(Locations_.SaveFolder);
    SaveFolderUsable_ = problem.empty();
    ShowSaveEnabled();
    if (SaveFolderUsable_) return;
    Log_->Add(problem);
    SaveFolderNoticeDue_ = !SaveFolderTold_;
}

bool TggTDMain::SaveFolderReady() {
    CheckSaveFolder();
    if (SaveFolderUsable_) return true;
    TellSaveFolderProblem();
    return false;
}

void TggTDMain::TellSaveFolderProblem() {
    SaveFolderNoticeDue_ = false;
    if (SaveFolderTold_) return;
    SaveFolderTold_ = true;
    Host_.MessageBox(SaveFolderNotice(Locations_.SaveFolder), kCaption, TMessageButtons::OK, TMessageIcon::Warning);
}

// A folder that went bad during play is told as such (once), not as a full disk.
void TggTDMain::SaveSettingsTellingFailure() {
    if (SaveSettings() || !SaveFolderReady()) return;
    Host_.MessageBox(kUnsavedSettings, kCaption, TMessageButtons::OK, TMessageIcon::Warning);
}

void TggTDMain::ShowSaveEnabled() { Menu_.At("mmSave").SetEnabled(SaveAllowed_ && SaveFolderUsable_); }

}  // namespace vandor

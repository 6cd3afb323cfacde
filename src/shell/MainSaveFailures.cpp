// Settings and read progress written at exit or before a restart: what could not be
// written is told in one box (TSaveFolderCheck), before the program goes on or ends.

#include "shell/MainWindow.h"
#include "shell/SaveFolderCheck.h"

namespace vandor {

void TggTDMain::SaveSettingsTellingFailure() {
    if (!SaveSettings()) SaveFolderCheck_->TellSettingsNotSaved();
}

}  // namespace vandor

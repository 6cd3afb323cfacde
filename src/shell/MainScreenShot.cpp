// Screenshots: the stage's picture at its own 800 x 600, whatever the window's size,
// without the notices over it, into the pictures folder (ScreenShots.h).

#include <filesystem>

#include "compositor/GameMode.h"
#include "resources/PictureCodec.h"
#include "shell/BattleSession.h"
#include "shell/Environment.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "shell/ScreenShots.h"
#include "shell/SystemInfo.h"
#include "util/DebugLog.h"

namespace vandor {

void TggTDMain::TakeScreenShot() {
    const std::string pictures = PicturesFolder(ProcessEnvironment());
    const std::string folder = pictures.empty() ? std::string() : pictures + Title_ + "/";
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(std::filesystem::u8path(folder), error);
    const std::string path = folder.empty() ? std::string() : ScreenShotPath(folder, LocalTime("%Y%m%d-%H%M%S"));
    if (path.empty() || !SavePng(ActiveMode().BackSurface(), path, TPngAlpha::Opaque)) {
        Log_->Add("スクリーンショット " + (path.empty() ? "(画像フォルダなし)" : path) + " を保存できません.");
        Notice_.Show(message_text::kShotFailed);
        return;
    }
    Log_->Add("スクリーンショット " + path);
    Notice_.Show(message_text::kShotSaved);
}

}  // namespace vandor

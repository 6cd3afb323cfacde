#include "shell/SaveFolderCheck.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "i18n/GameText.h"
#include "shell/MenuModel.h"
#include "shell/MessageTexts.h"
#include "shell/WindowHost.h"
#include "util/DebugLog.h"

namespace vandor {
std::string SaveFolderProblem(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path path = fs::u8path(folder);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        error.clear();
        fs::create_directories(path, error);
        if (error || !fs::is_directory(path, error)) {
            const std::string reason = error ? error.message() : "not a folder";
            return "セーブフォルダ " + folder + " を作成できません (" + reason + ")";
        }
    }
    // access() asks the kernel, which knows read-only mounts as well as permissions.
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        const std::string reason = std::strerror(errno);
        return "セーブフォルダ " + folder + " に書き込めません (" + reason + ")";
    }
    return {};
}

TSaveFolderCheck::TSaveFolderCheck(TMenuModel& menu, IWindowHost& host, const std::string& saveFolder, TDebugLog& log)
    : Menu_(menu), Host_(host), SaveFolder_(saveFolder), Log_(log) {}

void TSaveFolderCheck::Check() {
    const std::string problem = SaveFolderProblem(SaveFolder_);
    Usable_ = problem.empty();
    ShowSaveEnabled();
    if (Usable_) return;
    Log_.Add(problem);
    NoticeDue_ = !Told_;
}

bool TSaveFolderCheck::Ready() {
    Check();
    if (Usable_) return true;
    Tell();
    return false;
}

void TSaveFolderCheck::TellIfDue() {
    if (NoticeDue_) Tell();
}

void TSaveFolderCheck::Tell() {
    NoticeDue_ = false;
    if (Told_) return;
    Told_ = true;
    Host_.MessageBox(GameFormat(message_text::kSaveFolderNotice, SaveFolder_.c_str()), message_text::kSaveFolderCaption,
                     TMessageButtons::OK, TMessageIcon::Warning);
}

void TSaveFolderCheck::SetSaveAllowed(bool allowed) {
    SaveAllowed_ = allowed;
    ShowSaveEnabled();
}

void TSaveFolderCheck::TellSettingsNotSaved() {
    if (!Ready()) return;
    Host_.MessageBox(message_text::kUnsavedSettings, message_text::kSaveFolderCaption, TMessageButtons::OK,
                     TMessageIcon::Warning);
}

void TSaveFolderCheck::ShowSaveEnabled() { Menu_.At("mmSave").SetEnabled(SaveAllowed_ && Usable_); }

}  // namespace vandor

// Saves brought over from Windows (WindowsSaves.h): looked for with the first frame, when
// the window is up to ask, and offered once.

#include "campaign/SaveSlots.h"
#include "i18n/GameText.h"
#include "shell/Environment.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "shell/SaveFolderCheck.h"
#include "shell/SlotMenus.h"
#include "shell/WindowsSaves.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

constexpr const char* kImportSection = "Import";
constexpr const char* kOfferedKey = "Offered";

// "ヴァンドルの星砦タクティクス" for ".../クイルフェン/ヴァンドルの星砦タクティクス/": the
// Windows save folder has the same name.
std::string TitleFolderOf(const std::string& saveFolder) {
    const std::string folder = saveFolder.substr(0, saveFolder.size() - 1);
    return folder.substr(folder.find_last_of('/') + 1);
}

}  // namespace

void TggTDMain::OfferWindowsSaves() {
    WindowsSavesLooked_ = true;
    if (HoldsSlot(Locations_.SaveFolder) || TIniFile(ConfigPath()).ReadBool(kImportSection, kOfferedKey, false)) return;
    const std::vector<std::string> found =
        FindWindowsSaveFolders(ProcessEnvironment(), ImportSavesFolder_, TitleFolderOf(Locations_.SaveFolder));
    if (found.empty() || !SaveFolderCheck_->Ready()) return;
    const std::string& source = found.front();
    const TMessageResult answer =
        Host_.MessageBox(GameFormat(message_text::kWindowsSavesFound, source.c_str()), message_text::kConfirm,
                         TMessageButtons::YesNo, TMessageIcon::Question);
    // Asked once, whatever the answer.
    TIniFile ini(ConfigPath());
    ini.WriteBool(kImportSection, kOfferedKey, true);
    if (!ini.Save()) Log_->Add("設定ファイル " + ConfigPath() + " を書き込めません.");
    if (answer != TMessageResult::Yes) return;

    TImportReport report;
    try {
        report = ImportWindowsSaves(source, Locations_.SaveFolder, ReadFlags_);
    } catch (const TSaveFileError& error) {
        AppEventsException(error.what());
        Host_.MessageBox(message_text::kCopyFailed, message_text::kCopyCaption, TMessageButtons::OK,
                         TMessageIcon::Warning);
        return;
    }
    Slots_->ShowCaptions(ReadSettings(TIniFile(ConfigPath())).SlotCaptions);
    if (report.ReadFlags > 0) SaveReadFlags();
    Log_->Add("Windows版のセーブデータをコピー: " + source + " (セーブ" + std::to_string(report.Slots) + "個, 既読" +
              std::to_string(report.ReadFlags) + "件)");
    std::string text = GameFormat(message_text::kSavesCopied, report.Slots);
    if (!report.Damaged.empty()) {
        text += "\n\n" + GameText(message_text::kDamagedNotCopied);
        for (const std::string& path : report.Damaged) {
            text += "\n" + path;
            Log_->Add("壊れているためコピーしません: " + path);
        }
    }
    Host_.MessageBox(text, message_text::kCopyCaption, TMessageButtons::OK,
                     report.Damaged.empty() ? TMessageIcon::Information : TMessageIcon::Warning);
}

}  // namespace vandor

// The save slots' menus (TSlotMenus) joined to the window: a slot holds the campaign,
// and loading one resumes the action phase and ends a battle in progress. The
// autosaves (TAutoSaves) and the quick save are slot files of their own and load the
// same way.

#include <filesystem>

#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "scenario/NovelGame.h"
#include "shell/AutoSaves.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "shell/NewestSave.h"
#include "shell/SaveFolderCheck.h"
#include "shell/SlotMenus.h"
#include "shell/SystemInfo.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

constexpr const char* kSaveTimeFormat = "%Y/%m/%d %H:%M:%S";

}  // namespace

void TggTDMain::CreateSlotMenus() {
    TSlotActions actions;
    actions.Write = [this](int slot, const std::string& path) {
        std::string caption = UsedSlotCaption(slot, LocalTime(kSaveTimeFormat), *Campaign_);
        WriteSlotFile(path, *Campaign_, Version_);
        KeepProgress();
        if (Options_.Confirming()) Notice_.Show(message_text::kSaved);
        return caption;
    };
    actions.MayLoad = [this](const std::string& fileName) { return MayLoad(fileName); };
    actions.Load = [this](const TSlotCells& cells) {
        ApplySlot(*Campaign_, cells);
        KeepProgress();
        Commands_->HideScreens();
        Engine_->Reset();
        Engine_->Jump(kResumeScript, kResumeLabel);
        Engine_->Advance();
        Session_->Abandon();
    };
    actions.FolderReady = [this] { return SaveFolderCheck_->Ready(); };
    actions.ReportError = [this](const std::string& message) { AppEventsException(message); };
    Slots_ = std::make_unique<TSlotMenus>(Menu_, Host_, Locations_.SaveFolder, std::move(actions));
    Slots_->Build([this](TMenuItem& sender) { Guarded([&] { Slots_->Click(sender); }); });
    AutoSaves_ = std::make_unique<TAutoSaves>(Menu_, Locations_.SaveFolder, *Log_);
    AutoSaves_->Build(
        [this](const std::string& fileName) {
            if (MayLoad(fileName)) Slots_->LoadFile(fileName);
        },
        [this](const std::function<void()>& action) { Guarded(action); });
    // F5 and F9 as items too, so that the game menu in the picture offers them.
    Menu_.AddSeparator("mmSave", "mmSaveLine1");
    Menu_.Add("mmSave", "mmQuickSave", "クイックセーブ(F5)", 0, 0,
              [this](TMenuItem&) { Guarded([this] { QuickSave(); }); });
    Menu_.AddSeparator("mmLoad", "mmLoadLine2");
    Menu_.Add("mmLoad", "mmQuickLoad", "クイックロード(F9)", 0, 0,
              [this](TMenuItem&) { Guarded([this] { QuickLoad(); }); });
}

// The newest save, loaded as the load menu loads it; nothing to load leaves the script
// going on with its next line.
void TggTDMain::ContinueFromNewestSave() {
    if (const std::optional<std::string> newest = NewestSaveFile(Locations_.SaveFolder)) Slots_->LoadFile(*newest);
}

void TggTDMain::AutoSave() {
    if (AutoSaves_->Write(*Campaign_, Version_, LocalTime(kSaveTimeFormat))) KeepProgress();
}

// The quick save is there to be overwritten: it asks nothing.
void TggTDMain::QuickSave() {
    if (!Menu_.At("mmSave").Enabled() || !SaveFolderCheck_->Ready()) return;
    try {
        WriteSlotFile(Locations_.SaveFolder + kQuickSaveFileName, *Campaign_, Version_);
    } catch (const TSaveFileError& error) {
        AppEventsException(error.what());
        if (SaveFolderCheck_->Ready()) {
            Host_.MessageBox(message_text::kSaveFailed, message_text::kSaveCaption, TMessageButtons::OK,
                             TMessageIcon::Warning);
        }
        return;
    }
    KeepProgress();
    Notice_.Show(message_text::kQuickSaved);
}

void TggTDMain::QuickLoad() {
    if (!Menu_.At("mmLoad").Enabled()) return;
    const std::string path = Locations_.SaveFolder + kQuickSaveFileName;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::u8path(path), error)) {
        Notice_.Show(message_text::kNoQuickSave);
        return;
    }
    if (LoadLosesProgress(path) &&
        Host_.MessageBox(message_text::kQuickLoad, message_text::kConfirm, TMessageButtons::YesNo,
                         TMessageIcon::Question) != TMessageResult::Yes) {
        return;
    }
    if (Slots_->LoadFile(kQuickSaveFileName)) Notice_.Show(message_text::kQuickLoaded);
}

// A damaged save loses nothing: loading it is refused and told.
bool TggTDMain::LoadLosesProgress(const std::string& path) {
    if (Session_->Running()) return true;
    const TSlotCells now = SlotCells(*Campaign_);
    try {
        return now != KeptCells_ && now != ReadSlotFile(path);
    } catch (const TSaveFileError&) {
        return false;
    }
}

bool TggTDMain::MayLoad(const std::string& fileName) {
    if (!Options_.Confirming() || !LoadLosesProgress(Locations_.SaveFolder + fileName)) return true;
    return Host_.MessageBox(message_text::kLoadOverProgress, message_text::kConfirm, TMessageButtons::YesNo,
                            TMessageIcon::Question) == TMessageResult::Yes;
}

void TggTDMain::KeepProgress() { KeptCells_ = SlotCells(*Campaign_); }

}  // namespace vandor

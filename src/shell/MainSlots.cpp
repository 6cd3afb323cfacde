// The save slots' menus (TSlotMenus) joined to the window: a slot holds the campaign,
// and loading one resumes the action phase and ends a battle in progress. The
// autosaves (TAutoSaves) are slot files of their own and load the same way.

#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "scenario/NovelGame.h"
#include "shell/AutoSaves.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
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
        return caption;
    };
    actions.Load = [this](const TSlotCells& cells) {
        ApplySlot(*Campaign_, cells);
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
    AutoSaves_->Build([this](const std::string& fileName) { Slots_->LoadFile(fileName); },
                      [this](const std::function<void()>& action) { Guarded(action); });
}

void TggTDMain::AutoSave() { AutoSaves_->Write(*Campaign_, Version_, LocalTime(kSaveTimeFormat)); }

}  // namespace vandor

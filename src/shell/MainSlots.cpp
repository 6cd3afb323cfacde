// The save slots: their menu items, saving and loading a slot, and bringing the
// companion's slots into the combined edition. The file rules are the campaign's
// (campaign/SaveSlots.h); here they meet the menus, the settings file and the engine.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/SystemInfo.h"
#include "util/AtomicFile.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr int kLoadMenu = 1;
constexpr int kLoadTagBase = 1000;

std::string SlotItemName(int menu, int slot) { return "mmSF" + std::to_string(menu) + "_" + std::to_string(slot); }

}  // namespace

// Slot 15 (letter "1") at the top of each menu, slot 0 ("Q") at the bottom.
void TggTDMain::BuildSlotMenus() {
    const char* menus[2] = {"mmSave", "mmLoad"};
    const auto click = [this](TMenuItem& sender) { Guarded([&] { SlotMenuClick(sender); }); };
    for (int menu = 0; menu < 2; ++menu) {
        for (int slot = kSlotCount - 1; slot >= 0; --slot) {
            Menu_
                .Add(menus[menu], SlotItemName(menu, slot), EmptySlotCaption(slot), slot + kLoadTagBase * menu, 0,
                     click)
                .SetEnabled(menu != kLoadMenu);
        }
    }
}

// Whether a slot's file exists is not looked at: the caption says what the slot holds.
void TggTDMain::ShowSlotCaptions(const std::array<std::string, kSlotCount>& captions) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string& caption = captions[static_cast<std::size_t>(slot)];
        const bool used = !caption.empty();
        for (int menu = 0; menu < 2; ++menu) {
            TMenuItem& item = Menu_.At(SlotItemName(menu, slot));
            item.SetCaption(used ? caption : EmptySlotCaption(slot));
            item.SetEnabled(menu != kLoadMenu || used);
        }
    }
}

void TggTDMain::SlotMenuClick(TMenuItem& sender) {
    if (sender.Tag() >= kLoadTagBase) {
        LoadSlot(sender.Tag() % kLoadTagBase);
    } else {
        SaveSlot(sender.Tag());
    }
}

// The slot file first, then its caption: should the program die in between, the
// slot holds the new save under the old caption, and both files are whole. A folder
// that takes no files is told once a run and closes the save menu; any other failure
// (a full disk) is told at every slot it hits, since freeing space mends it.
void TggTDMain::SaveSlot(int slot) {
    if (!SaveFolderReady()) return;
    TMenuItem& saveItem = Menu_.At(SlotItemName(0, slot));
    if (!IsEmptySlotCaption(saveItem.Caption()) && Host_.MessageBox("上書きしますか", "確認", TMessageButtons::YesNo,
                                                                    TMessageIcon::Question) != TMessageResult::Yes) {
        return;
    }
    const std::string caption = UsedSlotCaption(slot, LocalTime("%Y/%m/%d %H:%M:%S"), *Campaign_);
    try {
        WriteSlotFile(Locations_.SaveFolder + SlotFileName(slot), *Campaign_, Version_);
        TIniFile ini(ConfigPath());
        WriteSlotCaption(ini, slot, caption);
        if (!ini.Save()) {
            const std::string reason = std::strerror(errno);
            throw TSaveFileError("設定ファイル " + ConfigPath() + " を書き込めません (" + reason + ").");
        }
    } catch (const TSaveFileError& error) {
        AppEventsException(error.what());
        if (!SaveFolderReady()) return;
        Host_.MessageBox("セーブできませんでした。", "セーブ", TMessageButtons::OK, TMessageIcon::Warning);
        return;
    }
    for (int menu = 0; menu < 2; ++menu) {
        TMenuItem& item = Menu_.At(SlotItemName(menu, slot));
        item.SetCaption(caption);
        item.SetEnabled(true);
    }
}

// The file is read and checked whole before anything changes: a missing or damaged
// slot leaves the campaign, the story and a running battle as they were.
void TggTDMain::LoadSlot(int slot) {
    TSlotCells cells;
    try {
        cells = ReadSlotFile(Locations_.SaveFolder + SlotFileName(slot));
    } catch (const TSaveFileError& error) {
        AppEventsException(error.what());
        Host_.MessageBox("このセーブデータは読み込めません。\nファイルが見つからないか、壊れています。", "ロード",
                         TMessageButtons::OK, TMessageIcon::Warning);
        return;
    }
    ApplySlot(*Campaign_, cells);
    Commands_->HideScreens();
    Engine_->Reset();
    Engine_->Jump(kResumeScript, kResumeLabel);
    Engine_->Advance();
    Session_->Abandon();
}

// Brings the companion's saves into the combined edition, except for slots the
// combined edition already uses: those are the player's newer progress.
void TggTDMain::CopySlotsToCombined() {
    const std::string& target = Locations_.CombinedSaveFolder;
    if (target.empty() || target == Locations_.SaveFolder) return;
    TIniFile combined(target + kConfigFileName);
    bool changed = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string source = Locations_.SaveFolder + SlotFileName(slot);
        std::error_code error;
        if (!fs::is_regular_file(fs::u8path(source), error)) continue;
        if (!combined.ReadString("Save", SlotCaptionKey(slot)).empty()) continue;
        std::ifstream in(fs::u8path(source), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad() || !WriteFileAtomically(target + SlotFileName(slot), bytes)) {
            Log_->Add("セーブデータ " + source + " を結合版へ複製できません.");
            continue;
        }
        WriteSlotCaption(combined, slot, Menu_.At(SlotItemName(kLoadMenu, slot)).Caption());
        changed = true;
    }
    if (changed && !combined.Save()) Log_->Add("設定ファイル " + target + kConfigFileName + " を書き込めません.");
}

}  // namespace vandor

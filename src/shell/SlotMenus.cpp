#include "shell/SlotMenus.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shell/DataLocations.h"
#include "shell/MessageTexts.h"
#include "shell/WindowHost.h"
#include "util/AtomicFile.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr int kLoadTagBase = 1000;

}  // namespace

TSlotMenus::TSlotMenus(TMenuModel& menu, IWindowHost& host, const std::string& saveFolder, TSlotActions actions)
    : Menu_(menu), Host_(host), SaveFolder_(saveFolder), Actions_(std::move(actions)) {}

std::string TSlotMenus::ItemName(bool load, int slot) {
    return "mmSF" + std::to_string(load ? 1 : 0) + "_" + std::to_string(slot);
}

std::string TSlotMenus::ConfigPath() const { return SaveFolder_ + kConfigFileName; }

// Slot 15 (letter "1") at the top of each menu, slot 0 ("Q") at the bottom.
void TSlotMenus::Build(const TMenuClick& onClick) {
    for (const bool load : {false, true}) {
        for (int slot = kSlotCount - 1; slot >= 0; --slot) {
            Menu_
                .Add(load ? "mmLoad" : "mmSave", ItemName(load, slot), EmptySlotCaption(slot),
                     slot + (load ? kLoadTagBase : 0), 0, onClick)
                .SetEnabled(!load);
        }
    }
}

// Whether a slot's file exists is not looked at: the caption says what the slot holds.
void TSlotMenus::ShowCaptions(const std::array<std::string, kSlotCount>& captions) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string& caption = captions[static_cast<std::size_t>(slot)];
        const bool used = !caption.empty();
        for (const bool load : {false, true}) {
            TMenuItem& item = Menu_.At(ItemName(load, slot));
            item.SetCaption(used ? caption : EmptySlotCaption(slot));
            item.SetEnabled(!load || used);
        }
    }
}

void TSlotMenus::Click(const TMenuItem& sender) {
    if (sender.Tag() >= kLoadTagBase) {
        Load(sender.Tag() % kLoadTagBase);
    } else {
        Save(sender.Tag());
    }
}

// The slot file first, then its caption: should the program die in between, the
// slot holds the new save under the old caption, and both files are whole. A folder
// that takes no files is told once a run and closes the save menu; any other failure
// (a full disk) is told at every slot it hits, since freeing space mends it.
void TSlotMenus::Save(int slot) {
    if (!Actions_.FolderReady()) return;
    TMenuItem& saveItem = Menu_.At(ItemName(false, slot));
    if (!IsEmptySlotCaption(saveItem.Caption()) &&
        Host_.MessageBox(message_text::kOverwrite, message_text::kConfirm, TMessageButtons::YesNo,
                         TMessageIcon::Question) != TMessageResult::Yes) {
        return;
    }
    std::string caption;
    try {
        caption = Actions_.Write(slot, SaveFolder_ + SlotFileName(slot));
        TIniFile ini(ConfigPath());
        WriteSlotCaption(ini, slot, caption);
        if (!ini.Save()) {
            const std::string reason = std::strerror(errno);
            throw TSaveFileError("設定ファイル " + ConfigPath() + " を書き込めません (" + reason + ").");
        }
    } catch (const TSaveFileError& error) {
        Actions_.ReportError(error.what());
        if (!Actions_.FolderReady()) return;
        Host_.MessageBox(message_text::kSaveFailed, message_text::kSaveCaption, TMessageButtons::OK,
                         TMessageIcon::Warning);
        return;
    }
    for (const bool load : {false, true}) {
        TMenuItem& item = Menu_.At(ItemName(load, slot));
        item.SetCaption(caption);
        item.SetEnabled(true);
    }
}

void TSlotMenus::Load(int slot) {
    const std::string fileName = SlotFileName(slot);
    if (!Actions_.MayLoad || Actions_.MayLoad(fileName)) LoadFile(fileName);
}

// The file is read and checked whole before anything changes: a missing or damaged
// save leaves the game as it was.
bool TSlotMenus::LoadFile(const std::string& fileName) {
    TSlotCells cells;
    try {
        cells = ReadSlotFile(SaveFolder_ + fileName);
    } catch (const TSaveFileError& error) {
        Actions_.ReportError(error.what());
        Host_.MessageBox(message_text::kUnreadableSave, message_text::kLoadCaption, TMessageButtons::OK,
                         TMessageIcon::Warning);
        return false;
    }
    Actions_.Load(cells);
    return true;
}

// The target's slots in use are the player's newer progress there and stay.
void TSlotMenus::CopyTo(const std::string& targetFolder, TDebugLog& log) {
    if (targetFolder.empty() || targetFolder == SaveFolder_) return;
    TIniFile target(targetFolder + kConfigFileName);
    bool changed = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string source = SaveFolder_ + SlotFileName(slot);
        std::error_code error;
        if (!fs::is_regular_file(fs::u8path(source), error)) continue;
        if (!target.ReadString("Save", SlotCaptionKey(slot)).empty()) continue;
        std::ifstream in(fs::u8path(source), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad() || !WriteFileAtomically(targetFolder + SlotFileName(slot), bytes)) {
            log.Add("セーブデータ " + source + " を結合版へ複製できません.");
            continue;
        }
        WriteSlotCaption(target, slot, Menu_.At(ItemName(true, slot)).Caption());
        changed = true;
    }
    if (changed && !target.Save()) log.Add("設定ファイル " + targetFolder + kConfigFileName + " を書き込めません.");
}

}  // namespace vandor

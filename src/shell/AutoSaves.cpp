#include "shell/AutoSaves.h"

#include <cerrno>
#include <cstring>

#include "shell/DataLocations.h"
#include "shell/Settings.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

constexpr const char* kSection = "AutoSave";
constexpr const char* kNextKey = "Next";

}  // namespace

TAutoSaves::TAutoSaves(TMenuModel& menu, const std::string& saveFolder, TDebugLog& log)
    : Menu_(menu), SaveFolder_(saveFolder), Log_(log) {}

std::string TAutoSaves::FileName(int file) { return "autosave" + std::to_string(file + 1) + ".dat"; }

std::string TAutoSaves::ItemName(int position) { return "mmAL" + std::to_string(position); }

void TAutoSaves::Build(const std::function<void(const std::string& fileName)>& load,
                       const std::function<void(const std::function<void()>&)>& run) {
    Menu_.AddSeparator("mmLoad", "mmLoadLine1");
    Menu_.Add("mmLoad", "mmAutoLoad", "オートセーブ").SetEnabled(false);
    for (int position = 0; position < kAutoSaveCount; ++position) {
        Menu_
            .Add("mmAutoLoad", ItemName(position), "", position, 0,
                 [this, load, run](TMenuItem& sender) { run([&] { load(FileName(FileAt(sender.Tag()))); }); })
            .SetVisible(false);
    }
    Menu_
        .Add("mmLoad", "mmAutoSave", "オートセーブする(&A)", 0, 0,
             [this, run](TMenuItem&) { run([this] { SetOn(!On()); }); })
        .SetChecked(true);
}

void TAutoSaves::ShowCaptions(const TIniFile& ini) {
    for (int file = 0; file < kAutoSaveCount; ++file) {
        Captions_[static_cast<std::size_t>(file)] = ini.ReadString(kSection, SlotCaptionKey(file));
    }
    const int next = ini.ReadInteger(kSection, kNextKey, 0);
    Next_ = next >= 0 && next < kAutoSaveCount ? next : 0;
    Newest_.reset();
    if (!Captions_[static_cast<std::size_t>(FileAt(0))].empty()) {
        try {
            Newest_ = ReadSlotFile(SaveFolder_ + FileName(FileAt(0)));
        } catch (const TSaveFileError&) {
            // A damaged newest autosave holds nothing: the next action phase replaces
            // the oldest one as ever.
        }
    }
    ShowItems();
}

bool TAutoSaves::On() const { return Menu_.At("mmAutoSave").Checked(); }

void TAutoSaves::SetOn(bool on) { Menu_.At("mmAutoSave").SetChecked(on); }

int TAutoSaves::FileAt(int position) const { return (Next_ - 1 - position + 2 * kAutoSaveCount) % kAutoSaveCount; }

void TAutoSaves::ShowItems() {
    bool any = false;
    for (int position = 0; position < kAutoSaveCount; ++position) {
        const std::string& caption = Captions_[static_cast<std::size_t>(FileAt(position))];
        TMenuItem& item = Menu_.At(ItemName(position));
        item.SetVisible(!caption.empty());
        item.SetCaption(caption.empty() ? "" : caption + "(&" + std::to_string(position + 1) + ")");
        any = any || !caption.empty();
    }
    Menu_.At("mmAutoLoad").SetEnabled(any);
}

// The file first, then its caption and the turn of the next file in one replacement
// of Config.ini: a kill in between leaves the new file under the old caption, and the
// next autosave goes to the same file again, never to an older one still listed.
bool TAutoSaves::Write(const TQTDGameDat& campaign, std::string_view version, std::string_view time) {
    if (!On()) return false;
    const TSlotCells cells = SlotCells(campaign);
    if (cells == Newest_) return false;
    const int file = Next_;
    const std::string path = SaveFolder_ + FileName(file);
    try {
        WriteSlotFile(path, campaign, version);
    } catch (const TSaveFileError& error) {
        Log_.Add(std::string("オートセーブに失敗. ") + error.what());
        return false;
    }
    const std::string caption = SaveCaption(time, campaign);
    TIniFile ini(SaveFolder_ + kConfigFileName);
    ini.WriteString(kSection, SlotCaptionKey(file), caption);
    ini.WriteInteger(kSection, kNextKey, (file + 1) % kAutoSaveCount);
    if (!ini.Save()) {
        const std::string reason = std::strerror(errno);
        Log_.Add("オートセーブに失敗. 設定ファイル " + ini.FileName() + " を書き込めません (" + reason + ")");
        return false;
    }
    Captions_[static_cast<std::size_t>(file)] = caption;
    Next_ = (file + 1) % kAutoSaveCount;
    Newest_ = cells;
    ShowItems();
    Log_.Add("オートセーブ " + FileName(file));
    return true;
}

}  // namespace vandor

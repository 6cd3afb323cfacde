#pragma once
// The autosaves: the campaign written by itself whenever the action phase opens the
// save menu, into three files of their own in the save folder, the oldest replaced.
// They are slot files in all but name (the same text, compression and atomic
// replacement), so a kill while one is written leaves the others whole; they never
// touch a slot. Their captions and the file due next live in the "AutoSave" section of
// Config.ini. The load menu lists them newest first in the submenu "オートセーブ", and a
// check item beside it turns them off ("AutoSave=0" under "Comfort"). A failed
// autosave is only logged: the next action phase tries again.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "campaign/SaveSlots.h"
#include "shell/MenuModel.h"

namespace vandor {

class TDebugLog;
class TIniFile;

inline constexpr int kAutoSaveCount = 3;

class TAutoSaves {
public:
    // `saveFolder` ends with '/' and is read at every write: a restart may change it.
    TAutoSaves(TMenuModel& menu, const std::string& saveFolder, TDebugLog& log);

    // "autosave1.dat" .. "autosave3.dat" for the files 0 .. 2.
    static std::string FileName(int file);
    // "mmAL0" (the newest) .. "mmAL2" under "mmAutoLoad".
    static std::string ItemName(int position);

    // Adds under "mmLoad" the submenu of the autosaves and the switch. A click on an
    // autosave hands its file name to `load`; every click runs through `run`, which
    // may guard it.
    void Build(const std::function<void(const std::string& fileName)>& load,
               const std::function<void(const std::function<void()>&)>& run);
    // The captions and the file due next as the save folder's Config.ini keeps them, and
    // the newest autosave's campaign.
    void ShowCaptions(const TIniFile& ini);

    bool On() const;
    void SetOn(bool on);

    // Writes the campaign into the file due next, unless autosaving is off or the
    // campaign is the one the newest autosave holds. `time` is the caption's time. A
    // failure is logged and answers false.
    bool Write(const TQTDGameDat& campaign, std::string_view version, std::string_view time);

private:
    // The file shown at a position of the submenu: the newest first.
    int FileAt(int position) const;
    void ShowItems();

    TMenuModel& Menu_;
    const std::string& SaveFolder_;
    TDebugLog& Log_;
    std::array<std::string, kAutoSaveCount> Captions_;
    int Next_ = 0;
    // What the newest autosave holds: an action phase that changed nothing since, in
    // this run or from one run to the next, adds no file.
    std::optional<TSlotCells> Newest_;
};

}  // namespace vandor

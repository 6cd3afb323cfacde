#pragma once
// The save slots as the menus show them: sixteen items to save and sixteen to load,
// their captions as Config.ini keeps them, and what a click on one does (ask before
// overwriting, write, caption, tell a failure). What a slot holds and how the game
// takes it back are the window's, handed in as callbacks; the file rules are the
// campaign's (campaign/SaveSlots.h).

#include <array>
#include <functional>
#include <string>

#include "campaign/SaveSlots.h"
#include "shell/MenuModel.h"
#include "shell/Settings.h"

namespace vandor {

class IWindowHost;
class TDebugLog;

struct TSlotActions {
    // Writes the slot's file at `path` and answers the caption the slot goes by from
    // now on; throws TSaveFileError when the file cannot be written.
    std::function<std::string(int slot, const std::string& path)> Write;
    // Whether a slot chosen in the menu may be loaded over the game as it is; the file
    // is not read yet. Unset: always.
    std::function<bool(const std::string& fileName)> MayLoad;
    // Plays the slot read: its file was read and checked whole.
    std::function<void(const TSlotCells& cells)> Load;
    // Whether the save folder takes files now; when it does not, the player was told.
    std::function<bool()> FolderReady;
    // What failed, for the debug log.
    std::function<void(const std::string& message)> ReportError;
};

class TSlotMenus {
public:
    // `saveFolder` ends with '/' and is read at every click: a restart may change it.
    TSlotMenus(TMenuModel& menu, IWindowHost& host, const std::string& saveFolder, TSlotActions actions);

    // "mmSF0_<slot>" under "mmSave", "mmSF1_<slot>" under "mmLoad".
    static std::string ItemName(bool load, int slot);

    // Adds the items under "mmSave" and "mmLoad"; each click goes to `onClick`, which
    // passes it on to Click.
    void Build(const TMenuClick& onClick);
    // An empty caption is an empty slot, which cannot be loaded.
    void ShowCaptions(const std::array<std::string, kSlotCount>& captions);
    void Click(const TMenuItem& sender);
    void Save(int slot);
    void Load(int slot);
    // Loads a save file of the save folder that is no slot (an autosave, the quick save)
    // as a slot is loaded; false when it could not be read (the player was told).
    bool LoadFile(const std::string& fileName);
    // Brings the slots of the save folder into `targetFolder` (another save folder),
    // except for slots the target already uses.
    void CopyTo(const std::string& targetFolder, TDebugLog& log);

private:
    std::string ConfigPath() const;

    TMenuModel& Menu_;
    IWindowHost& Host_;
    const std::string& SaveFolder_;
    TSlotActions Actions_;
};

}  // namespace vandor

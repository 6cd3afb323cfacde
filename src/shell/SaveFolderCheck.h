#pragma once
// Whether the game can keep its files in a save folder at all. A folder that is
// missing and cannot be made, or that exists but takes no files (no permission, a
// read-only disk), means playing on without saving; a full disk is not seen here, it
// shows when a write fails.
//
// What the player hears of it: a folder that takes no files is told once a run, at the
// first frame, and the game plays on with the save menu closed. A write that fails in
// a folder that works (a full disk) is told where it happens. In every case the old
// files stay as they were and the debug log says what failed.

#include <string>

namespace vandor {

class IWindowHost;
class TDebugLog;
class TMenuModel;

// Empty when the folder exists (it is made now when missing) and can be written to;
// else what is wrong with it, in words for the debug log.
std::string SaveFolderProblem(const std::string& folder);

class TSaveFolderCheck {
public:
    // `saveFolder` ends with '/' and is read at every check: a restart may change it.
    // The menu has a "mmSave" item.
    TSaveFolderCheck(TMenuModel& menu, IWindowHost& host, const std::string& saveFolder, TDebugLog& log);

    // Looks at the folder: a problem is logged, closes the save menu and is told with
    // the next frame (TellIfDue), once a run.
    void Check();
    // Checks the folder again before a write, or after one failed: true when it takes
    // files; else the player hears why (once a run) and saving stays off.
    bool Ready();
    void TellIfDue();
    // The story shows the status bar that allows saving.
    void SetSaveAllowed(bool allowed);
    // The settings and the read progress could not all be written: a folder that went
    // bad is told as such (once), else the player hears of it in one box.
    void TellSettingsNotSaved();

private:
    void Tell();
    // The save menu is open while the story allows saving and the folder takes files.
    void ShowSaveEnabled();

    TMenuModel& Menu_;
    IWindowHost& Host_;
    const std::string& SaveFolder_;
    TDebugLog& Log_;
    bool SaveAllowed_ = false;
    bool Usable_ = true;
    bool NoticeDue_ = false;
    bool Told_ = false;  // once a run, restarts included
};

}  // namespace vandor

// Debug mode follows the author's edits: the data folders are watched, and a file
// written there is read again at once where it is in use (Shift+R does the same for
// every file by hand), so that a change is seen in seconds without a restart.

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "battle/QTDGame.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/FolderWatch.h"
#include "shell/MainWindow.h"
#include "util/DebugLog.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

// A map ("st01.txt") or wave table ("bt01-02.txt"): a battle reads them as it starts.
bool IsBattleFile(const std::string& name) {
    return name.size() > 6 && (name.starts_with("st") || name.starts_with("bt")) && name.ends_with(".txt");
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

void TggTDMain::WatchDataFolders() {
    Watch_.reset();
    if (!Locations_.DebugMode) return;
    Watch_ = std::make_unique<TFolderWatch>();
    for (const TDataSource& source : DataSources(Locations_)) {
        if (!source.IsArchive) Watch_->Watch(source.Path);
    }
}

void TggTDMain::ReloadChangedData() {
    if (!Watch_) return;
    const std::vector<std::string> names = Watch_->Changes();
    if (!names.empty()) ReloadData(names, Joined(names));
}

void TggTDMain::ReloadAllData() {
    if (!Locations_.DebugMode) return;
    std::vector<std::string> names;
    for (const TDataSource& source : DataSources(Locations_)) {
        if (source.IsArchive) continue;
        std::error_code error;
        for (fs::recursive_directory_iterator it(source.Path, error), end; !error && it != end; it.increment(error)) {
            if (it->is_regular_file(error)) names.push_back(it->path().filename().string());
        }
    }
    ReloadData(names, "すべてのデータ");
}

void TggTDMain::ReloadData(const std::vector<std::string>& names, const std::string& what) {
    Log_->Add("再読み込み: " + what);
    Files_->Flush();
    bool script = false;
    bool battle = false;
    for (const std::string& name : names) {
        const std::string lower = AsciiLower(name);
        script = script || lower == Engine_->ScriptName;
        battle = battle || IsBattleFile(lower);
        Images_->Reload(name);
    }
    if (script) Engine_->ReloadScript();
    if (battle && Session_->Running() && !Session_->Ended() && Battle_->Prep) {
        Session_->Start(Battle_->Field, Battle_->Strength(), {DefeatScript(), DefeatLabel()});
    }
    Engine_->Layers.Changed = true;
    Battle_->Layers.Changed = true;
}

}  // namespace vandor

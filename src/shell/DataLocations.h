#pragma once
// Where the game's data and the player's files live. One program serves this title
// (data "dat.gdp"), the companion title (data "plus.gdp") and both joined as the
// combined edition; at start-up the program looks beside itself and, through the
// settings an earlier run of either title left in the player's documents folder,
// elsewhere, and decides from that the start mode, the folder for settings and saves,
// and the data sources handed to the file cache.
//
// Every folder string ends with '/'; every path is either a full path or empty.

#include <string>
#include <vector>

#include "util/DebugLog.h"

namespace vandor {

inline constexpr const char* kMakerFolder = "クイルフェン";
inline constexpr const char* kThisTitleFolder = "ヴァンドルの星砦タクティクス";
inline constexpr const char* kCompanionTitleFolder = "星砦の灰羽";
inline constexpr const char* kCombinedTitleFolder = "ヴァンドルの星砦プラス";
inline constexpr const char* kConfigFileName = "Config.ini";

struct TDataLocations {
    std::string ExeFolder;
    std::string ThisSaveFolder;
    std::string CompanionSaveFolder;
    std::string CombinedSaveFolder;
    std::string SaveFolder;  // one of the three save folders
    std::string ThisInstallFolder;
    std::string CompanionInstallFolder;
    std::string DatPath;
    std::string PatchPath;
    std::string PlusPath;
    std::string Patch2Path;
    bool DebugMode = false;
    bool Separate = true;
    // The companion's data lies beside the program (found only through its settings
    // file, it merely makes the titles combinable).
    bool CompanionPresent = false;
    bool Combinable = false;
};

// documentsFolder + maker folder + title folder, with a trailing '/'. The maker
// folder is created whenever it is missing, the title folder only with `create`.
std::string UserFolder(const std::string& documentsFolder, const std::string& titleFolder, bool create);

struct TSaveFolderChoice {
    // When set, every title's settings and saves live here, and the documents folder is
    // neither read nor written (a test run or an author's run keeps the player's own).
    std::string Folder;
    // Off for a run that only reads the data: no folder is made anywhere.
    bool MayCreate = true;
};

// The install folder another title's settings file names: "Last" of section "Path",
// else "Path"; empty when neither is set. A folder without a trailing '/' gets one.
std::string ReadInstallFolder(const std::string& iniPath);

// Finds the data and the save folder for a program in `exeFolder`. Logs the debug
// mode lines to `log` (may be null) and finally sets the log's recording on exactly
// when the result is in debug mode.
TDataLocations Discover(const std::string& exeFolder, const std::string& documentsFolder, TDebugLog* log,
                        const TSaveFolderChoice& saves = {});

struct TDataSource {
    bool IsArchive = false;
    std::string Path;  // an archive file, or a folder ending with '/'
    friend bool operator==(const TDataSource&, const TDataSource&) = default;
};

// The data sources for the file cache in the order to add them (a later one
// overrides an earlier one). Patch archives appear only while their file exists;
// "dat.gdp" and "plus.gdp" whenever their path is set, since discovery sets those
// only for files it has found.
std::vector<TDataSource> DataSources(const TDataLocations& locations);

// The per-user data folder that stands in for the documents folder:
// $XDG_DATA_HOME, else ~/.local/share; with a trailing '/'.
std::string DocumentsFolder();

// The folder of the running program file, with a trailing '/'.
std::string ExeFolder();

}  // namespace vandor

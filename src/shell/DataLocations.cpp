#include "shell/DataLocations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

bool FolderExists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_directory(path, ignored);
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_regular_file(path, ignored);
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

void Log(TDebugLog* log, const char* text) {
    if (log != nullptr) log->Add(text);
}

// The loose data folders beside a program in debug mode, in the order added.
constexpr const char* kDataFolders[] = {"scenario/", "image/", "fgimage/", "bgimage/", "sound/", "bgm/"};

// A title installed in another folder, found through the settings file of its save
// folder: the main archive there (and its patch) when it exists, else a folder of loose
// development data. True when the title's data is available.
bool FindElsewhere(const std::string& saveFolder, const char* archive, const char* patch, std::string& installFolder,
                   std::string& archivePath, std::string& patchPath) {
    if (!FileExists(saveFolder + kConfigFileName)) return false;
    installFolder = ReadInstallFolder(saveFolder + kConfigFileName);
    if (installFolder.empty()) return false;
    archivePath = installFolder + archive;
    if (FileExists(archivePath)) {
        patchPath = installFolder + patch;
        return true;
    }
    archivePath.clear();
    return FolderExists(installFolder + "scenario");
}

// The player's save folders below the documents folder, or, for a run that must not
// touch them, every title's settings and saves in one folder of the run's own.
class TSaveFolders {
public:
    TSaveFolders(const std::string& documents, const TSaveFolderChoice& choice)
        : Documents_(WithSlash(documents)), SaveDir_(WithSlash(choice.Folder)), MayCreate_(choice.MayCreate) {}

    std::string Of(const char* titleFolder, bool create) const {
        if (!MayCreate_) return SaveDir_.empty() ? Documents_ + kMakerFolder + "/" + titleFolder + "/" : SaveDir_;
        if (SaveDir_.empty()) return UserFolder(Documents_, titleFolder, create);
        std::error_code ignored;  // a folder that cannot be made shows up when saving fails
        if (create) fs::create_directories(SaveDir_, ignored);
        return SaveDir_;
    }
    // The other title's settings are the player's: a run with a folder of its own reads none.
    bool LooksElsewhere() const { return SaveDir_.empty(); }

private:
    std::string Documents_;
    std::string SaveDir_;
    bool MayCreate_;
};

}  // namespace

std::string UserFolder(const std::string& documentsFolder, const std::string& titleFolder, bool create) {
    const std::string maker = WithSlash(documentsFolder) + kMakerFolder + "/";
    std::error_code ignored;  // a folder that cannot be made shows up when saving fails
    fs::create_directories(maker, ignored);
    const std::string folder = maker + titleFolder + "/";
    if (create) fs::create_directory(folder, ignored);
    return folder;
}

std::string ReadInstallFolder(const std::string& iniPath) {
    const TIniFile ini(iniPath);
    std::string folder = ini.ReadString("Path", "Last");
    if (folder.empty()) folder = ini.ReadString("Path", "Path");
    return WithSlash(std::move(folder));
}

TDataLocations Discover(const std::string& exeFolder, const std::string& documentsFolder, TDebugLog* log,
                        const TSaveFolderChoice& saves) {
    TDataLocations d;
    d.ExeFolder = WithSlash(exeFolder);
    const std::string& exe = d.ExeFolder;
    const TSaveFolders folders(documentsFolder, saves);
    bool thisLocal = false;  // this title's data lies beside the program
    bool thisAvail = false;  // this title's data was found somewhere
    bool compAvail = false;  // the companion's data was found somewhere

    // Loose development folders beside the program mean debug mode.
    if (FolderExists(exe + "scenario")) {
        d.DebugMode = true;
        Log(log, "デバッグモード");
        if (FolderExists(exe + "plus")) {
            Log(log, "灰羽プラス");
            d.CompanionPresent = true;
            compAvail = true;
        } else {
            Log(log, "ヴァンドル");
            thisLocal = true;
            thisAvail = true;
        }
    }

    d.DatPath = exe + "dat.gdp";
    d.PlusPath = exe + "plus.gdp";
    const bool datHere = FileExists(d.DatPath);
    const bool plusHere = FileExists(d.PlusPath);
    if (datHere && plusHere) {
        // The combined edition is installed beside the program.
        thisLocal = thisAvail = compAvail = true;
        d.CompanionPresent = true;
        d.Combinable = true;
        d.Separate = false;
        d.CombinedSaveFolder = folders.Of(kCombinedTitleFolder, true);
        d.PatchPath = exe + "patch.gdp";
        d.Patch2Path = exe + "patch2.gdp";
        d.SaveFolder = d.CombinedSaveFolder;
    } else if (datHere) {
        thisLocal = thisAvail = true;
        d.PatchPath = exe + "patch.gdp";
        d.ThisSaveFolder = folders.Of(kThisTitleFolder, true);
    } else {
        d.DatPath.clear();
        d.ThisSaveFolder = folders.Of(kThisTitleFolder, false);
    }

    if (d.SaveFolder.empty()) {
        if (plusHere) {
            d.CompanionPresent = true;
            compAvail = true;
            d.Patch2Path = exe + "patch2.gdp";
            d.CompanionSaveFolder = folders.Of(kCompanionTitleFolder, true);
        } else {
            d.PlusPath.clear();
            d.CompanionSaveFolder = folders.Of(kCompanionTitleFolder, false);
        }

        // The other title may be installed elsewhere: its last run left its folder
        // in its settings file.
        if (!thisAvail && folders.LooksElsewhere()) {
            thisAvail =
                FindElsewhere(d.ThisSaveFolder, "dat.gdp", "patch.gdp", d.ThisInstallFolder, d.DatPath, d.PatchPath);
        }
        if (!compAvail && folders.LooksElsewhere()) {
            compAvail = FindElsewhere(d.CompanionSaveFolder, "plus.gdp", "patch2.gdp", d.CompanionInstallFolder,
                                      d.PlusPath, d.Patch2Path);
        }

        if (thisAvail && compAvail) {
            d.Combinable = true;
            d.CombinedSaveFolder = folders.Of(kCombinedTitleFolder, true);
            // Settings in the combined folder mean the player has combined before.
            if (FileExists(d.CombinedSaveFolder + kConfigFileName) && !d.DebugMode && !d.DatPath.empty() &&
                !d.PlusPath.empty()) {
                d.Separate = false;
                d.SaveFolder = d.CombinedSaveFolder;
            }
        }
    }

    if (d.SaveFolder.empty()) {
        if (thisLocal) {
            d.ThisSaveFolder = folders.Of(kThisTitleFolder, true);
            d.SaveFolder = d.ThisSaveFolder;
        } else if (d.CompanionPresent) {
            d.CompanionSaveFolder = folders.Of(kCompanionTitleFolder, true);
            d.SaveFolder = d.CompanionSaveFolder;
        }
    }

    // No data anywhere runs in debug mode too, so the log tells what is missing.
    if (d.SaveFolder.empty() || d.DebugMode) {
        d.DebugMode = true;
        if (FolderExists(exe + "plus")) {
            d.CompanionPresent = true;
            d.CompanionSaveFolder = folders.Of(kCompanionTitleFolder, true);
            d.SaveFolder = d.CompanionSaveFolder;
        } else {
            d.ThisSaveFolder = folders.Of(kThisTitleFolder, true);
            d.SaveFolder = d.ThisSaveFolder;
        }
    }

    if (log != nullptr) log->Enabled = d.DebugMode;
    return d;
}

std::vector<TDataSource> DataSources(const TDataLocations& d) {
    std::vector<TDataSource> sources;
    const auto archive = [&](const std::string& path) { sources.push_back({true, path}); };
    const auto folder = [&](const std::string& path) { sources.push_back({false, path}); };

    if (!d.DebugMode) {
        if (!d.DatPath.empty()) archive(d.DatPath);
        if (FileExists(d.PatchPath)) archive(d.PatchPath);
        if (!d.PlusPath.empty()) archive(d.PlusPath);
        if (FileExists(d.Patch2Path)) archive(d.Patch2Path);
        return sources;
    }

    if (!d.Separate && d.CompanionPresent) {
        // Combined while developing the companion: this title's data comes from its
        // archives, or else from the loose folders of its install.
        if (!d.DatPath.empty()) archive(d.DatPath);
        if (FileExists(d.PatchPath)) archive(d.PatchPath);
        if (sources.empty() && !d.ThisInstallFolder.empty()) {
            for (const char* name : kDataFolders) folder(d.ThisInstallFolder + name);
            folder(d.ThisInstallFolder + "patch/");
        }
    }
    for (const char* name : kDataFolders) folder(d.ExeFolder + name);
    if (d.CompanionPresent) folder(d.ExeFolder + "plus/");
    folder(d.ExeFolder + "patch/");
    return sources;
}

std::string DocumentsFolder() {
    // The XDG rules ignore a relative $XDG_DATA_HOME.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return WithSlash(dataHome);
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = (user != nullptr) ? user->pw_dir : nullptr;
    }
    if (home != nullptr && home[0] != '\0') return WithSlash(home) + ".local/share/";
    std::error_code ignored;
    return WithSlash(fs::current_path(ignored).string());
}

std::string ExeFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return WithSlash(fs::current_path(error).string());
    return WithSlash(program.parent_path().string());
}

}  // namespace vandor

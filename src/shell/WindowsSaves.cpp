#include "shell/WindowsSaves.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"
#include "shell/DataLocations.h"
#include "shell/Settings.h"
#include "util/AtomicFile.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

// The documents folder's name in the prefixes of today's Wine and of older ones.
constexpr const char* kDocumentsNames[] = {"Documents", "My Documents"};

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

std::vector<fs::path> SubFolders(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        if (IsFolder(entry->path())) found.push_back(entry->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The title's save folders inside a Wine prefix: one per user of the prefix.
std::vector<fs::path> PrefixSaveFolders(const fs::path& prefix, const std::string& titleFolder) {
    std::vector<fs::path> found;
    for (const fs::path& user : SubFolders(prefix / "drive_c" / "users")) {
        for (const char* documents : kDocumentsNames) {
            found.push_back(user / fs::u8path(documents) / fs::u8path(kMakerFolder) / fs::u8path(titleFolder));
        }
    }
    return found;
}

std::vector<fs::path> SteamPrefixes(const std::string& home) {
    std::vector<fs::path> found;
    for (const char* steam : {".steam/steam", ".steam/root", ".local/share/Steam"}) {
        for (const fs::path& game : SubFolders(fs::u8path(home) / steam / "steamapps" / "compatdata")) {
            found.push_back(game / "pfx");
        }
    }
    return found;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw TSaveFileError("ファイル " + path + " を読めません");
    return bytes;
}

// A caption for a slot the Windows settings name none for: the save's own values and
// the time its file was written.
std::string CaptionFromFile(int slot, const std::string& path, const TSlotCells& cells) {
    TCryptMaps store;
    TQTDGameDat campaign(store);
    ApplySlot(campaign, cells);
    std::error_code error;
    const auto written = fs::last_write_time(fs::u8path(path), error);
    const std::time_t time = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return UsedSlotCaption(slot, error ? "----/--/-- --:--:--" : text, campaign);
}

}  // namespace

bool HoldsSlot(const std::string& folder) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::error_code error;
        if (fs::is_regular_file(fs::u8path(folder + SlotFileName(slot)), error)) return true;
    }
    return false;
}

std::vector<std::string> FindWindowsSaveFolders(const TEnvironment& environment, const std::string& importFolder,
                                                const std::string& titleFolder) {
    std::vector<fs::path> candidates;
    if (!importFolder.empty()) {
        const fs::path given = fs::u8path(importFolder);
        candidates.push_back(given);
        candidates.push_back(given / fs::u8path(titleFolder));
        candidates.push_back(given / fs::u8path(kMakerFolder) / fs::u8path(titleFolder));
        for (const fs::path& folder : PrefixSaveFolders(given, titleFolder)) candidates.push_back(folder);
    }
    const auto variable = [&](const char* name) {
        const char* value = environment(name);
        return std::string(value ? value : "");
    };
    if (const std::string prefix = variable("WINEPREFIX"); !prefix.empty()) {
        for (const fs::path& folder : PrefixSaveFolders(fs::u8path(prefix), titleFolder)) candidates.push_back(folder);
    }
    if (const std::string home = variable("HOME"); !home.empty()) {
        for (const fs::path& folder : PrefixSaveFolders(fs::u8path(home) / ".wine", titleFolder)) {
            candidates.push_back(folder);
        }
        for (const fs::path& prefix : SteamPrefixes(home)) {
            for (const fs::path& folder : PrefixSaveFolders(prefix, titleFolder)) candidates.push_back(folder);
        }
    }
    std::vector<std::string> found;
    std::set<fs::path> seen;
    for (const fs::path& candidate : candidates) {
        std::string folder = candidate.string();
        if (folder.back() != '/') folder += '/';
        std::error_code error;
        const fs::path identity = fs::weakly_canonical(candidate, error);
        if (!HoldsSlot(folder) || !seen.insert(error ? candidate : identity).second) continue;
        found.push_back(folder);
    }
    return found;
}

TImportReport ImportWindowsSaves(const std::string& source, const std::string& target, TReadFlags& flags) {
    TImportReport report;
    const TIniFile windowsConfig(source + kConfigFileName);
    TIniFile config(target + kConfigFileName);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string from = source + SlotFileName(slot);
        std::error_code error;
        if (!fs::is_regular_file(fs::u8path(from), error)) continue;
        try {
            const TSlotCells cells = ReadSlotFile(from);
            const std::string bytes = ReadBytes(from);
            const std::string to = target + SlotFileName(slot);
            if (!WriteFileAtomically(to, bytes)) {
                const std::string reason = std::strerror(errno);
                throw TSaveFileError("ファイル " + to + " を書き込めません (" + reason + ")");
            }
            std::string caption = windowsConfig.ReadString("Save", SlotCaptionKey(slot));
            if (caption.empty()) caption = CaptionFromFile(slot, from, cells);
            WriteSlotCaption(config, slot, caption);
            ++report.Slots;
        } catch (const TSaveFileError&) {
            report.Damaged.push_back(from);
        }
    }
    const std::string flagsFile = source + kReadFlagsFileName;
    std::error_code error;
    if (fs::is_regular_file(fs::u8path(flagsFile), error)) {
        TReadFlags windowsFlags;
        try {
            ReadReadFlagsFile(flagsFile, windowsFlags);
            for (const std::string& key : windowsFlags.Keys()) report.ReadFlags += flags.Add(key) ? 1 : 0;
        } catch (const TSaveFileError&) {
            report.Damaged.push_back(flagsFile);
        }
    }
    if (report.Slots > 0 && !config.Save()) {
        const std::string reason = std::strerror(errno);
        throw TSaveFileError("設定ファイル " + config.FileName() + " を書き込めません (" + reason + ")");
    }
    return report;
}

}  // namespace vandor

#include "shell/NewestSave.h"

#include <filesystem>
#include <vector>

#include "campaign/SaveSlots.h"
#include "shell/AutoSaves.h"
#include "shell/Settings.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SaveFileNames() {
    std::vector<std::string> names;
    for (int slot = 0; slot < kSlotCount; ++slot) names.push_back(SlotFileName(slot));
    for (int file = 0; file < kAutoSaveCount; ++file) names.push_back(TAutoSaves::FileName(file));
    names.emplace_back(kQuickSaveFileName);
    return names;
}

}  // namespace

std::optional<std::string> NewestSaveFile(const std::string& saveFolder) {
    std::optional<std::string> newest;
    fs::file_time_type newestTime;
    for (const std::string& name : SaveFileNames()) {
        std::error_code error;
        const fs::path path = fs::u8path(saveFolder + name);
        if (!fs::is_regular_file(path, error)) continue;
        const fs::file_time_type time = fs::last_write_time(path, error);
        if (error) continue;
        if (!newest || time > newestTime) {
            newest = name;
            newestTime = time;
        }
    }
    return newest;
}

}  // namespace vandor

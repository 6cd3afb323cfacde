#include "shell/SaveFolderCheck.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vandor {

std::string SaveFolderProblem(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path path = fs::u8path(folder);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        error.clear();
        fs::create_directories(path, error);
        if (error || !fs::is_directory(path, error)) {
            const std::string reason = error ? error.message() : "not a folder";
            return "セーブフォルダ " + folder + " を作成できません (" + reason + ")";
        }
    }
    // access() asks the kernel, which knows read-only mounts as well as permissions.
    if (::access(path.c_str(), W_OK | X_OK) != 0) {
        const std::string reason = std::strerror(errno);
        return "セーブフォルダ " + folder + " に書き込めません (" + reason + ")";
    }
    return {};
}

}  // namespace vandor

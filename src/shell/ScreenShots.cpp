#include "shell/ScreenShots.h"

#include <filesystem>
#include <fstream>

namespace vandor {
namespace {

namespace fs = std::filesystem;

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// The line XDG_PICTURES_DIR="$HOME/Bilder" of the user's user-dirs.dirs, with $HOME
// put in; empty when there is none.
std::string UserDirsPictures(const std::string& configFolder, const std::string& home) {
    std::ifstream in(fs::u8path(configFolder + "user-dirs.dirs"));
    const std::string key = "XDG_PICTURES_DIR=";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(key)) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME")) value = home + value.substr(5);
        // A folder relative to nothing, or the home folder itself, is no pictures folder.
        if (!value.starts_with("/") || WithSlash(value) == WithSlash(home)) return {};
        return value;
    }
    return {};
}

}  // namespace

std::string PicturesFolder(const TEnvironment& environment) {
    const auto variable = [&](const char* name) {
        const char* value = environment(name);
        return std::string(value ? value : "");
    };
    if (const std::string pictures = variable("XDG_PICTURES_DIR"); !pictures.empty()) return WithSlash(pictures);
    const std::string home = variable("HOME");
    if (home.empty()) return {};
    std::string config = variable("XDG_CONFIG_HOME");
    if (config.empty()) config = WithSlash(home) + ".config";
    if (const std::string pictures = UserDirsPictures(WithSlash(config), home); !pictures.empty()) {
        return WithSlash(pictures);
    }
    return WithSlash(home) + "Pictures/";
}

std::string ScreenShotPath(const std::string& folder, const std::string& stamp) {
    for (int n = 1;; ++n) {
        const std::string path = folder + stamp + (n > 1 ? "-" + std::to_string(n) : "") + ".png";
        std::error_code error;
        if (!fs::exists(fs::u8path(path), error)) return path;
    }
}

}  // namespace vandor

#pragma once
// A scratch folder removed again at the end of a test, and small file helpers, so
// tests never touch the real home or documents folder.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vandor::test {

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vandor-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        Path_ = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path_, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder path with a trailing '/', as the file cache takes folders.
    std::string Folder() const { return Path_.string() + "/"; }
    // A path below the folder; a name ending in '/' names a folder.
    std::string operator/(std::string_view name) const { return Folder() + std::string(name); }

private:
    std::filesystem::path Path_;
};

inline void WriteTextFile(const std::string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

inline std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vandor::test

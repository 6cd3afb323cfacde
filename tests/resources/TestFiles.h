#pragma once
// Files as bytes for the resource tests, in the shared scratch folders.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "resources/MemoryStream.h"

namespace vandor::test {

inline TBytes Bytes(std::string_view text) { return TBytes(text.begin(), text.end()); }

inline void WriteFile(const std::string& path, const TBytes& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

inline TBytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vandor::test

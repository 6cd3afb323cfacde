#pragma once
// Reads a picture file back, for tests of what the headless host wrote.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/PictureCodec.h"

namespace vandor {

inline TBitmap32 DecodeFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return DecodePicture(bytes.data(), bytes.size(), error);
}

}  // namespace vandor

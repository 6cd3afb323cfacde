#include "campaign/CryptMaps.h"

#include <random>

namespace vandor {

TCryptMaps::TCryptMaps() : Lines_(std::make_unique<std::unique_ptr<uint32_t[]>[]>(kLineCount)) {
    std::random_device entropy;
    MaskKey_ = entropy();
    CheckKey_ = entropy();
}

std::unique_ptr<uint32_t[]> TCryptMaps::NewLine(uint32_t line) const {
    auto words = std::make_unique_for_overwrite<uint32_t[]>(kLineWords);
    for (int z = 0; z < kSizeZ; ++z) Store(words.get(), CellIndex(line, z), z, 0);
    return words;
}

void TCryptMaps::Clear() {
    for (std::size_t line = 0; line < kLineCount; ++line) Lines_[line].reset();
}

}  // namespace vandor

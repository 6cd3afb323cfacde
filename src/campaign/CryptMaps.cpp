#include "campaign/CryptMaps.h"

#include <random>

namespace vandor {

TCryptMaps::TCryptMaps() : Words_(std::make_unique_for_overwrite<uint32_t[]>(kWordCount)) {
    std::random_device entropy;
    MaskKey_ = entropy();
    CheckKey_ = entropy();
    Clear();
}

void TCryptMaps::Clear() {
    for (uint32_t cell = 0; cell < kCellCount; ++cell) Store(cell, 0);
}

}  // namespace vandor

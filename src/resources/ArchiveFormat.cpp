#include "resources/ArchiveFormat.h"

#include <algorithm>
#include <cstring>

#include "util/Encoding.h"

namespace vandor {

int32_t NameHash(std::u16string_view units) {
    uint32_t sum = 0;  // unsigned so that the wrap-around is defined
    for (std::size_t i = 0; i < units.size(); ++i) {
        sum += static_cast<uint32_t>(units[i]) * static_cast<uint32_t>((i + 1) & 255);
    }
    return static_cast<int32_t>(sum);
}

int32_t NameHash(std::string_view utf8) { return NameHash(Utf8ToUtf16(utf8)); }

uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t ReadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void WriteLE16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void WriteLE32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

TBytes MakeArchiveHeader(uint32_t entryCount, const TArchiveVersion& version) {
    TBytes header(kArchiveHeaderSize, 0);
    std::memcpy(header.data(), kArchiveMagic.data(), 4);
    std::memcpy(header.data() + 4, kArchiveFormat.data(), 4);
    WriteLE32(header.data() + kHeaderCountOffset, entryCount);
    for (std::size_t i = 0; i < version.size(); ++i)
        WriteLE16(header.data() + kHeaderVersionOffset + 2 * i, version[i]);
    return header;
}

void WriteArchiveEntry(uint8_t* entry, std::u16string_view name, uint32_t offset, uint32_t size, int32_t hash) {
    std::fill(entry, entry + kArchiveEntrySize, uint8_t{0});
    const std::size_t units = std::min(name.size(), kArchiveNameUnits);
    for (std::size_t i = 0; i < units; ++i) WriteLE16(entry + 2 * i, name[i]);
    WriteLE32(entry + kEntryOffsetOffset, offset);
    WriteLE32(entry + kEntrySizeOffset, size);
    WriteLE32(entry + kEntryHashOffset, static_cast<uint32_t>(hash));
}

}  // namespace vandor

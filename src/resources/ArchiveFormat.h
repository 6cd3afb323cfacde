#pragma once
// On-disk layout of a ".gdp" data archive, shared by the reader and the writer.
// All integers are little-endian: a 64-byte header, a table of 112-byte entries,
// then the entry data anywhere after the table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "resources/MemoryStream.h"

namespace vandor {

inline constexpr std::size_t kArchiveHeaderSize = 64;
inline constexpr std::size_t kArchiveEntrySize = 112;
inline constexpr std::size_t kArchiveNameUnits = 48;  // UTF-16 units; a full name has no terminator
inline constexpr std::string_view kArchiveMagic = "ggDP";
inline constexpr std::string_view kArchiveFormat = "200A";

// Field offsets inside the header and inside one entry.
inline constexpr std::size_t kHeaderCountOffset = 8;
inline constexpr std::size_t kHeaderVersionOffset = 12;
inline constexpr std::size_t kEntryOffsetOffset = 96;
inline constexpr std::size_t kEntrySizeOffset = 100;
inline constexpr std::size_t kEntryHashOffset = 104;

using TArchiveVersion = std::array<uint16_t, 4>;

// The hash that keys archive entries and cache entries: the sum of
// unit[i] * ((i + 1) AND 255) over the UTF-16 units, wrapping in 32 bits.
int32_t NameHash(std::u16string_view units);
int32_t NameHash(std::string_view utf8);

uint16_t ReadLE16(const uint8_t* p);
uint32_t ReadLE32(const uint8_t* p);
void WriteLE16(uint8_t* p, uint16_t value);
void WriteLE32(uint8_t* p, uint32_t value);

// A header with magic, format, entry count and version filled in, the rest zero.
TBytes MakeArchiveHeader(uint32_t entryCount, const TArchiveVersion& version);

// Writes one table entry at `entry` (kArchiveEntrySize bytes). The name must fit
// kArchiveNameUnits; the hash is stored as given.
void WriteArchiveEntry(uint8_t* entry, std::u16string_view name, uint32_t offset, uint32_t size, int32_t hash);

}  // namespace vandor

#pragma once
// Text files inside archives are stored as one zlib stream each; the file lookup
// expands them and the archive tool makes them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "resources/MemoryStream.h"

namespace vandor {

// No game text comes near this; a stream that expands beyond it is damaged or
// hostile and is refused before it can exhaust memory.
inline constexpr std::size_t kMaxExpandedTextSize = 64u << 20;

// True when the entry's bytes are stored compressed: the name's extension (from
// the last "." on) is exactly ".txt".
bool IsCompressedEntryName(std::string_view name);

// A whole zlib stream at the default level.
TBytes CompressText(const uint8_t* data, std::size_t size);

// Expands one complete zlib stream. Throws std::runtime_error naming the entry when
// the stream is damaged, truncated or expands beyond `limit` bytes.
TBytes ExpandText(const TBytes& stored, std::string_view entryName, std::size_t limit = kMaxExpandedTextSize);

}  // namespace vandor

#pragma once
// Building ".gdp" archives: what the archive tool packs and what tests use to make
// archives the game then reads. The game itself never writes entry data.

#include <string>
#include <string_view>
#include <vector>

#include "resources/ArchiveFormat.h"
#include "resources/MemoryStream.h"

namespace vandor {

struct TArchiveEntry {
    std::string Name;  // UTF-8, stored as UTF-16LE
    TBytes Data;       // as stored (a ".txt" entry already compressed)
};

// The entry as the game expects it: the name with ASCII letters lower-cased, a
// ".txt" file's bytes compressed. Throws std::invalid_argument for a name that is
// empty, not UTF-8 or longer than the table's 48 UTF-16 units.
TArchiveEntry MakeArchiveEntry(std::string_view fileName, const TBytes& contents);

// Header, table (names hashed with NameHash) and the data of every entry in order
// right after the table. Names must fit the table; the whole archive must stay
// within 32-bit offsets (std::invalid_argument otherwise).
TBytes BuildArchive(const std::vector<TArchiveEntry>& entries, const TArchiveVersion& version);

}  // namespace vandor

#include "resources/ArchiveWriter.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "resources/TextCompression.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

std::u16string TableName(std::string_view name) {
    if (name.empty()) throw std::invalid_argument("an entry name is empty");
    if (!IsValidUtf8(name)) throw std::invalid_argument("entry name \"" + std::string(name) + "\" is not UTF-8");
    std::u16string units = Utf8ToUtf16(name);
    if (units.size() > kArchiveNameUnits) {
        throw std::invalid_argument("entry name \"" + std::string(name) + "\" is longer than " +
                                    std::to_string(kArchiveNameUnits) + " UTF-16 units");
    }
    return units;
}

}  // namespace

TArchiveEntry MakeArchiveEntry(std::string_view fileName, const TBytes& contents) {
    TArchiveEntry entry{AsciiLower(fileName), contents};
    TableName(entry.Name);
    if (IsCompressedEntryName(entry.Name)) entry.Data = CompressText(contents.data(), contents.size());
    return entry;
}

TBytes BuildArchive(const std::vector<TArchiveEntry>& entries, const TArchiveVersion& version) {
    const uint64_t tableEnd = kArchiveHeaderSize + uint64_t{kArchiveEntrySize} * entries.size();
    uint64_t total = tableEnd;
    for (const TArchiveEntry& entry : entries) total += entry.Data.size();
    if (total > std::numeric_limits<uint32_t>::max()) {
        throw std::invalid_argument("the archive would exceed 4 GiB, beyond what its offsets can address");
    }

    TBytes archive = MakeArchiveHeader(static_cast<uint32_t>(entries.size()), version);
    archive.resize(total, 0);
    auto offset = static_cast<uint32_t>(tableEnd);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TArchiveEntry& entry = entries[i];
        const std::u16string name = TableName(entry.Name);
        const auto size = static_cast<uint32_t>(entry.Data.size());
        WriteArchiveEntry(archive.data() + kArchiveHeaderSize + kArchiveEntrySize * i, name, offset, size,
                          NameHash(name));
        std::copy(entry.Data.begin(), entry.Data.end(), archive.begin() + offset);
        offset += size;
    }
    return archive;
}

}  // namespace vandor

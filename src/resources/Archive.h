#pragma once
// TggDPFile: one ".gdp" data archive, a fixed table of named entries followed by
// their data. The game opens its archives read-only at start-up and reads entries
// on demand; the create mode only writes an empty table.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "resources/ArchiveFormat.h"
#include "resources/MemoryStream.h"

namespace vandor {

// A data archive that cannot be opened or read: a missing file, a foreign or
// damaged file, or an entry whose bytes cannot be read.
class EggDPError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TggDPMode { fmOpenRead, fmCreate };

class TggDPFile {
public:
    // fmOpenRead opens an existing archive and refuses a file whose header, table or
    // entry positions do not fit (EggDPError). fmCreate makes a new file holding a
    // table of `entryCount` blank entries; nothing can be read from it.
    explicit TggDPFile(std::string path, uint16_t entryCount = 0, TggDPMode mode = TggDPMode::fmOpenRead);
    // An archive held in memory, read-only, checked like a file. `name` stands in
    // for the path in messages and in Path().
    TggDPFile(std::string name, const TBytes& contents);
    ~TggDPFile();
    TggDPFile(const TggDPFile&) = delete;
    TggDPFile& operator=(const TggDPFile&) = delete;

    // Index of the entry with this name (ASCII letters compared in lower case; the
    // hash is taken of the name as given), or -1.
    int32_t FindEntry(std::string_view name) const;
    // The entry's stored bytes; nullptr for a bad index or in create mode. Throws
    // EggDPError when the bytes cannot be read in full.
    std::unique_ptr<TBytes> ReadEntry(int32_t index);

    uint32_t EntryCount() const;
    TArchiveVersion GetVersion() const;
    const std::string& Path() const { return Path_; }
    TggDPMode Mode() const { return Mode_; }

    // The table as stored, for the archive tool: the name up to its first zero
    // unit (as UTF-8), the stored data size and the stored hash. Index must be
    // below the usable-entry count.
    std::string EntryName(int32_t index) const;
    uint32_t EntrySize(int32_t index) const;
    int32_t EntryHash(int32_t index) const;
    int32_t UsableCount() const { return static_cast<int32_t>(UsableCount_); }

private:
    void ReadAndCheckTable();
    void WriteTable();
    [[noreturn]] void Refuse(const std::string& why) const;
    const uint8_t* EntryAt(int32_t index) const;
    std::u16string StoredName(int32_t index) const;

    std::unique_ptr<std::iostream> Stream_;
    TBytes Header_;
    TBytes Table_;
    uint32_t UsableCount_ = 0;
    uint64_t FileSize_ = 0;
    std::string Path_;
    TggDPMode Mode_;
};

}  // namespace vandor

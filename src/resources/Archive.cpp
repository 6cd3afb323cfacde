#include "resources/Archive.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "util/Encoding.h"

namespace vandor {

TggDPFile::TggDPFile(std::string path, uint16_t entryCount, TggDPMode mode) : Path_(std::move(path)), Mode_(mode) {
    const auto openMode = mode == TggDPMode::fmCreate
                              ? std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc
                              : std::ios::in | std::ios::binary;
    auto file = std::make_unique<std::fstream>(Path_, openMode);
    if (!file->is_open()) {
        throw EggDPError("cannot open data archive \"" + Path_ + "\": " + std::strerror(errno));
    }
    Stream_ = std::move(file);
    if (mode == TggDPMode::fmCreate) {
        Header_ = MakeArchiveHeader(entryCount, {0, 0, 0, 0});
        Table_.assign(kArchiveEntrySize * entryCount, 0);
        for (uint16_t i = 0; i < entryCount; ++i) {
            WriteArchiveEntry(Table_.data() + kArchiveEntrySize * i, {}, 0, 0, -1);
        }
        WriteTable();
        if (!*Stream_) Refuse("cannot write the table");
    } else {
        ReadAndCheckTable();
    }
}

TggDPFile::TggDPFile(std::string name, const TBytes& contents) : Path_(std::move(name)), Mode_(TggDPMode::fmOpenRead) {
    Stream_ = std::make_unique<std::stringstream>(std::string(contents.begin(), contents.end()),
                                                  std::ios::in | std::ios::binary);
    ReadAndCheckTable();
}

TggDPFile::~TggDPFile() {
    // A failed final write cannot be reported from here; the file was complete after construction.
    if (Mode_ == TggDPMode::fmCreate) WriteTable();
}

void TggDPFile::Refuse(const std::string& why) const { throw EggDPError("data archive \"" + Path_ + "\": " + why); }

void TggDPFile::WriteTable() {
    Stream_->clear();
    Stream_->seekp(0);
    Stream_->write(reinterpret_cast<const char*>(Header_.data()), static_cast<std::streamsize>(Header_.size()));
    Stream_->write(reinterpret_cast<const char*>(Table_.data()), static_cast<std::streamsize>(Table_.size()));
    Stream_->flush();
}

// Everything the reader later relies on is checked here, so that a foreign or
// damaged file is refused at once instead of failing somewhere during play.
void TggDPFile::ReadAndCheckTable() {
    Stream_->seekg(0, std::ios::end);
    const std::streamoff end = Stream_->tellg();
    if (end < 0) Refuse("cannot determine the file size");
    FileSize_ = static_cast<uint64_t>(end);
    Stream_->seekg(0);

    if (FileSize_ < kArchiveHeaderSize) Refuse("the file is too short for an archive header");
    Header_.resize(kArchiveHeaderSize);
    if (!Stream_->read(reinterpret_cast<char*>(Header_.data()), kArchiveHeaderSize)) Refuse("cannot read the header");
    if (std::memcmp(Header_.data(), kArchiveMagic.data(), 4) != 0) Refuse("not a data archive (no \"ggDP\" mark)");
    if (std::memcmp(Header_.data() + 4, kArchiveFormat.data(), 4) != 0) Refuse("unknown archive format (not \"200A\")");

    const uint32_t count = EntryCount();
    const uint64_t tableSize = uint64_t{kArchiveEntrySize} * count;
    if (kArchiveHeaderSize + tableSize > FileSize_) {
        Refuse("the table of " + std::to_string(count) + " entries does not fit the file");
    }
    Table_.resize(tableSize);
    if (!Stream_->read(reinterpret_cast<char*>(Table_.data()), static_cast<std::streamsize>(tableSize))) {
        Refuse("cannot read the entry table");
    }
    UsableCount_ = count;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t end = uint64_t{ReadLE32(EntryAt(i) + kEntryOffsetOffset)} + EntrySize(static_cast<int32_t>(i));
        if (end > FileSize_) {
            Refuse("the data of entry " + std::to_string(i) + " \"" + EntryName(static_cast<int32_t>(i)) +
                   "\" lies beyond the end of the file");
        }
    }
}

uint32_t TggDPFile::EntryCount() const { return ReadLE32(Header_.data() + kHeaderCountOffset); }

TArchiveVersion TggDPFile::GetVersion() const {
    TArchiveVersion version{};
    for (std::size_t i = 0; i < version.size(); ++i)
        version[i] = ReadLE16(Header_.data() + kHeaderVersionOffset + 2 * i);
    return version;
}

const uint8_t* TggDPFile::EntryAt(int32_t index) const {
    return Table_.data() + kArchiveEntrySize * static_cast<std::size_t>(index);
}

std::u16string TggDPFile::StoredName(int32_t index) const {
    const uint8_t* entry = EntryAt(index);
    std::u16string name;
    for (std::size_t i = 0; i < kArchiveNameUnits; ++i) {
        const char16_t unit = ReadLE16(entry + 2 * i);
        if (unit == 0) break;
        name += unit;
    }
    return name;
}

std::string TggDPFile::EntryName(int32_t index) const { return Utf16ToUtf8(StoredName(index)); }

uint32_t TggDPFile::EntrySize(int32_t index) const { return ReadLE32(EntryAt(index) + kEntrySizeOffset); }

int32_t TggDPFile::EntryHash(int32_t index) const {
    return static_cast<int32_t>(ReadLE32(EntryAt(index) + kEntryHashOffset));
}

int32_t TggDPFile::FindEntry(std::string_view name) const {
    // The hash is of the name exactly as asked for; only the name comparison
    // ignores ASCII case, so a query in other case is found only on a hash match.
    const int32_t hash = NameHash(name);
    const std::u16string lowered = Utf8ToUtf16(AsciiLower(name));
    if (lowered.size() > kArchiveNameUnits) return -1;
    for (uint32_t i = 0; i < UsableCount_; ++i) {
        const auto index = static_cast<int32_t>(i);
        if (EntryHash(index) == hash && StoredName(index) == lowered) return index;
    }
    return -1;
}

std::unique_ptr<TBytes> TggDPFile::ReadEntry(int32_t index) {
    if (Mode_ == TggDPMode::fmCreate || index < 0 || static_cast<uint32_t>(index) >= UsableCount_) return nullptr;
    const uint32_t offset = ReadLE32(EntryAt(index) + kEntryOffsetOffset);
    auto data = std::make_unique<TBytes>(EntrySize(index));
    Stream_->clear();
    Stream_->seekg(offset);
    Stream_->read(reinterpret_cast<char*>(data->data()), static_cast<std::streamsize>(data->size()));
    if (static_cast<std::size_t>(Stream_->gcount()) != data->size()) {
        Refuse("cannot read entry \"" + EntryName(index) + "\" (the file was changed or damaged)");
    }
    return data;
}

}  // namespace vandor

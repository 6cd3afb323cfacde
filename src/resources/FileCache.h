#pragma once
// TFileCache: finds a named file in the data folders and data archives and keeps
// its bytes in memory. Any folder overrides every archive; a later folder
// overrides an earlier one, and a later archive an earlier one.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Archive.h"
#include "resources/CacheList.h"
#include "resources/MemoryStream.h"
#include "util/DebugLog.h"

namespace vandor {

class TFileCache : public TCacheList<TBytes> {
public:
    static constexpr int32_t kDefaultLimit = 25165824;

    explicit TFileCache(TDebugLog* log, int32_t limit = kDefaultLimit);
    ~TFileCache() override = default;

    // A folder path ending in '/'; an empty path is ignored.
    void AddFolder(std::string path);
    // Not owned: the archive must outlive the cache. nullptr is ignored.
    void AddArchive(TggDPFile* archive);
    // Forgets every source and every cached file, for a restart in another data mode.
    // Nobody may hold a stream at that moment.
    void RemoveSources();

    // The file's bytes, shared by every user of the name, or nullptr (logged) when
    // no source has it. Read them at once and hand them back with Release. Throws
    // std::runtime_error for a damaged compressed text or an unreadable file.
    const TBytes* GetStream(std::string_view name) { return Get(name); }

    // Whether any source holds the name, without reading or caching it (for checking
    // content without playing it).
    bool Exists(std::string_view name) const;

    // One line per source in the order added: a folder's path, or an archive as
    // "path - ver.1.0.2.0".
    void ListSources(std::vector<std::string>& lines) const;

    // Every name some source holds, in lower case, sorted and without repeats (for
    // suggesting a near name when one is missing).
    std::vector<std::string> Names() const;

protected:
    std::unique_ptr<TBytes> LoadItem(std::string_view name) override;
    int64_t ItemSize(const TBytes& stream) const override;

private:
    struct TSource {
        std::string Folder;
        TggDPFile* Archive = nullptr;
    };

    std::unique_ptr<TBytes> LoadFromFolder(const std::string& folder, std::string_view name) const;

    TDebugLog* Log_;
    std::vector<TSource> Sources_;
};

// Holds a stream from GetStream and hands it back to the file cache on leaving
// scope, also when decoding it throws.
class TStreamHold {
public:
    TStreamHold(TFileCache& files, std::string_view name) : Files_(files), Stream_(files.GetStream(name)) {}
    ~TStreamHold() { Files_.Release(Stream_); }
    TStreamHold(const TStreamHold&) = delete;
    TStreamHold& operator=(const TStreamHold&) = delete;

    const TBytes* Get() const { return Stream_; }

private:
    TFileCache& Files_;
    const TBytes* Stream_;
};

}  // namespace vandor

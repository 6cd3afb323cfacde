#pragma once
// TScriptCache: preprocessed scenario scripts by file name, shared read-only by
// everyone who runs the same script.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resources/CacheList.h"
#include "resources/FileCache.h"

namespace vandor {

using TScriptLines = std::vector<std::string>;

class TScriptCache : public TCacheList<TScriptLines> {
public:
    static constexpr int32_t kDebugLimit = 2097152;
    static constexpr int32_t kNormalLimit = 1048576;

    TScriptCache(TFileCache& files, int32_t limit);
    ~TScriptCache() override = default;

    // The script's lines, or nullptr when no source has the file (the file cache
    // logs that). Errors expanding the file propagate. Hand it back with Release.
    const TScriptLines* GetScript(std::string_view name) { return Get(name); }

protected:
    std::unique_ptr<TScriptLines> LoadItem(std::string_view name) override;
    int64_t ItemSize(const TScriptLines& lines) const override;

private:
    TFileCache& Files_;
};

}  // namespace vandor

#pragma once
// TAImageCache: decoded pictures by file name. A cached picture is shared by every
// layer showing that name; layers set its MasterAlpha right before drawing and
// never change its pixels.

#include <cstdint>
#include <memory>
#include <string_view>

#include "compositor/Bitmap32.h"
#include "compositor/PictureSource.h"
#include "resources/CacheList.h"
#include "resources/FileCache.h"
#include "util/DebugLog.h"

namespace vandor {

class TAImageCache : public TCacheList<TBitmap32>, public IPictureSource {
public:
    static constexpr int32_t kDebugLimit = 33554432;
    static constexpr int32_t kNormalLimit = 25165824;

    TAImageCache(TFileCache& files, TDebugLog* log, int32_t limit);
    ~TAImageCache() override = default;

    // The shared picture, or nullptr when no source has the file. Bytes that do
    // not decode give an empty (0 x 0) picture and a log line. Hand it back with Release.
    TBitmap32* GetImage(std::string_view name) override { return Get(name); }
    void Release(TBitmap32* picture) override { TCacheList<TBitmap32>::Release(picture); }
    using TCacheList<TBitmap32>::Release;
    // Decodes a cached picture again from its file, in place, so that every layer that
    // shows it shows the new one; false when it is not cached or no longer loads.
    // The file cache must have let go of the old bytes.
    bool Reload(std::string_view name);

protected:
    std::unique_ptr<TBitmap32> LoadItem(std::string_view name) override;
    int64_t ItemSize(const TBitmap32& picture) const override;

private:
    TFileCache& Files_;
    TDebugLog* Log_;
};

}  // namespace vandor

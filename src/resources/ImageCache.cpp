#include "resources/ImageCache.h"

#include <string>

#include "resources/PictureCodec.h"

namespace vandor {

TAImageCache::TAImageCache(TFileCache& files, TDebugLog* log, int32_t limit) : Files_(files), Log_(log) {
    SetLimit(limit);
}

std::unique_ptr<TBitmap32> TAImageCache::LoadItem(std::string_view name) {
    TStreamHold stream(Files_, name);
    if (stream.Get() == nullptr) return nullptr;
    std::string error;
    auto picture = std::make_unique<TBitmap32>(DecodePicture(stream.Get()->data(), stream.Get()->size(), &error));
    if (picture->Empty() && Log_ != nullptr) {
        Log_->Add("画像 \"" + std::string(name) + "\" を読み込めません: " + error);
    }
    return picture;
}

bool TAImageCache::Reload(std::string_view name) {
    TBitmap32* held = Cached(name);
    if (held == nullptr) return false;
    std::unique_ptr<TBitmap32> fresh = LoadItem(name);
    if (!fresh || fresh->Empty()) return false;
    *held = std::move(*fresh);
    return true;
}

int64_t TAImageCache::ItemSize(const TBitmap32& picture) const {
    return int64_t{picture.Width()} * picture.Height() * 4 + 1024;
}

}  // namespace vandor

#include "resources/ScriptCache.h"

#include "resources/ScriptText.h"

namespace vandor {

TScriptCache::TScriptCache(TFileCache& files, int32_t limit) : Files_(files) { SetLimit(limit); }

std::unique_ptr<TScriptLines> TScriptCache::LoadItem(std::string_view name) {
    TStreamHold stream(Files_, name);
    if (stream.Get() == nullptr) return nullptr;
    const TBytes& bytes = *stream.Get();
    return std::make_unique<TScriptLines>(
        NormalizeScript(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

int64_t TScriptCache::ItemSize(const TScriptLines& lines) const {
    return static_cast<int64_t>(lines.size()) * 256 + 512;
}

}  // namespace vandor

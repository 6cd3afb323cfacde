#include "resources/FileCache.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>

#include "resources/TextCompression.h"
#include "util/Encoding.h"

namespace vandor {
namespace fs = std::filesystem;

namespace {

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The file in `folder` named `name`, ignoring ASCII case as the game's original
// platform does: scripts name files in lower case, authors may not. An exact
// match wins over a match in other case.
std::optional<fs::path> FindInFolder(const std::string& folder, std::string_view name) {
    const fs::path exact(folder + std::string(name));
    if (IsRegularFile(exact)) return exact;
    if (name.find('/') != std::string_view::npos) return std::nullopt;
    const std::string wanted = AsciiLower(name);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (AsciiLower(it->path().filename().string()) == wanted && IsRegularFile(it->path())) return it->path();
    }
    return std::nullopt;
}

}  // namespace

TFileCache::TFileCache(TDebugLog* log, int32_t limit) : Log_(log) { SetLimit(limit); }

void TFileCache::AddFolder(std::string path) {
    if (!path.empty()) Sources_.push_back({std::move(path), nullptr});
}

void TFileCache::AddArchive(TggDPFile* archive) {
    if (archive != nullptr) Sources_.push_back({{}, archive});
}

void TFileCache::RemoveSources() {
    Clear();
    Sources_.clear();
}

std::unique_ptr<TBytes> TFileCache::LoadFromFolder(const std::string& folder, std::string_view name) const {
    const std::optional<fs::path> path = FindInFolder(folder, name);
    if (!path) return nullptr;
    std::ifstream in(*path, std::ios::binary);
    auto bytes = std::make_unique<TBytes>();
    std::error_code error;
    const auto size = fs::file_size(*path, error);
    if (!error) bytes->resize(size);
    if (error || !in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()))) {
        throw std::runtime_error("cannot read file \"" + path->string() + "\"");
    }
    return bytes;
}

std::unique_ptr<TBytes> TFileCache::LoadItem(std::string_view name) {
    for (auto source = Sources_.rbegin(); source != Sources_.rend(); ++source) {
        if (source->Archive != nullptr) continue;
        if (auto bytes = LoadFromFolder(source->Folder, name)) return bytes;
    }
    for (auto source = Sources_.rbegin(); source != Sources_.rend(); ++source) {
        if (source->Archive == nullptr) continue;
        const int32_t index = source->Archive->FindEntry(name);
        if (index < 0) continue;
        std::unique_ptr<TBytes> stored = source->Archive->ReadEntry(index);
        if (stored && IsCompressedEntryName(name)) return std::make_unique<TBytes>(ExpandText(*stored, name));
        return stored;
    }
    // Told once per name: a missing picture may be asked for every frame.
    if (Log_ != nullptr) Log_->AddOnce("ファイル \"" + std::string(name) + "\" は存在しません.");
    return nullptr;
}

bool TFileCache::Exists(std::string_view name) const {
    for (const TSource& source : Sources_) {
        if (source.Archive != nullptr ? source.Archive->FindEntry(name) >= 0
                                      : FindInFolder(source.Folder, name).has_value()) {
            return true;
        }
    }
    return false;
}

int64_t TFileCache::ItemSize(const TBytes& stream) const { return static_cast<int64_t>(stream.size()) + 256; }

void TFileCache::ListSources(std::vector<std::string>& lines) const {
    for (const TSource& source : Sources_) {
        if (source.Archive == nullptr) {
            lines.push_back(source.Folder);
            continue;
        }
        const TArchiveVersion version = source.Archive->GetVersion();
        char text[64];
        std::snprintf(text, sizeof text, " - ver.%d.%d.%d.%d", version[0], version[1], version[2], version[3]);
        lines.push_back(source.Archive->Path() + text);
    }
}

std::vector<std::string> TFileCache::Names() const {
    std::set<std::string> names;
    for (const TSource& source : Sources_) {
        if (source.Archive != nullptr) {
            for (int32_t i = 0; i < source.Archive->UsableCount(); ++i) {
                const std::string name = source.Archive->EntryName(i);
                if (!name.empty()) names.insert(AsciiLower(name));
            }
            continue;
        }
        std::error_code error;
        for (fs::directory_iterator it(source.Folder, error), end; !error && it != end; it.increment(error)) {
            if (IsRegularFile(it->path())) names.insert(AsciiLower(it->path().filename().string()));
        }
    }
    return {names.begin(), names.end()};
}

}  // namespace vandor

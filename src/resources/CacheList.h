#pragma once
// TCacheList: the base of the resource caches. Objects are looked up by name,
// lent out by reference count and, once nobody holds them, kept until they age
// out or a byte budget pushes them out, least recently used first.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "resources/ArchiveFormat.h"
#include "util/Encoding.h"

namespace vandor {

template <typename T>
struct TCacheListItem {
    std::string Key;  // normalised name
    int32_t Hash = 0;
    int64_t Size = 0;  // budget cost
    std::unique_ptr<T> Data;
    int32_t RefCount = 1;
    int32_t Life = 0;
};

template <typename T>
class TCacheList {
public:
    static constexpr int32_t kFreshLife = 4096;      // passes an unreferenced entry survives without a hit
    static constexpr int kMaxRemovalsPerPass = 256;  // keeps one pass cheap
    static constexpr std::size_t kEntryCap = 1024;   // the list is held near this many entries

    TCacheList() = default;
    virtual ~TCacheList() { Clear(); }
    TCacheList(const TCacheList&) = delete;
    TCacheList& operator=(const TCacheList&) = delete;

    // The object for this name, loading it on a miss; nullptr when it cannot be
    // loaded (nothing is cached then, so the next call tries again). Every
    // non-null result must be handed back with Release.
    T* Get(std::string_view name) {
        const int index = IndexOf(name);
        if (index >= 0) {
            TCacheListItem<T>& item = Items_[static_cast<std::size_t>(index)];
            ++item.RefCount;
            item.Life = kFreshLife;
            return item.Data.get();
        }
        std::unique_ptr<T> data = LoadItem(name);
        if (!data) return nullptr;
        TCacheListItem<T> item;
        item.Key = NormalizeKey(name);
        item.Hash = NameHash(item.Key);
        item.Size = ItemSize(*data);
        item.Data = std::move(data);
        item.Life = kFreshLife;
        T* result = item.Data.get();
        Items_.push_back(std::move(item));
        Trim();
        return result;
    }

    // Hands an object back. An object the cache does not hold is freed: the cache
    // takes ownership of whatever it is handed.
    void Release(const T* object) {
        if (object == nullptr) return;
        auto found = std::find_if(Items_.begin(), Items_.end(),
                                  [&](const TCacheListItem<T>& item) { return item.Data.get() == object; });
        if (found == Items_.end()) {
            delete object;
            return;
        }
        found->RefCount = std::max(found->RefCount - 1, 0);
        Trim();
    }

    void SetLimit(int32_t limit) {
        Limit_ = limit;
        Trim();
    }
    int32_t Limit() const { return Limit_; }

    // Drops every unreferenced entry (the budget is 0 for one pass).
    void Flush() {
        const int32_t kept = Limit_;
        SetLimit(0);
        SetLimit(kept);
    }

    // Frees every entry, referenced or not.
    void Clear() { Items_.clear(); }

    // The object cached under this name, or nullptr; nothing is loaded or lent out.
    T* Cached(std::string_view name) {
        const int index = IndexOf(name);
        return index < 0 ? nullptr : Items_[static_cast<std::size_t>(index)].Data.get();
    }

    int IndexOf(std::string_view name) const {
        const std::string key = NormalizeKey(name);
        const int32_t hash = NameHash(key);
        for (std::size_t i = 0; i < Items_.size(); ++i) {
            if (Items_[i].Hash == hash && Items_[i].Key == key) return static_cast<int>(i);
        }
        return -1;
    }

    std::size_t Count() const { return Items_.size(); }
    const TCacheListItem<T>& Item(std::size_t index) const { return Items_[index]; }

    static std::string NormalizeKey(std::string_view name) { return AsciiLower(name); }

    // One pass of ageing and eviction; runs after every add, release and limit change.
    void Trim() {
        if (Items_.empty()) return;
        for (TCacheListItem<T>& item : Items_) {
            if (item.RefCount == 0 && item.Life > 0) --item.Life;
        }
        std::erase_if(Items_, [](const TCacheListItem<T>& item) { return item.RefCount == 0 && item.Life == 0; });

        int64_t unreferenced = 0;
        for (const TCacheListItem<T>& item : Items_) {
            if (item.RefCount == 0) unreferenced += item.Size;
        }
        if (Items_.size() < kEntryCap && unreferenced <= Limit_) return;

        // Most recently hit first, so the oldest unreferenced entries sit at the end.
        std::stable_sort(Items_.begin(), Items_.end(),
                         [](const TCacheListItem<T>& a, const TCacheListItem<T>& b) { return a.Life > b.Life; });
        for (int pass = 0; pass < kMaxRemovalsPerPass && unreferenced > Limit_; ++pass) {
            auto victim = std::find_if(Items_.rbegin(), Items_.rend(),
                                       [](const TCacheListItem<T>& item) { return item.RefCount == 0; });
            if (victim == Items_.rend()) break;
            unreferenced -= victim->Size;
            Items_.erase(std::next(victim).base());
        }

        // Over the cap: mark the oldest unreferenced entries to go in a later pass.
        if (Items_.size() >= kEntryCap) {
            std::size_t excess = Items_.size() - kEntryCap;
            for (auto it = Items_.rbegin(); it != Items_.rend() && excess > 0; ++it) {
                if (it->RefCount == 0) {
                    it->Life = 0;
                    --excess;
                }
            }
        }
    }

protected:
    virtual std::unique_ptr<T> LoadItem(std::string_view name) = 0;
    virtual int64_t ItemSize(const T& object) const = 0;

private:
    int32_t Limit_ = 0;
    std::vector<TCacheListItem<T>> Items_;
};

}  // namespace vandor

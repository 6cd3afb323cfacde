#include "resources/CacheList.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vandor {
namespace {

struct TTracked {
    explicit TTracked(std::string name) : LoadedName(std::move(name)) { ++Alive; }
    ~TTracked() { --Alive; }
    std::string LoadedName;
    static inline int Alive = 0;
};

// Loads any name except "missing*"; each object costs 100 unless Sizes says otherwise.
class TTestCache : public TCacheList<TTracked> {
public:
    explicit TTestCache(int32_t limit) { SetLimit(limit); }
    int Loads = 0;
    std::map<std::string, int64_t> Sizes;

protected:
    std::unique_ptr<TTracked> LoadItem(std::string_view name) override {
        ++Loads;
        if (name.starts_with("missing")) return nullptr;
        return std::make_unique<TTracked>(std::string(name));
    }
    int64_t ItemSize(const TTracked& object) const override {
        const auto found = Sizes.find(object.LoadedName);
        return found == Sizes.end() ? 100 : found->second;
    }
};

const TCacheListItem<TTracked>& ItemOf(const TTestCache& cache, std::string_view name) {
    const int index = cache.IndexOf(name);
    EXPECT_GE(index, 0) << name;
    return cache.Item(static_cast<std::size_t>(index));
}

TEST(CacheListTest, CountsReferencesAndSharesNamesAcrossCase) {
    {
        TTestCache cache(1 << 20);
        TTracked* first = cache.Get("Title.PNG");
        TTracked* second = cache.Get("title.png");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first, second);
        EXPECT_EQ(first->LoadedName, "Title.PNG");  // loaded under the name first asked for
        EXPECT_EQ(cache.Loads, 1);
        EXPECT_EQ(ItemOf(cache, "TITLE.png").Key, "title.png");
        EXPECT_EQ(ItemOf(cache, "title.png").RefCount, 2);
        EXPECT_EQ(ItemOf(cache, "title.png").Size, 100);

        cache.Release(first);
        cache.Release(second);
        cache.Release(second);  // a double release only clamps at 0
        EXPECT_EQ(ItemOf(cache, "title.png").RefCount, 0);
        EXPECT_EQ(cache.Count(), 1u);
        EXPECT_EQ(cache.Get("title.png"), first);
        EXPECT_EQ(ItemOf(cache, "title.png").Life, TTestCache::kFreshLife);

        EXPECT_EQ(cache.Get("missing.png"), nullptr);
        EXPECT_EQ(cache.Get("missing.png"), nullptr);
        EXPECT_EQ(cache.Loads, 3);  // nothing is cached for a failed load
        EXPECT_EQ(cache.IndexOf("missing.png"), -1);

        // An object the cache does not hold is freed when handed to it.
        const int before = TTracked::Alive;
        cache.Release(new TTracked("stray"));
        EXPECT_EQ(TTracked::Alive, before);
    }
    EXPECT_EQ(TTracked::Alive, 0);  // the destructor frees referenced objects too
}

TEST(CacheListTest, UnreferencedEntryDiesAfter4096PassesWithoutAHit) {
    TTestCache cache(1 << 20);
    cache.Release(cache.Get("a"));  // that release is the first pass
    for (int pass = 2; pass < 4096; ++pass) cache.Trim();
    ASSERT_EQ(cache.IndexOf("a"), 0);
    EXPECT_EQ(cache.Item(0).Life, 1);
    cache.Trim();
    EXPECT_EQ(cache.IndexOf("a"), -1);
    EXPECT_EQ(TTracked::Alive, 0);
}

TEST(CacheListTest, BudgetEvictsLeastRecentlyUsedButNeverReferenced) {
    TTestCache cache(250);
    TTracked* held = cache.Get("held");
    for (const char* name : {"old", "mid", "new"}) cache.Release(cache.Get(name));
    // 300 unreferenced bytes > 250: the oldest went first; held entries never count.
    EXPECT_EQ(cache.IndexOf("old"), -1);
    EXPECT_GE(cache.IndexOf("mid"), 0);
    EXPECT_GE(cache.IndexOf("new"), 0);

    cache.Sizes["huge"] = 1000;
    TTracked* huge = cache.Get("huge");
    EXPECT_GE(cache.IndexOf("huge"), 0);  // referenced: stays whatever its size
    cache.Release(huge);
    EXPECT_EQ(cache.IndexOf("huge"), -1);

    cache.Flush();
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(cache.Get("held"), held);
    EXPECT_EQ(cache.Limit(), 250);  // Flush restores the budget
}

TEST(CacheListTest, ZeroLimitEvictsAtMost256PerPassOldestFirst) {
    TTestCache cache(1 << 30);
    for (int i = 0; i < 600; ++i) cache.Release(cache.Get("item" + std::to_string(i)));
    cache.Release(cache.Get("item0"));  // a fresh hit makes item0 the newest
    ASSERT_EQ(cache.Count(), 600u);

    cache.SetLimit(0);
    EXPECT_EQ(cache.Count(), 600u - 256u);
    EXPECT_GE(cache.IndexOf("item0"), 0);
    EXPECT_EQ(cache.IndexOf("item1"), -1);
    EXPECT_GE(cache.IndexOf("item599"), 0);
    cache.Trim();
    EXPECT_EQ(cache.Count(), 600u - 512u);
    cache.Trim();
    EXPECT_EQ(cache.Count(), 0u);
}

TEST(CacheListTest, ListIsHeldNearTheEntryCap) {
    TTestCache cache(1 << 30);
    TTracked* held = cache.Get("held");
    for (int i = 0; i < 1100; ++i) cache.Release(cache.Get("item" + std::to_string(i)));
    cache.Trim();
    cache.Trim();
    EXPECT_EQ(cache.Count(), TTestCache::kEntryCap);
    EXPECT_EQ(cache.Get("held"), held);
    EXPECT_GE(cache.IndexOf("item1099"), 0);
    EXPECT_EQ(cache.IndexOf("item0"), -1);
}

}  // namespace
}  // namespace vandor

#include "campaign/CryptMaps.h"

#include <gtest/gtest.h>

#include <climits>
#include <span>
#include <vector>

namespace vandor {

// The tests' way behind the store's back: the words of one line of cells as they sit in
// memory (none while the line was never written), and how many lines hold words.
struct TCryptMapsTamper {
    static std::span<uint32_t> Line(TCryptMaps& store, int x, int y) {
        uint32_t* words = store.Lines_[TCryptMaps::LineIndex(x, y)].get();
        return words == nullptr ? std::span<uint32_t>{} : std::span<uint32_t>{words, TCryptMaps::kLineWords};
    }
    static int LinesInMemory(const TCryptMaps& store) {
        int count = 0;
        for (std::size_t line = 0; line < TCryptMaps::kLineCount; ++line)
            count += store.Lines_[line] != nullptr ? 1 : 0;
        return count;
    }
};

namespace {

// Finds the words of its line that hold one cell by writing it twice and comparing memory.
std::vector<std::size_t> WordsOfCell(TCryptMaps& store, int x, int y, int z) {
    store.Set(x, y, z, 1);
    const auto line = TCryptMapsTamper::Line(store, x, y);
    const std::vector<uint32_t> before(line.begin(), line.end());
    store.Set(x, y, z, 2);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != line[i]) changed.push_back(i);
    }
    return changed;
}

template <class Visit>
void ForEachCell(Visit visit) {
    for (int x = 0; x < TCryptMaps::kSizeX; ++x)
        for (int y = 0; y < TCryptMaps::kSizeY; ++y)
            for (int z = 0; z < TCryptMaps::kSizeZ; ++z) visit(x, y, z);
}

int NonZeroCells(const TCryptMaps& store) {
    int count = 0;
    ForEachCell([&](int x, int y, int z) { count += store.Get(x, y, z) != 0 ? 1 : 0; });
    return count;
}

TEST(CryptMapsTest, EveryCellKeepsItsOwnValueAndClearZeroesThemAll) {
    TCryptMaps store;
    EXPECT_EQ(NonZeroCells(store), 0);

    auto valueOf = [](int x, int y, int z) { return (x * 64 + y) * 128 + z + 1; };
    ForEachCell([&](int x, int y, int z) { store.Set(x, y, z, valueOf(x, y, z)); });
    int wrong = 0;
    ForEachCell([&](int x, int y, int z) { wrong += store.Get(x, y, z) != valueOf(x, y, z) ? 1 : 0; });
    EXPECT_EQ(wrong, 0);

    store.Clear();
    EXPECT_EQ(NonZeroCells(store), 0);
}

TEST(CryptMapsTest, ExtremeValuesRoundTripAtTheCorners) {
    TCryptMaps store;
    const int corners[][4] = {{0, 0, 0, INT32_MIN}, {63, 63, 127, INT32_MAX},   {0, 63, 0, -1},
                              {63, 0, 127, -2},     {0, 0, 127, INT32_MIN + 1}, {63, 63, 0, 1}};
    for (const auto& c : corners) store.Set(c[0], c[1], c[2], c[3]);
    for (const auto& c : corners) EXPECT_EQ(store.Get(c[0], c[1], c[2]), c[3]) << c[0] << "," << c[1] << "," << c[2];
    EXPECT_EQ(NonZeroCells(store), 6);
}

TEST(CryptMapsTest, IndexesOutsideTheBoxReadZeroAndChangeNothing) {
    TCryptMaps store;
    const int outside[][3] = {{-1, 0, 0},  {64, 0, 0},      {0, -1, 0},      {0, 64, 0},   {0, 0, -1},
                              {0, 0, 128}, {INT_MIN, 0, 0}, {0, 0, INT_MAX}, {63, 63, 128}};
    for (const auto& at : outside) store.Set(at[0], at[1], at[2], 99);
    for (const auto& at : outside) EXPECT_EQ(store.Get(at[0], at[1], at[2]), 0);
    EXPECT_EQ(NonZeroCells(store), 0);
}

TEST(CryptMapsTest, WordsChangedBehindTheStoresBackReadAsZero) {
    TCryptMaps store;
    const auto cellA = WordsOfCell(store, 5, 31, 7);
    const auto cellB = WordsOfCell(store, 40, 2, 100);
    ASSERT_FALSE(cellA.empty());
    ASSERT_EQ(cellA.size(), cellB.size());
    const auto lineA = TCryptMapsTamper::Line(store, 5, 31);
    const auto lineB = TCryptMapsTamper::Line(store, 40, 2);

    store.Set(5, 31, 7, 1234);
    for (std::size_t word : cellA) {
        lineA[word] ^= 0x10u;
        EXPECT_EQ(store.Get(5, 31, 7), 0);
        lineA[word] ^= 0x10u;
        EXPECT_EQ(store.Get(5, 31, 7), 1234);
    }

    // A copy of another cell's words is no way to write a value either.
    for (std::size_t k = 0; k < cellA.size(); ++k) lineB[cellB[k]] = lineA[cellA[k]];
    EXPECT_EQ(store.Get(40, 2, 100), 0);
    EXPECT_EQ(store.Get(5, 31, 7), 1234);
}

TEST(CryptMapsTest, MemoryFollowsTheLinesWritten) {
    TCryptMaps store;
    EXPECT_EQ(TCryptMapsTamper::LinesInMemory(store), 0);
    store.Set(3, 31, 0, 0);  // a 0 where every cell reads 0 already takes no memory
    EXPECT_EQ(TCryptMapsTamper::LinesInMemory(store), 0);

    store.Set(3, 31, 0, 7);
    store.Set(3, 31, 127, -7);
    store.Set(3, 30, 5, 1);
    EXPECT_EQ(TCryptMapsTamper::LinesInMemory(store), 2);
    EXPECT_EQ(store.Get(3, 31, 1), 0);  // the rest of a new line reads 0
    store.Set(3, 31, 0, 0);
    EXPECT_EQ(store.Get(3, 31, 0), 0);
    EXPECT_EQ(store.Get(3, 31, 127), -7);

    store.Clear();
    EXPECT_EQ(TCryptMapsTamper::LinesInMemory(store), 0);
    EXPECT_EQ(store.Get(3, 31, 127), 0);
    store.Set(3, 31, 127, 9);
    EXPECT_EQ(store.Get(3, 31, 127), 9);
}

}  // namespace
}  // namespace vandor

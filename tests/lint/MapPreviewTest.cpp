#include "lint/MapPreview.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "TempFolder.h"
#include "resources/FileCache.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

constexpr TColor32 kObstacle = 0xFF805020;
constexpr TColor32 kBase = 0xFF3050FF;
constexpr TColor32 kUnreached = 0xFF505050;
constexpr TColor32 kEntry = 0xFFFF2020;

class MapPreviewTest : public ::testing::Test {
protected:
    MapPreviewTest() { Files.AddFolder(Folder.Folder()); }
    void Write(const std::string& name, const std::string& text) { WriteTextFile(Folder / name, text); }
    // A pixel of the cell clear of its grid line and its number.
    static TColor32 CellColour(const TBitmap32& picture, int x, int y) {
        const TRect cell = MapPreviewCell(x, y);
        return *picture.PixelPtr(cell.Left + 4, cell.Top + 4);
    }

    TTempFolder Folder;
    TFileCache Files{nullptr};
};

TEST_F(MapPreviewTest, DrawsObstaclesTheBaseCellsCutOffAndEntryPoints) {
    // Map keys count cells from -24: (3, 0) is MAP_27_24. Cell (8, 8) is walled in.
    std::string map = "MAP_27_24=1\n";
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0) map += "MAP_" + std::to_string(32 + dx) + "_" + std::to_string(32 + dy) + "=2\n";
        }
    }
    Write("st03.txt", map);
    Write("bt03-00.txt", "WC=1\nWEC_00=1\n");
    Write("bt03-01.txt", "WC=2\nWEC_00=2\nE_00_00_PX=5\nE_00_00_PY=-2\nWEC_01=1\n");
    const TBitmap32 picture = DrawMapPreview(Files, 3);
    EXPECT_EQ(CellColour(picture, 3, 0), kObstacle);
    EXPECT_EQ(CellColour(picture, 1, 1), kBase);
    EXPECT_EQ(CellColour(picture, 8, 8), kUnreached);
    const TRect entry = MapPreviewCell(5, -2);
    EXPECT_EQ(*picture.PixelPtr(entry.Left + 1, entry.Top + 1), kEntry);
    // Enemies without a place of their own come in at (9, 9).
    const TRect fallback = MapPreviewCell(9, 9);
    EXPECT_EQ(*picture.PixelPtr(fallback.Left + 1, fallback.Top + 1), kEntry);
    const TRect free = MapPreviewCell(-5, 4);
    EXPECT_NE(*picture.PixelPtr(free.Left + 1, free.Top + 1), kEntry);
    // Nearer cells are lighter.
    EXPECT_GT(CellColour(picture, 2, 0) >> 8 & 0xFF, CellColour(picture, 10, 0) >> 8 & 0xFF);
}

TEST_F(MapPreviewTest, ReadsTheWaveTableOfANewGamesFirstBattle) {
    EXPECT_EQ(FirstBattleWaveTable(Files, 3), "");
    Write("bt00-00.txt", "WC=1\n");
    EXPECT_EQ(FirstBattleWaveTable(Files, 3), "bt00-00.txt");
    Write("bt03-00.txt", "WC=1\n");
    EXPECT_EQ(FirstBattleWaveTable(Files, 3), "bt03-00.txt");
    Write("bt03-01.txt", "WC=1\n");
    EXPECT_EQ(FirstBattleWaveTable(Files, 3), "bt03-01.txt") << "area 3 starts with strength 4: a stronghold battle";
    // The homeland starts at strength 1, area 1 too; every area has a first stronghold battle.
    Write("bt01-00.txt", "WC=1\n");
    Write("bt01-01.txt", "WC=1\n");
    EXPECT_EQ(FirstBattleWaveTable(Files, 1), "bt01-01.txt");
    EXPECT_THROW(DrawMapPreview(Files, 0), std::invalid_argument);
    EXPECT_THROW(DrawMapPreview(Files, 15), std::invalid_argument);
}

}  // namespace
}  // namespace vandor

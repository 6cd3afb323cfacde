// The demo generator as the build runs it: the same inputs give the same bytes, and
// what it writes is what the engine expects of each kind of file.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "campaign/CampaignItems.h"
#include "campaign/WorldNames.h"
#include "compositor/LayerItem.h"
#include "resources/PictureCodec.h"
#include "sound/OggTone.h"
#include "util/Format.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

TBytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file below the folder by its path relative to it.
std::map<std::string, TBytes> Contents(const fs::path& folder) {
    std::map<std::string, TBytes> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = ReadAll(entry.path());
    }
    return files;
}

// The main demo, or with options "--companion" and the companion's data folder.
int Generate(const std::string& out, const std::string& options = "", const std::string& source = DEMO_SOURCE_DIR) {
    const std::string command =
        std::string("'") + DEMODATA_PATH + "' " + options + " '" + source + "' '" + out + "' >/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DemoDataTest, TwoRunsWriteTheSameBytesAndRefreshStaleFiles) {
    test::TTempFolder first, second;
    // A file left from an older generation must not survive into the archive.
    test::WriteTextFile(first / "bgimage/old_picture.png", "stale");
    ASSERT_EQ(Generate(first.Folder()), 0);
    ASSERT_EQ(Generate(second.Folder()), 0);
    const auto a = Contents(first.Folder());
    const auto b = Contents(second.Folder());
    EXPECT_FALSE(a.count("bgimage/old_picture.png"));
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
    }
}

// In the combined edition the companion's archive overrides this title's files of the
// same name: those it shares must be the very same bytes.
TEST(DemoDataTest, TheCompanionIsRepeatableAndSharesTheSameInterfaceFiles) {
    test::TTempFolder first, second;
    ASSERT_EQ(Generate(first.Folder(), "--companion", COMPANION_SOURCE_DIR), 0);
    ASSERT_EQ(Generate(second.Folder(), "--companion", COMPANION_SOURCE_DIR), 0);
    const auto a = Contents(first.Folder());
    EXPECT_TRUE(a == Contents(second.Folder()));
    EXPECT_TRUE(a.count("image/title_haiba.png") && a.count("image/title_plus.png") && a.count("scenario/bonus.txt"));
    EXPECT_FALSE(fs::exists(first / "fgimage")) << "the companion has no pictures of that kind";
    const auto main = Contents(DEMO_LOOSE_DIR);
    int shared = 0;
    for (const auto& [name, bytes] : a) {
        if (name.starts_with("scenario/") || !main.count(name)) continue;
        EXPECT_TRUE(bytes == main.at(name)) << name << " differs from this title's";
        ++shared;
    }
    EXPECT_GE(shared, 8) << "frames, buttons, interface sounds and the title music";
}

TEST(DemoDataTest, GeneratorRefusesMissingScripts) {
    test::TTempFolder out;
    const std::string command =
        std::string("'") + DEMODATA_PATH + "' '" + out.Folder() + "nothing' '" + out.Folder() + "x' 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

// The engine tells backgrounds, faces and standing pictures apart by size alone.
TEST(DemoDataTest, PicturesHaveTheSizesTheirRoleNeeds) {
    const fs::path loose = DEMO_LOOSE_DIR;
    int counted = 0;
    for (const char* folder : {"bgimage", "fgimage", "image"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(loose / folder)) {
            const TBytes bytes = ReadAll(entry.path());
            const TBitmap32 picture = DecodePicture(bytes.data(), bytes.size());
            const std::string name = entry.path().filename().string();
            ASSERT_FALSE(picture.Empty()) << name;
            ++counted;
            if (name.starts_with("bg_") || name == "title.png") {
                EXPECT_EQ(picture.Width(), 800) << name;
                EXPECT_EQ(picture.Height(), 600) << name;
            } else if (name.starts_with("fc_")) {
                EXPECT_EQ(picture.Width(), 200) << name;
                EXPECT_EQ(picture.Height(), 200) << name;
            } else if (name.starts_with("chr_")) {
                EXPECT_EQ(picture.Height(), 560) << name;
                EXPECT_NE(picture.Width(), picture.Height()) << name;
                // Transparent around the figure, solid in its middle.
                EXPECT_EQ(*picture.PixelPtr(0, 0) >> 24, 0u) << name;
                EXPECT_EQ(*picture.PixelPtr(picture.Width() / 2, 300) >> 24, 255u) << name;
            } else if (name.starts_with("btn")) {
                EXPECT_EQ(picture.Height() % 3, 0) << name << ": three frames of equal height";
                // A click is tested again on release, against the pressed frame: wherever
                // the normal frame can be hit, the pressed one must be hit too.
                const uint32_t hitAlpha = static_cast<uint32_t>(TLayerItem().HitAlpha);
                const int height = picture.Height() / 3;
                int lost = 0;
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < picture.Width(); ++x) {
                        const TColor32 normal = *picture.PixelPtr(x, y);
                        const TColor32 pressed = *picture.PixelPtr(x, y + 2 * height);
                        lost += (normal >> 24) >= hitAlpha && (pressed >> 24) < hitAlpha;
                    }
                }
                EXPECT_EQ(lost, 0) << name;
            }
        }
    }
    EXPECT_GT(counted, 30);
}

TBitmap32 LoosePicture(const std::string& name, const char* folder = "image") {
    const TBytes bytes = ReadAll(fs::path(DEMO_LOOSE_DIR) / folder / name);
    return DecodePicture(bytes.data(), bytes.size());
}

// The battle cuts its frames out of these pictures by coordinates and places them by
// their size, so each must have exactly its size.
TEST(DemoDataTest, BattlePicturesHaveTheSizesTheBattleCutsThemBy) {
    std::map<std::string, std::pair<int, int>> sizes = {
        {"bgi戦闘.png", {800, 600}},     {"地面.png", {384, 17}},          {"城.png", {48, 46}},
        {"城壁.png", {192, 32}},         {"マップチップ.png", {512, 64}},  {"弾丸.png", {32, 32}},
        {"btn戦闘開始.png", {128, 96}},  {"btn高速モード.png", {128, 96}}, {"btn一時停止.png", {128, 96}},
        {"btn汎用.png", {142, 72}},      {"frm戦場.png", {200, 130}},      {"frm耐久ゲージ.png", {200, 14}},
        {"frmメニュー.png", {150, 102}},
    };
    for (int t = 1; t <= 8; ++t) {
        sizes["塔" + std::to_string(t) + ".png"] = {32, 48};
        sizes["btn塔" + std::to_string(t) + ".png"] = {48, 144};
    }
    for (int kind = 1; kind <= 5; ++kind) sizes["敵ユニット0" + std::to_string(kind) + ".png"] = {72, 256};
    for (const char* caption :
         {"撃破", "殲滅", "敗北", "被撃1", "被撃2", "被撃3", "攻撃0", "攻撃0f", "攻撃2", "攻撃3", "攻撃4", "攻撃5"}) {
        sizes[std::string("ci") + caption + ".png"] = {800, 120};
    }
    // The areas' buttons, of three frames of the banner's 139 x 44, and the homeland's banner.
    for (int area = 1; area <= 14; ++area) {
        sizes[(area < 10 ? "fi戦場0" : "fi戦場") + std::to_string(area) + ".png"] = {800, 600};
        sizes[AreaButtonName(area)] = {139, 132};
    }
    sizes[AreaBannerName(1)] = {139, 132};
    for (int h = 1; h <= 10; ++h) sizes[(h < 10 ? "マスター0" : "マスター") + std::to_string(h) + ".png"] = {104, 140};
    for (const auto& [name, size] : sizes) {
        const TBitmap32 picture = LoosePicture(name);
        ASSERT_FALSE(picture.Empty()) << name;
        EXPECT_EQ(picture.Width(), size.first) << name;
        EXPECT_EQ(picture.Height(), size.second) << name;
    }
}

// A sprite that reaches the edge of its frame in a sheet is cut off there, or shows as
// a sliver at the edge of its neighbour: the outermost pixels of every frame stay clear.
TEST(DemoDataTest, BattleSpritesKeepInsideTheirFrames) {
    struct TSheet {
        std::string Name;
        int FrameWidth, FrameHeight;
    };
    std::vector<TSheet> sheets = {{"マップチップ.png", 32, 32}};
    for (int kind = 1; kind <= 5; ++kind) sheets.push_back({"敵ユニット0" + std::to_string(kind) + ".png", 24, 32});
    for (const TSheet& sheet : sheets) {
        const TBitmap32 picture = LoosePicture(sheet.Name);
        ASSERT_FALSE(picture.Empty()) << sheet.Name;
        for (int top = 0; top < picture.Height(); top += sheet.FrameHeight) {
            for (int left = 0; left < picture.Width(); left += sheet.FrameWidth) {
                int touching = 0;
                for (int y = top; y < top + sheet.FrameHeight; ++y) {
                    for (int x = left; x < left + sheet.FrameWidth; ++x) {
                        const bool edge = x == left || y == top || x == left + sheet.FrameWidth - 1 ||
                                          y == top + sheet.FrameHeight - 1;
                        touching += edge && (*picture.PixelPtr(x, y) >> 24) != 0;
                    }
                }
                EXPECT_EQ(touching, 0) << sheet.Name << " frame at (" << left << ", " << top << ")";
            }
        }
    }
}

// The colour of each cell of a grid laid over the picture, weighted by alpha, and the
// cell's alpha: pictures of different sizes compare cell by cell.
std::vector<double> Cells(const TBitmap32& picture, int grid) {
    std::vector<double> cells;
    for (int cy = 0; cy < grid; ++cy) {
        for (int cx = 0; cx < grid; ++cx) {
            double sums[4] = {};
            const int x0 = cx * picture.Width() / grid, x1 = (cx + 1) * picture.Width() / grid;
            const int y0 = cy * picture.Height() / grid, y1 = (cy + 1) * picture.Height() / grid;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const TColor32 pixel = *picture.PixelPtr(x, y);
                    const double alpha = (pixel >> 24) / 255.0;
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += alpha * ((pixel >> (8 * channel)) & 0xFF);
                    sums[3] += 255 * alpha;
                }
            }
            for (double sum : sums) cells.push_back(sum / ((x1 - x0) * (y1 - y0)));
        }
    }
    return cells;
}

// The icon theme gets one drawing at three sizes: each square, clear in its rounded
// corners, solid in the middle, and the same picture as the largest one.
TEST(DemoDataTest, IconIsOneSquarePictureAtEveryThemeSize) {
    const fs::path icons = fs::path(DEMO_LOOSE_DIR) / "icons";
    const auto load = [&](int size) {
        const TBytes bytes = ReadAll(icons / (std::to_string(size) + "x" + std::to_string(size) + ".png"));
        return DecodePicture(bytes.data(), bytes.size());
    };
    const TBitmap32 largest = load(256);
    constexpr int kGrid = 8;
    const std::vector<double> reference = Cells(largest, kGrid);
    for (const int size : {48, 128, 256}) {
        const TBitmap32 icon = load(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
            EXPECT_EQ(*icon.PixelPtr(x, y) >> 24, 0u) << size << ": corner " << x << ", " << y;
        }
        EXPECT_EQ(*icon.PixelPtr(size / 2, size / 2) >> 24, 255u) << size;
        const std::vector<double> cells = Cells(icon, kGrid);
        double worst = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) worst = std::max(worst, std::abs(cells[i] - reference[i]));
        EXPECT_LT(worst, 20) << size << " px differs from the 256 px icon";
    }
}

// The campaign's screens, the faces and figures of the heroines who join it, and its
// buttons: the scripts place them by these sizes.
TEST(DemoDataTest, CampaignPicturesHaveTheirSizes) {
    struct TExpected {
        const char* Folder;
        std::string Name;
        int Width, Height;
    };
    std::vector<TExpected> expected;
    for (const char* screen : {"bg_camp01.png", "bg_area01.png", "bg_items01.png", "bg_castle01.png"}) {
        expected.push_back({"bgimage", screen, 800, 600});
    }
    for (const char* heroine : {"setsuna", "kanae", "hibari", "amane", "yuzuriha"}) {
        expected.push_back({"fgimage", std::string("chr_") + heroine + "01.png", 360, 560});
        expected.push_back({"fgimage", std::string("fc_") + heroine + "01.png", 200, 200});
    }
    for (const char* command : {"war", "train", "court", "items", "rest"}) {
        expected.push_back({"image", std::string("btn_") + command + ".png", 240, 3 * 56});
    }
    expected.push_back({"image", "btn_back.png", 140, 3 * 44});
    for (int heroine = 1; heroine <= 8; ++heroine) {
        expected.push_back({"image", "btn_h0" + std::to_string(heroine) + ".png", 200, 3 * 56});
    }
    for (const TExpected& picture : expected) {
        const TBitmap32 bitmap = LoosePicture(picture.Name, picture.Folder);
        ASSERT_FALSE(bitmap.Empty()) << picture.Folder << "/" << picture.Name;
        EXPECT_EQ(bitmap.Width(), picture.Width) << picture.Name;
        EXPECT_EQ(bitmap.Height(), picture.Height) << picture.Name;
    }
}

int Luma(TColor32 pixel) {
    return (299 * (pixel >> 16 & 0xFF) + 587 * (pixel >> 8 & 0xFF) + 114 * (pixel & 0xFF)) / 1000;
}

// The darkest and brightest luma within the rectangle [left, right) x [top, bottom).
std::pair<int, int> LumaRange(const TBitmap32& picture, int left, int top, int right, int bottom) {
    std::pair<int, int> range{255, 0};
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const int luma = Luma(*picture.PixelPtr(x, y));
            range = {std::min(range.first, luma), std::max(range.second, luma)};
        }
    }
    return range;
}

// The game writes white numbers into the status band at fixed spots: each must be a
// plain dark ground, and the captions naming the numbers must be there beside them.
TEST(DemoDataTest, StatusBandKeepsTheNumbersOnPlainDarkGround) {
    struct TSpot {
        int Left, Top, Right;
    };
    const TSpot spots[] = {{12, 12, 50}, {202, 12, 228}, {308, 12, 334}, {410, 12, 470}, {558, 12, 662}, {752, 8, 772}};
    constexpr int kBottom = 38;
    for (const char* name : {"bg_camp01.png", "bg_area01.png", "bg_items01.png"}) {
        const TBitmap32 picture = LoosePicture(name, "bgimage");
        ASSERT_FALSE(picture.Empty()) << name;
        for (const TSpot& spot : spots) {
            const auto [darkest, brightest] = LumaRange(picture, spot.Left, spot.Top, spot.Right, kBottom);
            EXPECT_LT(brightest, 80) << name << ": the spot at x " << spot.Left << " is too light for white digits";
            EXPECT_LT(brightest - darkest, 24) << name << ": the spot at x " << spot.Left << " is not plain";
        }
        int captionPixels = 0;
        for (int y = 12; y < kBottom; ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const bool inSpot = std::any_of(std::begin(spots), std::end(spots),
                                                [&](const TSpot& s) { return x >= s.Left && x < s.Right; });
                captionPixels += !inSpot && Luma(*picture.PixelPtr(x, y)) > 120;
            }
        }
        EXPECT_GT(captionPixels, 300) << name << ": the band's captions are missing";
    }
}

// The ledger: white item names over every cell of the four columns and sixteen rows, and
// the white description in the band below them, each on a dark ground.
TEST(DemoDataTest, ItemLedgerIsDarkWhereTheGameWritesInWhite) {
    const TBitmap32 ledger = LoosePicture("bg_items01.png", "bgimage");
    ASSERT_FALSE(ledger.Empty());
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int left = 200 * column + 4, top = 106 + 25 * row;
            EXPECT_LT(LumaRange(ledger, left, top, left + 190, top + 17).second, 80)
                << "cell " << column << ", " << row;
        }
    }
    EXPECT_LT(LumaRange(ledger, 4, 514, 630, 598).second, 80) << "the description band";
    // Not dark everywhere: the heading shines above the list.
    EXPECT_GT(LumaRange(ledger, 200, 40, 600, 100).second, 150);
}

// Every place of the ledger carries its number, dimly at its right end: owned items
// then stand in a register of 64 numbered places, not in odd cells of an empty grid.
TEST(DemoDataTest, ItemLedgerNumbersEveryPlace) {
    const TBitmap32 ledger = LoosePicture("bg_items01.png", "bgimage");
    ASSERT_FALSE(ledger.Empty());
    for (int item = 1; item <= 64; ++item) {
        const int right = ((item - 1) % 4 + 1) * 200, top = 102 + (item - 1) / 4 * 25;
        const auto [darkest, brightest] = LumaRange(ledger, right - 40, top + 4, right - 2, top + 22);
        EXPECT_GT(brightest - darkest, 15) << "place " << item << " carries no number";
        EXPECT_LT(brightest, 80) << "place " << item << ": its number outshines the names";
    }
}

// The buttons' strips under the strength boxes are see-through: nothing drawn on the
// map may lie under the boxes of any area button the map script places, roads least.
TEST(DemoDataTest, MapKeepsTheStrengthBoxesClear) {
    const TBitmap32 map = LoosePicture("bg_area01.png", "bgimage");
    ASSERT_FALSE(map.Empty());
    std::istringstream script(test::ReadTextFile(std::string(DEMO_SOURCE_DIR) + "/scenario/出陣.txt"));
    int buttons = 0;
    for (std::string line; std::getline(script, line);) {
        if (line.rfind("[ボタン/btn", 0) != 0) continue;
        std::vector<std::string> words;
        std::istringstream fields(line.substr(1, line.size() - 2));
        for (std::string word; std::getline(fields, word, '/');) words.push_back(word);
        for (int area = 2; area <= 14; ++area) {
            if (words.size() < 7 || words[1] != AreaButtonName(area)) continue;
            ++buttons;
            // The seven boxes the game draws from the button's corner + (50, 22), 11 apart.
            const int left = std::stoi(words[5]) + 50, top = std::stoi(words[6]) + 22;
            const auto [darkest, brightest] = LumaRange(map, left - 1, top - 1, left + 6 * 11 + 10, top + 13);
            EXPECT_LT(brightest - darkest, 30) << AreaName(area) << ": the map shows through its boxes";
        }
    }
    EXPECT_EQ(buttons, 13);
}

// An enemy's first frame, standing on its entry cell, lies inside the battle's picture
// and clear of the status panel in the top right corner, in every wave of every battle.
TEST(DemoDataTest, EnemiesEnterWhereThePlayerSeesThem) {
    const TBitmap32 panel = LoosePicture("frm戦場.png");
    ASSERT_FALSE(panel.Empty());
    int entries = 0;
    for (const fs::directory_entry& file : fs::directory_iterator(fs::path(DEMO_LOOSE_DIR) / "scenario")) {
        const std::string name = file.path().filename().string();
        if (name.rfind("bt", 0) != 0) continue;
        std::map<std::string, int> values;
        std::istringstream lines(test::ReadTextFile(file.path().string()));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) values[line.substr(0, equals)] = std::stoi(line.substr(equals + 1));
        }
        for (const auto& [key, x] : values) {
            if (key.size() < 3 || key.compare(key.size() - 3, 3, "_PX") != 0) continue;
            const std::string enemy = key.substr(0, key.size() - 3);
            const int y = values[enemy + "_PY"];
            const TBitmap32 sheet = LoosePicture(Format("敵ユニット%.2d.png", values[enemy + "_ID"]));
            ASSERT_FALSE(sheet.Empty()) << name << " " << enemy;
            const int width = sheet.Width() / 3, height = sheet.Height() / 8;
            const int sx = 400 + 16 * (x + y), sy = 260 + 8 * (x - y);
            const int left = sx - width / 2, right = sx + width / 2, top = sy - height;
            EXPECT_TRUE(left >= 0 && right <= 800) << name << " " << enemy << " enters off the picture";
            EXPECT_FALSE(right > 800 - panel.Width() && top < panel.Height())
                << name << " " << enemy << " enters under the status panel";
            ++entries;
        }
    }
    EXPECT_GT(entries, 1000);
}

// The numbers' fields are fixed, so the band frames each number with its caption in a
// plate of its own, told by the gold lines of its ends, and spaces the plates evenly.
TEST(DemoDataTest, StatusBandSpacesItsPlatesEvenly) {
    const std::pair<int, int> spots[] = {{12, 50}, {202, 228}, {308, 334}, {410, 470}, {558, 662}, {752, 772}};
    for (const char* name : {"bg_camp01.png", "bg_area01.png", "bg_items01.png"}) {
        const TBitmap32 picture = LoosePicture(name, "bgimage");
        ASSERT_FALSE(picture.Empty()) << name;
        // The plates' ends: columns light from top to bottom, where captions never are.
        std::vector<int> ends;
        for (int x = 0; x < picture.Width(); ++x) {
            bool light = true;
            for (int y = 8; y < 35 && light; ++y) light = Luma(*picture.PixelPtr(x, y)) > 70;
            if (light && (ends.empty() || ends.back() != x - 1)) ends.push_back(x);
        }
        ASSERT_EQ(ends.size(), 2 * std::size(spots)) << name;
        std::vector<int> gaps;
        for (std::size_t i = 0; i < std::size(spots); ++i) {
            EXPECT_LT(ends[2 * i], spots[i].first) << name << ": plate " << i;
            EXPECT_GT(ends[2 * i + 1], spots[i].second) << name << ": plate " << i;
            if (i > 0) gaps.push_back(ends[2 * i] - ends[2 * i - 1]);
        }
        const auto [narrowest, widest] = std::minmax_element(gaps.begin(), gaps.end());
        EXPECT_LE(*widest - *narrowest, 1) << name << ": the plates are unevenly spaced";
    }
}

// How far apart two pictures are where they differ most: the largest difference of one
// cell's colour and alpha (see Cells) over the grid.
double Difference(const TBitmap32& a, const TBitmap32& b, int grid) {
    const std::vector<double> x = Cells(a, grid), y = Cells(b, grid);
    double largest = 0;
    for (std::size_t cell = 0; cell < x.size(); cell += 4) {
        double sum = 0;
        for (std::size_t i = cell; i < cell + 4; ++i) sum += std::abs(x[i] - y[i]);
        largest = std::max(largest, sum);
    }
    return largest;
}

// The player picks a heroine by her figure and by her button's chip: no two of the
// eight may look alike in either.
TEST(DemoDataTest, HeroinesAreToldApartAtAGlance) {
    const char* const stems[] = {"rize", "mio", "noel", "setsuna", "kanae", "hibari", "amane", "yuzuriha"};
    std::vector<TBitmap32> figures, chips;
    for (int h = 0; h < 8; ++h) {
        figures.push_back(LoosePicture(std::string("chr_") + stems[h] + "01.png", "fgimage"));
        const TBitmap32 button = LoosePicture("btn_h0" + std::to_string(h + 1) + ".png");
        ASSERT_FALSE(figures.back().Empty() || button.Empty()) << stems[h];
        // The chip of the normal frame, at the button's left end.
        TBitmap32 chip(44, 44);
        for (int y = 0; y < 44; ++y) {
            for (int x = 0; x < 44; ++x) *chip.PixelPtr(x, y) = *button.PixelPtr(9 + x, 6 + y);
        }
        chips.push_back(std::move(chip));
    }
    for (int a = 0; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b) {
            EXPECT_GT(Difference(figures[a], figures[b], 6), 40) << stems[a] << " and " << stems[b] << " look alike";
            EXPECT_GT(Difference(chips[a], chips[b], 4), 40)
                << stems[a] << "'s and " << stems[b] << "'s chips look alike";
        }
    }
}

// The spoils name every item by the table's name, and only consumables are offered
// as gifts (each used up by its own number).
TEST(DemoDataTest, ItemScriptsFollowTheItemTable) {
    const std::string folder = std::string(DEMO_LOOSE_DIR) + "/scenario/";
    const std::string spoils = test::ReadTextFile(folder + "戦利品.txt");
    const std::string gifts = test::ReadTextFile(folder + "贈り物.txt");
    for (int item = 1; item <= kItemCount; ++item) {
        EXPECT_NE(spoils.find(Format("[ジャンプ/*品%.2d/./予約アイテム=%d]", item, item)), std::string::npos) << item;
        EXPECT_NE(spoils.find(std::string("「") + ItemName(item) + "」を手に入れた。"), std::string::npos) << item;
        const bool offered = gifts.find(Format("[アイテム消費/%d]\n", item)) != std::string::npos;
        EXPECT_EQ(offered, IsConsumable(item)) << item;
    }
}

TEST(DemoDataTest, SoundsDecodeWithoutClipping) {
    const fs::path loose = DEMO_LOOSE_DIR;
    for (const char* folder : {"bgm", "sound"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(loose / folder)) {
            const std::vector<int16_t> samples = test::DecodeOgg(ReadAll(entry.path()));
            const std::string name = entry.path().filename().string();
            ASSERT_GT(samples.size(), 44100u / 20) << name;
            int peak = 0;
            for (int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
            EXPECT_LT(peak, 32000) << name << " clips";
            EXPECT_GT(peak, 3000) << name << " is nearly silent";
        }
    }
}

}  // namespace
}  // namespace vandor

// Arbitrary bytes as a player's mouse and the passing frames in a battle on a fixed
// small map and wave table: whatever is pressed, dragged and released, and however
// fast the frames come, the battle keeps its books, its field and its end straight.
//
// The bytes are a list of actions, each a code byte and its arguments:
//   0 X1 X2 Y1 Y2   move the pointer to the point (X, Y), a little beyond the client area too
//   1 CX CY         move the pointer to the middle of a cell's tile
//   2 B             move the pointer to the middle of a button (start, fast, pause, build 1..8,
//                   the pop-up's three)
//   3 M             press a button (left, right or middle by M % 3; Shift held when M & 4)
//   4 M             release a button, the same way
//   5 N T           N % 8 + 1 frames of T milliseconds each
//   6               fast mode: a left click on the fast button, wherever it is
//   7               a left click where the pointer is
// Input that ends inside an action ends the run.

#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "BattlePictures.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "sound/SoundPlayer.h"
#include "util/Format.h"

namespace {

using namespace vandor;

struct TCellAt {
    int X, Y;
};

// Obstacles inside the building area, one outside it and one in the base square
// (which the map may not take); every one leaves the base a way in from all sides.
constexpr std::array<TCellAt, 7> kObstacles{{{3, 3}, {4, 3}, {5, 3}, {-4, -2}, {2, -6}, {11, 0}, {1, 1}}};

// Three waves: slow weak enemies from two corners, one that wipes the field when it
// reaches the base, and a quick strong last wave that takes the base unless raised
// towers stop it.
constexpr const char* kWaves =
    "WC=3\n"
    "WEC_00=3\nWED_00=8\n"
    "E_00_00_PX=9\nE_00_00_PY=9\nE_00_00_HP=3\nE_00_00_SP=40\nE_00_00_MN=150\n"
    "E_00_01_PX=9\nE_00_01_PY=-9\nE_00_01_HP=3\nE_00_01_SP=40\nE_00_01_MN=150\n"
    "E_00_02_PX=-9\nE_00_02_PY=9\nE_00_02_HP=6\nE_00_02_SP=30\nE_00_02_TM=1\nE_00_02_MN=300\n"
    "WEC_01=2\nWED_01=2\n"
    "E_01_00_PX=13\nE_01_00_PY=0\nE_01_00_HP=123456\nE_01_00_SP=200\nE_01_00_MN=50\n"
    "E_01_01_PX=0\nE_01_01_PY=13\nE_01_01_HP=4\nE_01_01_SP=60\nE_01_01_TM=1\nE_01_01_MN=200\n"
    "WEC_02=6\nWED_02=6\n"
    "E_02_00_HP=400\nE_02_00_SP=200\nE_02_01_HP=400\nE_02_01_SP=200\nE_02_02_HP=400\nE_02_02_SP=200\n"
    "E_02_03_HP=400\nE_02_03_SP=200\nE_02_04_HP=400\nE_02_04_SP=200\nE_02_05_HP=400\nE_02_05_SP=200\n";

// A run plays no more frames than this, however its bytes ask: enough for the three
// waves in fast mode, and few enough that the fuzzer tries many runs.
constexpr int kMaxFrames = 400;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void WritePicture(const std::filesystem::path& path, int width, int height) {
    if (!test::SaveGreyPicture(path.string(), width, height)) __builtin_trap();
}

// The pictures the pointer finds on screen (those of the battle tests), the terrain and
// enemies, and the captions, which hold presses while they show.
std::string MakeDataFolder() {
    const auto folder =
        std::filesystem::temp_directory_path() / ("vandor-fuzz-battle-input-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    if (!test::SaveBattlePointerPictures(folder.string() + "/")) __builtin_trap();
    WritePicture(folder / "マップチップ.png", 512, 64);
    WritePicture(folder / "敵ユニット01.png", 72, 256);
    for (const char* caption : {"fi戦場01.png", "ci殲滅.png", "ci撃破.png", "ci敗北.png"})
        WritePicture(folder / caption, 800, 100);

    std::string map;
    for (const TCellAt& cell : kObstacles) {
        map += Format("MAP_%d_%d=1\n", cell.X + TQTDGame::kGrid, cell.Y + TQTDGame::kGrid);
    }
    WriteFile(folder / "st01.txt", map);
    WriteFile(folder / "bt00-00.txt", kWaves);
    return folder.string() + "/";
}

// What every battle of the runs reads its files from and plays through.
struct TServices {
    TSimulatedClock Clock;
    THeadlessWaveDevice Device{Clock};
    TFileCache Files{nullptr};
    TAImageCache Images{Files, nullptr, TAImageCache::kDebugLimit};
    TSoundPlayer Sound{Device, &Files};

    TServices() { Files.AddFolder(MakeDataFolder()); }
};

bool IsObstacle(int x, int y) {
    if (TQTDGame::InBaseSquare(x, y)) return false;
    for (const TCellAt& cell : kObstacles) {
        if (cell.X == x && cell.Y == y) return true;
    }
    return false;
}

// The bytes of the input, read front to back; reading past the end ends the run.
class TReader {
public:
    TReader(const uint8_t* data, std::size_t size) : Data_(data), Size_(size) {}
    bool Next(int& value) {
        if (At_ >= Size_) return false;
        value = Data_[At_++];
        return true;
    }
    bool Next16(int& value) {
        int high = 0;
        int low = 0;
        if (!Next(high) || !Next(low)) return false;
        value = high << 8 | low;
        return true;
    }

private:
    const uint8_t* Data_;
    std::size_t Size_;
    std::size_t At_ = 0;
};

struct TPlayer {
    TQTDGame& Battle;
    int X = 0;
    int Y = 0;
    int Frames = 0;

    void MoveTo(int x, int y) {
        X = x;
        Y = y;
        Battle.MouseMove(x, y);
    }
    void MoveToMiddle(const TLayerItem& layer) {
        const TRect& r = layer.DstRect();
        MoveTo((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Click() {
        Battle.MouseDown(TMouseButton::mbLeft, 0, X, Y);
        Battle.MouseUp(TMouseButton::mbLeft, 0, X, Y);
    }
};

const TLayerItem* Button(const TQTDGame& battle, int which) {
    if (which == 0) return battle.StartButton;
    if (which == 1) return battle.FastButton;
    if (which == 2) return battle.PauseButton;
    if (which < 3 + kTowerTypes - 1) return battle.BuildButtons[static_cast<std::size_t>(which - 2)];
    return battle.PopUpButtons[static_cast<std::size_t>(which - 2 - kTowerTypes)];
}
constexpr int kButtons = 3 + (kTowerTypes - 1) + 3;

// What must hold after every action.
void Check(TQTDGame& battle, int ends, bool buildingsMayHaveChanged) {
    if (battle.Money() < 0) __builtin_trap();
    if (battle.BaseHP() > battle.BaseMaxHP) __builtin_trap();
    if (battle.WaveIndex < 0 || battle.WaveIndex > battle.WaveCount) __builtin_trap();
    if (battle.Spawned < 0 || battle.Spawned > battle.WaveSize) __builtin_trap();
    if (battle.EnemiesLeft() < 0 || battle.EnemiesLeft() > battle.WaveSize) __builtin_trap();
    if (battle.Speed != 1 && battle.Speed != -1 && battle.Speed != TQTDGame::kFastSpeed &&
        battle.Speed != -TQTDGame::kFastSpeed) {
        __builtin_trap();
    }
    // The battle ends once, and nothing runs after its end.
    if (ends > 1 || (ends == 1 && !battle.Prep)) __builtin_trap();
    // A tower is being placed exactly while its ghost exists, and only in a preparation.
    if ((battle.Ghost != nullptr) != battle.PlacementMode) __builtin_trap();
    if (battle.PlacementMode && !battle.Prep) __builtin_trap();

    TDistanceField::TOccupied occupied{};
    for (int y = -TQTDGame::kGrid; y <= TQTDGame::kGrid; ++y) {
        for (int x = -TQTDGame::kGrid; x <= TQTDGame::kGrid; ++x) {
            const TQTDGame::TCell& cell = battle.Cell(x, y);
            occupied[static_cast<std::size_t>(TDistanceField::Index(x, y))] =
                TQTDGame::InTowerRegion(x, y) && cell.Building != nullptr;
            if (x == 0 && y == 0) {
                if (cell.Type != 0 || cell.Level < 1 || cell.Level > kTowerLevels || !cell.Building) __builtin_trap();
            } else if (IsObstacle(x, y) && TQTDGame::InDrawnField(x, y)) {
                if (cell.Type != -1 || cell.Level != -1 || !cell.Building) __builtin_trap();
            } else if (cell.Type >= 1) {
                // A tower stands on a building cell only: in the building area, outside
                // the base square and off the map's obstacles.
                if (!TQTDGame::InBuildArea(x, y) || TQTDGame::InBaseSquare(x, y)) __builtin_trap();
                if (cell.Type >= kTowerTypes || cell.Level < 1 || cell.Level > kTowerLevels || !cell.Building)
                    __builtin_trap();
            } else if (cell.Type != -1) {
                __builtin_trap();
            }
        }
    }
    // No tower cuts the enemies off from the base: (13, 13) stands for every spawn point.
    if (buildingsMayHaveChanged) {
        TDistanceField field;
        field.Compute(occupied, 0, 0);
        if (field.Dist(13, 13) >= TDistanceField::kNotReached) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TServices services;

    // A battle of its own for every input, so that a run depends on its bytes alone.
    std::mt19937 random(1);
    TQTDGame battle({services.Images, services.Files, services.Sound, random});
    TQTDGameDat campaign(battle.Store());
    battle.Campaign = &campaign;
    int ends = 0;
    battle.OnBattleEnd = [&ends] { ++ends; };
    battle.StartBattle(1);
    Check(battle, ends, true);

    TPlayer player{battle};
    TReader input(data, size);
    int code = 0;
    while (input.Next(code) && player.Frames < kMaxFrames) {
        int a = 0;
        int b = 0;
        bool released = false;
        switch (code % 8) {
            case 0:
                if (!input.Next16(a) || !input.Next16(b)) return 0;
                player.MoveTo(a % 832 - 16, b % 632 - 16);
                break;
            case 1: {
                if (!input.Next(a) || !input.Next(b)) return 0;
                const TProjection point = TQTDGame::ProjectCell(a % 27 - 13, b % 27 - 13);
                player.MoveTo(point.X, point.Y - 8);
                break;
            }
            case 2:
                if (!input.Next(a)) return 0;
                player.MoveToMiddle(*Button(battle, a % kButtons));
                break;
            case 3:
            case 4: {
                if (!input.Next(a)) return 0;
                const auto button = static_cast<TMouseButton>(a % 3);
                const TShiftState shift = (a & 4) ? ssShift : 0;
                if (code % 8 == 3) {
                    battle.MouseDown(button, shift, player.X, player.Y);
                } else {
                    battle.MouseUp(button, shift, player.X, player.Y);
                    released = true;
                }
                break;
            }
            case 5:
                if (!input.Next(a) || !input.Next(b)) return 0;
                for (int i = 0; i <= a % 8 && player.Frames < kMaxFrames; ++i, ++player.Frames) battle.Update(b);
                break;
            case 6:
                player.MoveToMiddle(*battle.FastButton);
                player.Click();
                released = true;
                break;
            default:
                player.Click();
                released = true;
                break;
        }
        Check(battle, ends, released);
    }
    return 0;
}

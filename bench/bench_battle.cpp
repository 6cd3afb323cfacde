// The battle's frame at fast speed on a crowded field, the walking-distance field that
// placement computes once per free cell, entering placement mode, and a frame's
// panels, against a memcpy of one back surface.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "resources/PictureCodec.h"
#include "sound/OggTone.h"
#include "sound/SoundPlayer.h"

#include "BenchSupport.h"

namespace {

using namespace vandor;
namespace fs = std::filesystem;

constexpr std::size_t kSurfaceBytes = std::size_t{800} * 600 * sizeof(TColor32);
constexpr int kProjectilesInFlight = 4000;

// A battle on a data folder with all its pictures and effects, whose wave 0 brings 128
// enemies that do not die in from the edge of the field; area 2 has 20 obstacles.
class TBenchBattle {
public:
    TBenchBattle() : Dir_(fs::temp_directory_path() / ("vandor_bench_battle_" + std::to_string(::getpid()))) {
        fs::create_directories(Dir_);
        WriteData();
        Files_.AddFolder(Dir_.string() + "/");
        Game = std::make_unique<TQTDGame>(TBattleServices{Images_, Files_, Sound_, Random});
        Dat_ = std::make_unique<TQTDGameDat>(Game->Store());
        Game->Campaign = Dat_.get();
        Dat_->SetHeroinePresent(1, false);  // no cut-in holds a frame
    }
    ~TBenchBattle() {
        Dat_.reset();
        Game.reset();
        fs::remove_all(Dir_);
    }
    // The area title's frames.
    void Frames(int count) {
        for (int i = 0; i < count; ++i) Game->Update(20);
    }

    TQTDGameDat& Campaign() { return *Dat_; }

    std::unique_ptr<TQTDGame> Game;
    std::mt19937 Random{2024};

private:
    void Picture(const std::string& name, int width, int height, TColor32 colour) {
        TBitmap32 picture(width, height);
        picture.Clear(colour);
        SavePng(picture, (Dir_ / name).string());
    }
    void WriteData() {
        Picture("bgi戦闘.png", 800, 600, 0xFF203040);
        Picture("地面.png", 384, 17, 0xFF608040);
        Picture("城.png", 48, 46, 0xFF808080);
        Picture("城壁.png", 192, 32, 0xFF707070);
        Picture("弾丸.png", 32, 32, 0xC0FFE080);
        Picture("マップチップ.png", 512, 64, 0xFF705030);
        for (const char* name :
             {"frm戦場.png", "frm耐久ゲージ.png", "frmメニュー.png", "fi戦場01.png", "fi戦場02.png"}) {
            Picture(name, 200, 130, 0x80000000);
        }
        for (const char* name : {"btn戦闘開始.png", "btn高速モード.png", "btn一時停止.png", "btn汎用.png"}) {
            Picture(name, 128, 96, 0xFF405060);
        }
        for (int t = 1; t <= 8; ++t) {
            Picture("btn塔" + std::to_string(t) + ".png", 48, 144, 0xFF504030);
            Picture("塔" + std::to_string(t) + ".png", 32, 48, 0xFF806040);
        }
        for (int id = 1; id <= 4; ++id) Picture("敵ユニット0" + std::to_string(id) + ".png", 96, 256, 0xE0A03030);
        const TBytes effect = test::MakeToneOgg(2, 200);
        for (const char* name : {"se-b-00.ogg", "se-b-01.ogg", "se-b-03.ogg", "se-b-04.ogg", "se-b-07.ogg"}) {
            std::ofstream(Dir_ / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(effect.data()), static_cast<std::streamsize>(effect.size()));
        }
        std::string waves = "WEC_00=128\n";
        for (int i = 0; i < TQTDGame::kMaxEnemies; ++i) {
            const int along = i % 27 - 13;
            const int x = i % 4 == 0 ? 13 : i % 4 == 1 ? -13 : along;
            const int y = i % 4 == 2 ? 13 : i % 4 == 3 ? -13 : along;
            char lines[200];
            std::snprintf(lines, sizeof lines,
                          "E_00_%.2d_PX=%d\nE_00_%.2d_PY=%d\nE_00_%.2d_HP=1000000\nE_00_%.2d_SP=%d\nE_00_%.2d_ID=%d\n",
                          i, x, i, y, i, i, 2 + i % 3, i, 1 + i % 4);
            waves += lines;
        }
        std::ofstream(Dir_ / "bt01-00.txt", std::ios::binary) << waves;
        std::string map;
        for (int k = 0; k < 20; ++k)
            map += "MAP_" + std::to_string(24 - 9 + k) + "_" + std::to_string(24 + 5 + k % 3) + "=1\n";
        std::ofstream(Dir_ / "st02.txt", std::ios::binary) << map;
    }

    fs::path Dir_;
    TFileCache Files_{nullptr};
    TAImageCache Images_{Files_, nullptr, TAImageCache::kDebugLimit};
    TSimulatedClock Clock_;
    THeadlessWaveDevice Device_{Clock_};
    TSoundPlayer Sound_{Device_, &Files_, nullptr};
    std::unique_ptr<TQTDGameDat> Dat_;
};

// Towers of seven types on every other cell fire at the wave's enemies at fast speed.
class TCrowdedBattle {
public:
    TCrowdedBattle() {
        TQTDGame& game = *Battle_.Game;
        game.StartBattle(1);
        constexpr std::array<int, 7> kTypes{1, 2, 3, 4, 5, 7, 8};
        for (int y = -8; y <= 8; y += 2) {
            for (int x = -8; x <= 8; x += 2) {
                if (x == 0 && y == 0) continue;
                game.Build(x, y, kTypes[Towers_.size() % kTypes.size()]);
                game.Cell(x, y).Level = static_cast<int>(Towers_.size() % 5) + 1;
                Towers_.push_back({x, y});
            }
        }
        Battle_.Frames(20);
        game.StartWave();
        game.Speed = TQTDGame::kFastSpeed;
        game.Update(20);
    }

    // Shots and debris back up to the figure in flight, and the base back to full.
    void Refill() {
        TQTDGame& game = *Battle_.Game;
        game.SetBaseHP(game.BaseMaxHP);
        std::mt19937& random = Battle_.Random;
        for (int n = game.ProjectileCount(); n < kProjectilesInFlight; ++n) {
            const int enemy = static_cast<int>(random() % TQTDGame::kMaxEnemies);
            if (n % 2) {
                game.SpawnDebris(enemy);
            } else {
                const TPoint& tower = Towers_[random() % Towers_.size()];
                game.Fire(tower.X, tower.Y, enemy);
            }
        }
    }

    TQTDGame& Game() { return *Battle_.Game; }

private:
    TBenchBattle Battle_;
    std::vector<TPoint> Towers_;
};

void BattleFrameFast(benchmark::State& state) {
    TCrowdedBattle battle;
    for (auto _ : state) {
        state.PauseTiming();
        battle.Refill();
        state.ResumeTiming();
        benchmark::DoNotOptimize(battle.Game().Update(20));
    }
}

// 40 blocked cells: a ring round the base open on one side, and a wall beyond it.
std::array<uint8_t, TDistanceField::kCells> Maze() {
    std::array<uint8_t, TDistanceField::kCells> occupied{};
    const auto block = [&](int x, int y) { occupied[static_cast<std::size_t>(TDistanceField::Index(x, y))] = 1; };
    for (int x = -3; x <= 3; ++x) block(x, -3);
    for (int y = -2; y <= 3; ++y) block(3, y);
    for (int x = -3; x <= 2; ++x) block(x, 3);
    for (int y = -2; y <= 1; ++y) block(-3, y);
    for (int x = -6; x <= 6; ++x) block(x, 6);
    for (int y = 2; y <= 5; ++y) block(-6, y);
    return occupied;
}

void ComputeDistances(benchmark::State& state, const std::array<uint8_t, TDistanceField::kCells>& occupied) {
    TDistanceField field;
    for (auto _ : state) {
        field.Compute(occupied, 0, 0);
        benchmark::DoNotOptimize(field.Dist(13, 13));
        benchmark::ClobberMemory();
    }
}

// Entering placement tests every free cell of the building area: on the empty field of
// area 1, and on area 2 with its 20 obstacles and 20 towers in two rows.
void PlacementEnter(benchmark::State& state, int area) {
    TBenchBattle battle;
    TQTDGame& game = *battle.Game;
    game.StartBattle(area);
    for (int x = -9; x <= 9 && area == 2; x += 2) {
        game.Build(x, -7, 2);
        game.Build(x, -3, 3);
    }
    battle.Frames(20);
    for (auto _ : state) {
        game.SetPlacementMode(true);
        state.PauseTiming();
        game.SetPlacementMode(false);
        state.ResumeTiming();
    }
}

// A frame's panels during a running wave: the status panel's timer, a new time each frame.
void RefreshPanelsWave(benchmark::State& state) {
    TBenchBattle battle;
    TQTDGame& game = *battle.Game;
    game.StartBattle(1);
    battle.Frames(20);
    game.StartWave();
    game.RefreshPanels();
    for (auto _ : state) {
        ++game.Ticks;
        game.RefreshPanels();
    }
}

// Every panel marked, as after a tower is placed: the tower selected, with its heroine
// and the pop-up.
void RefreshPanelsAll(benchmark::State& state) {
    TBenchBattle battle;
    TQTDGame& game = *battle.Game;
    battle.Campaign().SetAffection(4, 5);
    battle.Campaign().SetTraining(4, 3);
    game.StartBattle(1);
    battle.Frames(20);
    game.Build(2, 3, 4);
    game.HeroineOf[4] = 4;
    game.Selected = {2, 3};
    for (auto _ : state) {
        game.Marks.All();
        game.Marks.PopUp = true;
        game.RefreshPanels();
    }
}

const bool kRegistered = [] {
    const auto memcpy = [](benchmark::State& state) { bench::MemcpyBench(state, kSurfaceBytes); };
    benchmark::RegisterBenchmark("battle_frame_fast", BattleFrameFast)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("battle_frame_fast_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("compute_distances_empty", [](benchmark::State& state) {
        ComputeDistances(state, {});
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("compute_distances_empty_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("compute_distances_maze", [](benchmark::State& state) {
        ComputeDistances(state, Maze());
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("compute_distances_maze_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("placement_enter_empty", PlacementEnter, 1)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("placement_enter_empty_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("placement_enter_crowded", PlacementEnter, 2)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("placement_enter_crowded_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("refresh_panels_wave", RefreshPanelsWave)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("refresh_panels_wave_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("refresh_panels_all", RefreshPanelsAll)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("refresh_panels_all_memcpy", memcpy)->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace

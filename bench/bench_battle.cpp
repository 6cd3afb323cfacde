// The battle's frame at fast speed on a crowded field, and the walking-distance field
// that placement computes once per free cell, against a memcpy of one back surface.

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

// A battle on a data folder with all its pictures and effects: 128 enemies that do not
// die walk in from the edge of the field while towers of seven types fire at them.
class TCrowdedBattle {
public:
    TCrowdedBattle() : Dir_(fs::temp_directory_path() / ("vandor_bench_battle_" + std::to_string(::getpid()))) {
        fs::create_directories(Dir_);
        WriteData();
        Files_.AddFolder(Dir_.string() + "/");
        Game = std::make_unique<TQTDGame>(TBattleServices{Images_, Files_, Sound_, Random_});
        Dat_ = std::make_unique<TQTDGameDat>(Game->Store());
        Game->Campaign = Dat_.get();
        Dat_->SetHeroinePresent(1, false);  // no cut-in holds a frame
        Game->StartBattle(1);
        constexpr std::array<int, 7> kTypes{1, 2, 3, 4, 5, 7, 8};
        for (int y = -8; y <= 8; y += 2) {
            for (int x = -8; x <= 8; x += 2) {
                if (x == 0 && y == 0) continue;
                Game->Build(x, y, kTypes[Towers_.size() % kTypes.size()]);
                Game->Cell(x, y).Level = static_cast<int>(Towers_.size() % 5) + 1;
                Towers_.push_back({x, y});
            }
        }
        for (int i = 0; i < 20; ++i) Game->Update(20);  // the area title
        Game->StartWave();
        Game->Speed = TQTDGame::kFastSpeed;
        Game->Update(20);
    }
    ~TCrowdedBattle() {
        Dat_.reset();
        Game.reset();
        fs::remove_all(Dir_);
    }

    // Shots and debris back up to the figure in flight, and the base back to full.
    void Refill() {
        Game->SetBaseHP(Game->BaseMaxHP);
        for (int n = Game->ProjectileCount(); n < kProjectilesInFlight; ++n) {
            const int enemy = static_cast<int>(Random_() % TQTDGame::kMaxEnemies);
            if (n % 2) {
                Game->SpawnDebris(enemy);
            } else {
                const TPoint& tower = Towers_[Random_() % Towers_.size()];
                Game->Fire(tower.X, tower.Y, enemy);
            }
        }
    }

    std::unique_ptr<TQTDGame> Game;

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
        for (const char* name : {"frm戦場.png", "frm耐久ゲージ.png", "frmメニュー.png", "fi戦場01.png"}) {
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
            std::snprintf(lines, sizeof lines, "E_00_%.2d_PX=%d\nE_00_%.2d_PY=%d\nE_00_%.2d_HP=1000000\nE_00_%.2d_SP=%d\nE_00_%.2d_ID=%d\n",
                          i, x, i, y, i, i, 2 + i % 3, i, 1 + i % 4);
            waves += lines;
        }
        std::ofstream(Dir_ / "bt01-00.txt", std::ios::binary) << waves;
    }

    fs::path Dir_;
    TFileCache Files_{nullptr};
    TAImageCache Images_{Files_, nullptr, TAImageCache::kDebugLimit};
    TSimulatedClock Clock_;
    THeadlessWaveDevice Device_{Clock_};
    TSoundPlayer Sound_{Device_, &Files_, nullptr};
    std::mt19937 Random_{2024};
    std::unique_ptr<TQTDGameDat> Dat_;
    std::vector<TPoint> Towers_;
};

void BattleFrameFast(benchmark::State& state) {
    TCrowdedBattle battle;
    for (auto _ : state) {
        state.PauseTiming();
        battle.Refill();
        state.ResumeTiming();
        benchmark::DoNotOptimize(battle.Game->Update(20));
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
    return true;
}();

}  // namespace

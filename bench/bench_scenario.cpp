// The scenario engine's frame: revealing one character on a typical stage, and
// running through a long script of text pages as fast as clicks allow.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "resources/PictureCodec.h"
#include "resources/ScriptCache.h"
#include "scenario/NovelGame.h"
#include "sound/SoundPlayer.h"

namespace {

using namespace vandor;
namespace fs = std::filesystem;

// A data folder with a background, two standing pictures and the given script.
class Stage {
public:
    explicit Stage(const std::string& script)
        : Dir_(fs::temp_directory_path() / ("vandor_bench_" + std::to_string(::getpid()))) {
        fs::create_directories(Dir_);
        Picture("bg.png", 800, 600, 0xFF405060);
        Picture("left.png", 360, 560, 0xFFC08080);
        Picture("right.png", 360, 560, 0xFF8080C0);
        std::ofstream(Dir_ / "first.txt", std::ios::binary) << script;
        Files_.AddFolder(Dir_.string() + "/");
        Game = std::make_unique<TNovelGame>("first.txt", TNovelServices{Scripts_, Images_, Renderer_, Sound_, nullptr});
    }
    ~Stage() {
        Game.reset();
        fs::remove_all(Dir_);
    }
    std::unique_ptr<TNovelGame> Game;

private:
    void Picture(const std::string& name, int width, int height, TColor32 colour) {
        TBitmap32 picture(width, height);
        picture.Clear(colour);
        SavePng(picture, (Dir_ / name).string());
    }
    fs::path Dir_;
    TFileCache Files_{nullptr};
    TScriptCache Scripts_{Files_, 2097152};
    TAImageCache Images_{Files_, nullptr, 33554432};
    TSimulatedClock Clock_;
    THeadlessWaveDevice Device_{Clock_};
    TSoundPlayer Sound_{Device_, &Files_, nullptr};
    TRTextRender Renderer_;
};

std::string Page(int index) {
    return "第" + std::to_string(index) + "頁。港の灯台は今夜も静かに海を照らしていた。\n「明日は晴れるだろうか」\n\n";
}

void RevealOneCharacter(benchmark::State& state) {
    std::string script = "[bg/1]\n[left/左/1]\n[right/右/1]\n";
    for (int i = 0; i < 200; ++i) script += Page(i);
    Stage stage(script);
    TNovelGame& game = *stage.Game;
    game.TextSpeed = 20;  // one character a frame
    for (int i = 0; i < 10; ++i) game.Update(20);
    for (auto _ : state) {
        if (game.Waiting) {
            state.PauseTiming();
            game.Advance();
            game.Update(20);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(game.Update(20));
    }
}

// One iteration is one page of a script of about 2,000 lines at text speed 0: the
// click that ends the page wait, the page end and the whole next page.
void RunThroughPages(benchmark::State& state) {
    std::string script = "[bg/1]\n";
    for (int page = 0; page < 700; ++page) script += Page(page);
    auto stage = std::make_unique<Stage>(script);
    for (auto _ : state) {
        TNovelGame* game = stage->Game.get();
        if (game->Line >= game->LineCount()) {
            state.PauseTiming();
            stage = std::make_unique<Stage>(script);
            game = stage->Game.get();
            state.ResumeTiming();
        }
        game->TextSpeed = 0;
        game->Advance();
        do {
            game->Update(20);
        } while (!game->Waiting && game->Line < game->LineCount());
    }
}

BENCHMARK(RevealOneCharacter)->Name("Scenario_Update_RevealOneCharacter")->Unit(benchmark::kMicrosecond);
BENCHMARK(RunThroughPages)->Name("Scenario_RunThrough_PerPage")->Unit(benchmark::kMicrosecond);

}  // namespace

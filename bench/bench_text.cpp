// The text machinery the story shows every frame: one character added to the
// message window, and composing a typical stage.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "compositor/LayerList.h"
#include "text/LayerMessage.h"

#include "BenchSupport.h"

namespace {

using vandor::bench::MemcpyBench;

using namespace vandor;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr std::size_t kSurfaceBytes = kWidth * kHeight * 4;

std::unique_ptr<TBitmap32> Picture(int width, int height, bool opaque) {
    auto picture = std::make_unique<TBitmap32>(width, height);
    std::mt19937 random(5);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Standing pictures: an opaque body with transparent sides, like a character.
            const bool body = opaque || (x > width / 4 && x < width * 3 / 4);
            *picture->PixelPtr(x, y) = (body ? 0xFF000000u : 0u) | (random() & 0xFFFFFF);
        }
    }
    picture->SetDrawMode(opaque ? TDrawMode::dmOpaque : TDrawMode::dmBlend);
    return picture;
}

void AddCharacter(benchmark::State& state) {
    TNGText store(4096);
    TRTextRender renderer;
    TLayerMessage message(store, renderer);
    message.SetBitmapSize(800, 120);
    message.Surface().Font.Name = "ＭＳ ゴシック";
    message.Surface().Font.Height = 22;
    message.Clear();
    const char* characters[] = {"吾", "輩", "は", "猫", "で", "あ", "る", "。"};
    int next = 0;
    for (auto _ : state) {
        if (message.Y + 2 * message.LineHeight >= 120) {
            state.PauseTiming();
            message.Clear();
            state.ResumeTiming();
        }
        message.AddChar(characters[next++ % 8]);
    }
}

// A background, two standing pictures, the message frame and the message window with
// three lines of text.
struct Stage {
    Stage() : message(std::make_unique<TLayerMessage>(store, renderer)) {
        list.AddBitmap(Picture(kWidth, kHeight, true), 0, 0, 10000, 7);
        left = &list.AddBitmap(Picture(400, 600, false), 0, 0, 500, 7);
        list.AddBitmap(Picture(400, 600, false), 400, 0, 500, 7);
        auto frame = Picture(800, 120, true);
        frame->SetDrawMode(TDrawMode::dmBlend);
        for (int i = 0; i < 800 * 120; ++i) frame->Bits()[i] = (frame->Bits()[i] & 0xFFFFFF) | 0xB0000000;
        list.AddBitmap(std::move(frame), 0, 480, 90, 7);
        TLayerMessage& window = list.Add(std::move(message));
        window.SetBitmapSize(800, 120);
        window.Surface().Font.Name = "ＭＳ ゴシック";
        window.Surface().Font.Height = 22;
        window.Position.SetAnchor(7);
        window.SetPosition(0, 480, 80);
        window.Clear();
        for (int line = 0; line < 3; ++line) {
            for (int i = 0; i < 20; ++i) window.AddChar("語");
            window.NewLine();
        }
        list.Render(20);
    }
    TNGText store{4096};
    TRTextRender renderer;
    std::unique_ptr<TLayerMessage> message;
    TLayerList list{kWidth, kHeight};
    TLayerItem* left = nullptr;
};

void RenderAfterOneChange(benchmark::State& state) {
    Stage stage;
    int x = 0;
    for (auto _ : state) {
        stage.left->SetPosition(x++ & 1, 0, 500);
        benchmark::DoNotOptimize(stage.list.Render(20));
    }
}

void RenderUnchanged(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) benchmark::DoNotOptimize(stage.list.Render(20));
}

BENCHMARK(AddCharacter)->Name("Message_AddChar_q3_22px")->Unit(benchmark::kMicrosecond);
BENCHMARK(RenderAfterOneChange)->Name("Render_Stage_OneChanged")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MemcpyBench, stage, kSurfaceBytes)
    ->Name("Render_Stage_OneChanged_memcpy")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(RenderUnchanged)->Name("Render_Stage_Unchanged")->Unit(benchmark::kMicrosecond);

}  // namespace

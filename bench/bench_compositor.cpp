// Surface drawing and the box reductions against a memcpy of the same number of
// destination bytes: the back surface is composed from several full-screen layers
// every redrawn frame, and the presentation reduces it when the window is smaller.
// The scaler of big windows is measured on a 2880 x 2160 picture: all of it (a
// cross-fade), one line of text, and the way it was made before (a stretched band
// stored, then halved) as the reference it improves on.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "compositor/Bitmap32.h"
#include "compositor/FontRasterizer.h"
#include "compositor/PixelReduce.h"
#include "shell/PictureLayout.h"

#include "BenchSupport.h"

namespace {

using vandor::bench::MemcpyBench;

using namespace vandor;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr std::size_t kSurfaceBytes = std::size_t{kWidth} * kHeight * sizeof(TColor32);

// Every alpha from 0 to 255, mostly translucent: no run can be skipped or copied.
TBitmap32 TranslucentPicture(int width, int height) {
    TBitmap32 picture(width, height);
    std::mt19937 random(42);
    for (int i = 0; i < width * height; ++i) picture.Bits()[i] = random();
    return picture;
}

// A character sprite: transparent around an opaque body with a soft edge.
TBitmap32 SpritePicture(int width, int height) {
    TBitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width / 4.0);
            const double dy = (y - height / 2.0) / (height / 2.2);
            const double r = dx * dx + dy * dy;
            const int alpha = r < 0.9 ? 255 : r < 1.0 ? static_cast<int>((1.0 - r) * 2550) : 0;
            *picture.PixelPtr(x, y) = (static_cast<TColor32>(alpha) << 24) | static_cast<TColor32>(x * 7 + y * 13);
        }
    }
    return picture;
}

void DrawBench(benchmark::State& state, TBitmap32 source, TDrawMode mode, uint8_t masterAlpha) {
    TBitmap32 target = TranslucentPicture(kWidth, kHeight);
    source.SetDrawMode(mode);
    source.SetMasterAlpha(masterAlpha);
    for (auto _ : state) {
        target.Draw(target.BoundsRect(), source.BoundsRect(), source);
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
}

void RegisterDraw(const std::string& name, TBitmap32 (*picture)(int, int), int sourceWidth, int sourceHeight,
                  TDrawMode mode, uint8_t masterAlpha) {
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        DrawBench(state, picture(sourceWidth, sourceHeight), mode, masterAlpha);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((name + "_memcpy").c_str(), [](benchmark::State& state) {
        MemcpyBench(state, kSurfaceBytes);
    })->Unit(benchmark::kMicrosecond);
}

// The whole surface reduced by 2 x 2 or 3 x 3 blocks.
void ReduceBench(benchmark::State& state, int block) {
    TBitmap32 source(kWidth, kHeight);
    std::mt19937 random(3);
    for (int i = 0; i < kWidth * kHeight; ++i) source.Bits()[i] = random();
    TBitmap32 target(kWidth / block, kHeight / block);
    const TBitmapInfo src = MakeBitmapInfo(source);
    const TBitmapInfo dst = MakeBitmapInfo(target);
    for (auto _ : state) {
        if (block == 2) {
            Reduce2(dst, 0, 0, src, 0, 0, kWidth, kHeight);
        } else {
            Reduce3(dst, 0, 0, src, 0, 0, kWidth, kHeight);
        }
        benchmark::DoNotOptimize(target.Bits());
        benchmark::ClobberMemory();
    }
}

constexpr int kBigWidth = 2880;
constexpr int kBigHeight = 2160;
constexpr std::size_t kBigBytes = std::size_t{kBigWidth} * kBigHeight * sizeof(TColor32);

void ScaleBench(benchmark::State& state, TRect changed) {
    const TBitmap32 source = TranslucentPicture(kWidth, kHeight);
    TBandResampler resampler;
    resampler.Resize(LayoutPicture(kBigWidth, kBigHeight));
    for (auto _ : state) {
        benchmark::DoNotOptimize(resampler.Resample(source, changed));
        benchmark::ClobberMemory();
    }
}

// Each third of the picture stretched to twice the size into a stored band, then halved.
void ScaleThroughBandBench(benchmark::State& state) {
    TBitmap32 source = TranslucentPicture(kWidth, kHeight);
    TBitmap32 scaled(kBigWidth, kBigHeight);
    TBitmap32 band(2 * kBigWidth, 2 * kBigHeight / 3);
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            band.Draw(band.BoundsRect(), {0, kHeight / 3 * i, kWidth, kHeight / 3 * (i + 1)}, source);
            Reduce2(MakeBitmapInfo(scaled), 0, kBigHeight / 3 * i, MakeBitmapInfo(band), 0, 0, band.Width(),
                    band.Height());
        }
        benchmark::DoNotOptimize(scaled.Bits());
        benchmark::ClobberMemory();
    }
}

// The message window adds one character per frame, drawn at four times its size.
void FontDrawOneCharacter(benchmark::State& state) {
    TFont font;
    font.Height = -88;
    TBitmap32 canvas(120, 120);
    TFontRasterizer& fonts = TFontRasterizer::Instance();
    for (auto _ : state) {
        fonts.Draw(canvas, 0, 0, font, "猫", 0x00FF0000);
        benchmark::DoNotOptimize(canvas.Bits());
    }
}

const bool kRegistered = [] {
    RegisterDraw("Draw_Blend_800x600", TranslucentPicture, kWidth, kHeight, TDrawMode::dmBlend, 255);
    RegisterDraw("Draw_BlendMaster128_800x600", TranslucentPicture, kWidth, kHeight, TDrawMode::dmBlend, 128);
    RegisterDraw("Draw_BlendSprite_800x600", SpritePicture, kWidth, kHeight, TDrawMode::dmBlend, 255);
    RegisterDraw("Draw_Opaque_800x600", TranslucentPicture, kWidth, kHeight, TDrawMode::dmOpaque, 255);
    RegisterDraw("Stretch2x_800x600", TranslucentPicture, 400, 300, TDrawMode::dmBlend, 255);
    RegisterDraw("Stretch2x_Opaque_800x600", TranslucentPicture, 400, 300, TDrawMode::dmOpaque, 255);
    RegisterDraw("Stretch3x_800x600", TranslucentPicture, 267, 200, TDrawMode::dmBlend, 255);
    RegisterDraw("Stretch3x_Opaque_800x600", TranslucentPicture, 267, 200, TDrawMode::dmOpaque, 255);
    for (int block : {2, 3}) {
        const std::string name = "Reduce" + std::to_string(block) + "_800x600";
        benchmark::RegisterBenchmark(name.c_str(), ReduceBench, block)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "_memcpy").c_str(), MemcpyBench, kSurfaceBytes)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("Scale_Whole_2880x2160", ScaleBench, TRect{0, 0, kWidth, kHeight})
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Scale_Whole_2880x2160_memcpy", MemcpyBench, kBigBytes)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Scale_ThroughBand_2880x2160", ScaleThroughBandBench)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Scale_ThroughBand_2880x2160_memcpy", MemcpyBench, kBigBytes)
        ->Unit(benchmark::kMicrosecond);
    // One line of the message window (760 x 36), as a page appearing changes it.
    benchmark::RegisterBenchmark("Scale_TextLine_2880x2160", ScaleBench, TRect{20, 500, 780, 536})
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("FontDraw_OneCharacter_88px", FontDrawOneCharacter)->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace

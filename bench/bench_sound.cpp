// The mixer's cost per block: FillBuffer's mix of one 4096-frame block (92.9 ms of
// sound) with 4 and with all 22 channels playing looped stereo material. The
// budget is 3 % and 20 % of the block's play time: 2,786 us and 18,576 us. The
// hand-over of the finished block to the ring, one 16 KB copy, is the "_memcpy"
// reference beside each figure.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "sound/OggTone.h"
#include "sound/SoundPlayer.h"

#include "BenchSupport.h"

namespace {

using namespace vandor;

// A tone with noise, so that decoding costs about what music costs rather than
// what a clean sine does.
const TBytes& Material() {
    static const TBytes bytes = test::MakeToneOgg(2, 5000, 330, 0.4, 0.15);
    return bytes;
}

void FillBuffer(benchmark::State& state, int channels) {
    TSimulatedClock clock;
    THeadlessWaveDevice device(clock);
    TSoundPlayer player(device, nullptr);
    player.SetMasterVolume(100);
    for (int i = 0; i < channels; ++i) {
        player.Channel(i).OpenData("sound" + std::to_string(i) + ".ogg", Material());
        player.Channel(i).Play(true);
    }
    for (auto _ : state) benchmark::DoNotOptimize(player.MixBlock().data());
}

void CopyBlock(benchmark::State& state) { vandor::bench::MemcpyBench(state, TSoundPlayer::kBlockBytes); }

const bool kRegistered = [] {
    // A few channels, and every channel playing at once.
    for (int channels : {4, SoundChannel::Count}) {
        const std::string name = "FillBuffer_" + std::to_string(channels) + "ch";
        benchmark::RegisterBenchmark(name.c_str(), FillBuffer, channels)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "_memcpy").c_str(), CopyBlock)->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace

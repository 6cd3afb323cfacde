#include "platform/sdlaudio/SdlWaveDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "sound/OggTone.h"
#include "sound/SoundPlayer.h"

namespace vandor {
namespace {

// SDL's dummy driver takes queued audio at about the real rate without any hardware.
// An open SDL device costs wake-ups even paused, so the output lets go of it while
// nothing sounds: a looping tone keeps it fed, and a sound wakes it again after a rest.
TEST(SdlWaveDevice, PlaysThroughTheDummyDriverAndRefillsAsItGoes) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TSdlWaveDevice device;
    EXPECT_TRUE(device.ClosesWhenSilent());
    TSoundPlayer player(device, nullptr);
    player.Channel(0).OpenData("tone.ogg", test::MakeToneOgg(2, 200));
    player.Channel(0).Play(true);
    std::atomic<int> blocks{0};
    player.WaveOut().OnBufferEmpty = [&](TRWaveOut& sender) {
        ++blocks;
        player.FillBuffer(sender);
    };
    int messages = 0;
    player.WaveOut().OnDeviceError = [&](const std::string&) { ++messages; };
    player.Start();
    ASSERT_TRUE(player.WaveOut().Playing());
    EXPECT_GE(blocks, 3) << "the ring is pre-filled";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (blocks < 8 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(blocks, 8) << "finished buffers are refilled";
    player.Channel(0).Stop();
    for (int before = -1; before != blocks && std::chrono::steady_clock::now() < deadline;) {
        before = blocks;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    const int rested = blocks;
    player.Channel(0).Play(false);
    EXPECT_GE(blocks, rested + 3) << "a sound after the rest fills the ring on a reopened device";
    EXPECT_EQ(player.WaveOut().WorkerError(), "");
    player.Stop();
    EXPECT_FALSE(player.WaveOut().Playing());
    EXPECT_EQ(player.WaveOut().WorkerError(), "");
    player.Start();  // and again, on a reopened device
    EXPECT_TRUE(player.WaveOut().Playing());
    EXPECT_EQ(messages, 0);
}

TEST(SdlWaveDevice, WithoutAnyAudioDriverTheMessageComesOnceAndNothingHangs) {
    setenv("SDL_AUDIODRIVER", "vandor-no-such-driver", 1);
    TSdlWaveDevice device;
    TSoundPlayer player(device, nullptr);
    std::vector<std::string> messages;
    player.WaveOut().OnDeviceError = [&](const std::string& text) { messages.push_back(text); };
    player.Start();
    player.Stop();
    player.Start();
    EXPECT_EQ(messages, std::vector<std::string>{"Wave デバイスを使用できません"});
    EXPECT_FALSE(player.WaveOut().Playing());
}

}  // namespace
}  // namespace vandor

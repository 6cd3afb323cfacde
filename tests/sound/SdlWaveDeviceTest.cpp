#include "platform/sdlaudio/SdlWaveDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "sound/SoundPlayer.h"

namespace vandor {
namespace {

// SDL's dummy driver takes queued audio at about the real rate without any hardware.
TEST(SdlWaveDevice, PlaysThroughTheDummyDriverAndRefillsAsItGoes) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TSdlWaveDevice device;
    TSoundPlayer player(device, nullptr);
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

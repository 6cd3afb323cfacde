#include "sound/SoundPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <thread>

#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "sound/OggTone.h"

namespace vandor {
namespace {

using test::DecodeOgg;
using test::MakeToneOgg;

const TBytes& Music() {
    static const TBytes bytes = MakeToneOgg(2, 400, 262, 0.3);
    return bytes;
}
const TBytes& Voice() {
    static const TBytes bytes = MakeToneOgg(1, 250, 523, 0.3);
    return bytes;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    TSimulatedClock Clock;
    THeadlessWaveDevice Device{Clock};
    TSoundPlayer Player{Device, nullptr};

    std::array<int, SoundChannel::Count> Volumes() {
        std::array<int, SoundChannel::Count> volumes{};
        for (int i = 0; i < SoundChannel::Count; ++i) volumes[i] = Player.Channel(i).GetVolume();
        return volumes;
    }
    // Lets `frames` frames of 20 ms pass for the device.
    void PlayFrames(int frames) {
        for (int frame = 0; frame < frames; ++frame) {
            Clock.Advance(20);
            Device.Update();
        }
    }
    static bool Silent(const TSoundPlayer::TBlock& block) {
        return std::all_of(block.begin(), block.end(), [](int16_t s) { return s == 0; });
    }
};

TEST_F(SoundPlayerTest, VolumeGroupsSetTheirChannelsOnly) {
    EXPECT_TRUE(Player.LoadLibraries("/nowhere/"));
    EXPECT_THROW(Player.Channel(22), std::out_of_range);
    EXPECT_THROW(Player.Channel(-1), std::out_of_range);

    Player.SetEffectVolume(30);
    std::array<int, 22> expected;
    expected.fill(100);
    for (int i : {1, 2, 3, 16, 17, 18, 19, 20, 21}) expected[i] = 30;
    EXPECT_EQ(Volumes(), expected);

    Player.SetMusicVolume(80);
    Player.SetVoiceVolume(1, 70);
    Player.SetVoiceVolume(11, 40);
    expected[0] = 80;
    expected[4] = 70;
    expected[14] = 40;
    EXPECT_EQ(Volumes(), expected);
    EXPECT_THROW(Player.SetVoiceVolume(12, 50), std::out_of_range);

    // The configuration keeps channels 0-15; the interface sounds follow channel 2.
    std::array<int, 16> stored;
    for (int i = 0; i < 16; ++i) stored[i] = 10 + 5 * i;
    Player.ApplyVolumes(90, stored);
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(Player.Channel(i).GetMasterVolume(), 90) << i;
        EXPECT_EQ(Player.Channel(i).GetVolume(), i < 16 ? stored[i] : stored[2]) << i;
    }
}

TEST_F(SoundPlayerTest, ChannelsAtUnityAddUpUnchangedAndTheMasterSilencesAll) {
    const std::vector<int16_t> music = DecodeOgg(Music());
    const std::vector<int16_t> voice = DecodeOgg(Voice());
    EXPECT_TRUE(Silent(Player.MixBlock()));

    Player.SetMasterVolume(100);
    Player.Channel(0).OpenData("bgm.ogg", Music());
    Player.Channel(9).OpenData("voice.ogg", Voice());
    Player.Channel(0).Play(true);
    Player.Channel(9).Play(false);
    const TSoundPlayer::TBlock& block = Player.MixBlock();
    for (std::size_t frame = 0; frame < 4096; ++frame) {
        ASSERT_EQ(block[2 * frame], music[2 * frame] + voice[frame]) << frame;
        ASSERT_EQ(block[2 * frame + 1], music[2 * frame + 1] + voice[frame]) << frame;
    }

    Player.SetMusicVolume(50);
    Player.SetMasterVolume(0);
    EXPECT_TRUE(Silent(Player.MixBlock()));
    EXPECT_EQ(Player.Channel(0).GetVolume(), 50);
    Player.SetMasterVolume(100);
    EXPECT_FALSE(Silent(Player.MixBlock()));
}

TEST_F(SoundPlayerTest, SilenceKeepsFlowingWithNoChannelPlaying) {
    Device.SetRecording(true);
    Player.Start();
    for (int frame = 0; frame < 50; ++frame) {
        Clock.Advance(20);
        Device.Update();
    }
    const std::vector<uint8_t> recorded = Device.Recorded();
    EXPECT_EQ(recorded.size(), 44100u * 4);
    EXPECT_TRUE(std::all_of(recorded.begin(), recorded.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(Player.WaveOut().Playing());
    Player.Stop();
    EXPECT_FALSE(Device.IsOpen());
}

// The same sounds started at the same points of the stream give the same samples:
// the device plays exactly the blocks that a second player mixes by hand.
TEST_F(SoundPlayerTest, TheRecordingHoldsExactlyTheMixedBlocks) {
    THeadlessWaveDevice unused(Clock);
    TSoundPlayer reference(unused, nullptr);
    for (TSoundPlayer* player : {&Player, &reference}) {
        player->Channel(0).OpenData("bgm.ogg", Music());
        player->Channel(0).Play(true);
        player->Channel(5).OpenData("voice.ogg", Voice());
    }
    std::vector<int16_t> expected;
    const auto mixReference = [&](int blocks) {
        for (int i = 0; i < blocks; ++i) {
            const TSoundPlayer::TBlock& block = reference.MixBlock();
            expected.insert(expected.end(), block.begin(), block.end());
        }
    };

    Device.SetRecording(true);
    Player.Start();
    for (int frame = 0; frame < 25; ++frame) {  // 500 ms: 22,050 frames, five blocks finished
        Clock.Advance(20);
        Device.Update();
    }
    // Blocks mixed so far: three to start with and one per finished block.
    mixReference(8);
    Player.Channel(5).Play(false);
    Player.Channel(0).FadeTo(0, 300);
    reference.Channel(5).Play(false);
    reference.Channel(0).FadeTo(0, 300);
    for (int frame = 0; frame < 50; ++frame) {
        Clock.Advance(20);
        Device.Update();
    }
    mixReference(11);
    EXPECT_FALSE(Player.Channel(0).Playing()) << "faded out";

    const std::vector<uint8_t> recorded = Device.Recorded();
    ASSERT_EQ(recorded.size(), 66150u * 4);
    std::vector<int16_t> played(recorded.size() / 2);
    std::memcpy(played.data(), recorded.data(), recorded.size());
    expected.resize(played.size());
    EXPECT_EQ(played, expected);
}

// The mixer runs on its own thread while the main thread works the channels, as in
// the game; run under ThreadSanitizer this shows the hand-over between them is clean.
TEST_F(SoundPlayerTest, MainThreadCallsWhileTheMixerRuns) {
    std::atomic<bool> done{false};
    std::atomic<int> loudBlocks{0};
    std::thread mixer([&] {
        while (!done) {
            const TSoundPlayer::TBlock& block = Player.MixBlock();
            if (std::any_of(block.begin(), block.end(), [](int16_t s) { return s != 0; })) ++loudBlocks;
        }
    });
    for (int round = 0; round < 200; ++round) {
        TOggData& channel = Player.Channel(round % 4);
        channel.OpenData(round % 2 ? "voice.ogg" : "bgm.ogg", round % 2 ? Voice() : Music());
        channel.Play(round % 3 == 0);
        channel.FadeTo(round % 100, round % 7 * 10);
        Player.SetMasterVolume(50 + round % 50);
        channel.SetVolume(100 - round % 30);
        if (round % 5 == 0) channel.Rewind();
        if (round % 11 == 0) channel.Close();
        std::this_thread::yield();
    }
    while (loudBlocks == 0) std::this_thread::yield();
    done = true;
    mixer.join();
    for (int i = 0; i < 4; ++i) Player.Channel(i).Close();
    EXPECT_TRUE(Silent(Player.MixBlock()));
}

// A device that costs wake-ups while open plays the start's silence, is let go of, and
// opens again when a sound starts: what it plays from then on is the sound from its
// first sample, exactly as mixed, and it is let go of again once that has played.
TEST_F(SoundPlayerTest, ADeviceIsLetGoOfWhileSilentAndWokenWithTheSoundWhole) {
    constexpr std::size_t kBlock = TSoundPlayer::kBlockBytes;
    THeadlessWaveDevice unused(Clock);
    TSoundPlayer reference(unused, nullptr);
    Player.Channel(5).OpenData("voice.ogg", Voice());
    reference.Channel(5).OpenData("voice.ogg", Voice());
    Device.SetClosesWhenSilent(true);
    Device.SetRecording(true);
    Player.Start();
    PlayFrames(25);
    EXPECT_FALSE(Device.IsOpen()) << "the three silent blocks played, then the device was let go of";
    EXPECT_TRUE(Player.WaveOut().Playing());
    EXPECT_EQ(Device.Recorded().size(), 3 * kBlock);
    PlayFrames(25);
    EXPECT_EQ(Device.Recorded().size(), 3 * kBlock) << "nothing is fed while resting";

    Player.Channel(5).Play(false);
    EXPECT_TRUE(Device.IsOpen()) << "woken before Play returns";
    EXPECT_EQ(Device.OpenCount(), 2);
    reference.Channel(5).Play(false);
    PlayFrames(50);
    EXPECT_FALSE(Device.IsOpen()) << "at rest again once the voice has played";
    EXPECT_FALSE(Player.Channel(5).Playing());

    const std::vector<uint8_t> recorded = Device.Recorded();
    ASSERT_EQ(recorded.size() % kBlock, 0u);
    const std::size_t blocks = recorded.size() / kBlock - 3;
    EXPECT_GE(blocks, 3u) << "the 250 ms voice fills most of three blocks";
    std::vector<int16_t> expected;
    for (std::size_t i = 0; i < blocks; ++i) {
        const TSoundPlayer::TBlock& block = reference.MixBlock();
        expected.insert(expected.end(), block.begin(), block.end());
    }
    std::vector<int16_t> played(blocks * kBlock / 2);
    std::memcpy(played.data(), recorded.data() + 3 * kBlock, blocks * kBlock);
    EXPECT_EQ(played, expected);
    EXPECT_NE(played[0] | played[1], 0) << "the voice starts right at the wake";

    Player.Stop();
    EXPECT_EQ(Player.WaveOut().WorkerError(), "");
    Player.Start();
    EXPECT_EQ(Device.OpenCount(), 3);
    EXPECT_FALSE(Player.Sounding());
}

// A sound that starts while the first silent blocks are still queued follows them on
// the open device without a gap: the device plays on, sample for sample.
TEST_F(SoundPlayerTest, ASoundStartingAsTheOutputBeginsToRestFollowsWithoutAGap) {
    constexpr std::size_t kBlock = TSoundPlayer::kBlockBytes;
    THeadlessWaveDevice unused(Clock);
    TSoundPlayer reference(unused, nullptr);
    Player.Channel(0).OpenData("bgm.ogg", Music());
    reference.Channel(0).OpenData("bgm.ogg", Music());
    Device.SetClosesWhenSilent(true);
    Device.SetRecording(true);
    Player.Start();
    PlayFrames(6);  // 120 ms: the first block has played and was not refilled
    Player.Channel(0).Play(false);
    reference.Channel(0).Play(false);
    PlayFrames(24);  // to 600 ms, while the 400 ms of music play
    EXPECT_EQ(Device.OpenCount(), 1);
    const std::vector<uint8_t> recorded = Device.Recorded();
    ASSERT_EQ(recorded.size(), 26460u * 4) << "every millisecond played: no gap";
    std::vector<int16_t> expected;
    while (expected.size() * 2 < recorded.size()) {
        const TSoundPlayer::TBlock& block = reference.MixBlock();
        expected.insert(expected.end(), block.begin(), block.end());
    }
    std::vector<int16_t> played((recorded.size() - 3 * kBlock) / 2);
    std::memcpy(played.data(), recorded.data() + 3 * kBlock, played.size() * 2);
    expected.resize(played.size());
    EXPECT_EQ(played, expected) << "the music follows the three silent blocks at once";
}

}  // namespace
}  // namespace vandor

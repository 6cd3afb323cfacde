#include "sound/WaveOut.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"

namespace vandor {
namespace {

// A device whose reset or close can be made to fail.
class TFailingDevice final : public IWaveDevice {
public:
    explicit TFailingDevice(IWaveDevice& inner) : Inner_(inner) {}
    bool Open(int32_t id, const TWaveFormat& format) override { return Inner_.Open(id, format); }
    void Queue(const uint8_t* data, uint32_t bytes) override { Inner_.Queue(data, bytes); }
    uint64_t FinishedCount() override { return Inner_.FinishedCount(); }
    void Pause() override { Inner_.Pause(); }
    void Restart() override { Inner_.Restart(); }
    bool Reset() override { return !FailReset && Inner_.Reset(); }
    bool Close() override { return !FailClose && Inner_.Close(); }
    std::atomic<bool> FailReset{false};
    std::atomic<bool> FailClose{false};

private:
    IWaveDevice& Inner_;
};

class WaveOutTest : public ::testing::Test {
protected:
    TSimulatedClock Clock;
    THeadlessWaveDevice Device{Clock};
    TRWaveOut Out{Device};
    std::atomic<int> Blocks{0};

    // 44,100 Hz 16-bit stereo, every block filled with its own number.
    void Configure(int bufferSize, int buffers) {
        Out.SetnChannels(2);
        Out.SetnSamplesPerSec(44100);
        Out.SetwBitsPerSample(16);
        Out.SetBufferSize(bufferSize);
        Out.SetNumOfBuffers(buffers);
        Out.OnBufferEmpty = [this, bufferSize](TRWaveOut& sender) {
            const std::vector<uint8_t> block(static_cast<std::size_t>(bufferSize), static_cast<uint8_t>(Blocks++));
            sender.Write(block.data(), bufferSize);
        };
    }
    void Play(uint32_t milliseconds) {
        Clock.Advance(milliseconds);
        Device.Update();
    }
    static std::vector<uint8_t> Numbered(std::initializer_list<std::pair<int, int>> runs) {
        std::vector<uint8_t> bytes;
        for (auto [value, count] : runs) bytes.insert(bytes.end(), static_cast<std::size_t>(count), uint8_t(value));
        return bytes;
    }
};

TEST_F(WaveOutTest, SettersAcceptTheirRangesAndKeepTheOldValueOtherwise) {
    EXPECT_EQ(Out.nChannels(), 1);
    EXPECT_EQ(Out.nSamplesPerSec(), 22050u);
    EXPECT_EQ(Out.wBitsPerSample(), 8);
    EXPECT_EQ(Out.BufferSize(), 4096);
    EXPECT_EQ(Out.NumOfBuffers(), 4);
    EXPECT_EQ(Out.DeviceID, -1);

    const auto expectError = [](auto set, const char* text) {
        try {
            set();
            ADD_FAILURE() << "no error for " << text;
        } catch (const ERWaveOutError& error) {
            EXPECT_STREQ(error.what(), text);
        }
    };
    expectError([&] { Out.SetNumOfBuffers(0); }, "NumOfBuffers が範囲外です");
    expectError([&] { Out.SetNumOfBuffers(8); }, "NumOfBuffers が範囲外です");
    expectError([&] { Out.SetnChannels(3); }, "nChannel が範囲外です");
    expectError([&] { Out.SetnSamplesPerSec(0); }, "nSamplesPerSec が範囲外です");
    expectError([&] { Out.SetnSamplesPerSec(65536); }, "nSamplesPerSec が範囲外です");
    expectError([&] { Out.SetwBitsPerSample(24); }, "wBitsPerSample が範囲外です");
    expectError([&] { Out.SetBufferSize(0); }, "BufferSize が範囲外です");
    expectError([&] { Out.SetBufferSize(-16); }, "BufferSize が範囲外です");
    EXPECT_EQ(Out.NumOfBuffers(), 4);
    EXPECT_EQ(Out.nSamplesPerSec(), 22050u);

    Out.SetNumOfBuffers(7);
    Out.SetnSamplesPerSec(65535);
    Out.SetnChannels(2);
    Out.SetwBitsPerSample(16);
    EXPECT_EQ(Out.NumOfBuffers(), 7);
    EXPECT_EQ(Out.nSamplesPerSec(), 65535u);

    expectError([&] { Out.Start(); }, "OnBufferEmpty に関連付けられていません");
    EXPECT_FALSE(Out.Playing());
    EXPECT_EQ(Device.OpenCount(), 0);
    // Nothing to write into while stopped.
    const uint8_t byte = 0;
    expectError([&] { Out.Write(&byte, 1); }, "バッファがいっぱいです.");
}

TEST_F(WaveOutTest, StartAndStopReturnOnceTheWorkerHasActed) {
    Configure(4096, 3);
    std::atomic<int> starts{0}, stops{0};
    Out.OnPlayStart = [&](TRWaveOut&) { ++starts; };
    Out.OnPlayStop = [&](TRWaveOut&) { ++stops; };

    Out.Start();
    EXPECT_TRUE(Out.Playing());
    EXPECT_EQ(Out.lhWaveOut(), &Device);
    EXPECT_EQ(Blocks, 3) << "the ring is pre-filled before Start returns";
    EXPECT_EQ(starts, 1);

    // A second Start closes the running stream and opens it again.
    Out.Start();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(Device.OpenCount(), 2);
    EXPECT_EQ(Blocks, 6);

    Out.Stop();
    EXPECT_EQ(stops, 2);
    EXPECT_FALSE(Out.Playing());
    EXPECT_FALSE(Device.IsOpen());
    EXPECT_EQ(Out.lhWaveOut(), nullptr);
    Out.Stop();  // ignored while stopped
    EXPECT_EQ(stops, 2);
}

TEST_F(WaveOutTest, FinishedBuffersAreRefilledInRingOrderWithinTheSameStep) {
    Configure(4096, 3);  // 1,024 frames per buffer
    Device.SetRecording(true);
    Out.Start();
    ASSERT_EQ(Blocks, 3);

    Play(100);  // 4,410 frames: four buffers and 314 frames of the fifth
    EXPECT_EQ(Device.BytesPlayed(), 4410u * 4);
    EXPECT_EQ(Blocks, 7) << "one refill per finished buffer";
    EXPECT_EQ(Device.Recorded(), Numbered({{0, 4096}, {1, 4096}, {2, 4096}, {3, 4096}, {4, 314 * 4}}));

    // A long step is played with the refills in between, never running dry.
    Play(1000);
    EXPECT_EQ(Device.BytesPlayed(), 48510u * 4);
    EXPECT_EQ(Blocks, 3 + 48510 / 1024);
    const std::vector<uint8_t> recorded = Device.Recorded();
    for (std::size_t i = 0; i < recorded.size(); i += 4096) ASSERT_EQ(recorded[i], uint8_t(i / 4096)) << i;
}

TEST_F(WaveOutTest, WriteRefusesOversizedBlocksAndAFullRing) {
    Configure(16384, 3);
    std::mutex lock;
    std::vector<std::string> errors;
    const auto write = [&](TRWaveOut& sender, int32_t length) {
        const std::vector<uint8_t> block(16385, 1);
        try {
            sender.Write(block.data(), length);
        } catch (const ERWaveOutError& error) {
            std::lock_guard hold(lock);
            errors.emplace_back(error.what());
        }
    };
    Out.OnBufferEmpty = [&](TRWaveOut& sender) {
        if (Blocks++ == 3) {
            write(sender, 16385);
            write(sender, 16384);
            write(sender, 16384);  // the next buffer is still queued
        } else {
            write(sender, 16384);
        }
    };
    Out.Start();
    Play(93);  // the first buffer (4,096 frames) has finished
    ASSERT_EQ(Blocks, 4);
    EXPECT_EQ(errors, (std::vector<std::string>{"サイズが大きすぎます", "バッファがいっぱいです."}));
    EXPECT_TRUE(Out.Playing());
    EXPECT_EQ(Out.WorkerError(), "");
}

TEST_F(WaveOutTest, OneBufferRingKeepsItsWriteIndex) {
    Configure(4096, 1);
    std::atomic<int> refused{0};
    const auto base = Out.OnBufferEmpty;
    Out.OnBufferEmpty = [&](TRWaveOut& sender) {
        base(sender);
        try {
            base(sender);
        } catch (const ERWaveOutError&) {
            ++refused;
        }
    };
    Device.SetRecording(true);
    Out.Start();
    Play(70);  // 3,087 frames: three buffers of 1,024
    EXPECT_EQ(refused, 4);
    EXPECT_EQ(Blocks, 8);  // two attempts per call, the second numbered but refused
    EXPECT_EQ(Device.Recorded(), Numbered({{0, 4096}, {2, 4096}, {4, 4096}, {6, 15 * 4}}));
}

TEST_F(WaveOutTest, EndOfDataDrainsTheRingAndClosesByItself) {
    Configure(4096, 3);
    std::atomic<int> stops{0};
    std::mutex lock;
    std::condition_variable ended;
    bool endNotice = false;
    Out.OnBufferEmpty = [&](TRWaveOut& sender) {
        if (Blocks++ < 2) {
            const std::vector<uint8_t> block(4096, uint8_t(Blocks));
            sender.Write(block.data(), 4096);
        } else {
            sender.Write(nullptr, 0);
        }
    };
    Out.OnPlayStop = [&](TRWaveOut&) { ++stops; };
    Out.OnPlayEnd = [&](TRWaveOut&) {
        std::lock_guard hold(lock);
        endNotice = true;
        ended.notify_all();
    };
    Device.SetRecording(true);
    Out.Start();
    EXPECT_EQ(Blocks, 3);
    Play(30);  // 1,323 frames: the first buffer only
    EXPECT_TRUE(Out.Playing());
    Play(30);
    EXPECT_FALSE(Out.Playing());
    EXPECT_FALSE(Device.IsOpen());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(Blocks, 3) << "no more requests after the end of data";
    EXPECT_EQ(Device.Recorded(), Numbered({{1, 4096}, {2, 4096}}));
    std::unique_lock hold(lock);
    EXPECT_TRUE(ended.wait_for(hold, std::chrono::seconds(10), [&] { return endNotice; }));
}

TEST_F(WaveOutTest, MissingDeviceIsReportedOnceAndLeavesTheOutputSilent) {
    Configure(4096, 3);
    std::vector<std::string> messages;
    Out.OnDeviceError = [&](const std::string& text) { messages.push_back(text); };
    Device.SetAvailable(false);
    Out.Start();
    Out.Start();
    EXPECT_EQ(messages, std::vector<std::string>{"Wave デバイスを使用できません"});
    EXPECT_FALSE(Out.Playing());
    EXPECT_EQ(Blocks, 0);
    Play(500);
    Out.Stop();

    Device.SetAvailable(true);
    Out.Start();
    EXPECT_TRUE(Out.Playing());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(WaveOutTest, AnErrorOnTheWorkerEndsItWithoutHangingTheCaller) {
    Configure(4096, 3);
    const auto base = Out.OnBufferEmpty;
    Out.OnBufferEmpty = [&](TRWaveOut& sender) {
        if (Blocks == 4) throw std::runtime_error("mixer broke");
        base(sender);
    };
    Out.Start();
    Play(50);
    EXPECT_EQ(Out.WorkerError(), "mixer broke");
    EXPECT_FALSE(Out.Playing());
    EXPECT_FALSE(Device.IsOpen()) << "the device is let go";
    Out.Start();
    Out.Stop();
    Play(500);
    EXPECT_EQ(Blocks, 4);
}

TEST(WaveOutDeviceErrors, FailingResetOrCloseEndTheWorkerWithTheirMessage) {
    const std::pair<bool, const char*> cases[] = {{true, "演奏を終了できません。"},
                                                  {false, "Wave デバイスを開放できません。"}};
    for (auto [failReset, message] : cases) {
        TSimulatedClock clock;
        THeadlessWaveDevice headless(clock);
        TFailingDevice device(headless);
        TRWaveOut out(device);
        out.OnBufferEmpty = [](TRWaveOut& sender) {
            const uint8_t block[64] = {};
            sender.Write(block, sizeof block);
        };
        out.Start();
        ASSERT_TRUE(out.Playing());
        (failReset ? device.FailReset : device.FailClose) = true;
        out.Stop();
        EXPECT_EQ(out.WorkerError(), message);
        EXPECT_FALSE(out.Playing());
        out.Start();  // returns although nobody takes the command any more
        EXPECT_FALSE(out.Playing());
    }
}

}  // namespace
}  // namespace vandor

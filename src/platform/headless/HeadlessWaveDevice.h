#pragma once
// A wave device without sound hardware for replays and tests. It plays in step with
// a clock (normally the simulated one): each Update plays the frames that became due
// since the last, at the stream's sample rate, so 20 ms at 44,100 Hz are exactly 882
// frames. A buffer that finishes is refilled by the owner before playing goes on,
// so how long a sound lasts in frames does not depend on thread timing. What plays
// can be recorded.

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "sound/WaveDevice.h"
#include "util/Clock.h"

namespace vandor {

class THeadlessWaveDevice final : public IWaveDevice {
public:
    explicit THeadlessWaveDevice(IClock& clock);

    bool Open(int32_t deviceId, const TWaveFormat& format) override;
    void Queue(const uint8_t* data, uint32_t bytes) override;
    uint64_t FinishedCount() override;
    void Pause() override;
    void Restart() override;
    bool Reset() override;
    bool Close() override;
    // Off unless a test asks for it: replays keep the device open, as they always have.
    bool ClosesWhenSilent() const override;

    // Call from the thread that moves the clock. Time while the device is closed or
    // paused, or has nothing queued, passes without playing anything.
    void Update();

    // An unavailable device fails to open, like a machine without audio hardware.
    void SetAvailable(bool available);
    // Behaves like a device that should be closed while nothing sounds.
    void SetClosesWhenSilent(bool closes);
    // Keeps every byte played from now on (or stops keeping them).
    void SetRecording(bool recording);
    std::vector<uint8_t> Recorded() const;
    uint64_t BytesPlayed() const;
    int OpenCount() const;
    bool IsOpen() const;

private:
    struct TQueued {
        const uint8_t* Data;
        uint32_t Bytes;
        uint32_t Played;
    };

    IClock& Clock_;
    uint32_t LastUpdate_;  // driver thread only

    mutable std::mutex Lock_;
    bool Available_ = true;
    bool Open_ = false;
    bool Paused_ = false;
    bool Recording_ = false;
    bool ClosesWhenSilent_ = false;
    TWaveFormat Format_;
    std::deque<TQueued> Queue_;
    uint64_t Finished_ = 0;
    uint64_t Remainder_ = 0;  // milliseconds times the rate not yet making a whole frame
    uint64_t BytesPlayed_ = 0;
    int OpenCount_ = 0;
    std::vector<uint8_t> Recorded_;
};

}  // namespace vandor

#pragma once
// The platform's wave output device as the sound output sees it: one PCM stream
// that plays the buffers queued on it one after the other. SDL stands behind it
// when the game runs for a player, the headless device in replays and tests.
//
// Every call except the construction, destruction and the headless device's own
// driving comes from the wave output's worker thread.

#include <cstdint>
#include <functional>

namespace vandor {

struct TWaveFormat {
    uint16_t nChannels = 2;
    uint32_t nSamplesPerSec = 44100;
    uint16_t wBitsPerSample = 16;

    uint32_t BlockAlign() const { return uint32_t{nChannels} * wBitsPerSample / 8; }
    uint32_t AvgBytesPerSec() const { return nSamplesPerSec * BlockAlign(); }
};

class IWaveDevice {
public:
    virtual ~IWaveDevice() = default;

    // deviceId -1 is the system's default device. False when the device cannot be
    // used; the device is closed then. A freshly opened device is playing.
    virtual bool Open(int32_t deviceId, const TWaveFormat& format) = 0;
    // Appends a buffer to the stream. The device may read the bytes until it
    // reports the buffer finished or is reset, so they must stay untouched until then.
    virtual void Queue(const uint8_t* data, uint32_t bytes) = 0;
    // How many of the buffers queued since Open have finished, in queue order.
    virtual uint64_t FinishedCount() = 0;
    // Pause holds the stream where it is; Restart lets it play on, so buffers queued
    // while paused start together.
    virtual void Pause() = 0;
    virtual void Restart() = 0;
    // Stops playing and drops the queue; every dropped buffer counts as finished.
    virtual bool Reset() = 0;
    virtual bool Close() = 0;
    // True for a device that costs the process wake-ups for as long as it is open, even
    // paused (SDL keeps streaming silence to the sound server): the wave output lets go
    // of it while nothing sounds and opens it again when a sound starts.
    virtual bool ClosesWhenSilent() const { return false; }

    // Devices that are driven from outside (the headless device) call this after
    // buffers have finished and expect it to return once the owner has refilled
    // them. Devices that play on their own never call it; their owner polls.
    std::function<void()> OnBuffersFinished;
};

}  // namespace vandor

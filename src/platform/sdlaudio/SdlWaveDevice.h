#pragma once
// The wave device for players: SDL2's audio subsystem in queue mode. The worker of
// the sound output polls it; SDL copies each queued buffer at once, and a buffer
// counts as finished once SDL has taken all of its bytes from the queue (about one
// device chunk before it is heard).

#include <cstdint>
#include <deque>

#include "sound/WaveDevice.h"

namespace vandor {

class TSdlWaveDevice final : public IWaveDevice {
public:
    // Starts SDL's audio subsystem (without SDL's signal handlers). When that fails,
    // every Open fails and the game runs silent.
    TSdlWaveDevice();
    ~TSdlWaveDevice() override;
    TSdlWaveDevice(const TSdlWaveDevice&) = delete;
    TSdlWaveDevice& operator=(const TSdlWaveDevice&) = delete;

    bool Open(int32_t deviceId, const TWaveFormat& format) override;
    void Queue(const uint8_t* data, uint32_t bytes) override;
    uint64_t FinishedCount() override;
    void Pause() override;
    void Restart() override;
    bool Reset() override;
    bool Close() override;
    // An open SDL device runs its audio thread every 23 ms, paused or not.
    bool ClosesWhenSilent() const override { return true; }

private:
    bool Initialised_ = false;
    uint32_t Device_ = 0;        // SDL_AudioDeviceID; 0 while closed
    uint64_t QueuedBytes_ = 0;   // since Open or the last Reset
    std::deque<uint64_t> Ends_;  // where each unfinished buffer ends in QueuedBytes_
    uint64_t Finished_ = 0;
};

}  // namespace vandor

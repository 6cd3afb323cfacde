#pragma once
// Frame pacer: turns the main window's busy idle loop into a steady frame clock.
// Frames are kept on an ideal timeline (due one interval after the previous
// scheduled time, not after the previous frame ended); a lag of up to one interval
// is caught up, a longer stall restarts the schedule from now.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "util/Clock.h"

namespace vandor {

class TFPSControl {
public:
    static constexpr int kHistory = 64;

    TFPSControl(int rate, IClock& clock = SystemClock());

    void SetRate(int rate);
    // Runs a frame through OnTick when one is due; true when a frame ran.
    bool Tick();
    // Milliseconds until the next frame is due, 0 when it is due or overdue: a window
    // host can sleep in its event loop that long instead of calling Tick.
    int UntilDue() const;

    int Rate() const { return Rate_; }
    int Slot() const { return Slot_; }
    int Elapsed() const { return Elapsed_; }
    const std::vector<int>& Intervals() const { return Intervals_; }
    // FrameTime(1) is the scheduled time of the latest frame, the reference the next is due from.
    uint32_t FrameTime(int index) const { return FrameTimes_[index]; }

    std::function<void(TFPSControl&)> OnTick;

private:
    IClock& Clock_;
    int Rate_ = 1;
    int Slot_ = 0;
    int Elapsed_ = 0;
    std::vector<int> Intervals_;
    std::array<uint32_t, kHistory + 2> FrameTimes_{};  // entries 1..65 are used
};

}  // namespace vandor

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
    // Moves the schedule past every frame due by now without running them, as if each
    // had run on time and changed nothing: the frames after see the same elapsed times
    // and slots as if none had been left out. Returns how many were passed over.
    int PassDueFrames();

    int Rate() const { return Rate_; }
    int Slot() const { return Slot_; }
    int Elapsed() const { return Elapsed_; }
    const std::vector<int>& Intervals() const { return Intervals_; }
    // FrameTime(1) is the scheduled time of the latest frame, the reference the next is due from.
    uint32_t FrameTime(int index) const { return FrameTimes_[index]; }

    std::function<void(TFPSControl&)> OnTick;

private:
    // The bookkeeping of one frame: the history moves on, and the reference becomes the
    // scheduled time of the frame that has just run.
    void Advance();

    IClock& Clock_;
    int Rate_ = 1;
    int Slot_ = 0;
    int Elapsed_ = 0;
    std::vector<int> Intervals_;
    std::array<uint32_t, kHistory + 2> FrameTimes_{};  // entries 1..65 are used
};

}  // namespace vandor

#include "shell/FPSControl.h"

#include <algorithm>

namespace vandor {

TFPSControl::TFPSControl(int rate, IClock& clock) : Clock_(clock) {
    SetRate(rate);
    // A plausible past, so that the very first frame already sees a full interval.
    FrameTimes_[1] = Clock_.Now();
    for (int k = 1; k <= kHistory; ++k) FrameTimes_[k + 1] = FrameTimes_[k] - static_cast<uint32_t>(Intervals_[0]);
}

void TFPSControl::SetRate(int rate) {
    Slot_ = 0;
    Rate_ = std::clamp(rate, 1, 200);
    Intervals_.resize(Rate_);
    // Spread the remainder so that one second of intervals adds up to exactly 1000 ms.
    for (int i = 0; i < Rate_; ++i) Intervals_[i] = ((i + 1) * 1000 / Rate_) - (i * 1000 / Rate_);
}

bool TFPSControl::Tick() {
    // Millisecond sleep precision needs no timer-resolution calls here.
    uint32_t now = Clock_.Now();
    uint32_t& reference = FrameTimes_[1];
    const int untilDue = Intervals_[Slot_] - static_cast<int32_t>(now - reference);
    if (untilDue > 0) {
        // Up to a millisecond before the frame is due, at most 4 ms at a time: waking
        // every millisecond would cost a still scene a few percent of a core in
        // wake-ups alone, and input waits no longer than it does after a frame.
        Clock_.Sleep(static_cast<uint32_t>(std::clamp(untilDue - 1, 1, 4)));
        return false;
    }

    Advance();
    if (OnTick) OnTick(*this);

    const uint32_t t = Clock_.Now();
    const int interval = Intervals_[Slot_];
    reference = FrameTimes_[2] + static_cast<uint32_t>(interval);
    const int left = interval - static_cast<int32_t>(t - reference);
    if (left >= 2) {
        Clock_.Sleep(static_cast<uint32_t>(std::min(left - 1, 4)));
    } else if (left < -interval) {
        reference = t;  // more than one interval behind: drop the backlog
    }
    return true;
}

void TFPSControl::Advance() {
    for (int k = kHistory; k >= 1; --k) FrameTimes_[k + 1] = FrameTimes_[k];
    Elapsed_ = static_cast<int32_t>(FrameTimes_[2] - FrameTimes_[3]);
    Slot_ = (Slot_ + 1) % Rate_;
}

int TFPSControl::PassDueFrames() {
    const uint32_t now = Clock_.Now();
    int passed = 0;
    while (Intervals_[Slot_] - static_cast<int32_t>(now - FrameTimes_[1]) <= 0) {
        Advance();
        FrameTimes_[1] = FrameTimes_[2] + static_cast<uint32_t>(Intervals_[Slot_]);
        ++passed;
    }
    return passed;
}

int TFPSControl::UntilDue() const {
    const uint32_t now = Clock_.Now();
    return std::max(Intervals_[Slot_] - static_cast<int32_t>(now - FrameTimes_[1]), 0);
}

}  // namespace vandor

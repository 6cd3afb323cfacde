#pragma once
// Plays an input file frame by frame: delivers each event when its frame has come and
// holds at each wait until the game shows what it waits for, so that an input file
// written with waits survives changes to a script's text and timing. Frames after a
// wait count from the frame the wait ended.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/ReplayInput.h"

namespace vandor {

class TReplaySchedule {
public:
    // Whether the game shows what a wait waits for; `since` is the frame the wait began.
    using TWaitCheck = std::function<bool(const TReplayEvent& wait, uint32_t since)>;

    // Both outlive the schedule.
    TReplaySchedule(const TReplayInput& input, TWaitCheck holds);

    // Called once `frame` frames have run, before the next: delivers what is due and
    // returns the problems of events that could not be carried out.
    std::vector<std::string> Deliver(uint32_t frame, THeadlessWindowHost& host);
    // Set once a wait ran out of frames; the run must stop with it.
    const std::string& Failure() const { return Failure_; }

private:
    const std::vector<TReplayEvent>& Events_;
    TWaitCheck Holds_;
    std::size_t Next_ = 0;
    uint32_t SegmentStart_ = 0;
    bool Waiting_ = false;
    uint32_t WaitStart_ = 0;
    std::string Failure_;
};

// What a wait waits for, in words, for messages.
std::string DescribeWait(const TReplayEvent& wait);

}  // namespace vandor

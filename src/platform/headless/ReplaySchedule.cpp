#include "platform/headless/ReplaySchedule.h"

#include <utility>

namespace vandor {

TReplaySchedule::TReplaySchedule(const TReplayInput& input, TWaitCheck holds)
    : Events_(input.Events()), Holds_(std::move(holds)) {}

std::vector<std::string> TReplaySchedule::Deliver(uint32_t frame, THeadlessWindowHost& host) {
    std::vector<std::string> problems;
    while (Next_ < Events_.size() && Failure_.empty()) {
        const TReplayEvent& event = Events_[Next_];
        if (!Waiting_ && SegmentStart_ + event.Frame > frame) break;
        if (event.Kind != TReplayEventKind::Wait) {
            for (std::string& problem : TReplayInput::Apply(event, host)) problems.push_back(std::move(problem));
            ++Next_;
            continue;
        }
        if (!Waiting_) {
            Waiting_ = true;
            WaitStart_ = frame;
        }
        if (Holds_(event, WaitStart_)) {
            Waiting_ = false;
            SegmentStart_ = frame;
            ++Next_;
            continue;
        }
        if (frame - WaitStart_ >= event.WaitLimit) {
            Failure_ = "line " + std::to_string(event.Line) + ": waited " + std::to_string(event.WaitLimit) +
                       " frames (from frame " + std::to_string(WaitStart_) + ") for " + DescribeWait(event) +
                       ", which never came";
        }
        break;
    }
    return problems;
}

std::string DescribeWait(const TReplayEvent& wait) {
    switch (wait.WaitFor) {
        case TReplayWaitFor::Label: return "the label \"" + wait.Text + "\"";
        case TReplayWaitFor::Choices: return "choices";
        case TReplayWaitFor::Buttons: return "buttons";
        case TReplayWaitFor::Battle: return "a battle's preparation or end";
        case TReplayWaitFor::Page: return "a page fully shown";
    }
    return "nothing";
}

}  // namespace vandor

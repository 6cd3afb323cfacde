#include "platform/headless/ReplaySchedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessWindowHost.h"

namespace vandor {
namespace {

// Plays an input file frame by frame against a game whose answers to the waits the
// test gives; records "FRAME:KEY" for each key press delivered.
class ScheduleRun {
public:
    explicit ScheduleRun(const std::string& text) : Input(TReplayInput::Parse(text)) {
        host.SetEvents({.OnKeyDown = [&](int key, TShiftState) {
            Pressed.push_back(std::to_string(Frame) + ":" + static_cast<char>(key));
        }});
    }

    void Play(uint32_t frames, const std::function<bool(const TReplayEvent&, uint32_t since)>& holds) {
        TReplaySchedule schedule(Input, [&](const TReplayEvent& wait, uint32_t since) {
            Checks.push_back(wait.Line);
            return holds(wait, since);
        });
        for (Frame = 0; Frame <= frames; ++Frame) {
            schedule.Deliver(Frame, host);
            Failure = schedule.Failure();
            if (!Failure.empty()) return;
        }
    }

    TReplayInput Input;
    THeadlessWindowHost host;
    uint32_t Frame = 0;
    std::vector<std::string> Pressed;
    std::vector<int> Checks;
    std::string Failure;
};

TEST(ReplayScheduleTest, FramesAfterAWaitCountFromItsEnd) {
    ScheduleRun run(
        "5 keydown A\n"
        "8 wait choices\n"
        "0 keydown B\n"
        "1 keydown C\n"
        "# the page wait begins two frames after the choices, and the page is there at once\n"
        "2 wait page 50\n"
        "1 keydown D\n"
        "0 wait label *end\n"
        "4 keydown E\n");
    ASSERT_TRUE(run.Input.Errors().empty()) << run.Input.Errors()[0];
    constexpr uint32_t kChoicesFrom = 20, kLabelFrom = 40;
    std::vector<uint32_t> since;
    run.Play(100, [&](const TReplayEvent& wait, uint32_t began) {
        since.push_back(began);
        switch (wait.WaitFor) {
            case TReplayWaitFor::Choices: return run.Frame >= kChoicesFrom;
            case TReplayWaitFor::Label: return wait.Text == "*end" && run.Frame >= kLabelFrom;
            default: return true;
        }
    });
    EXPECT_TRUE(run.Failure.empty()) << run.Failure;
    // Choices at 20: B at once, C a frame later; the page wait begins at 22 and holds,
    // D a frame later; the label comes at 40, E four frames after it.
    EXPECT_EQ(run.Pressed, (std::vector<std::string>{"5:A", "20:B", "21:C", "23:D", "44:E"}));
    ASSERT_FALSE(since.empty());
    EXPECT_EQ(since.front(), 8u) << "the choices wait began at its own frame";
    EXPECT_EQ(since.back(), 23u) << "the label wait began at the page wait's end";
}

TEST(ReplayScheduleTest, AWaitBeyondItsLimitFailsNamingItsLine) {
    ScheduleRun run(
        "2 keydown A\n"
        "4 wait buttons 10\n"
        "0 keydown B\n");
    std::vector<uint32_t> since;
    run.Play(100, [&](const TReplayEvent&, uint32_t began) {
        since.push_back(began);
        return false;
    });
    EXPECT_EQ(run.Pressed, std::vector<std::string>{"2:A"});
    EXPECT_EQ(run.Frame, 14u) << "ten frames after the wait began";
    EXPECT_EQ(run.Failure, "line 2: waited 10 frames (from frame 4) for buttons, which never came");
    ASSERT_FALSE(since.empty());
    EXPECT_EQ(since.front(), 4u);
    EXPECT_EQ(since.back(), 4u);
}

TEST(ReplayScheduleTest, InputWithoutWaitsPlaysAsItAlwaysDid) {
    ScheduleRun run("7 keydown A\n0 keydown B\n7 keydown C\n");
    run.Play(10, [](const TReplayEvent&, uint32_t) { return false; });
    EXPECT_EQ(run.Pressed, (std::vector<std::string>{"0:B", "7:A", "7:C"}));
    EXPECT_TRUE(run.Checks.empty());
}

TEST(ReplayScheduleTest, ParsesWaitsAndTheirLimits) {
    const TReplayInput input = TReplayInput::Parse(
        "1 wait label *中庭 200\n"
        "2 wait choices\n"
        "3 wait battle 9\n"
        "4 wait label\n"
        "5 wait nothing\n"
        "6 wait page 0\n"
        "7 wait page x\n"
        "8 keydown A\n");
    ASSERT_EQ(input.Events().size(), 4u);
    const TReplayEvent& label = input.Events()[0];
    EXPECT_EQ(label.Kind, TReplayEventKind::Wait);
    EXPECT_EQ(label.WaitFor, TReplayWaitFor::Label);
    EXPECT_EQ(label.Text, "*中庭");
    EXPECT_EQ(label.WaitLimit, 200u);
    EXPECT_EQ(input.Events()[1].WaitFor, TReplayWaitFor::Choices);
    EXPECT_EQ(input.Events()[1].WaitLimit, TReplayEvent::kDefaultWaitLimit);
    EXPECT_EQ(input.Events()[2].WaitFor, TReplayWaitFor::Battle);
    EXPECT_EQ(input.Events()[2].WaitLimit, 9u);
    EXPECT_EQ(input.Events()[3].Segment, 3) << "after three waits";
    ASSERT_EQ(input.Errors().size(), 4u);
    EXPECT_TRUE(input.Errors()[0].starts_with("line 4: \"wait\" needs label NAME")) << input.Errors()[0];
    EXPECT_TRUE(input.Errors()[1].starts_with("line 5: \"wait\" needs label NAME")) << input.Errors()[1];
    EXPECT_EQ(input.Errors()[2], "line 6: the frame limit of \"wait\" is a whole number from 1, not \"0\"");
    EXPECT_EQ(input.Errors()[3], "line 7: the frame limit of \"wait\" is a whole number from 1, not \"x\"");
}

}  // namespace
}  // namespace vandor

#include "shell/FPSControl.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/headless/SimulatedClock.h"

namespace vandor {
namespace {

// Calls Tick until `frames` frames ran; returns the clock reading at each frame start.
std::vector<uint32_t> RunFrames(TFPSControl& pacer, TSimulatedClock& clock, int frames,
                                std::vector<int>* elapsed = nullptr) {
    std::vector<uint32_t> starts;
    pacer.OnTick = [&](TFPSControl& p) {
        starts.push_back(clock.Now());
        if (elapsed) elapsed->push_back(p.Elapsed());
    };
    for (int guard = 0; static_cast<int>(starts.size()) < frames && guard < 100000; ++guard) pacer.Tick();
    return starts;
}

TEST(FPSControl, FiftyFramesASecondRunEveryTwentyMilliseconds) {
    TSimulatedClock clock(1000);
    TFPSControl pacer(50, clock);
    std::vector<int> elapsed;
    const auto starts = RunFrames(pacer, clock, 10, &elapsed);
    ASSERT_EQ(starts.size(), 10u);
    EXPECT_EQ(starts[0], 1020u);
    for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], 20u);
    for (int e : elapsed) EXPECT_EQ(e, 20);
}

TEST(FPSControl, RateIsClampedAndIntervalsAddUpToOneSecond) {
    TSimulatedClock clock;
    TFPSControl pacer(0, clock);
    EXPECT_EQ(pacer.Rate(), 1);
    EXPECT_EQ(pacer.Intervals(), std::vector<int>{1000});
    pacer.SetRate(500);
    EXPECT_EQ(pacer.Rate(), 200);
    pacer.SetRate(60);
    const auto& intervals = pacer.Intervals();
    EXPECT_EQ(std::accumulate(intervals.begin(), intervals.end(), 0), 1000);
    for (int i : intervals) EXPECT_TRUE(i == 16 || i == 17);

    TFPSControl sixty(60, clock);
    const uint32_t begin = clock.Now();
    const auto starts = RunFrames(sixty, clock, 61);
    EXPECT_EQ(starts[60] - starts[0], 1000u);
    EXPECT_EQ(starts[0] - begin, 16u);
}

TEST(FPSControl, NeverSleepsLongerThanFourMilliseconds) {
    struct RecordingClock : IClock {
        uint32_t now = 0;
        uint32_t longest = 0;
        int sleeps = 0;
        uint32_t Now() override { return now; }
        void Sleep(uint32_t ms) override {
            now += ms;
            longest = std::max(longest, ms);
            ++sleeps;
        }
    } clock;
    TFPSControl pacer(2, clock);  // 500 ms intervals
    int frames = 0;
    pacer.OnTick = [&](TFPSControl&) { ++frames; };
    while (frames < 3) pacer.Tick();
    EXPECT_LE(clock.longest, 4u);

    // Between frames the pacer wakes about every 4 ms, not every millisecond, and still
    // starts each frame exactly on time.
    TFPSControl fifty(50, clock);
    std::vector<uint32_t> starts;
    fifty.OnTick = [&](TFPSControl&) { starts.push_back(clock.now); };
    clock.sleeps = 0;
    while (starts.size() < 51) fifty.Tick();
    EXPECT_LE(clock.sleeps, 51 * 7);  // a millisecond at a time would take 51 * 17
    for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(starts[i] - starts[i - 1], 20u) << i;
}

TEST(FPSControl, SlowFramesCatchUpAndAStallResynchronises) {
    TSimulatedClock clock(5000);
    TFPSControl pacer(50, clock);
    std::vector<uint32_t> starts;
    std::vector<int> elapsed;
    int frame = 0;
    pacer.OnTick = [&](TFPSControl& p) {
        starts.push_back(clock.Now());
        elapsed.push_back(p.Elapsed());
        ++frame;
        if (frame == 3) clock.Advance(30);     // one heavy frame
        if (frame == 10) clock.Advance(1000);  // a one-second stall
    };
    for (int guard = 0; frame < 14 && guard < 100000; ++guard) pacer.Tick();

    // The frame after the 30 ms one starts at once (catching up), and the schedule
    // is back on the 20 ms grid right after.
    EXPECT_EQ(starts[3], starts[2] + 30);
    EXPECT_EQ(starts[4], starts[2] + 40);
    EXPECT_EQ(elapsed[4], 20);
    // After the stall the schedule restarts from the end of the stalled frame: no
    // burst of frames, the next one is one interval later.
    EXPECT_EQ(starts[10], starts[9] + 1020);
    EXPECT_EQ(starts[11], starts[10] + 20);
    // The first frame after the restart reports the long step once.
    EXPECT_GE(elapsed[10], 1000);
    EXPECT_EQ(elapsed[11], 20);
}

TEST(FPSControl, UntilDueCountsDownToTheNextFrame) {
    TSimulatedClock clock(1000);
    TFPSControl pacer(50, clock);
    int frames = 0;
    int frameLength = 0;
    pacer.OnTick = [&](TFPSControl&) {
        ++frames;
        clock.Advance(static_cast<uint32_t>(frameLength));
    };
    EXPECT_EQ(pacer.UntilDue(), 20);
    clock.Advance(7);
    EXPECT_EQ(pacer.UntilDue(), 13);
    clock.Advance(13);
    EXPECT_EQ(pacer.UntilDue(), 0);
    clock.Advance(5);
    EXPECT_EQ(pacer.UntilDue(), 0) << "overdue";

    // Asking runs nothing; the frame at 1025 was scheduled for 1020, so the next is
    // due at 1040, and the pacer's own short sleep after the frame counts too.
    EXPECT_EQ(frames, 0);
    ASSERT_TRUE(pacer.Tick());
    EXPECT_EQ(pacer.UntilDue(), static_cast<int>(1040 - clock.Now()));
    EXPECT_GT(pacer.UntilDue(), 0);

    // A frame that runs longer than the interval leaves the next one due at once.
    clock.Set(1040);
    frameLength = 30;
    ASSERT_TRUE(pacer.Tick());
    EXPECT_EQ(pacer.UntilDue(), 0);
    frameLength = 0;
    ASSERT_TRUE(pacer.Tick());
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(pacer.UntilDue(), static_cast<int>(1080 - clock.Now()));
}

TEST(FPSControl, SurvivesTheClockWrappingAround) {
    TSimulatedClock clock(0xFFFFFFFFu - 30);
    TFPSControl pacer(50, clock);
    std::vector<int> elapsed;
    const auto starts = RunFrames(pacer, clock, 5, &elapsed);
    for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_EQ(static_cast<uint32_t>(starts[i] - starts[i - 1]), 20u);
    for (int e : elapsed) EXPECT_EQ(e, 20);
}

// Passing over frames leaves the pacer exactly where running them on time would have:
// the same slots, schedule and elapsed times for every frame after, at an uneven rate.
TEST(FPSControl, PassingOverDueFramesKeepsTheScheduleOfRunningThem) {
    TSimulatedClock clockA(5000);
    TSimulatedClock clockB(5000);
    TFPSControl ran(30, clockA);
    TFPSControl passed(30, clockB);
    RunFrames(ran, clockA, 4);
    RunFrames(passed, clockB, 4);
    ASSERT_EQ(clockA.Now(), clockB.Now());

    RunFrames(ran, clockA, 40);
    int ticks = 0;
    passed.OnTick = [&](TFPSControl&) { ++ticks; };
    clockB.Advance(clockA.Now() - clockB.Now());
    EXPECT_EQ(passed.PassDueFrames(), 40);
    EXPECT_EQ(ticks, 0) << "no frame ran";
    EXPECT_EQ(passed.PassDueFrames(), 0) << "nothing is due twice";
    EXPECT_EQ(passed.Slot(), ran.Slot());
    EXPECT_EQ(passed.UntilDue(), ran.UntilDue());
    for (int k = 1; k <= TFPSControl::kHistory + 1; ++k) EXPECT_EQ(passed.FrameTime(k), ran.FrameTime(k)) << k;

    std::vector<int> elapsedRan;
    std::vector<int> elapsedPassed;
    EXPECT_EQ(RunFrames(ran, clockA, 30, &elapsedRan), RunFrames(passed, clockB, 30, &elapsedPassed));
    EXPECT_EQ(elapsedPassed, elapsedRan);
}

}  // namespace
}  // namespace vandor

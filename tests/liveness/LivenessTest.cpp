// No input may leave a story scene stuck: hand-made cases of the lock-ups found so far,
// a batch of random cases like the fuzz target's, and a stuck script to show that the
// runner does notice one.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "LivenessCase.h"
#include "LivenessRun.h"
#include "TempFolder.h"

namespace vandor::liveness {
namespace {

class LivenessTest : public ::testing::Test {
protected:
    TLivenessResult Play(const TLivenessCase& liveCase) {
        TLivenessResult result = Runner.Run(liveCase);
        EXPECT_TRUE(result.Reached) << TLivenessRunner::Report(liveCase, result);
        return result;
    }

    test::TTempFolder Temp;
    TLivenessRunner Runner{Temp / "liveness"};
};

const std::string kLongLine = "長い長い長い長い長い長い長い長い長い長い長い長い長い長い文章";

TEST_F(LivenessTest, AButtonClickedWhileTheTextAppearsRunsItsTarget) {
    // The reveal runs at the default speed of 30 ms a character; every frame of it.
    for (int frame = 1; frame <= 8; ++frame) {
        SCOPED_TRACE(frame);
        const TLivenessCase liveCase{
            "[ボタン/btn.png/ /./*GO/100/60]\n" + kLongLine + "\n\n*GO\n[ボタン消]\n着いた\n\n*終点\n",
            "0 move 150 80\n" + std::to_string(frame) + " down left\n" + std::to_string(frame) + " up left\n",
            static_cast<uint32_t>(frame) + 1, 1};
        Play(liveCase);
    }
}

TEST_F(LivenessTest, TheRightClickTargetTakenWhileTheTextAppearsRunsIt) {
    const TLivenessCase liveCase{"[右クリック/*R]\n" + kLongLine + "\n\n*R\n[右クリック]\n戻った\n\n*終点\n",
                                 "3 down right\n3 up right\n", 4, 1};
    Play(liveCase);
}

TEST_F(LivenessTest, TheBacklogOpenedDuringAProtectedWaitCloses) {
    const TLivenessCase liveCase{"前の頁\n\n一行\n[待/2000/禁スキップ]\n後\n\n*終点\n",
                                 "5 down left\n5 up left\n10 wheel -1\n", 11, 1};
    Play(liveCase);
}

TEST_F(LivenessTest, ABattleStartedFromTheStoryIsLeftAgain) {
    // The player starts the waves (the start button's middle) and clicks about the field.
    const TLivenessCase liveCase{"[戦闘開始/1/first.txt/*L1]\n戦いの後\n\n*L1\n*終点\n",
                                 "3 move 735 552\n4 down left\n4 up left\n9 move 300 300\n9 down left\n9 up left\n", 40,
                                 1};
    const TLivenessResult result = Play(liveCase);
    EXPECT_NE(result.RescueInput.find("keyup Q"), std::string::npos);  // the battle was still on
}

// The same kind of cases the fuzz target makes, from fixed seeds.
TEST_F(LivenessTest, RandomScriptsAndInputNeverLeaveTheGameStuck) {
    std::mt19937 random(20261210);
    for (int run = 0; run < 60; ++run) {
        std::vector<uint8_t> bytes(40 + random() % 400);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
        const TLivenessCase liveCase = MakeLivenessCase(bytes.data(), bytes.size());
        SCOPED_TRACE(run);
        ASSERT_TRUE(Play(liveCase).Reached);
    }
}

TEST_F(LivenessTest, AScriptThatCannotGoOnIsReportedWithItsInput) {
    // Its only choice never holds: content that is stuck whatever the player does.
    const TLivenessCase liveCase{"[選択/*L1/./ターン>=100/閉]開く\n\n*L1\n*終点\n", "2 wheel -1\n", 3, 1};
    const TLivenessResult result = Runner.Run(liveCase);
    EXPECT_FALSE(result.Reached);
    const std::string report = TLivenessRunner::Report(liveCase, result);
    EXPECT_NE(report.find("[選択/*L1/./ターン>=100/閉]開く"), std::string::npos);
    EXPECT_NE(report.find("2 wheel -1\n"), std::string::npos);
    EXPECT_NE(report.find(" char Return\n"), std::string::npos);  // the rescue's own events
    EXPECT_NE(report.find("1 choices"), std::string::npos);
}

// The generator keeps its promises: the end label last, every target a later label.
TEST_F(LivenessTest, GeneratedScriptsOnlyJumpForwardAndEndWithTheEndLabel) {
    std::mt19937 random(7);
    for (int run = 0; run < 200; ++run) {
        std::vector<uint8_t> bytes(random() % 300);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
        const TLivenessCase liveCase = MakeLivenessCase(bytes.data(), bytes.size());
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = liveCase.Script.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(liveCase.Script.substr(start, end - start));
        }
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[lines.size() - 3], kEndLabel);
        int block = -1;
        for (const std::string& line : lines) {
            if (line.starts_with("*L")) block = std::stoi(line.substr(2));
            for (std::size_t at = line.find("/*L"); at != std::string::npos; at = line.find("/*L", at + 1)) {
                EXPECT_GT(std::stoi(line.substr(at + 3)), block) << line;
            }
        }
    }
}

}  // namespace
}  // namespace vandor::liveness

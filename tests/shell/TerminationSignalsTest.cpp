#include "shell/TerminationSignals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>

namespace vandor {
namespace {

bool HasHandler(int signalNumber) {
    struct sigaction current {};
    sigaction(signalNumber, nullptr, &current);
    return current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN;
}

TEST(TerminationSignalsTest, TermAndIntSetTheFlagUntilCleared) {
    InstallTerminationHandlers();
    EXPECT_TRUE(HasHandler(SIGTERM));
    EXPECT_TRUE(HasHandler(SIGINT));
    ClearTerminationRequest();
    EXPECT_FALSE(TerminationRequested());

    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(TerminationRequested()) << "and the process is still alive";
    EXPECT_TRUE(TerminationRequested()) << "reading does not consume the request";
    ClearTerminationRequest();
    EXPECT_FALSE(TerminationRequested());

    ASSERT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(TerminationRequested());
    ClearTerminationRequest();

    ASSERT_EQ(raise(SIGCHLD), 0);  // ignored by default, so harmless to raise
    EXPECT_FALSE(TerminationRequested()) << "other signals are not a termination request";
}

TEST(TerminationSignalsTest, ASecondSignalEndsAGameThatDidNotClose) {
    EXPECT_EXIT(
        {
            InstallTerminationHandlers();
            ClearTerminationRequest();
            raise(SIGINT);
            if (!TerminationRequested()) std::exit(1);
            raise(SIGINT);
            std::exit(2);
        },
        ::testing::KilledBySignal(SIGINT), "");
}

}  // namespace
}  // namespace vandor

#include "shell/Handheld.h"

#include <gtest/gtest.h>

namespace vandor {
namespace {

TEST(HandheldTest, ASteamDeckOrAScreenNoLargerThanItsIsAHandheld) {
    EXPECT_TRUE(IsHandheld(true, {3840, 2160}));
    EXPECT_TRUE(IsHandheld(false, {1280, 800}));
    EXPECT_TRUE(IsHandheld(false, {800, 1280 / 2}));
    EXPECT_FALSE(IsHandheld(false, {1281, 800}));
    EXPECT_FALSE(IsHandheld(false, {1280, 801}));
    EXPECT_FALSE(IsHandheld(false, {1366, 768})) << "both sides count";
    EXPECT_FALSE(IsHandheld(false, {0, 0})) << "a screen that cannot be told is no handheld";
}

}  // namespace
}  // namespace vandor

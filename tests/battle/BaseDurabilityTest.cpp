#include "battle/BaseDurability.h"

#include <gtest/gtest.h>

#include "campaign/GameDat.h"

namespace vandor {
namespace {

TEST(BaseDurabilityTest, AreaSevenAndHeroineOnesAffectionUpToAThousand) {
    TCryptMaps store;
    TQTDGameDat dat(store);  // heroine 1 has joined, so she is a general
    EXPECT_EQ(BaseDurability(dat), 3000);
    dat.SetAffection(1, 4);
    EXPECT_EQ(BaseDurability(dat), 3400);
    dat.SetAffection(1, 10);
    EXPECT_EQ(BaseDurability(dat), 4000);
    dat.SetAffection(1, 11);
    EXPECT_EQ(BaseDurability(dat), 4000);  // the affection adds 1000 at most
    dat.SetAreaStrength(7, 0);
    EXPECT_EQ(BaseDurability(dat), 5000);
    dat.SetAreaStrength(7, 1);
    EXPECT_EQ(BaseDurability(dat), 4000);
    dat.SetAreaStrength(7, 0);
    dat.SetHeroinePresent(1, false);
    EXPECT_EQ(BaseDurability(dat), 4000);  // her affection counts only while she is there
    dat.SetAreaStrength(3, 0);             // another area changes nothing
    EXPECT_EQ(BaseDurability(dat), 4000);
}

}  // namespace
}  // namespace vandor

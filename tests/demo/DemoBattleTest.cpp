// The demo's battles played by the game program, headless, on the generated data: a
// plan of towers (written into clicks by tools/battleplan) wins the homeland's battle
// and a later area's first one, weaker plans lose them, and every map and wave table
// the campaign can reach lints clean and gets harder from area to area.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "battle/BattleFile.h"
#include "campaign/GameDat.h"
#include "util/Format.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr int kAreas = 14;
constexpr int kPeriod = 500;

// Bow towers on the four sides of the base, the ways all enemies must take.
constexpr const char* kHomelandPlan =
    "1  3  0 2 1\n"
    "1 -3  0 2 1\n"
    "1  0  3 2 1\n"
    "1  0 -3 2 1\n"
    "2  3  3 2 1\n"
    "2 -3 -3 2 1\n"
    "3  3  0 2 2\n"
    "3 -3  0 2 2\n";

class DemoBattleTest : public ::testing::Test {
protected:
    DemoBattleTest() {
        fs::create_directories(game);
        for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
            fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder, fs::copy_options::recursive);
        }
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }

    // Starts the campaign with the given script lines in place of the demo's story; the
    // story has no battle, so it has no defeat script either.
    void Begin(const std::string& script) const {
        test::WriteTextFile(game + "scenario/first.txt", script);
        test::WriteTextFile(game + "scenario/敗北.txt", "*スタート\n[クリック待]\n");
    }

    // Fights area `area` (its first battle) with `plan` and returns the battle log; with
    // `withMap` the plan tool reads the area's map and its chips' picture.
    std::string Fight(int area, const std::string& plan, int waves, bool withMap = false) const {
        fs::remove(temp / "battle.log");
        Begin("[戦闘開始/" + std::to_string(area) + "]\n[クリック待]\n");
        test::WriteTextFile(temp / "plan.txt", plan);
        const std::string input = temp / "input.txt";
        const std::string data = DEMO_LOOSE_DIR;
        const std::string map = withMap ? " --map '" + data + Format("/scenario/st%.2d.txt", area) + "' --chips '" +
                                              data + "/image/マップチップ.png'"
                                        : "";
        const std::string command = std::string("'") + BATTLEPLAN_PATH + "' --waves " + std::to_string(waves) +
                                    " --period " + std::to_string(kPeriod) + map + " '" + (temp / "plan.txt") +
                                    "' > '" + input + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        const int frames = 50 + waves * kPeriod;
        EXPECT_EQ(test::RunGame(game, temp / "docs",
                                "--headless --frames " + std::to_string(frames) + " --input '" + input +
                                    "' --battle-log '" + (temp / "battle.log") + "'",
                                temp / "stdout.txt", temp / "stderr.txt"),
                  0)
            << test::ReadTextFile(temp / "stderr.txt");
        return test::ReadTextFile(temp / "battle.log");
    }

    // Every picture and sound the battle named was there.
    void ExpectNothingMissing() const {
        const std::string debug = test::ReadDebugLog(game);
        EXPECT_EQ(debug.find("は存在しません"), std::string::npos) << debug;
    }

    // The number of waves of a battle's table.
    static int Waves(const std::string& table) {
        TBattleFile file;
        file.Parse(test::ReadTextFile(std::string(DEMO_LOOSE_DIR) + "/scenario/" + table));
        return file.ReadClamped("WC", 2, 1, 60);
    }

    static std::string LastWord(const std::string& log) {
        const std::size_t end = log.find_last_not_of('\n');
        if (end == std::string::npos) return {};
        const std::size_t start = log.find_last_of(' ', end);
        return log.substr(start + 1, end - start);
    }

    test::TTempFolder temp;
    const std::string game = temp / "game/";
};

TEST_F(DemoBattleTest, AFewBowTowersHoldTheHomeland) {
    const std::string log = Fight(1, kHomelandPlan, Waves("bt01-01.txt"));
    EXPECT_EQ(LastWord(log), "won") << log;
    EXPECT_EQ(log.find("lost"), std::string::npos) << log;
    ExpectNothingMissing();
}

// Every preparation of these plans builds or raises several towers, in every order:
// the battle must never be left placing a tower or with a pop-up in the way, so each
// plays every wave to the battle's end.
TEST_F(DemoBattleTest, PlansOfEveryShapePlayEveryWave) {
    const int waves = Waves("bt01-01.txt");
    ASSERT_EQ(waves, 3) << "the plans raise before the last wave";
    const std::string sides = "1 3 0 2 1\n1 -3 0 2 1\n1 0 3 2 1\n1 0 -3 2 1\n";
    const auto expectEveryWave = [&](const std::string& shape, const std::string& plan, bool withMap) {
        const std::string log = Fight(1, sides + plan, waves, withMap);
        EXPECT_EQ(LastWord(log), "won") << shape << "\n" << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), waves) << shape << "\n" << log;
        return log;
    };
    // Two raises the money covers come to the same in either order, also when the
    // second tower, (3, 0), lies under the pop-up of the first, (-3, 0).
    EXPECT_EQ(
        expectEveryWave("raise, then raise a tower under its pop-up", "2 3 3 2 1\n3 -3 0 2 2\n3 3 0 2 2\n", false),
        expectEveryWave("raise, then raise a tower beside it", "2 3 3 2 1\n3 3 0 2 2\n3 -3 0 2 2\n", false));
    expectEveryWave("build, raise, raise, build", "2 3 3 2 1\n2 3 0 2 2\n2 -3 0 2 2\n2 -3 -3 2 1\n3 0 3 2 2\n", false);
    // Levels up to the last, more than the money covers, then a tower under a pop-up.
    expectEveryWave("raises to level 5", "2 3 3 2 1\n2 -3 -3 2 1\n3 3 3 2 5\n3 -3 -3 2 5\n3 3 0 2 2\n", false);
    // Cells on the edge of the building area, behind obstacles beyond it: the tree on
    // (10, -1) hides most of (9, 0)'s tile, and the last tower of a preparation left
    // placing keeps the wave from starting.
    expectEveryWave("edge cells", "2 9 1 2 1\n2 9 -4 2 1\n2 8 -9 2 1\n2 9 0 2 1\n3 9 0 2 2\n3 9 -4 2 2\n", true);
}

TEST_F(DemoBattleTest, TheBaseAloneLosesTheHomeland) {
    const std::string log = Fight(1, "", Waves("bt01-01.txt"));
    EXPECT_EQ(LastWord(log), "lost") << log;
    ExpectNothingMissing();
}

// Area 8 is the first whose waves also come from all sides at once; the bow towers
// that hold the homeland fall there, raised magic bows hold it.
TEST_F(DemoBattleTest, RaisedMagicBowsHoldALaterArea) {
    const int waves = Waves("bt08-01.txt");
    // The plan the campaign's playthrough wins with.
    const std::string won = Fight(8, test::ReadTextFile(MAGIC_BOWS_PLAN), waves);
    EXPECT_EQ(LastWord(won), "won") << won;
    const std::string lost = Fight(8, kHomelandPlan, waves);
    EXPECT_EQ(LastWord(lost), "lost") << lost;
}

TEST_F(DemoBattleTest, ThePlanToolRefusesAPlanThatChangesATowersType) {
    test::WriteTextFile(temp / "plan.txt", "1 3 0 2 1\n2 3 0 3 2\n");
    const std::string command = std::string("'") + BATTLEPLAN_PATH + "' '" + (temp / "plan.txt") +
                                "' > /dev/null 2> '" + (temp / "error.txt") + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(test::ReadTextFile(temp / "error.txt").find("plan line 2"), std::string::npos)
        << test::ReadTextFile(temp / "error.txt");
}

// A tower the battle refuses leaves it placing that tower, where the start button does
// nothing: with the area's map the plan tool refuses such a plan instead.
TEST_F(DemoBattleTest, ThePlanToolRefusesTowersTheMapDoesNotTake) {
    const std::string map = std::string(DEMO_LOOSE_DIR) + "/scenario/st01.txt";
    const auto refusal = [&](const std::string& plan) {
        test::WriteTextFile(temp / "plan.txt", plan);
        const std::string command = std::string("'") + BATTLEPLAN_PATH + "' --map '" + map + "' '" +
                                    (temp / "plan.txt") + "' > /dev/null 2> '" + (temp / "error.txt") + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) && WEXITSTATUS(status) == 1 ? test::ReadTextFile(temp / "error.txt") : "";
    };
    // The homeland's map has an obstacle on (3, -9) (MAP_27_15).
    EXPECT_EQ(refusal("1 3 0 2 1\n2 3 -9 2 1\n"),
              "battleplan: plan line 2: (3, -9) is an obstacle of the map: no tower can stand there\n");
    // Towers around the base close the way before the ring is full: the last gap, the
    // corner (2, 2), leads nowhere, since no step cuts the corner of a blocked cell.
    std::string ring;
    for (int y = -2; y <= 2; ++y) {
        for (int x = -2; x <= 2; ++x) {
            if (std::max(std::abs(x), std::abs(y)) == 2)
                ring += "1 " + std::to_string(x) + " " + std::to_string(y) + " 2 1\n";
        }
    }
    EXPECT_EQ(refusal(ring), "battleplan: plan line 15: (1, 2) would cut the enemies off from the base\n");
    EXPECT_EQ(refusal(test::ReadTextFile(MAGIC_BOWS_PLAN)), "") << "a plan the battle takes passes";
}

TEST_F(DemoBattleTest, EveryMapAndWaveTableLintsClean) {
    // The story starts no battle, so the lint is shown one in every area.
    std::string script;
    for (int area = 1; area <= kAreas; ++area) script += "[戦闘開始/" + std::to_string(area) + "]\n";
    Begin(script);
    ASSERT_EQ(test::RunGame(game, temp / "docs", "--lint", temp / "stdout.txt", temp / "stderr.txt"), 0)
        << test::ReadTextFile(temp / "stdout.txt");
    EXPECT_EQ(test::ReadTextFile(temp / "stdout.txt"), "");
}

// The sum of the durability of every enemy of a table: what the towers must wear down.
long TotalDurability(const std::string& table) {
    TBattleFile file;
    file.Parse(test::ReadTextFile(std::string(DEMO_LOOSE_DIR) + "/scenario/" + table));
    long total = 0;
    const int waves = file.ReadClamped("WC", 2, 1, 60);
    for (int w = 0; w < waves; ++w) {
        const int count = file.ReadClamped(Format("WEC_%.2d", w), 10, 1, 250);
        for (int i = 0; i < count; ++i) total += file.ReadClamped(Format("E_%.2d_%.2d_HP", w, i), 1, 1, 1000000);
    }
    return total;
}

TEST(DemoBattleData, EveryBattleOfTheCampaignHasItsOwnTableAndTheyGrowHarder) {
    const std::string folder = std::string(DEMO_LOOSE_DIR) + "/scenario/";
    std::set<std::string> tables;
    const auto add = [&](const std::string& name) {
        ASSERT_TRUE(fs::exists(folder + name)) << name;
        EXPECT_TRUE(tables.insert(test::ReadTextFile(folder + name)).second) << name << " repeats another battle";
    };
    add("bt00-00.txt");
    long previous = 0;
    for (int area = 1; area <= kAreas; ++area) {
        EXPECT_TRUE(fs::exists(folder + Format("st%.2d.txt", area))) << area;
        add(Format("bt%.2d-00.txt", area));
        const int strength = TQTDGameDat::InitialStrength[static_cast<std::size_t>(area)];
        // The first battle of an area is harder than the first of the area before, and
        // each later one harder than the one before it.
        long before = previous;
        for (int k = 1; k <= strength; ++k) {
            const std::string name = Format("bt%.2d-%.2d.txt", area, k);
            add(name);
            const long total = TotalDurability(name);
            EXPECT_GT(total, before) << name << " is no harder than the battle before";
            if (k == 1) previous = total;
            before = total;
        }
    }
}

}  // namespace
}  // namespace vandor

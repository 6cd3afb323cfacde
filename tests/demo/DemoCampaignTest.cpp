// The demo campaign played by the game program from the title to its ending, headless,
// in a debug folder: the input comes from tools/playthrough, which reads the how-to-play,
// trains a heroine, loses one battle on purpose, saves and loads, returns to the title
// (where nothing can be saved) and continues from there, wins every battle the story
// needs, and quits from the title.
// The pictures of the moments worth looking at are kept in a folder for a person.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "GameProgram.h"
#include "TempFolder.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;

// The last line of each battle in the battle log: area and outcome.
std::vector<std::pair<int, std::string>> Outcomes(const std::string& log) {
    std::vector<std::pair<int, std::string>> outcomes;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        const std::string outcome = line.substr(line.find_last_of(' ') + 1);
        if (outcome == "won" || outcome == "lost") outcomes.emplace_back(std::stoi(line), outcome);
    }
    return outcomes;
}

// The labels the debug log says the script passed, in order.
std::vector<std::string> Labels(const std::string& debugLog) {
    std::vector<std::string> labels;
    std::istringstream lines(debugLog);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t open = line.find("ラベル \"");
        if (open == std::string::npos) continue;
        const std::size_t start = open + std::string("ラベル \"").size();
        labels.push_back(line.substr(start, line.find('"', start) - start));
    }
    return labels;
}

TEST(DemoCampaign, PlaysFromTheTitleToTheEnding) {
    test::TTempFolder temp;
    const std::string game = temp / "game/";
    fs::create_directories(game);
    for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
        fs::copy(fs::path(DEMO_LOOSE_DIR) / folder, game + folder, fs::copy_options::recursive);
    }
    fs::copy_file(VANDOR_PATH, game + "vandor");
    const fs::path shots = fs::temp_directory_path() / "vandor_campaign_shots";
    fs::remove_all(shots);
    fs::create_directories(shots);

    const std::string input = temp / "input.txt";
    const std::string tool = std::string("'") + PLAYTHROUGH_PATH + "' --shots '" + shots.string() + "' '" + game +
                             "scenario' > '" + input + "'";
    ASSERT_EQ(std::system(tool.c_str()), 0) << tool;
    const std::string route = ReadTextFile(input);
    const std::string frames = std::to_string(std::stoi(route.substr(route.rfind(' ') + 1)));
    ASSERT_EQ(test::RunGame(game, temp / "docs",
                            "--headless --frames " + frames + " --input '" + input + "' --battle-log '" +
                                (temp / "battle.log") + "'",
                            temp / "stdout.txt", temp / "stderr.txt"),
              0)
        << ReadTextFile(temp / "stderr.txt");
    // Every menu item the route chose was there to choose, the save and the load too,
    // except the save it tried at the title after leaving the action phase.
    const std::string problems = ReadTextFile(temp / "stderr.txt");
    EXPECT_NE(problems.find("\"mmSF0_1\""), std::string::npos) << problems;
    EXPECT_EQ(std::count(problems.begin(), problems.end(), '\n'), 1) << problems;

    // The storm night won; the broken corner lost on purpose, then taken; the white
    // beach, the frost corner and the lamp corner taken battle by battle; the castle.
    std::vector<std::pair<int, std::string>> expected{{1, "won"}, {6, "lost"}, {6, "won"}};
    for (const auto& [area, battles] : {std::pair{11, 3}, std::pair{2, 4}, std::pair{4, 4}}) {
        for (int battle = 0; battle < battles; ++battle) expected.emplace_back(area, "won");
    }
    expected.emplace_back(14, "won");
    EXPECT_EQ(Outcomes(ReadTextFile(temp / "battle.log")), expected) << ReadTextFile(temp / "battle.log");

    const std::string debug = test::ReadDebugLog(game);
    EXPECT_EQ(debug.find("は存在しません"), std::string::npos) << debug;
    EXPECT_EQ(debug.find("判定"), std::string::npos) << debug;
    // The story's milestones, in order: the first council, the heroine trained (her
    // training 0 rises to 1, her affection 0 cannot fall), the briefing of the broken
    // corner's first battle, the defeat, the briefing of its second and the report that
    // takes it (two of two battles fought), the scout joining, the sorceress joining after
    // the white beach's first victory (two battles left of three), the frost corner taken
    // in its fourth, the fire keeper joining after the lamp corner's first, the ending,
    // and the farewell from the title afterwards.
    const std::vector<std::string> labels = Labels(debug);
    std::size_t at = 0;
    for (const char* milestone :
         {"*ページ6",      "*はじまり", "*嵐の夜",   "*初めての軍議", "*調練1",   "*鍛錬1",    "*初めての地図",
          "*偵察6_1",      "*負けの二", "*偵察6_2",  "*戦況6_2",      "*加入6",   "*スタート", "*つづきから",
          "*行動フェイズ", "*戦況11_1", "*加入8",    "*戦況2_4",      "*戦況4_1", "*加入7",    "*霧の王城出撃",
          "*霧の晴れる日", "*凱歌",     "*スタート", "*さようなら"}) {
        while (at < labels.size() && labels[at] != milestone) ++at;
        EXPECT_LT(at, labels.size()) << milestone << " was not reached in order";
    }
    // The load from the menu: the only time the map is left for the action phase
    // without a battle.
    int mapLeftForActions = 0;
    for (std::size_t i = 1; i < labels.size(); ++i) {
        mapLeftForActions += labels[i - 1] == "*地図" && labels[i] == "*行動フェイズ";
    }
    EXPECT_EQ(mapLeftForActions, 1);
    // "Continue" went on from the action phase of turn 3 it was left at: the new game
    // that a broken campaign would show never started again.
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "*はじまり"), 1);
    const auto continued = std::find(labels.begin(), labels.end(), "*つづきから");
    ASSERT_NE(continued, labels.end());
    EXPECT_EQ(*std::next(continued), "*行動フェイズ");

    // The save of turn 3: the trained captain, the broken corner taken in its second
    // battle with its scout, the storm night's banner.
    const std::string saves = temp / "docs/クイルフェン/ヴァンドルの星砦タクティクス/";
    TCryptMaps store;
    TQTDGameDat saved(store);
    ApplySlot(saved, ReadSlotFile(saves + "save00.dat"));
    EXPECT_EQ(saved.Turn(), 3);
    EXPECT_EQ(saved.Training(1), 1);
    EXPECT_EQ(saved.AreaBattles(6), 2);
    EXPECT_EQ(saved.AreaStrength(6), 0);
    EXPECT_TRUE(saved.HeroinePresent(6));
    EXPECT_TRUE(saved.HasItem(16));
    EXPECT_EQ(saved.ConqueredCount(), 2);
    EXPECT_NE(TIniFile(saves + "Config.ini").ReadString("Save", "Item00").find("3ターン 制圧2箇所"), std::string::npos);
    EXPECT_FALSE(fs::exists(saves + "quicksave.dat")) << "F5 saved at the title";
    EXPECT_TRUE(TIniFile(saves + "Config.ini").ReadString("Save", "Item01").empty()) << "a slot saved at the title";

    // A picture of each moment: distinct, and none of them blank.
    std::vector<std::pair<std::string, std::string>> pictures;
    for (const auto& entry : fs::directory_iterator(shots)) {
        pictures.emplace_back(entry.path().filename().string(), ReadTextFile(entry.path().string()));
    }
    EXPECT_GE(pictures.size(), 20u);
    // The game ended at the farewell's question: the picture planned after it was never taken.
    for (const auto& [name, bytes] : pictures) EXPECT_EQ(name.find("after-quit"), std::string::npos);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_GT(pictures[i].second.size(), 10000u) << pictures[i].first;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(pictures[i].second == pictures[j].second) << pictures[i].first << " = " << pictures[j].first;
        }
    }
}

}  // namespace
}  // namespace vandor

// The demo campaign's reports, played with the real scenario engine and the campaign's
// commands and conditions over the generated loose folders: what a training or a talk
// raised, what an area still needs after a victory, and the scouts' briefing, whose
// directions and kinds must be those of the wave table the battle will read. The
// figures expected here are worked out by hand from the campaign's rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "StageCheck.h"
#include "battle/BattleTables.h"
#include "campaign/CampaignCommands.h"
#include "campaign/Condition.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "resources/PictureCodec.h"
#include "scenario/ScenarioFixture.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxFrames = 2000;

class DemoReportTest : public testing::ScenarioTest {
protected:
    DemoReportTest() {
        for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
            Files.AddFolder(std::string(DEMO_LOOSE_DIR) + "/" + folder + "/");
        }
    }

    // Starts the engine at `script label` of the demo, on the campaign as the test has
    // set it. A battle the scene starts counts as won at once.
    void Begin(const std::string& script, const std::string& label) {
        Commands.reset();  // its layers are on the stage of the engine it was made for
        // A script of its own each time: the script cache keeps what it has read.
        // The demo's own settings first (its frame, fonts, fades), as the game starts.
        std::ifstream first(fs::path(DEMO_LOOSE_DIR) / "scenario" / "first.txt");
        std::string settings;
        for (std::string line; std::getline(first, line);) {
            if (line.starts_with("[初期値")) settings += line + "\n";
        }
        StartScript = "start" + std::to_string(++Starts) + ".txt";
        WriteScript(StartScript, settings + "[ジャンプ/" + script + "/" + label + "]\n");
        Start(StartScript, 0);
        Commands = std::make_unique<TCampaignCommands>(Campaign, Game->Layers, Random, &Log);
        Commands->Hooks.StartBattle = [](int, int32_t) {};
        Commands->Hooks.EnableSave = [](bool) {};
        Commands->Hooks.Shutdown = [] {};
        Game->OnCommand = [this](TFields& fields) { Commands->Run(fields); };
        Game->OnLabel = [this] { Labels.push_back(Game->LastLabel); };
        Game->OnCondition = [this](const std::string& condition, bool& result) {
            TConditionContext context{Campaign, Flags, Commands->CurrentItem, true, false, Random, &Log};
            result = EvaluateCondition(condition, context);
        };
    }

    // Runs `script label` up to the first page that waits for a click or a button;
    // returns that page's text.
    std::string FirstPage(const std::string& script, const std::string& label) {
        Begin(script, label);
        for (int frame = 0; frame < kMaxFrames && !Game->Waiting; ++frame) Game->Update(20);
        EXPECT_TRUE(Game->Waiting) << "no page in " << script << " " << label;
        return PageText();
    }

    // Plays `script label`, clicking through its pages, up to the page that holds `text`.
    std::string PageWith(const std::string& script, const std::string& label, const std::string& text) {
        Begin(script, label);
        for (int frame = 0; frame < kMaxFrames * 10; ++frame) {
            Game->Update(20);
            if (Game->Layers.Transitions.Busy() || !Game->Waiting) continue;
            if (PageText().find(text) != std::string::npos) return PageText();
            Click();
        }
        ADD_FAILURE() << "no page with " << text << " after " << script << " " << label;
        return "";
    }

    // After the page's click (or the given button), where the story goes on.
    std::string NextScript() {
        Click();
        for (int frame = 0; frame < 100; ++frame) Game->Update(20);
        return Game->ScriptName;
    }

    // Plays a scene from its label, clicking through its pages, until it leaves its
    // script or waits for a choice or a button. Returns the staging faults of its pages;
    // its first page with a face beside a figure, or with two figures, is pictured.
    std::vector<std::string> PlayScene(const std::string& script, const std::string& label) {
        Begin(script, label);
        std::vector<std::string> faults;
        bool pictured = false;
        for (int frame = 0; frame < kMaxFrames * 10; ++frame) {
            Game->Update(20);
            if (Game->ScriptName != script && Game->ScriptName != StartScript) break;
            if (Game->Layers.Transitions.Busy() || !Game->Waiting) continue;
            for (const std::string& fault : test::StageFaults(*Game, script + " " + Game->LastLabel)) {
                faults.push_back(fault);
            }
            int standing = 0;
            for (int slot = 0; slot < TNovelGame::kStandingSlots; ++slot) standing += Game->Standing(slot).Used;
            if (!pictured && (standing >= 2 || (standing == 1 && Game->Face().Used))) {
                pictured = true;
                Shot("scene_" + script.substr(0, script.find('.')) + "_" + label.substr(1));
            }
            if (!Game->Buttons().empty() || !Game->Choices().empty()) break;
            Click();
        }
        return faults;
    }

    void Shot(const std::string& name) {
        Game->Layers.Render(0);
        fs::create_directories(Shots);
        EXPECT_TRUE(SavePng(Game->Layers.Surface, (Shots / (name + ".png")).string(), TPngAlpha::Opaque));
    }

    const fs::path Shots = fs::temp_directory_path() / "vandor_demo_shots";
    std::string StartScript;
    int Starts = 0;
    std::vector<std::string> Labels;  // passed, in order
    TCryptMaps Store;
    TQTDGameDat Campaign{Store};
    TReadFlags Flags;
    std::mt19937 Random{3};
    std::unique_ptr<TCampaignCommands> Commands;
};

TEST_F(DemoReportTest, TrainingSaysWhatRoseAndWhatFell) {
    // Training 4 rises to 5; affection 3 is above 1, so it falls to 2. The scene before
    // the report is the first version: its value reaches 5, not 6.
    Campaign.SetTraining(1, 4);
    Campaign.SetAffection(1, 3);
    EXPECT_EQ(PageWith("交流.txt", "*調練1", "鍛錬"), "鍛錬が 5 に上がった。そのぶん、親愛は 1 下がった。");
    EXPECT_EQ(std::count(Labels.begin(), Labels.end(), "*調練1鍛錬後"), 0);
    Shot("report_training");
    EXPECT_EQ(Campaign.Training(1), 5);
    EXPECT_EQ(Campaign.Affection(1), 2);
    EXPECT_EQ(Campaign.Actions(), 1);
    EXPECT_EQ(NextScript(), "行動.txt");
}

TEST_F(DemoReportTest, TheTrainingThatReachesSixTellsTheLaterScene) {
    Campaign.SetTraining(1, 5);
    EXPECT_EQ(PageWith("交流.txt", "*調練1", "鍛錬"), "鍛錬が 6 に上がった。");
    EXPECT_EQ(std::count(Labels.begin(), Labels.end(), "*調練1鍛錬後"), 1);
}

TEST_F(DemoReportTest, TrainingAtTheCeilingAndAffectionAtTheFloor) {
    // Training 15 stays 15; affection 1 does not fall.
    Campaign.SetHeroinePresent(7, true);
    Campaign.SetTraining(7, 15);
    Campaign.SetAffection(7, 1);
    EXPECT_EQ(FirstPage("成果.txt", "*調練成果7"), "鍛錬はもう上限の 15 だ。");
    EXPECT_EQ(Campaign.Training(7), 15);
    EXPECT_EQ(Campaign.Affection(7), 1);
}

TEST_F(DemoReportTest, ATalkRaisesAffectionAndGoesOnToTheGift) {
    // Affection 0 rises to 1; training 1 is not above 1 and stays. With a consumable
    // owned, the story goes on to offer it.
    Campaign.SetTraining(3, 1);
    Campaign.SetItem(5, true);
    EXPECT_EQ(FirstPage("成果.txt", "*語らい成果3"), "親愛が 1 に上がった。");
    EXPECT_EQ(Campaign.Affection(3), 1);
    EXPECT_EQ(Campaign.Training(3), 1);
    EXPECT_EQ(NextScript(), "贈り物.txt");
}

TEST_F(DemoReportTest, ATalkWithTrainingToSpare) {
    // Affection 14 rises to 15 (the ceiling, reached now); training 9 falls to 8.
    Campaign.SetAffection(2, 14);
    Campaign.SetTraining(2, 9);
    EXPECT_EQ(FirstPage("成果.txt", "*語らい成果2"), "親愛が 15 に上がった。そのぶん、鍛錬は 1 下がった。");
    EXPECT_EQ(Campaign.Training(2), 8);
}

TEST_F(DemoReportTest, AVictorySaysWhatTheAreaStillNeeds) {
    // The white beach needs three battles: after its second, one is left.
    Campaign.SetAreaBattles(11, 2);
    EXPECT_EQ(FirstPage("戦況.txt", "*戦況11"), "白砂浜の霧が、また一つ晴れた。取り戻すまで、あと 1 戦。");
    EXPECT_EQ(NextScript(), "凱旋.txt");
}

TEST_F(DemoReportTest, TheLastStrongholdTakesTheAreaAndAddsItsFunds) {
    // The broken corner needs two battles; one lost and one won take it.
    Campaign.SetAreaBattles(6, 2);
    EXPECT_EQ(FirstPage("戦況.txt", "*戦況6"), "崩れ角を取り戻した！制圧した地が一つ増え、軍資金が 50 増えた。");
    Shot("report_area_taken");
}

TEST_F(DemoReportTest, ABattleInAHeldAreaIsAPatrol) {
    Campaign.SetAreaBattles(2, 5);
    EXPECT_EQ(FirstPage("戦況.txt", "*戦況2"), "霜の角の見回りを終えた。霧が戻る気配はない。");
}

TEST_F(DemoReportTest, TheBriefingNamesTheFirstBattleOfTheBrokenCorner) {
    // Area 6's first stronghold battle: tier 500, so 3 + 500 / 200 = 5 waves, the first
    // from the east (3 × 6 mod 8 = 2) turning 1 + 6 mod 3 + 1 mod 2 = 2 steps a wave: east,
    // south, west, north, east. The wave's order of kinds starts at (i + w + 6) mod 6,
    // knights included from area 6; 1 + 500 / 400 = 2 ogres close the last wave.
    EXPECT_EQ(FirstPage("偵察.txt", "*偵察6"),
              "物見の報せ。敵は 5 波、東・南・西・北から来る。兵は歩兵・弓兵・騎兵・重騎士。最後の波に鬼が 2 体。");
    EXPECT_EQ(Game->Buttons().size(), 2u);
    Shot("report_briefing");
}

// The wave table the battle will read, as key and value.
std::map<std::string, std::string> ReadTable(const std::string& name) {
    std::map<std::string, std::string> keys;
    std::ifstream in(fs::path(DEMO_LOOSE_DIR) / "scenario" / name);
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

std::string Key(const char* format, int a, int b = 0) {
    char key[32];
    std::snprintf(key, sizeof key, format, a, b);
    return key;
}

TEST_F(DemoReportTest, EveryBriefingReportsTheTableItsBattleReads) {
    const std::map<int, const char*> kindNames{{2, "弓兵"}, {3, "騎兵"}, {4, "重騎士"}, {5, "鬼"}};
    for (int area = 2; area <= 13; ++area) {
        const int strength = TQTDGameDat::InitialStrength[static_cast<std::size_t>(area)];
        // Before each battle the count of battles fought picks the table: the next
        // stronghold's while the area stands, the order-keeping one once it is held.
        for (int fought = 0; fought <= strength; ++fought) {
            SCOPED_TRACE(Key("area %d, %d fought", area, fought));
            Campaign.SetAreaBattles(area, fought);
            const std::string page = FirstPage("偵察.txt", Key("*偵察%d", area));
            const auto table = ReadTable(Key("bt%.2d-%.2d.txt", area, fought < strength ? fought + 1 : 0));
            const int waves = std::stoi(table.at("WC"));
            EXPECT_NE(page.find(Key("敵は %d 波、", waves)), std::string::npos) << page;
            // The sides in the order their waves first come, as the page lists them.
            std::string sides;
            std::map<int, bool> kinds;
            for (int w = 0; w < waves; ++w) {
                const std::string side = kDirectionNames.at(std::stoul(table.at(Key("WED_%.2d", w))));
                if (("・" + sides + "・").find("・" + side + "・") == std::string::npos) {
                    sides += (sides.empty() ? "" : "・") + side;
                }
                for (int i = 0; i < std::stoi(table.at(Key("WEC_%.2d", w))); ++i) {
                    kinds[std::stoi(table.at(Key("E_%.2d_%.2d_ID", w, i)))] = true;
                }
            }
            EXPECT_NE(page.find("、" + sides + "から来る。"), std::string::npos) << sides << " / " << page;
            for (const auto& [id, name] : kindNames) {
                EXPECT_EQ(page.find(name) != std::string::npos, kinds.count(id) == 1) << name << " in " << page;
            }
            EXPECT_EQ(Game->Buttons().size(), 2u);
        }
    }
}

TEST_F(DemoReportTest, CampaignScenesKeepFacesClearOfFigures) {
    std::vector<std::pair<std::string, std::string>> scenes{
        {"開戦.txt", "*嵐の夜"},   {"開戦.txt", "*夜明け"},       {"行動.txt", "*初めての軍議"},
        {"出陣.txt", "*霧の王城"}, {"終幕.txt", "*霧の晴れる日"}, {"終幕.txt", "*星の門"},
        {"敗北.txt", "*スタート"},
    };
    for (int heroine = 4; heroine <= 8; ++heroine) scenes.emplace_back("仲間.txt", "*加入" + std::to_string(heroine));
    for (int heroine = 1; heroine <= 8; ++heroine) {
        scenes.emplace_back("交流.txt", "*調練" + std::to_string(heroine));
        scenes.emplace_back("交流.txt", "*語らい" + std::to_string(heroine));
    }
    Campaign.SetHeroinePresent(2, true);  // the defeat's second voice
    std::vector<std::string> faults;
    for (const bool later : {false, true}) {
        // Each talk and training has a later version once its value is about to reach 6.
        for (int heroine = 1; heroine <= 8; ++heroine) {
            Campaign.SetTraining(heroine, later ? 5 : 0);
            Campaign.SetAffection(heroine, later ? 5 : 0);
        }
        for (const auto& [script, label] : scenes) {
            const std::vector<std::string> found = PlayScene(script, label);
            faults.insert(faults.end(), found.begin(), found.end());
        }
    }
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

}  // namespace
}  // namespace vandor

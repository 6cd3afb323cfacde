// The bundled demo's prologue played from the title to the storm night with the real
// scenario engine over the loose folders the build generated: every script, picture
// and sound it names must exist, every label of its scripts must be reachable, and the
// pictures of a few moments are kept in a folder for a person to look at. Whenever a
// page waits, no figure is cut at the edge and no face covers one. (The
// campaign that follows needs the whole game: DemoCampaignTest plays it.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

#include "StageCheck.h"
#include "campaign/CampaignCommands.h"
#include "resources/PictureCodec.h"
#include "scenario/ScenarioFixture.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr int kStoryPasses = 4;  // enough to take every choice at least once
constexpr int kMaxFrames = 200000;
// The scripts of the prologue, the title and its how-to-play; the campaign begins with the next one.
const std::set<std::string> kPrologueScripts{"title.txt",   "prologue1.txt", "prologue2.txt",
                                             "fortmap.txt", "ending.txt",    "遊び方.txt"};
constexpr const char* kCampaignScript = "開戦.txt";

class DemoPlayTest : public testing::ScenarioTest {
protected:
    DemoPlayTest() {
        for (const char* folder : {"scenario", "bgimage", "fgimage", "image", "bgm", "sound"}) {
            Files.AddFolder(std::string(DEMO_LOOSE_DIR) + "/" + folder + "/");
        }
        fs::create_directories(Shots);
    }

    // Every label line of the prologue's scripts, as "script label".
    static std::set<std::string> AllLabels() {
        std::set<std::string> labels;
        for (const std::string& script : kPrologueScripts) {
            const fs::path path = fs::path(DEMO_SOURCE_DIR) / "scenario" / script;
            std::ifstream in(path);
            for (std::string line; std::getline(in, line);) {
                if (line.starts_with("*")) labels.insert(script + " " + line);
            }
        }
        return labels;
    }

    // The point nearest the layer's centre where the layer itself is hit (text labels
    // are transparent between their letters), or nothing.
    std::optional<TPoint> HitPoint(const TLayerItem& layer) const {
        const TRect r = layer.DstRect();
        const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        for (int dy = 0; dy < r.Height() / 2; ++dy) {
            for (int dx = 0; dx < r.Width() / 2; ++dx) {
                for (const TPoint p : {TPoint{cx + dx, cy + dy}, TPoint{cx - dx, cy + dy}, TPoint{cx + dx, cy - dy},
                                       TPoint{cx - dx, cy - dy}}) {
                    if (Game->Layers.ItemAt(p.X, p.Y) == &layer) return p;
                }
            }
        }
        return std::nullopt;
    }

    // The button that leads to the label, or nothing.
    const TLayerButton* ButtonTo(std::string_view label) const {
        for (const TLayerButton* button : Game->Buttons()) {
            if (button->JumpLabel == label) return button;
        }
        return nullptr;
    }

    void ClickOn(const TLayerItem& layer) {
        const std::optional<TPoint> point = HitPoint(layer);
        ASSERT_TRUE(point) << "no visible point on " << layer.Name();
        Game->MouseMove(point->X, point->Y);
        Click(point->X, point->Y);
    }

    void Shot(const std::string& name) {
        if (!ShotsTaken.insert(name).second) return;
        Game->Layers.Render(0);
        EXPECT_TRUE(SavePng(Game->Layers.Surface, (Shots / (name + ".png")).string(), TPngAlpha::Opaque));
    }

    int StandingCount() const {
        int count = 0;
        for (int slot = 0; slot < TNovelGame::kStandingSlots; ++slot) count += Game->Standing(slot).Used ? 1 : 0;
        return count;
    }

    // Keeps pictures of the moments worth looking at, the first time each comes.
    void ShootInteresting() {
        const std::string& bg = Game->Background().Name;
        if (!Game->Buttons().empty() && Game->ScriptName == "title.txt") Shot("title");
        if (!Game->Buttons().empty() && Game->Waiting && Game->ScriptName == "prologue1.txt") Shot("tour_buttons");
        if (!Game->Choices().empty()) Shot(Game->ScriptName == "prologue2.txt" ? "choice_two_columns" : "choice");
        if (!Game->Waiting) return;
        if (Game->Face().Used && StandingCount() >= 2) Shot("stage_" + Game->ScriptName);
        if (StandingCount() >= 3) Shot("three_" + Game->ScriptName);
        if (Game->ScriptName == "fortmap.txt" && Game->Face().Used) Shot("fortress_plan");
        if (bg == "bg_sky01f.png") Shot("sky_red_moon");
        if (bg == "bg_sky01x2.png") Shot("lightning");
    }

    const fs::path Shots = fs::temp_directory_path() / "vandor_demo_shots";
    std::set<std::string> ShotsTaken;
};

TEST_F(DemoPlayTest, PlaysThroughEveryScene) {
    Start();
    std::set<std::string> visited;
    std::vector<std::string> unknownCommands;
    std::map<std::string, int> decisions;  // how often each choice point was met
    int storyPasses = 0;
    bool leaving = false;
    bool farewell = false;
    bool finished = false;
    bool rightClickTried = false;
    bool rightClickJumped = false;
    int titleVisits = 0;
    std::set<std::string> stagingFaults;
    Game->OnLabel = [&] {
        visited.insert(Game->ScriptName + " " + Game->LastLabel);
        if (Game->ScriptName == "prologue1.txt" && Game->LastLabel == "*はじまり") ++storyPasses;
        if (leaving && Game->ScriptName == "ending.txt" && Game->LastLabel == "*さようなら") farewell = true;
        if (farewell && Game->ScriptName == "title.txt") finished = true;
    };
    // The prologue's campaign command (a new game's reset) is the game's to carry out;
    // like the game, take back the log line of the picture lookup that came before it.
    Game->OnCommand = [&](TFields& fields) {
        if (TCampaignCommands::IsCommand(fields[0])) {
            Log.RemoveLast();
        } else {
            unknownCommands.push_back(fields[0]);
        }
    };

    for (int frame = 0; frame < kMaxFrames && !finished; ++frame) {
        Game->Update(20);
        if (Game->ScriptName == kCampaignScript) {
            // The prologue is over: back to the title, as the menu's item does.
            Game->Reset();
            Game->Jump("title.txt", "*スタート");
            Game->Advance();
            continue;
        }
        if (Game->Layers.Transitions.Busy()) {
            Click();  // finishes the change at once
            continue;
        }
        ShootInteresting();
        if (Game->Waiting) {
            for (const std::string& fault : test::StageFaults(*Game, Game->ScriptName + " " + Game->LastLabel)) {
                stagingFaults.insert(fault);
            }
        }
        if (!Game->Choices().empty()) {
            int& count = decisions[Game->ScriptName + Game->LastLabel];
            const auto& choices = Game->Choices();
            ClickOn(*choices[static_cast<std::size_t>(count++) % choices.size()]);
        } else if (!Game->Buttons().empty() && Game->Waiting) {
            const auto& buttons = Game->Buttons();
            const TLayerButton* pick = nullptr;
            if (Game->ScriptName == "title.txt") {
                // The how-to-play first, then "continue" (whose load is the game's, so the
                // title comes back), then the story, at last leave the game.
                const int visit = titleVisits++;
                leaving = storyPasses >= kStoryPasses;
                pick = ButtonTo(visit == 0   ? "*遊び方"
                                : visit == 1 ? "*つづきから"
                                : leaving    ? "*さようなら"
                                             : "*はじまり");
            } else if (Game->ScriptName == "遊び方.txt") {
                // Page after page, and back to the title from the last.
                const std::string page = Game->LastLabel.substr(std::string("*ページ").size());
                pick = ButtonTo("*ページ" + std::to_string(std::stoi(page) + 1));
                if (!pick) pick = ButtonTo("*スタート");
            } else {
                pick =
                    buttons[static_cast<std::size_t>(decisions[Game->ScriptName + Game->LastLabel]++) % buttons.size()];
            }
            ASSERT_TRUE(pick) << "no button to choose in " << Game->ScriptName << " at " << Game->LastLabel;
            ClickOn(*pick);
        } else if (!rightClickTried && Game->ScriptName == "fortmap.txt" && Game->Waiting) {
            // The plan may be closed early with a right click.
            rightClickTried = true;
            Game->MouseUp(TMouseButton::mbRight, 0, 400, 300);
            Game->Update(20);
            rightClickJumped = Game->LastLabel == "*図面を閉じる";
        } else {
            Click();
        }
        if (HasFatalFailure()) return;
    }

    EXPECT_TRUE(finished) << "the demo did not come back to the title after the farewell; stuck in " << Game->ScriptName
                          << " at line " << Game->Line;
    EXPECT_EQ(storyPasses, kStoryPasses);
    for (const std::string& label : AllLabels()) EXPECT_TRUE(visited.count(label)) << "never reached: " << label;
    for (const std::string& line : Log.Lines()) EXPECT_EQ(line.find("は存在しません"), std::string::npos) << line;
    EXPECT_TRUE(unknownCommands.empty()) << "unknown command: " << unknownCommands.front();
    EXPECT_TRUE(rightClickJumped);
    for (const std::string& fault : stagingFaults) ADD_FAILURE() << fault;
    // Each heroine's voice went to her own channel.
    EXPECT_TRUE(Sound.Channel(4).Name().starts_with("cv_rize_"));
    EXPECT_TRUE(Sound.Channel(5).Name().starts_with("cv_mio_"));
    EXPECT_TRUE(Sound.Channel(6).Name().starts_with("cv_noel_"));
    for (const char* shot : {"title", "tour_buttons", "choice", "choice_two_columns", "fortress_plan", "lightning"}) {
        EXPECT_TRUE(ShotsTaken.count(shot)) << "no picture of " << shot;
    }
}

}  // namespace
}  // namespace vandor

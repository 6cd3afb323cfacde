#include "Plan.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "battle/DistanceField.h"
#include "battle/PlacementCheck.h"
#include "battle/QTDGame.h"

namespace vandor::plan {
namespace {

constexpr int kBuildArea = 9;
constexpr int kTowerTypes = 8;
constexpr int kMaxLevel = 5;
constexpr int kActionFrames = 2;  // between two clicks, so each takes effect
constexpr int kDismissEvery = 20;

// The build button of a tower type, in the middle of its picture.
TPoint BuildButton(int type) { return {48 * ((type + 7) % 4) + 24, 504 + 48 * ((type - 1) / 4) + 24}; }

class TInput {
public:
    void Click(int frame, TPoint at, const char* button = "left") {
        Text_ << frame << " move " << at.X << " " << at.Y << "\n"
              << frame << " down " << button << "\n"
              << frame << " up " << button << "\n";
    }
    void Comment(const std::string& text) { Text_ << "# " << text << "\n"; }
    std::string Text() const { return Text_.str(); }

private:
    std::ostringstream Text_;
};

struct TTower {
    int Type = 0;
    int Level = 0;
};

// One preparation's clicks; returns the frame after the last.
int Prepare(TInput& input, int frame, const std::vector<TStep>& steps, std::map<std::pair<int, int>, TTower>& towers,
            TFieldView& field) {
    const auto click = [&](TPoint at, const char* button = "left") {
        input.Click(frame, at, button);
        frame += kActionFrames;
    };
    const auto closePopUp = [&] {
        if (!field.PopUpOpen()) return;
        click(field.DeselectPoint(), "right");
        field.ClosePopUp();
    };
    for (const TStep& step : steps) {
        TTower& tower = towers[{step.X, step.Y}];
        if (tower.Level == 0) {
            // A build button closes the pop-up only when the money covers the tower;
            // otherwise the button is hidden, and the click meant for the tile could
            // land on the pop-up's remove button.
            closePopUp();
            click(BuildButton(step.Type));
            click(field.PlacingPoint(step.X, step.Y));
            field.AddTower(step.X, step.Y);
            tower = {step.Type, 1};
        }
        if (tower.Level >= step.Level) continue;
        if (field.UnderPopUp(field.TowerPoint(step.X, step.Y))) closePopUp();
        click(field.TowerPoint(step.X, step.Y));
        field.OpenPopUp(step.X, step.Y);
        // A raise the money does not cover, or beyond the last level, does nothing.
        for (; tower.Level < step.Level; ++tower.Level) click(RaisePoint(step.X, step.Y));
    }
    return frame;
}

}  // namespace

std::vector<TStep> ParsePlan(std::string_view text) {
    std::vector<TStep> plan;
    std::map<std::pair<int, int>, TStep> planned;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        TStep step;
        step.Line = number;
        std::string rest;
        if (!(fields >> step.Wave)) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        }
        const auto fault = [&](const std::string& why) {
            return std::runtime_error("plan line " + std::to_string(number) + ": " + why);
        };
        if (!fields || !(fields >> step.X >> step.Y >> step.Type >> step.Level) || (fields >> rest)) {
            throw fault("expected WAVE X Y TYPE LEVEL");
        }
        if (step.Wave < 1) throw fault("waves count from 1");
        if (std::abs(step.X) > kBuildArea || std::abs(step.Y) > kBuildArea ||
            (std::abs(step.X) <= 1 && std::abs(step.Y) <= 1)) {
            throw fault("towers stand on cells -9..9 outside the base");
        }
        if (step.Type < 1 || step.Type > kTowerTypes) throw fault("tower types are 1..8");
        if (step.Level < 1 || step.Level > kMaxLevel) throw fault("levels are 1..5");
        const auto [known, fresh] = planned.try_emplace({step.X, step.Y}, step);
        if (!fresh) {
            if (known->second.Type != step.Type) throw fault("another type stands on this cell");
            if (known->second.Wave > step.Wave || known->second.Level > step.Level)
                throw fault("the tower would lose levels");
            known->second = step;
        }
        plan.push_back(step);
    }
    return plan;
}

void CheckPlanOnMap(const std::vector<TStep>& plan, std::string_view map) {
    const TFieldView field(map);
    const auto obstacle = [&](int x, int y) { return field.IsObstacle(x, y); };
    // Buildings block the way only within the tower region, as in the battle.
    TDistanceField::TOccupied occupied{};
    for (int y = -TQTDGame::kTowerRegion; y <= TQTDGame::kTowerRegion; ++y) {
        for (int x = -TQTDGame::kTowerRegion; x <= TQTDGame::kTowerRegion; ++x) {
            occupied[static_cast<std::size_t>(TDistanceField::Index(x, y))] = obstacle(x, y);
        }
    }
    TPlacementCheck placement;
    for (const TStep& step : plan) {
        uint8_t& cell = occupied[static_cast<std::size_t>(TDistanceField::Index(step.X, step.Y))];
        const auto fault = [&](const std::string& why) {
            return std::runtime_error("plan line " + std::to_string(step.Line) + ": (" + std::to_string(step.X) + ", " +
                                      std::to_string(step.Y) + ") " + why);
        };
        if (obstacle(step.X, step.Y)) throw fault("is an obstacle of the map: no tower can stand there");
        if (cell != 0) continue;  // a tower of an earlier step
        placement.Prepare(occupied, TQTDGame::kDrawn, TQTDGame::kDrawn);
        if (placement.CutsOff(step.X, step.Y)) throw fault("would cut the enemies off from the base");
        cell = 1;
    }
}

std::string WriteInput(const std::vector<TStep>& plan, const TSchedule& schedule, TFieldView field) {
    TInput input;
    input.Comment("battleplan: " + std::to_string(plan.size()) + " steps over " + std::to_string(schedule.Waves) +
                  " waves");
    std::map<std::pair<int, int>, TTower> towers;
    for (int wave = 1; wave <= schedule.Waves; ++wave) {
        const int begin = schedule.FirstFrame + (wave - 1) * schedule.Period;
        input.Comment("wave " + std::to_string(wave));
        input.Click(begin - kActionFrames, kSky);
        std::vector<TStep> steps;
        for (const TStep& step : plan) {
            if (step.Wave == wave) steps.push_back(step);
        }
        const int start = Prepare(input, begin, steps, towers, field);
        field.ClosePopUp();  // the wave's start hides it
        // The wave's start may call a heroine's cut-in, which takes the next click.
        input.Click(start, kStartButton);
        input.Click(start + kActionFrames, kSky);
        if (wave == 1) input.Click(start + 2 * kActionFrames, kFastButton);
        if (schedule.QuietLastWave && wave == schedule.Waves) break;
        for (int frame = start + kDismissEvery; frame < begin + schedule.Period - 2 * kActionFrames;
             frame += kDismissEvery) {
            input.Click(frame, kSky);
        }
    }
    input.Comment("play with --frames " + std::to_string(FramesNeeded(schedule)));
    return input.Text();
}

int FramesNeeded(const TSchedule& schedule) { return schedule.FirstFrame + schedule.Waves * schedule.Period; }

}  // namespace vandor::plan

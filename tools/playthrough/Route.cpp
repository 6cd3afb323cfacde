#include "Route.h"

#include <fstream>
#include <stdexcept>

#include "Plan.h"
#include "battle/BattleFile.h"
#include "campaign/GameDat.h"
#include "util/Format.h"

namespace vandor::playthrough {
namespace {

constexpr int kClickEvery = 8;
// A battle opens with its area's title before the first preparation can begin.
constexpr int kBattleTitle = 60;
// Frames from one preparation to the next: every wave of the demo is over by then.
constexpr int kWavePeriod = 500;
// After the last wave: the closing caption, and the click that leaves the battle.
constexpr int kBattleClose = 60;

}  // namespace

TRoute::TRoute(std::string scenarioFolder, std::string shotFolder)
    : ScenarioFolder_(std::move(scenarioFolder)), ShotFolder_(std::move(shotFolder)) {}

void TRoute::ClickAt(int frame, TPoint at) {
    Text_ << frame << " move " << at.X << " " << at.Y << "\n" << frame << " down left\n" << frame << " up left\n";
}

void TRoute::Pages(int frames) {
    const int end = Frame_ + frames;
    for (; Frame_ < end; Frame_ += kClickEvery) ClickAt(Frame_, kNeutral);
    Frame_ = end;
}

void TRoute::Cycle(int frames, const std::vector<TPoint>& points) {
    const int end = Frame_ + frames;
    for (std::size_t turn = 0; Frame_ < end; Frame_ += kClickEvery, ++turn)
        ClickAt(Frame_, points[turn % points.size()]);
    Frame_ = end;
}

void TRoute::Click(TPoint at, int settle) {
    ClickAt(Frame_, at);
    Frame_ += settle;
}

void TRoute::Menu(std::string_view item, int settle) {
    Text_ << Frame_ << " menu " << item << "\n";
    Frame_ += settle;
}

void TRoute::Key(std::string_view name, int settle) {
    Text_ << Frame_ << " keydown " << name << "\n" << Frame_ << " keyup " << name << "\n";
    Frame_ += settle;
}

void TRoute::Shot(std::string_view name) {
    if (ShotFolder_.empty()) return;
    Text_ << Frame_ << " shot " << ShotFolder_ << "/" << Format("%.2d-", ++Shots_) << name << ".png\n";
}

void TRoute::ShotInNextBattle(int wave, int frames, std::string_view name) {
    BattleShots_.push_back({(wave - 1) * kWavePeriod + frames, std::string(name)});
}

int TRoute::Waves(int area, int battle, int strength) const {
    const auto readable = [&](const std::string& name) {
        std::ifstream in(ScenarioFolder_ + "/" + name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        TBattleFile file;
        if (in) file.Parse(bytes.str());
        return file;
    };
    TBattleFile table;
    if (strength >= 1) table = readable(Format("bt%.2d-%.2d.txt", area, battle));
    if (table.Empty()) table = readable(Format("bt%.2d-00.txt", area));
    if (table.Empty()) table = readable("bt00-00.txt");
    if (table.Empty())
        throw std::runtime_error("no wave table for area " + std::to_string(area) + " in " + ScenarioFolder_);
    return table.ReadClamped("WC", 2, 1, 60);
}

std::pair<int, int> TRoute::NextBattle(int area) {
    const std::size_t a = static_cast<std::size_t>(area);
    const int strength = TQTDGameDat::InitialStrength.at(a) - Fought_.at(a);
    return {++Fought_[a], strength};
}

void TRoute::Battle(int area, std::string_view plan) {
    const auto [battle, strength] = NextBattle(area);
    plan::TSchedule schedule;
    schedule.Waves = Waves(area, battle, strength);
    schedule.FirstFrame = Frame_ + kBattleTitle;
    schedule.Period = kWavePeriod;
    schedule.QuietLastWave = true;
    Text_ << "# battle " << battle << " of area " << area << "\n" << plan::WriteInput(plan::ParsePlan(plan), schedule);
    for (const TPendingShot& shot : BattleShots_) {
        Frame_ = schedule.FirstFrame + shot.Frames;
        Shot(shot.Name);
    }
    BattleShots_.clear();
    Frame_ = plan::FramesNeeded(schedule) + kBattleClose;
    Shot(Format("victory-area%d-%d", area, battle));
    Click(kNeutral, kClickEvery);
}

void TRoute::LoseBattle(int area, int frames) {
    NextBattle(area);
    Text_ << "# a battle of area " << area << " lost on purpose\n";
    Frame_ += kBattleTitle;
    Click(plan::kStartButton, 12);
    Shot("heroine-cut-in");
    Click(kNeutral, 2);
    Click(plan::kFastButton, frames);
    Shot("defeat");
    Click(kNeutral, kClickEvery);
}

std::string TRoute::Text() const { return Text_.str() + "# play with --frames " + std::to_string(Frame_) + "\n"; }

}  // namespace vandor::playthrough

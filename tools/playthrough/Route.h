#pragma once
// A headless input file written step by step, as a player would go: a frame cursor
// moves on while pages are clicked through, buttons are pressed, menu items chosen and
// battles fought by a plan of towers. Every step ends where the game waits for a
// button, so a page budget a little too generous costs frames, never the way.

#include <array>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Plan.h"

namespace vandor::playthrough {

using plan::TPoint;

class TRoute {
public:
    // Above the stage's pictures and the battle's field: a click there only turns a
    // page or dismisses a caption.
    static constexpr TPoint kNeutral = plan::kSky;

    // `scenarioFolder` holds the wave tables the battles will read (for their wave
    // counts); with a `shotFolder`, Shot writes pictures there, else it does nothing.
    TRoute(std::string scenarioFolder, std::string shotFolder);

    // Clicks kNeutral every few frames.
    void Pages(int frames);
    // Clicks the points in turn, every few frames: a stretch of the story with choices
    // and buttons at known places among its pages.
    void Cycle(int frames, const std::vector<TPoint>& points);
    // One click, then `settle` frames without input (a picture fading, a button sliding).
    void Click(TPoint at, int settle);
    void Menu(std::string_view item, int settle);
    // A key pressed and released, then `settle` frames without input.
    void Key(std::string_view name, int settle);
    // Waits without input.
    void Wait(int frames) { Frame_ += frames; }
    void Shot(std::string_view name);

    // The next battle of `area` fought with `plan` (the lines of tools/battleplan),
    // from the frame the battle has taken the screen until it has ended and a click has
    // left it. Follows the area's strength to know which wave table it plays.
    void Battle(int area, std::string_view plan);
    // Takes a picture `frames` into wave `wave` (from 1) of the next battle, to catch
    // what only a running wave shows.
    void ShotInNextBattle(int wave, int frames, std::string_view name);
    // The next battle of `area` with no tower built: the first wave is started (its
    // heroine's cut-in pictured), the base falls within `frames`, the defeat is
    // pictured and a click leaves the battle.
    void LoseBattle(int area, int frames);

    // A new game from the title: the areas' battles count from none again.
    void NewCampaign() { Fought_.fill(0); }

    int Frames() const { return Frame_; }
    // The input file, closing with a comment that names the frames a run needs.
    std::string Text() const;

private:
    int Waves(int area, int battle, int strength) const;
    // Counts the area's next battle; returns its number and the area's strength before.
    std::pair<int, int> NextBattle(int area);
    void ClickAt(int frame, TPoint at);

    std::string ScenarioFolder_;
    std::string ShotFolder_;
    std::ostringstream Text_;
    int Frame_ = 0;
    int Shots_ = 0;
    std::array<int, 15> Fought_{};
    struct TPendingShot {
        int Frames;
        std::string Name;
    };
    std::vector<TPendingShot> BattleShots_;
};

}  // namespace vandor::playthrough

#pragma once
// A plan of towers for one battle and the headless input that carries it out: what a
// player would click, preparation by preparation, so that balance runs repeat exactly.
//
// A plan line "WAVE X Y TYPE LEVEL" means: before wave WAVE (from 1) the tower of TYPE
// (1..8) on cell (X, Y) is brought to LEVEL, built first when the cell is free. Lines
// run in their order; "#" starts a comment.

#include <string>
#include <string_view>
#include <vector>

#include "FieldView.h"

namespace vandor::plan {

// The battle's command buttons, and a point above the field where no layer takes a
// click (such a click dismisses a caption or a voice).
constexpr TPoint kStartButton{735, 520};
constexpr TPoint kFastButton{735, 552};
constexpr TPoint kSky{300, 30};

struct TStep {
    int Line = 0;  // of the plan, for messages
    int Wave = 1;
    int X = 0, Y = 0;
    int Type = 1;
    int Level = 1;
};

// Throws std::runtime_error naming the line of the first fault: a line that is no plan
// step, a tower outside the building area or on the base, a type that differs from the
// tower already planned on that cell, or a level below what it already has.
std::vector<TStep> ParsePlan(std::string_view text);

// Throws std::runtime_error naming the first step the battle on this map (the text of
// its "stNN.txt") would refuse: a tower on an obstacle, or one that would cut the
// enemies off from the base, counting the towers of the steps before it. The game
// would stay placing that tower, where the start button does nothing, and the battle
// would never go on.
void CheckPlanOnMap(const std::vector<TStep>& plan, std::string_view map);

struct TSchedule {
    int Waves = 1;        // start buttons to press
    int FirstFrame = 50;  // the first preparation, once the area's title has gone
    int Period = 400;     // frames from one preparation to the next
    // No clicks on the sky once the last wave has started, so that the caption that
    // closes the battle stays until the caller's own click.
    bool QuietLastWave = false;
};

// The input file for `vandor --headless --input`: each preparation starts at its frame,
// carries out the steps of its wave and presses the start button (the first also the
// fast button); clicks on the empty sky dismiss captions and voices in between. It
// ends with a comment naming the frames a run needs. A field that knows the area's map
// makes the clicks avoid its obstacles' pictures.
std::string WriteInput(const std::vector<TStep>& plan, const TSchedule& schedule, TFieldView field = TFieldView({}));
// The frames a run of the schedule needs.
int FramesNeeded(const TSchedule& schedule);

}  // namespace vandor::plan

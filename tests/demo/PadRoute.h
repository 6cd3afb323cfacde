#pragma once
// A headless input file written step by step for a player without a mouse: the same
// route once with a controller's buttons and once with the keys that stand for them.
// A step presses a control and lets a few frames pass; a `wait` holds what follows
// until the game is ready for it, and the frames after it count from where it ended.

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vandor::test {

// The input events of one press of each control.
struct TPadControls {
    std::vector<std::string> Connect;  // before the first press
    std::vector<std::string> Focus;    // the next choice or button
    std::vector<std::string> Click;
    std::vector<std::string> Back;
    std::vector<std::string> Up, Right, Down, Left;
    std::vector<std::string> NextBuild;
    std::vector<std::string> Start;  // the battle's start button
    std::vector<std::string> Fast;
    std::vector<std::string> Menu;  // opens the game menu

    static TPadControls Controller() {
        const auto button = [](const std::string& name) {
            return std::vector<std::string>{"pad down " + name, "pad up " + name};
        };
        return {.Connect = {"pad connect"},
                .Focus = button("dpright"),
                .Click = button("a"),
                .Back = button("b"),
                .Up = button("dpup"),
                .Right = button("dpright"),
                .Down = button("dpdown"),
                .Left = button("dpleft"),
                .NextBuild = button("rightshoulder"),
                .Start = button("x"),
                .Fast = button("y"),
                .Menu = button("start")};
    }

    // Enter is a whole key press: the battle hears the key, the story and the game menu
    // the character.
    static TPadControls Keys() {
        const auto key = [](const std::string& name) {
            return std::vector<std::string>{"keydown " + name, "keyup " + name};
        };
        return {.Connect = {},
                .Focus = key("Tab"),
                .Click = {"keydown Return", "char Return", "keyup Return"},
                .Back = key("Backspace"),
                .Up = key("Up"),
                .Right = key("Right"),
                .Down = key("Down"),
                .Left = key("Left"),
                .NextBuild = key("E"),
                .Start = key("S"),
                .Fast = key("F"),
                .Menu = key("Escape")};
    }
};

class TPadRoute {
public:
    static constexpr int kPressEvery = 2;  // frames between two presses, so each takes effect

    explicit TPadRoute(TPadControls controls) : Controls_(std::move(controls)) {}

    void Press(const std::vector<std::string>& control, int settle = kPressEvery) {
        for (const std::string& event : control) Line(event);
        Frame_ += settle;
    }
    void Idle(int frames) { Frame_ += frames; }
    void Wait(const std::string& what) {
        Line("wait " + what);
        Frame_ = 0;
    }
    void Line(const std::string& event) { Text_ += std::to_string(Frame_) + " " + event + "\n"; }

    // Every few frames a step of the focus and a click, for `frames` frames: the way
    // through pages, choices and buttons.
    void FocusAndClick(int frames) {
        for (const int end = Frame_ + frames; Frame_ < end;) {
            Press(Controls_.Focus);
            Press(Controls_.Click, 6);
        }
    }

    // A battle fought from its first preparation to the click that leaves its end, by a
    // plan as tools/battleplan reads it: "WAVE X Y TYPE LEVEL" a line, before wave WAVE
    // the tower of TYPE on cell (X, Y) brought to LEVEL, built first when the cell is
    // free. The cursor starts on the base; a tower is built through the build buttons
    // (TYPE presses from none, when the money buys every button up to it) and raised
    // through its pop-up's first button.
    void Battle(const std::string& plan, int waves) {
        std::vector<TStep> steps;
        std::istringstream lines(plan);
        for (TStep step{}; lines >> step.Wave >> step.X >> step.Y >> step.Type >> step.Level;) steps.push_back(step);
        std::map<std::pair<int, int>, int> levels;
        Cursor_ = {0, 0};
        for (int wave = 1; wave <= waves; ++wave) {
            Wait("battle");
            for (const TStep& step : steps) {
                if (step.Wave != wave) continue;
                int& level = levels[{step.X, step.Y}];
                if (level == 0) Build(step);
                for (level = std::max(level, 1); level < step.Level; ++level) Raise(step);
            }
            Press(Controls_.Start);
            // A heroine's cut-in may take the next press.
            Press(Controls_.Back);
            if (wave == 1) Press(Controls_.Fast);
        }
        Wait("battle");
        Press(Controls_.Click);
    }

    // Opens the game menu, goes `down` rows, enters that submenu and chooses its first item.
    void MenuFirstItemOf(int down) {
        Press(Controls_.Menu, 4);
        for (int row = 0; row < down; ++row) Press(Controls_.Down, 4);
        Press(Controls_.Click, 4);
        Press(Controls_.Click, 10);
    }

    std::string Text() const { return Text_; }

private:
    struct TCell {
        int X, Y;
    };

    struct TStep {
        int Wave, X, Y, Type, Level;
    };

    // Back first closes the pop-up a tower just built or raised may have left open, whose
    // buttons the d-pad would go through instead of moving the cursor.
    void Build(const TStep& step) {
        Press(Controls_.Back);
        for (int press = 0; press < step.Type; ++press) Press(Controls_.NextBuild);
        MoveCursor(step.X, step.Y);
        Press(Controls_.Click);
    }

    void Raise(const TStep& step) {
        Press(Controls_.Back);
        MoveCursor(step.X, step.Y);
        Press(Controls_.Click);
        Press(Controls_.Down);
        Press(Controls_.Click);
    }

    void MoveCursor(int x, int y) {
        for (; Cursor_.X < x; ++Cursor_.X) Press(Controls_.Right);
        for (; Cursor_.X > x; --Cursor_.X) Press(Controls_.Left);
        for (; Cursor_.Y < y; ++Cursor_.Y) Press(Controls_.Up);
        for (; Cursor_.Y > y; --Cursor_.Y) Press(Controls_.Down);
    }

    TPadControls Controls_;
    std::string Text_;
    int Frame_ = 0;
    TCell Cursor_{0, 0};
};

}  // namespace vandor::test

#pragma once
// What the player may turn on for comfort, each from a menu item, off by default and
// kept in the "Comfort" section of Config.ini: skipping read text only, skipping to
// the next choice, auto mode and its speed, voices again from the backlog, the chosen
// answers kept in the backlog, questions before leaving for the title or loading over
// unsaved progress with a notice after a save, and full screen (also F11),
// the quick menu on the message window, the auto/skip mark and the marks of the
// towers' levels in a battle. The options set the story engine's switches and show the marks; what they need to know of
// the game comes in as callbacks, so that they run without a window.

#include <functional>
#include <optional>

#include "shell/MenuModel.h"
#include "shell/Settings.h"
#include "util/Geometry.h"

namespace vandor {

class IWindowHost;
struct TAutoTiming;

// The story engine's switches the options set; they must outlive the options.
struct TAssistSwitches {
    bool& SkipReadOnly;
    bool& Skip;
    bool& AutoMode;
    TAutoTiming& AutoTiming;
    bool& ReplayVoices;
    bool& ChoiceToBackLog;
};

// What the options ask of the game.
struct TAssistState {
    std::function<bool()> BattleRunning;
    // The player holds the skip key (Ctrl).
    std::function<bool()> SkipHeld;
    // A choice or a button set is on the screen.
    std::function<bool()> ChoiceShown;
    // The story skips at all (skip may be held back at an unread page).
    std::function<bool()> Skipping;
    // Shows or hides the level marks on the battle's towers.
    std::function<void(bool)> ShowTowerLevels;
};

class TPlayerOptions {
public:
    TPlayerOptions(TMenuModel& menu, IWindowHost& host);
    TPlayerOptions(const TPlayerOptions&) = delete;
    TPlayerOptions& operator=(const TPlayerOptions&) = delete;

    // Adds the items under "mmChar" and a "mmScreen" menu; each click runs through
    // `run`, which may guard it.
    void Build(const std::function<void(const std::function<void()>&)>& run);
    // Adds the item of the confirmations under "mmFile", where it is called: it belongs
    // beside タイトルに戻る.
    void BuildConfirmItem(const std::function<void(const std::function<void()>&)>& run);
    // The engine is made after the menus: the options act on it from now on.
    void Attach(TAssistSwitches switches, TAssistState state);

    void Apply(const TComfortSettings& comfort);
    TComfortSettings Settings() const;
    bool SkippingToChoice() const { return SkipToChoice_; }
    // The player wants a question before leaving for the title or loading over unsaved
    // progress, and a notice after a save.
    bool Confirming() const { return Confirm_; }
    bool QuickMenuOn() const;
    bool ModeIndicatorOn() const;
    // The quick menu's auto and skip buttons: the menu's auto item, and the skip to the
    // next choice started or, while it runs, ended.
    void ToggleAuto();
    void ToggleSkipToChoice();
    // Where the window stood before it went full screen.
    TPoint WindowedPosition() const { return WindowedPosition_; }
    // Whole-number enlargement by nearest pixels (画面 menu); the picture is laid out
    // again through OnScalingChanged when it is switched.
    bool SharpScaling() const;
    std::function<void()> OnScalingChanged;

    // The player's input ends auto mode and the skip to the next choice; true when
    // one of them was running.
    bool EndByInput();
    // A mouse press ends them as any input does; true when the press is spent on that.
    // With a choice or a button shown it is not: there a click turns no page, so the
    // press goes on to the choice or button under the pointer.
    bool EndByClick();
    // Auto mode ends when choices or buttons appear: the story waits for the player.
    // Turned on while they are shown, it stays on until the player's next input.
    void StepAuto();
    // Skip to the next choice ends once a choice or a button set is shown, a battle
    // begins or skip is held back at an unread page.
    void StepSkipToChoice();
    // F11 switches full screen on and off; on release, so that a held key switches once.
    void KeyUp(int key);

private:
    // Flips the item's check mark and the switch that goes with it.
    void Toggle(const char* itemName, bool& on);
    void ToggleSkipRead();
    void StartSkipToChoice();
    void SetAutoSpeed(int speed);
    void ToggleBackLogVoice();
    void ToggleChoiceToBackLog();
    void ToggleConfirm();
    void SetFullScreen(bool fullScreen);
    void SetTowerLevels(bool on);
    void SetSharpScaling(bool sharp);
    void EndSkipToChoice();
    // Throws std::logic_error before Attach.
    const TAssistSwitches& Switches() const;

    TMenuModel& Menu_;
    IWindowHost& Host_;
    std::optional<TAssistSwitches> Switches_;
    TAssistState State_;
    bool SkipToChoice_ = false;
    int AutoSpeed_ = 1;
    bool Confirm_ = false;
    bool ChoiceWasShown_ = false;
    TPoint WindowedPosition_;
};

}  // namespace vandor

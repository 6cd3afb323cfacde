#pragma once
// Self-voicing as the player switches it: the menu item "mmSelfVoicing" and the key V
// turn it on and off (SelfVoicing=1 under "Comfort"), "mmSpeakOverVoice" lets a page's
// text be read while its own voice plays (SpeakOverVoice=1). Both keys are written only
// once the player turned them on, so an untouched Config.ini stays as it was. Off, no
// speech library is loaded. When no speech service answers, the item is disabled with
// the reason in its caption, logged once, and play goes on silent.

#include <functional>
#include <memory>
#include <string>

#include "shell/MenuModel.h"
#include "shell/Settings.h"
#include "speech/Speech.h"
#include "util/Geometry.h"

namespace vandor {

class TDebugLog;
class TGameMenu;
class TNovelGame;
class TQTDGame;
class TStorySpeech;
class TBattleSpeech;

class TSelfVoicing {
public:
    static constexpr int kKey = 'V';
    // In a battle: the money, the base's durability and the wave.
    static constexpr int kStatusKey = 'I';
    static constexpr const char* kSwitchedOn = "読み上げをオンにしました";

    // Connects to the speech service; null with the reason when there is none. Tests
    // may put a recording speech in its place.
    using TConnect = std::function<std::unique_ptr<ISpeech>(std::string& why)>;

    TSelfVoicing(TMenuModel& menu, TDebugLog& log);
    ~TSelfVoicing();
    TSelfVoicing(const TSelfVoicing&) = delete;
    TSelfVoicing& operator=(const TSelfVoicing&) = delete;

    // Adds the items under "mmChar"; each click runs through `run`, which may guard it.
    void Build(const std::function<void(const std::function<void()>&)>& run);
    // The engine whose pages are read and the battle; both outlive this.
    void Attach(TNovelGame& engine, TQTDGame& battle);

    void Apply(const TComfortSettings& comfort);
    // Sets the keys of self-voicing in `comfort`.
    void Store(TComfortSettings& comfort) const;

    bool On() const { return Speech_ != nullptr; }
    void Toggle();
    // Once a frame of the story; `focused` is the focused choice or button, or null.
    void StepStory(const void* focused);
    // Once a frame of a battle: the pad's cursor cell (while shown) and the pointer.
    void StepBattle(TPoint cursor, bool cursorShown, TPoint pointer);
    void BattleStatus();
    // While the game menu is open: its focused item and that item's state.
    void StepGameMenu(const TGameMenu& menu);
    // Says a message now (the battle's focus and captions); nothing while off.
    void Say(const std::string& text);

    TConnect Connect;

private:
    void SetOn(bool on);
    void ToggleSpeakOverVoice();

    TMenuModel& Menu_;
    TDebugLog& Log_;
    TNovelGame* Engine_ = nullptr;
    TQTDGame* Battle_ = nullptr;
    std::unique_ptr<ISpeech> Speech_;
    std::unique_ptr<TStorySpeech> Story_;
    std::unique_ptr<TBattleSpeech> BattleSpeech_;
    bool Wanted_ = false;  // the player's choice, kept even when no service answered
    const TMenuItem* MenuItemSaid_ = nullptr;
};

}  // namespace vandor

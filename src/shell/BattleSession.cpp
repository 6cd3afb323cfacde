#include "shell/BattleSession.h"

#include <string_view>
#include <utility>

#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"

namespace vandor {

namespace {

// The keys that stand for a controller's buttons in a battle.
std::string_view ButtonOfKey(int key) {
    switch (key) {
        case vkUp: return "dpup";
        case vkRight: return "dpright";
        case vkDown: return "dpdown";
        case vkLeft: return "dpleft";
        case 'Q': return "leftshoulder";
        case 'E': return "rightshoulder";
        case vkReturn: return "a";
        case vkBack: return "b";
        case 'S': return "x";
        case 'F': return "y";
        case 'P': return "back";
        default: return {};
    }
}

}  // namespace

TBattleSession::TBattleSession(TQTDGame& battle, TNovelGame& story, TPadPointer pointer)
    : Battle_(battle), Story_(story), Pad_(battle, std::move(pointer)) {
    Battle_.OnBattleEnd = [this] { Ended_ = true; };
}

void TBattleSession::Start(int area, int32_t strength, TDefeatTarget defeat) {
    Defeat_ = std::move(defeat);
    Ended_ = false;
    Battle_.StartBattle(area, strength);
    Pad_.Reset();
    Running_ = true;
}

// The battle has no exit of its own: it is simply no longer updated, and the next
// start sets it up afresh.
void TBattleSession::Abandon() {
    Running_ = false;
    Ended_ = false;
}

bool TBattleSession::Lost() const { return Battle_.Lost(); }

IGameMode& TBattleSession::ActiveMode() {
    if (Running_) return Battle_;
    return Story_;
}

void TBattleSession::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!Running_) {
        Story_.MouseUp(button, shift, x, y);
        return;
    }
    if (Ended_) Leave();
    Battle_.MouseUp(button, shift, x, y);
}

void TBattleSession::KeyUp(int key, TShiftState shift) {
    if (key == 'Q' && (shift & ssShift) && (shift & ssCtrl)) Abandon();
}

bool TBattleSession::PadButton(const std::string& name, bool down) {
    if (!Running_ || !TBattlePad::IsBattleButton(name)) return false;
    if (down) Pad_.Press(name);
    return true;
}

// Ctrl and Alt keep their own meanings (Shift+Ctrl+Q gives the battle up).
bool TBattleSession::KeyDown(int key, TShiftState shift) {
    const std::string_view button = ButtonOfKey(key);
    if (button.empty() || (shift & (ssCtrl | ssAlt))) return false;
    return PadButton(std::string(button), true);
}

void TBattleSession::PointerMoved(int x, int y) {
    if (Running_) Pad_.PointerMoved(x, y);
}

// A won battle lets the story go on after its battle command with the next frame.
void TBattleSession::Leave() {
    Running_ = false;
    Ended_ = false;
    if (Battle_.Lost()) Story_.Jump(Defeat_.Script, Defeat_.Label);
}

}  // namespace vandor

#include "shell/BattleSession.h"

#include <utility>

#include "battle/QTDGame.h"
#include "scenario/NovelGame.h"

namespace vandor {

TBattleSession::TBattleSession(TQTDGame& battle, TNovelGame& story) : Battle_(battle), Story_(story) {
    Battle_.OnBattleEnd = [this] { Ended_ = true; };
}

void TBattleSession::Start(int area, int32_t strength, TDefeatTarget defeat) {
    Defeat_ = std::move(defeat);
    Ended_ = false;
    Battle_.StartBattle(area, strength);
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

// A won battle lets the story go on after its battle command with the next frame.
void TBattleSession::Leave() {
    Running_ = false;
    Ended_ = false;
    if (Battle_.Lost()) Story_.Jump(Defeat_.Script, Defeat_.Label);
}

}  // namespace vandor

#pragma once
// TBattleSession: the battle as the main window owns it, between the story engine and
// the battle. The battle knows neither the window nor the story; this is where the
// two meet: a battle starts from the story's battle command, is given up (Shift+Ctrl+Q,
// the title, a loaded slot, a restart) or, once it has ended, is left with the next
// release, and after a defeat the story goes on in its defeat script.
//
// It also holds the rules of input around a battle, so that the window's handlers
// only ask: while a battle shows (running, or ended and waiting for the release that
// leaves it) the frames, the picture, the mouse and typed characters are the
// battle's, and the story behind it hears nothing. The wheel neither opens nor scrolls
// its backlog, Ctrl does not skip it, and no key or notch ends its auto mode: the
// player is fighting, and the story should go on afterwards as it was left. Ctrl, Up
// and Down still held when the story is back act as held keys do.
//
// A controller or the keys play the battle through TBattlePad (BattlePad.h), which
// moves the window's pointer and presses its buttons as the mouse does: arrows are the
// d-pad, Q and E the shoulders, Enter `a`, Backspace `b`, S `x`, F `y` and P `back`.

#include <cstdint>
#include <string>

#include "compositor/Input.h"
#include "shell/BattlePad.h"

namespace vandor {

class IGameMode;
class TNovelGame;
class TQTDGame;

// Where the story goes after a lost battle; an empty script means the current one.
struct TDefeatTarget {
    std::string Script;
    std::string Label;
};

class TBattleSession {
public:
    // Both outlive the session. The session takes the battle's OnBattleEnd; the pad
    // moves and presses `pointer`.
    TBattleSession(TQTDGame& battle, TNovelGame& story, TPadPointer pointer);
    TBattleSession(const TBattleSession&) = delete;
    TBattleSession& operator=(const TBattleSession&) = delete;

    // The battle on `area` with the enemies of `strength` runs from the next frame on;
    // the story waits on the line after its battle command.
    void Start(int area, int32_t strength, TDefeatTarget defeat);
    // Ends the battle without a result and leaves the story as it is.
    void Abandon();

    // The battle is the active mode: it runs, or it has ended and still shows.
    bool Running() const { return Running_; }
    // The battle was won or lost and waits for the release that leaves it.
    bool Ended() const { return Ended_; }
    // The last battle started was lost.
    bool Lost() const;

    // What the frames, the picture, the pointer and typed characters go to.
    IGameMode& ActiveMode();
    // The wheel, the held keys and whatever ends the story's assists reach the story
    // only while no battle shows.
    bool StoryHearsInput() const { return !Running_; }

    // A release goes to the active mode. The first one after the battle's end leaves
    // the battle first, but still reaches it: it may dismiss what the battle shows.
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Shift+Ctrl+Q, on the release of Q, gives the battle up.
    void KeyUp(int key, TShiftState shift);

    // A controller button (SDL's name) went down or up; true when the battle takes it.
    bool PadButton(const std::string& name, bool down);
    // A key went down; true when the battle takes it as a controller button.
    bool KeyDown(int key, TShiftState shift);
    // The mouse (or the stick) moved the pointer, in picture coordinates.
    void PointerMoved(int x, int y);
    const TBattlePad& Pad() const { return Pad_; }

private:
    void Leave();

    TQTDGame& Battle_;
    TNovelGame& Story_;
    TBattlePad Pad_;
    TDefeatTarget Defeat_;
    bool Running_ = false;
    bool Ended_ = false;
};

}  // namespace vandor

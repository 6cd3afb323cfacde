#pragma once
// The input file of a headless run: one event per line, "FRAME EVENT ARGS", with "#"
// starting a comment. Parsing keeps every well-formed line and reports each bad one
// with its line number; whether a bad line stops the run is the caller's choice.
//
//   move X Y            pointer to client coordinates
//   down|up BUTTON      left, right or middle, at the last pointer position
//   wheel +1|-1         one notch down (+1) or up (-1)
//   keydown|keyup KEY   Control, Shift, Up, Down, Return, Space, Q, ...
//   char KEY            a typed character: Return, Space, or a single character
//   menu ITEM           a click on the menu item of that name
//   answer ANSWER       ok, cancel, yes or no, for the next message box
//   field NAME TEXT     the text of a field of the next form (the rest of the line;
//                       "\n" is a line break, "\\" a backslash)
//   choose NAME N       the N-th answer (from 1; 0 for none) of a question of the next form
//   press BUTTON        send, save or close, on the next form
//   resize W H          client area size
//   shot PATH           the client area as PNG (the rest of the line is the path)
//   close               close request
//   pad down|up BUTTON  a controller button, by SDL's name (a, b, start, dpup, ...)
//   pad axis AXIS VALUE a controller axis (leftx, lefty, ..., righttrigger), -32768..32767
//   pad connect|disconnect  a controller comes or goes
//   wait WHAT [LIMIT]   wait until WHAT holds: "label NAME" (the story reached NAME),
//                       "choices", "buttons", "battle" (a preparation, or the end,
//                       waits for a click) or
//                       "page" (fully shown, waiting for its click); the run fails
//                       after LIMIT frames (3000). Later lines count from its end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compositor/Input.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "shell/WindowHost.h"
#include "util/Geometry.h"

namespace vandor {

enum class TReplayEventKind {
    Move,
    Down,
    Up,
    Wheel,
    KeyDown,
    KeyUp,
    Char,
    Menu,
    Answer,
    Form,
    Resize,
    Shot,
    Close,
    PadDown,
    PadUp,
    PadAxis,
    PadConnect,
    PadDisconnect,
    Wait
};

enum class TReplayWaitFor { Label, Choices, Buttons, Battle, Page };

struct TReplayEvent {
    static constexpr uint32_t kDefaultWaitLimit = 3000;  // one minute of play

    // Counted from the end of the wait before it in the file (from the start without one).
    uint32_t Frame = 0;
    // How many waits come before it in the file.
    int Segment = 0;
    int Line = 0;  // in the input file, for messages
    TReplayEventKind Kind = TReplayEventKind::Close;
    TPoint Position;                             // Move
    TSize Size;                                  // Resize
    TMouseButton Button = TMouseButton::mbLeft;  // Down, Up
    int Notch = 0;                               // Wheel
    int Key = 0;                                 // KeyDown, KeyUp: key number; Char: character code
    TMessageResult Answer = TMessageResult::OK;  // Answer
    TFormInput FormInput;                        // Form
    std::string Text;                            // Menu: item name; Shot: file path; Pad*: button or axis;
                                                 // Wait: label
    int AxisValue = 0;                           // PadAxis
    TReplayWaitFor WaitFor = TReplayWaitFor::Page;
    uint32_t WaitLimit = kDefaultWaitLimit;
};

class TReplayInput {
public:
    // The largest client area a window of the game can have.
    static constexpr TSize kMaxClientSize{3200, 2400};

    static TReplayInput Parse(std::string_view text);
    // An unreadable file gives no events and one error.
    static TReplayInput LoadFromFile(const std::string& path);

    // Sorted by segment and frame, a segment's wait last; events of the same frame keep
    // their order in the file.
    const std::vector<TReplayEvent>& Events() const { return Events_; }
    // "line N: ..." for each line that was skipped.
    const std::vector<std::string>& Errors() const { return Errors_; }

    // Delivers the events of this frame to the host, in order. Returns a message for
    // each event that could not be carried out (a missing menu item, a shot that could
    // not be written).
    // Only for input without waits, whose frames count from the start.
    std::vector<std::string> ApplyEvents(uint32_t frame, THeadlessWindowHost& host) const;
    // Delivers one event (not a wait); returns the problems as ApplyEvents does.
    static std::vector<std::string> Apply(const TReplayEvent& event, THeadlessWindowHost& host);

private:
    std::vector<TReplayEvent> Events_;
    std::vector<std::string> Errors_;
};

// The key number of a key name ("Control" is 17, "q" and "Q" are 81); -1 when unknown.
int KeyFromName(std::string_view name);
// The character code of a character name ("Return" is 13, "Space" 32, "a" 97); -1 when unknown.
int CharacterFromName(std::string_view name);

}  // namespace vandor

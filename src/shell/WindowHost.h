#pragma once
// The seam between the main window's logic and the windowing system. The main window
// owns its menu model and its picture; a host (GTK on the desktop, an in-memory one
// for the headless replay and the tests) shows them and hands the user's input back
// through TWindowEvents. Everything here runs on the user-interface thread.

#include <functional>
#include <string>
#include <vector>

#include "compositor/Input.h"
#include "util/Geometry.h"

namespace vandor {

class TBitmap32;
class TFormSession;
class TMenuModel;

// The modifier flag a key stands for (Shift, Ctrl, Alt), 0 for any other key.
inline TShiftState ModifierFlag(int key) {
    switch (key) {
        case vkShift: return ssShift;
        case vkControl: return ssCtrl;
        case vkMenu: return ssAlt;
        default: return 0;
    }
}

enum class TMessageButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class TMessageIcon { None, Information, Warning, Error, Question };
// Closing a message box without choosing answers Cancel.
enum class TMessageResult { OK, Cancel, Yes, No };

enum class TCursorShape { Default, HandPoint };

// What the host tells the main window. Unset callbacks are skipped (OnCloseQuery
// unset lets the window close). Positions are client pixels; the shift state holds
// the modifier keys and the mouse buttons down at the time of the event. (The empty
// initialisers let callers set a few events by designated initialisers.)
struct TWindowEvents {
    std::function<void(TShiftState shift, int x, int y)> OnMouseMove{};
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown{};
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp{};
    // One notch at a time: +1 towards the user (down), -1 away (up).
    std::function<void(int notch)> OnMouseWheel{};
    std::function<void(int key, TShiftState shift)> OnKeyDown{};
    std::function<void(int key, TShiftState shift)> OnKeyUp{};
    // A typed character: 13 for Enter, 32 for Space, else its code point.
    std::function<void(int character)> OnKeyPress{};
    // The application gained or lost the user's focus.
    std::function<void()> OnActivate{};
    std::function<void()> OnDeactivate{};
    // The client area changed size; also raised once by Show.
    std::function<void()> OnResize{};
    // The client area needs the picture again (exposed, or after a resize).
    std::function<void()> OnPaint{};
    // The user or Close asks to close the window; true lets it close.
    std::function<bool()> OnCloseQuery{};
    // Called whenever the host has nothing else to do. Returning true asks to be
    // called again at once; false waits for the next event or timer tick.
    std::function<bool()> OnIdle{};
    // While OnIdle asks to be called again: how many milliseconds the next call can
    // wait (the game's next frame is due then), so that the host sleeps until then
    // instead of calling it back to back; input and timer events still come at once.
    // Unset, or 0: no wait.
    std::function<int()> IdleDelay{};
    // The 5 ms timer, while enabled by SetTimerEnabled.
    std::function<void()> OnTimer{};
    // A game controller's button ("a", "dpup", ...) and axis ("leftx", "righttrigger",
    // -32768..32767) by the names SDL gives them, and a controller coming or going.
    std::function<void(const std::string& button, bool down)> OnPadButton{};
    std::function<void(const std::string& axis, int value)> OnPadAxis{};
    std::function<void(bool connected)> OnPadConnected{};
};

// The client pixels that show `changed` of srcRect when it is put into dstRect by
// pixel replication, a pixel wider on every side so that rounding never loses one;
// all of dstRect when `changed` covers srcRect.
TRect PresentedPart(const TRect& dstRect, const TRect& srcRect, const TRect& changed);

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    virtual void SetEvents(TWindowEvents events) = 0;
    // The host shows this menu as the window's menu bar and follows its changes (a host
    // may take over TMenuModel::OnChange for that); clicks go to TMenuModel::Click. The
    // model must outlive the host's use of it; nullptr removes it.
    virtual void SetMenu(TMenuModel* menu) = 0;

    // Shows the window; raises OnResize once the client size is known, then OnPaint.
    virtual void Show() = 0;
    // Asks to close the window: OnCloseQuery decides.
    virtual void Close() = 0;
    // Brings the window to the front (a second start of the game asks for this).
    virtual void BringToFront() = 0;

    // Puts srcRect of the picture into dstRect of the client area, scaled by pixel
    // replication, alpha ignored; the rest of the client area is black. Only `changed`
    // (picture pixels) differs from what was presented last: a host may paint just
    // PresentedPart of it. A `changed` covering srcRect paints the whole client area.
    virtual void Present(const TBitmap32& picture, const TRect& dstRect, const TRect& srcRect,
                         const TRect& changed) = 0;

    // buttonCaptions, when given, name the buttons in the menu model's form ("&" marks
    // the mnemonic), one for each button of the set; otherwise the usual words show.
    virtual TMessageResult MessageBox(const std::string& text, const std::string& caption, TMessageButtons buttons,
                                      TMessageIcon icon, const std::vector<std::string>& buttonCaptions = {}) = 0;
    // Shows the support or survey form modally until the session is done (sent, or
    // closed by the player): the player edits the form's fields and presses its buttons,
    // and the host polls the session while the form is open to show what the workers
    // found. Closing the form counts as its close button.
    virtual void ShowForm(TFormSession& session) = 0;

    virtual void SetCursor(TCursorShape shape) = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // The outer window's top-left corner on the screen.
    virtual TPoint Position() const = 0;
    // Where the window stands in its normal state: where it is, or, while it is
    // maximised or minimised, where restoring it would put it.
    virtual TPoint NormalPosition() const = 0;
    // The outer window's size: the client area with the menu bar and the frame.
    virtual TSize WindowSize() const = 0;
    virtual void SetPosition(TPoint position) = 0;
    virtual TSize ClientSize() const = 0;
    virtual void SetClientSize(TSize size) = 0;
    virtual TSize ScreenSize() const = 0;
    // Full screen: the client area covers the screen and the menu bar is hidden; back
    // in the window, the window has its size and place of before again.
    virtual void SetFullScreen(bool fullScreen) = 0;
    virtual bool FullScreen() const = 0;

    // Whether the application has the user's focus.
    virtual bool IsActive() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    // Handles the window events that are waiting, from inside a long-running handler.
    virtual void PumpMessages() = 0;
};

}  // namespace vandor

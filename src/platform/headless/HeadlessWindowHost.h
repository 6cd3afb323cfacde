#pragma once
// A window host without a screen, for the headless replay and the tests: it keeps the
// client area as a picture in memory, answers message boxes from a queue and turns
// simulated input into the same events a real window raises.

#include <deque>
#include <string>
#include <vector>

#include "compositor/Bitmap32.h"
#include "shell/FormSession.h"
#include "shell/WindowHost.h"

namespace vandor {

struct TShownMessageBox {
    std::string Text;
    std::string Caption;
    TMessageButtons Buttons;
    TMessageIcon Icon;
    TMessageResult Result;
    std::vector<std::string> ButtonCaptions;  // as given: empty for the usual words
};

// What the input gives the next form: a field's text, a choice, a button.
enum class TFormInputKind { Field, Choose, Press };
struct TFormInput {
    TFormInputKind Kind = TFormInputKind::Press;
    std::string Name;                         // Field, Choose: the field
    std::string Text;                         // Field
    int Choice = 0;                           // Choose: 1 for the first answer, 0 for none
    TFormButton Button = TFormButton::Close;  // Press
};

struct TShownForm {
    std::string Caption;
    TProbeState Server = TProbeState::NotSet;
    TProbeState PublicSite = TProbeState::NotSet;
    std::string ProbeText;
    std::vector<std::string> Statuses;  // the form's status after each button
    std::string Preview;                // as the form was left
    bool Sent = false;
};

class THeadlessWindowHost final : public IWindowHost {
public:
    static constexpr TSize kDefaultClientSize{800, 600};
    static constexpr TSize kDefaultScreenSize{1920, 1080};

    THeadlessWindowHost();

    void SetEvents(TWindowEvents events) override;
    void SetMenu(TMenuModel* menu) override;
    void Show() override;
    void Close() override;
    void BringToFront() override;
    void Present(const TBitmap32& picture, const TRect& dstRect, const TRect& srcRect, const TRect& changed) override;
    // The next queued answer, else the box's first button (OK, or Yes without OK). An
    // answer the box does not offer counts as closing it: Cancel.
    TMessageResult MessageBox(const std::string& text, const std::string& caption, TMessageButtons buttons,
                              TMessageIcon icon, const std::vector<std::string>& buttonCaptions = {}) override;
    // Waits for the probes, then gives the form the queued form input until the form is
    // done (a pressed button waits for its work too); with no input left, the form is
    // closed. Deterministic, as the replay must be.
    void ShowForm(TFormSession& session) override;
    void SetCursor(TCursorShape shape) override;
    void SetTitle(const std::string& title) override;
    TPoint Position() const override;
    TPoint NormalPosition() const override;
    TSize WindowSize() const override;
    void SetPosition(TPoint position) override;
    TSize ClientSize() const override;
    // A new size clears the client area to black and raises OnResize, then OnPaint.
    void SetClientSize(TSize size) override;
    TSize ScreenSize() const override;
    // The client area takes the screen's size (no menu bar to leave room for) and
    // gets its own back afterwards, each change raising OnResize and OnPaint.
    void SetFullScreen(bool fullScreen) override;
    bool FullScreen() const override { return FullScreen_; }
    bool IsActive() const override;
    void SetTimerEnabled(bool enabled) override;
    void PumpMessages() override;

    // Simulated input. Buttons are pressed and released at the last pointer position.
    void MoveMouse(int x, int y);
    void PressButton(TMouseButton button);
    void ReleaseButton(TMouseButton button);
    void TurnWheel(int notch);
    void PressKey(int key);
    void ReleaseKey(int key);
    void TypeCharacter(int character);
    // A game controller, by SDL's button and axis names.
    void PressPadButton(const std::string& button, bool down);
    void MovePadAxis(const std::string& axis, int value);
    void ConnectPad(bool connected);
    // A click by the user: false when the item is missing, hidden or disabled.
    bool ClickMenu(const std::string& name);
    void QueueAnswer(TMessageResult answer);
    void QueueFormInput(TFormInput input);
    // What could not be given to a form since the last call (an unknown field, a button
    // that does nothing), one message each.
    std::vector<std::string> TakeFormProblems();
    // Raises OnActivate or OnDeactivate when the state changes; a new host is active.
    void SetActive(bool active);
    // Writes the client area as an opaque PNG; false when it cannot be written.
    bool SaveShot(const std::string& path) const;

    // The client area as last presented: black, with the picture in its rectangle.
    const TBitmap32& ClientPicture() const { return Client_; }
    const TWindowEvents& Events() const { return Events_; }
    TMenuModel* Menu() const { return Menu_; }
    const std::vector<TShownMessageBox>& MessageBoxes() const { return MessageBoxes_; }
    const std::vector<TShownForm>& Forms() const { return Forms_; }
    TCursorShape Cursor() const { return Cursor_; }
    const std::string& Title() const { return Title_; }
    bool Shown() const { return Shown_; }
    bool Closed() const { return Closed_; }
    bool TimerEnabled() const { return TimerEnabled_; }
    void SetScreenSize(TSize size) { Screen_ = size; }
    // What the window's frame and menu bar add to the client area; none by default.
    void SetFrameSize(TSize size) { Frame_ = size; }
    // Maximised, the window stands at the screen's corner; restored, where it was.
    void SetMaximized(bool maximized);

private:
    void Exposed();

    TWindowEvents Events_;
    TMenuModel* Menu_ = nullptr;
    TBitmap32 Client_;
    TPoint Position_;
    TSize Screen_ = kDefaultScreenSize;
    std::string Title_;
    TCursorShape Cursor_ = TCursorShape::Default;
    std::deque<TMessageResult> Answers_;
    std::vector<TShownMessageBox> MessageBoxes_;
    std::deque<TFormInput> FormInputs_;
    std::vector<TShownForm> Forms_;
    std::vector<std::string> FormProblems_;
    TPoint Pointer_;
    TShiftState Held_ = 0;  // modifier keys and mouse buttons down
    bool Active_ = true;
    bool Shown_ = false;
    bool Closed_ = false;
    bool TimerEnabled_ = false;
    bool FullScreen_ = false;
    TPoint WindowedPosition_;
    TSize Frame_{0, 0};
    bool Maximized_ = false;
    TPoint RestoredPosition_;
    TSize WindowedClient_;
};

}  // namespace vandor

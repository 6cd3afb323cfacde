#include "platform/headless/HeadlessWindowHost.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "compositor/StretchMap.h"
#include "resources/PictureCodec.h"
#include "shell/MenuModel.h"

namespace vandor {

namespace {

constexpr TColor32 kBlack = 0xFF000000;

TShiftState ButtonFlag(TMouseButton button) {
    switch (button) {
        case TMouseButton::mbLeft: return ssLeft;
        case TMouseButton::mbRight: return ssRight;
        case TMouseButton::mbMiddle: return ssMiddle;
    }
    return 0;
}

bool Offers(TMessageButtons buttons, TMessageResult answer) {
    switch (buttons) {
        case TMessageButtons::OK: return answer == TMessageResult::OK;
        case TMessageButtons::OKCancel: return answer == TMessageResult::OK || answer == TMessageResult::Cancel;
        case TMessageButtons::YesNo: return answer == TMessageResult::Yes || answer == TMessageResult::No;
        case TMessageButtons::YesNoCancel: return answer != TMessageResult::OK;
    }
    return false;
}

}  // namespace

THeadlessWindowHost::THeadlessWindowHost() {
    Client_.SetSize(kDefaultClientSize.Width, kDefaultClientSize.Height);
    Client_.Clear(kBlack);
}

void THeadlessWindowHost::SetEvents(TWindowEvents events) { Events_ = std::move(events); }

void THeadlessWindowHost::SetMenu(TMenuModel* menu) { Menu_ = menu; }

// A real window that appears or changes size is laid out, then painted.
void THeadlessWindowHost::Exposed() {
    if (Events_.OnResize) Events_.OnResize();
    if (Events_.OnPaint) Events_.OnPaint();
}

void THeadlessWindowHost::Show() {
    Shown_ = true;
    Exposed();
}

void THeadlessWindowHost::Close() {
    if (Closed_) return;
    if (!Events_.OnCloseQuery || Events_.OnCloseQuery()) Closed_ = true;
}

void THeadlessWindowHost::BringToFront() { SetActive(true); }

void THeadlessWindowHost::Present(const TBitmap32& picture, const TRect& dstRect, const TRect& srcRect,
                                  const TRect& changed) {
    // Like a window, the client keeps what was presented before outside the changed part.
    const bool whole = Intersect(changed, srcRect) == srcRect;
    if (whole) Client_.Clear(kBlack);
    const TRect target = Intersect(whole ? dstRect : PresentedPart(dstRect, srcRect, changed), Client_.BoundsRect());
    if (target.IsEmpty() || dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    // The same pixel replication as drawing between surfaces; parts of srcRect outside
    // the picture stay black.
    const std::vector<int32_t> columns =
        StretchMap(srcRect.Left, srcRect.Right, dstRect.Left, dstRect.Right, target.Left, target.Right);
    const std::vector<int32_t> rows =
        StretchMap(srcRect.Top, srcRect.Bottom, dstRect.Top, dstRect.Bottom, target.Top, target.Bottom);
    for (int y = target.Top; y < target.Bottom; ++y) {
        const int sy = rows[y - target.Top];
        if (sy < 0 || sy >= picture.Height()) continue;
        const TColor32* source = picture.ScanLine(sy);
        TColor32* row = Client_.ScanLine(y);
        for (int x = target.Left; x < target.Right; ++x) {
            const int sx = columns[x - target.Left];
            if (sx >= 0 && sx < picture.Width()) row[x] = kBlack | (source[sx] & 0x00FFFFFF);
        }
    }
}

TMessageResult THeadlessWindowHost::MessageBox(const std::string& text, const std::string& caption,
                                               TMessageButtons buttons, TMessageIcon icon,
                                               const std::vector<std::string>& buttonCaptions) {
    TMessageResult result;
    if (!Answers_.empty()) {
        result = Answers_.front();
        Answers_.pop_front();
        if (!Offers(buttons, result)) result = TMessageResult::Cancel;
    } else {
        result = Offers(buttons, TMessageResult::OK) ? TMessageResult::OK : TMessageResult::Yes;
    }
    MessageBoxes_.push_back(TShownMessageBox{text, caption, buttons, icon, result, buttonCaptions});
    return result;
}

void THeadlessWindowHost::ShowForm(TFormSession& session) {
    session.WaitForWorkers();
    TShownForm shown;
    shown.Caption = session.Form().Caption;
    const auto problem = [&](const std::string& what) { FormProblems_.push_back(shown.Caption + ": " + what); };
    while (!session.Done() && !FormInputs_.empty()) {
        const TFormInput input = std::move(FormInputs_.front());
        FormInputs_.pop_front();
        TFormField* field = input.Kind == TFormInputKind::Press ? nullptr : session.Form().Find(input.Name);
        switch (input.Kind) {
            case TFormInputKind::Field:
                if (field == nullptr || !field->Editable() || field->Kind == TFieldKind::Choice) {
                    problem("no text field \"" + input.Name + "\"");
                } else {
                    field->Value = input.Text;
                }
                break;
            case TFormInputKind::Choose:
                if (field == nullptr || field->Kind != TFieldKind::Choice) {
                    problem("no question \"" + input.Name + "\"");
                } else if (input.Choice < 0 || input.Choice > static_cast<int>(field->Choices.size())) {
                    problem("\"" + input.Name + "\" has " + std::to_string(field->Choices.size()) + " answers");
                } else {
                    field->Chosen = input.Choice - 1;
                }
                break;
            case TFormInputKind::Press:
                if (input.Button == TFormButton::Send && !session.CanSend()) problem("cannot send now");
                session.Press(input.Button);
                session.WaitForWorkers();
                shown.Statuses.push_back(session.Status());
                break;
        }
    }
    if (!session.Done()) session.Press(TFormButton::Close);
    shown.Server = session.ServerState();
    shown.PublicSite = session.PublicSiteState();
    shown.ProbeText = session.ProbeText();
    shown.Preview = session.Form().Preview();
    shown.Sent = session.Sent();
    Forms_.push_back(std::move(shown));
}

void THeadlessWindowHost::SetCursor(TCursorShape shape) { Cursor_ = shape; }

void THeadlessWindowHost::SetTitle(const std::string& title) { Title_ = title; }

TPoint THeadlessWindowHost::Position() const { return Position_; }

void THeadlessWindowHost::SetPosition(TPoint position) { Position_ = position; }

TPoint THeadlessWindowHost::NormalPosition() const { return Maximized_ ? RestoredPosition_ : Position_; }

TSize THeadlessWindowHost::WindowSize() const {
    const TSize client = ClientSize();
    return {client.Width + Frame_.Width, client.Height + Frame_.Height};
}

void THeadlessWindowHost::SetMaximized(bool maximized) {
    if (maximized == Maximized_) return;
    Maximized_ = maximized;
    if (maximized) {
        RestoredPosition_ = Position_;
        Position_ = {0, 0};
    } else {
        Position_ = RestoredPosition_;
    }
}

TSize THeadlessWindowHost::ClientSize() const { return {Client_.Width(), Client_.Height()}; }

void THeadlessWindowHost::SetClientSize(TSize size) {
    if (size == ClientSize()) return;
    Client_.SetSize(size.Width, size.Height);
    Client_.Clear(kBlack);
    Exposed();
}

TSize THeadlessWindowHost::ScreenSize() const { return Screen_; }

void THeadlessWindowHost::SetFullScreen(bool fullScreen) {
    if (fullScreen == FullScreen_) return;
    FullScreen_ = fullScreen;
    if (fullScreen) {
        WindowedPosition_ = Position_;
        WindowedClient_ = ClientSize();
        Position_ = {0, 0};
        SetClientSize(Screen_);
    } else {
        Position_ = WindowedPosition_;
        SetClientSize(WindowedClient_);
    }
}

bool THeadlessWindowHost::IsActive() const { return Active_; }

void THeadlessWindowHost::SetTimerEnabled(bool enabled) { TimerEnabled_ = enabled; }

// Simulated input is delivered the moment it happens: nothing ever waits.
void THeadlessWindowHost::PumpMessages() {}

void THeadlessWindowHost::MoveMouse(int x, int y) {
    Pointer_ = {x, y};
    if (Events_.OnMouseMove) Events_.OnMouseMove(Held_, x, y);
}

void THeadlessWindowHost::PressButton(TMouseButton button) {
    Held_ |= ButtonFlag(button);
    if (Events_.OnMouseDown) Events_.OnMouseDown(button, Held_, Pointer_.X, Pointer_.Y);
}

void THeadlessWindowHost::ReleaseButton(TMouseButton button) {
    Held_ &= static_cast<TShiftState>(~ButtonFlag(button));
    if (Events_.OnMouseUp) Events_.OnMouseUp(button, Held_, Pointer_.X, Pointer_.Y);
}

void THeadlessWindowHost::TurnWheel(int notch) {
    if (Events_.OnMouseWheel) Events_.OnMouseWheel(notch);
}

void THeadlessWindowHost::PressKey(int key) {
    Held_ |= ModifierFlag(key);
    if (Events_.OnKeyDown) Events_.OnKeyDown(key, Held_);
}

void THeadlessWindowHost::ReleaseKey(int key) {
    Held_ &= static_cast<TShiftState>(~ModifierFlag(key));
    if (Events_.OnKeyUp) Events_.OnKeyUp(key, Held_);
}

void THeadlessWindowHost::TypeCharacter(int character) {
    if (Events_.OnKeyPress) Events_.OnKeyPress(character);
}

void THeadlessWindowHost::PressPadButton(const std::string& button, bool down) {
    if (Events_.OnPadButton) Events_.OnPadButton(button, down);
}

void THeadlessWindowHost::MovePadAxis(const std::string& axis, int value) {
    if (Events_.OnPadAxis) Events_.OnPadAxis(axis, value);
}

void THeadlessWindowHost::ConnectPad(bool connected) {
    if (Events_.OnPadConnected) Events_.OnPadConnected(connected);
}

bool THeadlessWindowHost::ClickMenu(const std::string& name) { return Menu_ != nullptr && Menu_->Click(name); }

void THeadlessWindowHost::QueueAnswer(TMessageResult answer) { Answers_.push_back(answer); }

void THeadlessWindowHost::QueueFormInput(TFormInput input) { FormInputs_.push_back(std::move(input)); }

std::vector<std::string> THeadlessWindowHost::TakeFormProblems() { return std::exchange(FormProblems_, {}); }

void THeadlessWindowHost::SetActive(bool active) {
    if (active == Active_) return;
    Active_ = active;
    const auto& event = active ? Events_.OnActivate : Events_.OnDeactivate;
    if (event) event();
}

bool THeadlessWindowHost::SaveShot(const std::string& path) const { return SavePng(Client_, path, TPngAlpha::Opaque); }

}  // namespace vandor

// The main window's events: the frame loop, painting, input, closing and the
// handler of errors that escape the other handlers.

#include "campaign/CampaignCommands.h"
#include "compositor/GameMode.h"
#include "compositor/Input.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/FPSControl.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "shell/SaveFolderCheck.h"
#include "util/DebugLog.h"

#include <utility>

namespace vandor {
namespace {

constexpr int kQuickSaveKey = vkF1 + 4;
constexpr int kQuickLoadKey = vkF1 + 8;
constexpr int kScreenShotKey = vkF1 + 11;

}  // namespace

void TggTDMain::ConnectEvents() {
    TWindowEvents events;
    // Input wakes frames that rest: the next frames hand it on (hover, focus, the held keys).
    const auto input = [this](auto&& action) {
        InputSinceFrame_ = true;
        QuietFrames_ = 0;
        Guarded(action);
    };
    events.OnMouseMove = [this, input](TShiftState shift, int x, int y) { input([&] { FormMouseMove(shift, x, y); }); };
    events.OnMouseDown = [this, input](TMouseButton button, TShiftState shift, int x, int y) {
        input([&] { FormMouseDown(button, shift, x, y); });
    };
    events.OnMouseUp = [this, input](TMouseButton button, TShiftState shift, int x, int y) {
        input([&] { FormMouseUp(button, shift, x, y); });
    };
    events.OnMouseWheel = [this, input](int notch) { input([&] { FormMouseWheel(notch); }); };
    events.OnKeyDown = [this, input](int key, TShiftState shift) { input([&] { FormKeyDown(key, shift); }); };
    events.OnKeyUp = [this, input](int key, TShiftState shift) { input([&] { FormKeyUp(key, shift); }); };
    events.OnKeyPress = [this, input](int character) { input([&] { FormKeyPress(character); }); };
    events.OnActivate = [this, input] { input([&] { AppEventsActivate(); }); };
    events.OnDeactivate = [this, input] { input([&] { AppEventsDeactivate(); }); };
    events.OnResize = [this, input] { input([&] { FormResize(); }); };
    events.OnPaint = [this] { Guarded([&] { FormPaint(); }); };
    events.OnCloseQuery = [this] { return Guarded([&] { return FormCloseQuery(); }, false); };
    events.OnIdle = [this] { return Guarded([&] { return AppEventsIdle(); }, false); };
    events.IdleDelay = [this] { return IdleDelay(); };
    events.OnTimer = [this] { Guarded([&] { SubTimerTimer(); }); };
    events.OnPadButton = [this, input](const std::string& button, bool down) {
        input([&] { FormPadButton(button, down); });
    };
    events.OnPadAxis = [this, input](const std::string& axis, int value) { input([&] { FormPadAxis(axis, value); }); };
    events.OnPadConnected = [this, input](bool connected) { input([&] { FormPadConnected(connected); }); };
    Host_.SetEvents(std::move(events));
}

// ---------------------------------------------------------------- frame loop

bool TggTDMain::AppEventsIdle() {
    if (Terminating() || Destroying_) return false;
    bool ran;
    if (FramesCanRest()) {
        if (!Resting_) BeginRest();
        const int passed = Pacer_->PassDueFrames();
        FrameCount_ += static_cast<uint64_t>(passed);
        ran = passed > 0;
    } else {
        Resting_ = false;
        ran = Pacer_->Tick();
    }
    if (ran && OnAfterFrame) OnAfterFrame();
    if (!Host_.IsActive()) {
        Host_.SetTimerEnabled(true);
        return false;
    }
    Host_.SetTimerEnabled(false);
    IdleCount_ = (IdleCount_ + 1) % kIdlePumpInterval;
    if (IdleCount_ == 0) Host_.PumpMessages();
    return true;
}

int TggTDMain::IdleDelay() {
    if (Terminating() || Destroying_) return 0;
    return FramesCanRest() ? kRestMilliseconds : Pacer_->UntilDue();
}

void TggTDMain::SubTimerTimer() {
    AppEventsIdle();
    Host_.SetTimerEnabled(!Host_.IsActive());
}

void TggTDMain::AppEventsActivate() { Host_.SetTimerEnabled(false); }

void TggTDMain::AppEventsDeactivate() {
    FormDeactivate();
    Host_.SetTimerEnabled(true);
}

void TggTDMain::FormDeactivate() {
    CtrlHeld_ = false;
    Engine_->Skip = false;
}

IGameMode& TggTDMain::ActiveMode() { return Session_->ActiveMode(); }

void TggTDMain::FrameTick() {
    ++FrameCount_;
    InputSinceFrame_ = false;
    MenuClicksSeen_ = Menu_.Clicks();
    // A frame that returns early (a restart, the game menu) does not count as quiet.
    const int quietBefore = std::exchange(QuietFrames_, 0);
    if (RestartPending_) {
        Restart();
        return;
    }
    if (ContinuePending_) {
        ContinuePending_ = false;
        Guarded([this] { ContinueFromNewestSave(); });
    }
    SaveFolderCheck_->TellIfDue();
    if (!WindowsSavesLooked_) OfferWindowsSaves();
    // The picture behind the game menu stands still while the menu is open.
    if (GameMenu_.IsOpen()) {
        StepSelfVoicing();
        return;
    }
    StepStickPointer();
    ReloadChangedData();
    Commands_->UpdateItemHover(MouseX_, MouseY_);
    Options_.StepSkipToChoice();
    Options_.StepAuto();
    if (Session_->StoryHearsInput() && (CtrlHeld_ || Options_.SkippingToChoice()) && Engine_->Skipping())
        Engine_->Advance();
    const bool changed = ActiveMode().Update(Pacer_->Elapsed());
    PictureChanged_.Add(ActiveMode().TakeChanged());
    // A notice fades over the picture: while it shows, every frame is presented anew.
    const bool noticeChanged = Notice_.Step(Pacer_->Elapsed());
    // The overlays change rarely (shown, hidden, lit under the pointer): then all of the
    // picture goes out again rather than tracking where they were.
    const bool overlaysChanged = StepOverlays();
    if (overlaysChanged) PictureChanged_.AddWhole();
    if (changed || noticeChanged || overlaysChanged) {
        ScaledStale_ = true;
        PresentPicture();
    }
    QuietFrames_ = changed || noticeChanged || overlaysChanged ? 0 : quietBefore + 1;
    SyncFocusTargets();
    StepSelfVoicing();
}

// ---------------------------------------------------------------- picture

void TggTDMain::FormShow() { LayoutPicture(); }

void TggTDMain::FormResize() {
    LayoutPicture();
    FormPaint();
}

void TggTDMain::LayoutPicture() {
    const TSize client = Host_.ClientSize();
    Layout_ = vandor::LayoutPicture(client.Width, client.Height, Options_.SharpScaling());
    // The band resampler's surfaces are needed only for the sizes it serves.
    if (!Layout_.DirectScale() && Layout_.Width() > 0) Resampler_.Resize(Layout_);
    ScaledStale_ = true;
    PictureChanged_.AddWhole();
}

void TggTDMain::FormPaint() {
    PictureChanged_.AddWhole();
    PresentPicture();
}

// Only what changed is scaled and presented. The game menu and a notice are drawn
// over a copy of the picture, and another picture than last time shares nothing
// with it: those present everything, and so does the first picture without the
// notice, which must take all of it away.
void TggTDMain::PresentPicture() {
    if (Terminating() || Destroying_ || Layout_.Width() <= 0) return;
    const TBitmap32& picture = GameMenu_.IsOpen() ? GameMenuPicture() : ActiveMode().BackSurface();
    if (GameMenu_.IsOpen() || Notice_.Visible() || NoticePresented_ || &picture != LastPresented_) {
        PictureChanged_.AddWhole();
    }
    LastPresented_ = &picture;
    NoticePresented_ = Notice_.Visible();
    const TBitmap32& source = WithOverlays(picture);
    const TRect whole{0, 0, TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight};
    const TRect changed = PictureChanged_.Within(whole);
    PictureChanged_.Clear();
    if (Layout_.DirectScale()) {
        if (!changed.IsEmpty()) Host_.Present(source, Layout_.PictureRect, whole, changed);
        return;
    }
    const TRect scaledWhole{0, 0, Layout_.Width(), Layout_.Height()};
    // A repaint without a new picture (the window was uncovered) reuses the last scaling.
    const TRect scaledChanged = ScaledStale_ ? Resampler_.Resample(source, changed) : scaledWhole;
    ScaledStale_ = false;
    if (!scaledChanged.IsEmpty()) Host_.Present(Resampler_.Scaled(), Layout_.PictureRect, scaledWhole, scaledChanged);
}

// ---------------------------------------------------------------- input

void TggTDMain::FormMouseMove(TShiftState, int x, int y) {
    if (!Host_.IsActive()) return;
    const TPoint picture = Layout_.ToPicture(x, y);
    if (GameMenu_.IsOpen()) {
        const uint64_t before = GameMenu_.Revision();
        GameMenu_.PointAt(picture);
        if (GameMenu_.Revision() != before) ShowGameMenuChange();
        return;
    }
    MovePointer(picture);
    Session_->PointerMoved(MouseX_, MouseY_);
}

void TggTDMain::MovePointer(TPoint picture) {
    MouseX_ = picture.X;
    MouseY_ = picture.Y;
    ActiveMode().MouseMove(MouseX_, MouseY_);
}

// Buttons act where the pointer last moved, as the layers saw it.
void TggTDMain::FormMouseDown(TMouseButton button, TShiftState shift, int, int) {
    // The game menu acts on the release, as the menu bar does.
    if (GameMenu_.IsOpen()) return;
    if (QuickMenuMouseDown(button)) return;
    if (Session_->StoryHearsInput() && Options_.EndByClick()) {
        SwallowRelease_ = true;
        return;
    }
    ActiveMode().MouseDown(button, shift, MouseX_, MouseY_);
}

void TggTDMain::FormMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (GameMenu_.IsOpen()) {
        GameMenu_.ClickAt(Layout_.ToPicture(x, y), button == TMouseButton::mbLeft);
        ShowGameMenuChange();
        return;
    }
    if (QuickMenuMouseUp(button)) return;
    if (SwallowRelease_) {
        SwallowRelease_ = false;
        return;
    }
    Session_->MouseUp(button, shift, MouseX_, MouseY_);
}

void TggTDMain::FormMouseWheel(int notch) {
    if (GameMenu_.IsOpen()) {
        GameMenu_.Step(notch);
        ShowGameMenuChange();
        return;
    }
    if (!Session_->StoryHearsInput() || Options_.EndByInput()) return;
    Engine_->Wheel(notch);
}

// Escape opens the game menu everywhere; in the story, the arrows, Tab and Backspace
// stand in for the mouse where there is something to focus or click (TStoryControls).
void TggTDMain::FormKeyDown(int key, TShiftState shift) {
    if (GameMenu_.IsOpen()) {
        MenuKeyDown(key, shift);
        return;
    }
    if (key == vkEscape) {
        OpenGameMenu();
        return;
    }
    if (Session_->StoryHearsInput()) {
        Options_.EndByInput();
        SyncFocusTargets();
        if (Controls_->KeyDown(key, shift)) return;
    }
    SetKeyHeld(key, true);
    BattleTookKey_ = Session_->KeyDown(key, shift);
    if (key == 'R' && shift == ssShift) ReloadAllData();
}

// The save keys act on release, as F11 does, so that a held key acts once.
void TggTDMain::FormKeyUp(int key, TShiftState shift) {
    SetKeyHeld(key, false);
    BattleTookKey_ = false;
    switch (key) {
        case kQuickSaveKey: QuickSave(); break;
        case kQuickLoadKey: QuickLoad(); break;
        case kScreenShotKey: TakeScreenShot(); break;
        default: SelfVoicingKey(key); break;
    }
    Options_.KeyUp(key);
    Session_->KeyUp(key, shift);
}

void TggTDMain::SetKeyHeld(int key, bool held) {
    switch (key) {
        case vkControl:
            CtrlHeld_ = held;
            Engine_->Skip = held;
            break;
        case vkUp: Engine_->UpHeld = held; break;
        case vkDown: Engine_->DownHeld = held; break;
        default: break;
    }
}

// Enter clicks the focused choice or button; with nothing focused it turns the page as
// it always has. In the game menu, Enter and Space choose. The character typed with a
// key the battle took is the battle's too, even when that key has just left the battle:
// the Enter that leaves must not turn the story's page.
void TggTDMain::FormKeyPress(int character) {
    if (GameMenu_.IsOpen()) {
        if (character != vkReturn && character != vkSpace) return;
        GameMenu_.Choose();
        ShowGameMenuChange();
        return;
    }
    if (BattleTookKey_) return;
    if (character == vkReturn && Session_->StoryHearsInput()) {
        SyncFocusTargets();
        if (Controls_->Enter()) return;
    }
    ActiveMode().KeyPress(character);
}

// ---------------------------------------------------------------- closing and errors

bool TggTDMain::FormCloseQuery() {
    if (CloseConfirmed_) return true;
    return Host_.MessageBox(message_text::kQuit, message_text::kConfirm, TMessageButtons::OKCancel,
                            TMessageIcon::Question) == TMessageResult::OK;
}

void TggTDMain::CloseWithoutAsking() {
    CloseConfirmed_ = true;
    Host_.Close();
}

void TggTDMain::AppEventsException(const std::string& message) {
    Log_->Enabled = true;
    Log_->Add(message);
    SaveDebugLog();
}

}  // namespace vandor

// What the player may turn on for comfort, each from a menu item, off by default and
// kept in the "Comfort" section of Config.ini: skipping read text only, skipping to
// the next choice, auto mode and its speed, voices again from the backlog, and full
// screen (also F11). The read pages are kept in a file of their own beside the
// read flags.

#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

constexpr int kAutoSpeedGroup = 2;
constexpr int kFullScreenKey = vkF11;

// Fast, normal, slow: a short line stands for about a second at the normal speed,
// a full page of some eighty characters for five.
constexpr TAutoTiming kAutoTimings[TComfortSettings::kAutoSpeeds] = {{400, 25}, {800, 50}, {1300, 80}};
constexpr const char* kAutoSpeedItems[TComfortSettings::kAutoSpeeds] = {"mmAutoFast", "mmAutoNormal", "mmAutoSlow"};

}  // namespace

void TggTDMain::BuildComfortMenus() {
    const auto click = [this](void (TggTDMain::*handler)()) {
        return [this, handler](TMenuItem&) { Guarded([&] { (this->*handler)(); }); };
    };
    Menu_.AddSeparator("mmChar", "mmCharLine1");
    Menu_.Add("mmChar", "mmSkipRead", "既読のみスキップ(&R)", 0, 0, click(&TggTDMain::mmSkipReadClick));
    Menu_.Add("mmChar", "mmSkipChoice", "次の選択肢までスキップ(&N)", 0, 0, click(&TggTDMain::mmSkipChoiceClick));
    Menu_.Add("mmChar", "mmAuto", "オート(&A)", 0, 0, click(&TggTDMain::mmAutoClick));
    const auto speed = [this](TMenuItem& sender) { Guarded([&] { mmAutoSpeedClick(sender); }); };
    Menu_.Add("mmChar", "mmAutoSpeed", "オート速度(&O)");
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[0], "速い(&F)", 0, kAutoSpeedGroup, speed);
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[1], "普通(&N)", 1, kAutoSpeedGroup, speed).SetChecked(true);
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[2], "遅い(&S)", 2, kAutoSpeedGroup, speed);
    Menu_.Add("mmChar", "mmBackLogVoice", "バックログで声を再生(&V)", 0, 0, click(&TggTDMain::mmBackLogVoiceClick));

    Menu_.Add("", "mmScreen", "画面(&W)");
    Menu_.Add("mmScreen", "mmFullScreen", "全画面表示(&F)", 0, 0, click(&TggTDMain::mmFullScreenClick));
}

// ---------------------------------------------------------------- settings

void TggTDMain::ApplyComfortSettings(const TComfortSettings& comfort) {
    Engine_->SkipReadOnly = comfort.SkipReadOnly;
    Menu_.At("mmSkipRead").SetChecked(comfort.SkipReadOnly);
    SetAutoSpeed(comfort.AutoSpeed);
    Engine_->ReplayVoices = comfort.BackLogVoice;
    Menu_.At("mmBackLogVoice").SetChecked(comfort.BackLogVoice);
    SetFullScreen(comfort.FullScreen);
}

TComfortSettings TggTDMain::ComfortSettings() const {
    return {Engine_->SkipReadOnly, AutoSpeed_, Engine_->ReplayVoices, Host_.FullScreen()};
}

void TggTDMain::LoadReadPages() {
    ReadPages_.Clear();
    const std::string path = Locations_.SaveFolder + kReadPagesFileName;
    ReadKeepingDamagedAside(path, [&] {
        ReadReadPagesFile(path, ReadPages_);
        Log_->Add("既読ページ読込.(" + std::to_string(ReadPages_.Count()) + ")");
    });
}

// As with the read flags, no pages write nothing and leave an older file as it was.
bool TggTDMain::SaveReadPages() {
    if (ReadPages_.Empty()) return true;
    return WriteLoggingFailure("既読ページの保存に失敗.", [&] {
        WriteReadPagesFile(Locations_.SaveFolder + kReadPagesFileName, ReadPages_);
        Log_->Add("既読ページ保存.(" + std::to_string(ReadPages_.Count()) + ")");
    });
}

// ---------------------------------------------------------------- menu items

void TggTDMain::mmSkipReadClick() {
    TMenuItem& item = Menu_.At("mmSkipRead");
    item.SetChecked(!item.Checked());
    Engine_->SkipReadOnly = item.Checked();
}

void TggTDMain::mmSkipChoiceClick() {
    if (Session_->Running()) return;
    SkipToChoice_ = true;
    Engine_->Skip = true;
    StepSkipToChoice();
}

void TggTDMain::mmAutoClick() {
    Engine_->AutoMode = !Engine_->AutoMode;
    Menu_.At("mmAuto").SetChecked(Engine_->AutoMode);
}

void TggTDMain::mmAutoSpeedClick(TMenuItem& sender) { SetAutoSpeed(sender.Tag()); }

void TggTDMain::SetAutoSpeed(int speed) {
    AutoSpeed_ = speed;
    Engine_->AutoTiming = kAutoTimings[speed];
    Menu_.At(kAutoSpeedItems[speed]).SetChecked(true);
}

void TggTDMain::mmBackLogVoiceClick() {
    TMenuItem& item = Menu_.At("mmBackLogVoice");
    item.SetChecked(!item.Checked());
    Engine_->ReplayVoices = item.Checked();
}

void TggTDMain::mmFullScreenClick() { SetFullScreen(!Host_.FullScreen()); }

void TggTDMain::SetFullScreen(bool fullScreen) {
    if (fullScreen && !Host_.FullScreen()) WindowedPosition_ = Host_.Position();
    Host_.SetFullScreen(fullScreen);
    Menu_.At("mmFullScreen").SetChecked(fullScreen);
}

// ---------------------------------------------------------------- running

bool TggTDMain::EndAssistsByInput() {
    const bool running = Engine_->AutoMode || SkipToChoice_;
    if (Engine_->AutoMode) mmAutoClick();
    if (SkipToChoice_) {
        SkipToChoice_ = false;
        Engine_->Skip = CtrlHeld_;
    }
    return running;
}

void TggTDMain::StepSkipToChoice() {
    if (!SkipToChoice_) return;
    const bool shown = !Engine_->Choices().empty() || !Engine_->Buttons().empty();
    if (!shown && !Session_->Running() && Engine_->Skipping()) return;
    SkipToChoice_ = false;
    Engine_->Skip = CtrlHeld_;
}

void TggTDMain::ComfortKeyUp(int key) {
    if (key == kFullScreenKey) mmFullScreenClick();
}

}  // namespace vandor

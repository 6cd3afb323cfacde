#include "shell/PlayerOptions.h"

#include <stdexcept>

#include "compositor/Input.h"
#include "scenario/NovelGame.h"
#include "shell/WindowHost.h"

namespace vandor {
namespace {

constexpr int kAutoSpeedGroup = 2;
constexpr int kFullScreenKey = vkF11;

// Fast, normal, slow: a short line stands for about a second at the normal speed,
// a full page of some eighty characters for five.
constexpr TAutoTiming kAutoTimings[TComfortSettings::kAutoSpeeds] = {{400, 25}, {800, 50}, {1300, 80}};
constexpr const char* kAutoSpeedItems[TComfortSettings::kAutoSpeeds] = {"mmAutoFast", "mmAutoNormal", "mmAutoSlow"};

}  // namespace

TPlayerOptions::TPlayerOptions(TMenuModel& menu, IWindowHost& host) : Menu_(menu), Host_(host) {}

void TPlayerOptions::Build(const std::function<void(const std::function<void()>&)>& run) {
    const auto click = [this, run](void (TPlayerOptions::*handler)()) {
        return [this, run, handler](TMenuItem&) { run([&] { (this->*handler)(); }); };
    };
    Menu_.AddSeparator("mmChar", "mmCharLine1");
    Menu_.Add("mmChar", "mmSkipRead", "既読のみスキップ(&R)", 0, 0, click(&TPlayerOptions::ToggleSkipRead));
    Menu_.Add("mmChar", "mmSkipChoice", "次の選択肢までスキップ(&N)", 0, 0, click(&TPlayerOptions::StartSkipToChoice));
    Menu_.Add("mmChar", "mmAuto", "オート(&A)", 0, 0, click(&TPlayerOptions::ToggleAuto));
    const auto speed = [this, run](TMenuItem& sender) { run([&] { SetAutoSpeed(sender.Tag()); }); };
    Menu_.Add("mmChar", "mmAutoSpeed", "オート速度(&O)");
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[0], "速い(&F)", 0, kAutoSpeedGroup, speed);
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[1], "普通(&N)", 1, kAutoSpeedGroup, speed).SetChecked(true);
    Menu_.Add("mmAutoSpeed", kAutoSpeedItems[2], "遅い(&S)", 2, kAutoSpeedGroup, speed);
    Menu_.Add("mmChar", "mmBackLogVoice", "バックログで声を再生(&V)", 0, 0, click(&TPlayerOptions::ToggleBackLogVoice));
    Menu_.Add("mmChar", "mmChoiceToBackLog", "選んだ選択肢をバックログに残す(&L)", 0, 0,
              click(&TPlayerOptions::ToggleChoiceToBackLog));

    Menu_.Add("", "mmScreen", "画面(&W)");
    Menu_.Add("mmScreen", "mmFullScreen", "全画面表示(&F)", 0, 0,
              [this, run](TMenuItem&) { run([&] { SetFullScreen(!Host_.FullScreen()); }); });
    const auto toggle = [run](TMenuItem& sender) { run([&] { sender.SetChecked(!sender.Checked()); }); };
    Menu_.Add("mmScreen", "mmQuickMenu", "クイックメニュー(&Q)", 0, 0, toggle);
    Menu_.Add("mmScreen", "mmModeIndicator", "オート・スキップ表示(&I)", 0, 0, toggle);
    Menu_.Add("mmScreen", "mmTowerLevels", "塔のレベルを表示(&L)", 0, 0,
              [this, run](TMenuItem& sender) { run([&] { SetTowerLevels(!sender.Checked()); }); });
    Menu_.Add("mmScreen", "mmSharpScaling", "ドットをくっきり拡大(&D)", 0, 0,
              [this, run](TMenuItem&) { run([&] { SetSharpScaling(!SharpScaling()); }); });
}

void TPlayerOptions::BuildConfirmItem(const std::function<void(const std::function<void()>&)>& run) {
    Menu_.Add("mmFile", "mmConfirm", "確認とお知らせ(&K)", 0, 0,
              [this, run](TMenuItem&) { run([&] { ToggleConfirm(); }); });
}

void TPlayerOptions::Attach(TAssistSwitches switches, TAssistState state) {
    Switches_.emplace(switches);
    State_ = std::move(state);
}

const TAssistSwitches& TPlayerOptions::Switches() const {
    if (!Switches_) throw std::logic_error("the player options are used before the story engine is attached");
    return *Switches_;
}

void TPlayerOptions::Apply(const TComfortSettings& comfort) {
    Switches().SkipReadOnly = comfort.SkipReadOnly;
    Menu_.At("mmSkipRead").SetChecked(comfort.SkipReadOnly);
    SetAutoSpeed(comfort.AutoSpeed);
    Switches().ReplayVoices = comfort.BackLogVoice;
    Menu_.At("mmBackLogVoice").SetChecked(comfort.BackLogVoice);
    Switches().ChoiceToBackLog = comfort.ChoiceToBackLog;
    Menu_.At("mmChoiceToBackLog").SetChecked(comfort.ChoiceToBackLog);
    Confirm_ = comfort.Confirm;
    Menu_.At("mmConfirm").SetChecked(comfort.Confirm);
    SetFullScreen(comfort.FullScreen);
    Menu_.At("mmQuickMenu").SetChecked(comfort.QuickMenu);
    Menu_.At("mmModeIndicator").SetChecked(comfort.ModeIndicator);
    SetTowerLevels(comfort.TowerLevels);
    SetSharpScaling(comfort.SharpScaling);
}

TComfortSettings TPlayerOptions::Settings() const {
    TComfortSettings comfort{Switches().SkipReadOnly, AutoSpeed_, Switches().ReplayVoices, Host_.FullScreen()};
    comfort.ChoiceToBackLog = Switches().ChoiceToBackLog;
    comfort.Confirm = Confirm_;
    comfort.QuickMenu = QuickMenuOn();
    comfort.ModeIndicator = ModeIndicatorOn();
    comfort.TowerLevels = Menu_.At("mmTowerLevels").Checked();
    comfort.SharpScaling = SharpScaling();
    return comfort;
}

bool TPlayerOptions::QuickMenuOn() const { return Menu_.At("mmQuickMenu").Checked(); }

bool TPlayerOptions::ModeIndicatorOn() const { return Menu_.At("mmModeIndicator").Checked(); }

void TPlayerOptions::Toggle(const char* itemName, bool& on) {
    TMenuItem& item = Menu_.At(itemName);
    item.SetChecked(!item.Checked());
    on = item.Checked();
}

void TPlayerOptions::ToggleSkipRead() { Toggle("mmSkipRead", Switches().SkipReadOnly); }

void TPlayerOptions::StartSkipToChoice() {
    if (State_.BattleRunning()) return;
    SkipToChoice_ = true;
    Switches().Skip = true;
    StepSkipToChoice();
}

void TPlayerOptions::ToggleSkipToChoice() {
    if (SkipToChoice_) {
        EndSkipToChoice();
    } else {
        StartSkipToChoice();
    }
}

void TPlayerOptions::ToggleAuto() {
    Switches().AutoMode = !Switches().AutoMode;
    Menu_.At("mmAuto").SetChecked(Switches().AutoMode);
}

void TPlayerOptions::SetAutoSpeed(int speed) {
    AutoSpeed_ = speed;
    Switches().AutoTiming = kAutoTimings[speed];
    Menu_.At(kAutoSpeedItems[speed]).SetChecked(true);
}

void TPlayerOptions::ToggleBackLogVoice() { Toggle("mmBackLogVoice", Switches().ReplayVoices); }

void TPlayerOptions::ToggleChoiceToBackLog() { Toggle("mmChoiceToBackLog", Switches().ChoiceToBackLog); }

void TPlayerOptions::ToggleConfirm() { Toggle("mmConfirm", Confirm_); }

void TPlayerOptions::SetFullScreen(bool fullScreen) {
    if (fullScreen && !Host_.FullScreen()) WindowedPosition_ = Host_.Position();
    Host_.SetFullScreen(fullScreen);
    Menu_.At("mmFullScreen").SetChecked(fullScreen);
}

bool TPlayerOptions::SharpScaling() const { return Menu_.At("mmSharpScaling").Checked(); }

void TPlayerOptions::SetSharpScaling(bool sharp) {
    if (sharp == SharpScaling()) return;
    Menu_.At("mmSharpScaling").SetChecked(sharp);
    if (OnScalingChanged) OnScalingChanged();
}

// Skip goes back to what the skip key asks for.
void TPlayerOptions::EndSkipToChoice() {
    SkipToChoice_ = false;
    Switches().Skip = State_.SkipHeld();
}

void TPlayerOptions::SetTowerLevels(bool on) {
    if (!State_.ShowTowerLevels)
        throw std::logic_error("the tower level marks are switched before the battle is attached");
    State_.ShowTowerLevels(on);
    Menu_.At("mmTowerLevels").SetChecked(on);
}

bool TPlayerOptions::EndByInput() {
    const bool running = Switches().AutoMode || SkipToChoice_;
    if (Switches().AutoMode) ToggleAuto();
    if (SkipToChoice_) EndSkipToChoice();
    return running;
}

bool TPlayerOptions::EndByClick() {
    const bool choiceShown = State_.ChoiceShown();
    return EndByInput() && !choiceShown;
}

void TPlayerOptions::StepAuto() {
    const bool shown = State_.ChoiceShown();
    if (shown && !ChoiceWasShown_ && Switches().AutoMode) ToggleAuto();
    ChoiceWasShown_ = shown;
}

void TPlayerOptions::StepSkipToChoice() {
    if (!SkipToChoice_) return;
    if (!State_.ChoiceShown() && !State_.BattleRunning() && State_.Skipping()) return;
    EndSkipToChoice();
}

void TPlayerOptions::KeyUp(int key) {
    if (key == kFullScreenKey) SetFullScreen(!Host_.FullScreen());
}

}  // namespace vandor

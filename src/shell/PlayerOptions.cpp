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

    Menu_.Add("", "mmScreen", "画面(&W)");
    Menu_.Add("mmScreen", "mmFullScreen", "全画面表示(&F)", 0, 0,
              [this, run](TMenuItem&) { run([&] { SetFullScreen(!Host_.FullScreen()); }); });
    Menu_.Add("mmScreen", "mmSharpScaling", "ドットをくっきり拡大(&D)", 0, 0,
              [this, run](TMenuItem&) { run([&] { SetSharpScaling(!SharpScaling_); }); });
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
    SetFullScreen(comfort.FullScreen);
    SetSharpScaling(comfort.SharpScaling);
}

TComfortSettings TPlayerOptions::Settings() const {
    TComfortSettings comfort{Switches().SkipReadOnly, AutoSpeed_, Switches().ReplayVoices, Host_.FullScreen()};
    comfort.SharpScaling = SharpScaling_;
    return comfort;
}

void TPlayerOptions::ToggleSkipRead() {
    const TAssistSwitches& switches = Switches();
    TMenuItem& item = Menu_.At("mmSkipRead");
    item.SetChecked(!item.Checked());
    switches.SkipReadOnly = item.Checked();
}

void TPlayerOptions::StartSkipToChoice() {
    if (State_.BattleRunning()) return;
    SkipToChoice_ = true;
    Switches().Skip = true;
    StepSkipToChoice();
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

void TPlayerOptions::ToggleBackLogVoice() {
    const TAssistSwitches& switches = Switches();
    TMenuItem& item = Menu_.At("mmBackLogVoice");
    item.SetChecked(!item.Checked());
    switches.ReplayVoices = item.Checked();
}

void TPlayerOptions::SetFullScreen(bool fullScreen) {
    if (fullScreen && !Host_.FullScreen()) WindowedPosition_ = Host_.Position();
    Host_.SetFullScreen(fullScreen);
    Menu_.At("mmFullScreen").SetChecked(fullScreen);
}

void TPlayerOptions::SetSharpScaling(bool sharp) {
    Menu_.At("mmSharpScaling").SetChecked(sharp);
    if (sharp == SharpScaling_) return;
    SharpScaling_ = sharp;
    if (OnScalingChanged) OnScalingChanged();
}

// Skip goes back to what the skip key asks for.
void TPlayerOptions::EndSkipToChoice() {
    SkipToChoice_ = false;
    Switches().Skip = State_.SkipHeld();
}

bool TPlayerOptions::EndByInput() {
    const bool running = Switches().AutoMode || SkipToChoice_;
    if (Switches().AutoMode) ToggleAuto();
    if (SkipToChoice_) EndSkipToChoice();
    return running;
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

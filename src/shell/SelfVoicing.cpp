#include "shell/SelfVoicing.h"

#include "scenario/NovelGame.h"
#include "shell/GameMenu.h"
#include "speech/BattleSpeech.h"
#include "speech/SpeechDispatcher.h"
#include "speech/StorySpeech.h"
#include "speech/TextLanguage.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

constexpr const char* kItem = "mmSelfVoicing";
constexpr const char* kCaption = "読み上げ(&Y)";
constexpr const char* kOverVoiceItem = "mmSpeakOverVoice";
constexpr const char* kClientName = "vandor";

}  // namespace

TSelfVoicing::TSelfVoicing(TMenuModel& menu, TDebugLog& log) : Menu_(menu), Log_(log) {
    Connect = [](std::string& why) -> std::unique_ptr<ISpeech> { return TSpeechDispatcher::Connect(kClientName, why); };
}

TSelfVoicing::~TSelfVoicing() {
    if (Engine_) Engine_->OnPageStart = nullptr;
}

void TSelfVoicing::Build(const std::function<void(const std::function<void()>&)>& run) {
    Menu_.Add("mmChar", kItem, kCaption, 0, 0, [this, run](TMenuItem&) { run([this] { Toggle(); }); });
    Menu_.Add("mmChar", kOverVoiceItem, "声の間も文章を読み上げる(&T)", 0, 0,
              [this, run](TMenuItem&) { run([this] { ToggleSpeakOverVoice(); }); });
}

void TSelfVoicing::Attach(TNovelGame& engine, TQTDGame& battle) {
    Engine_ = &engine;
    Battle_ = &battle;
    engine.OnPageStart = [this] {
        if (Story_) Story_->PageStarts();
    };
}

void TSelfVoicing::Apply(const TComfortSettings& comfort) {
    Menu_.At(kOverVoiceItem).SetChecked(comfort.SpeakOverVoice);
    if (Story_) Story_->TextWithVoice = comfort.SpeakOverVoice;
    if (comfort.SelfVoicing != Wanted_) SetOn(comfort.SelfVoicing);
}

void TSelfVoicing::Store(TComfortSettings& comfort) const {
    comfort.SelfVoicing = Wanted_;
    comfort.SpeakOverVoice = Menu_.At(kOverVoiceItem).Checked();
}

void TSelfVoicing::Toggle() {
    if (Menu_.At(kItem).Enabled()) SetOn(!Wanted_);
}

void TSelfVoicing::SetOn(bool on) {
    Wanted_ = on;
    Story_.reset();
    BattleSpeech_.reset();
    if (Speech_) Speech_->Stop();
    Speech_.reset();
    MenuItemSaid_ = nullptr;
    TMenuItem& item = Menu_.At(kItem);
    item.SetChecked(false);
    if (!on) return;
    std::string why;
    Speech_ = Connect(why);
    if (!Speech_) {
        item.SetEnabled(false);
        item.SetCaption(std::string(kCaption) + "（" + why + "）");
        Log_.AddOnce("読み上げは使えません: " + why);
        return;
    }
    item.SetChecked(true);
    if (Engine_) {
        Story_ = std::make_unique<TStorySpeech>(*Engine_, *Speech_);
        Story_->TextWithVoice = Menu_.At(kOverVoiceItem).Checked();
    }
    if (Battle_) BattleSpeech_ = std::make_unique<TBattleSpeech>(*Battle_, *Speech_);
    Speech_->Say(kSwitchedOn, "ja", TSpeechPriority::Important);
}

void TSelfVoicing::ToggleSpeakOverVoice() {
    TMenuItem& item = Menu_.At(kOverVoiceItem);
    item.SetChecked(!item.Checked());
    if (Story_) Story_->TextWithVoice = item.Checked();
}

void TSelfVoicing::StepStory(const void* focused) {
    MenuItemSaid_ = nullptr;
    if (Story_) Story_->Step(focused);
}

void TSelfVoicing::StepBattle(TPoint cursor, bool cursorShown, TPoint pointer) {
    MenuItemSaid_ = nullptr;
    if (BattleSpeech_) BattleSpeech_->Step(cursor, cursorShown, pointer);
}

void TSelfVoicing::BattleStatus() {
    if (BattleSpeech_) BattleSpeech_->Status();
}

void TSelfVoicing::StepGameMenu(const TGameMenu& menu) {
    if (!Speech_) return;
    const auto rows = menu.Rows();
    const int focused = menu.Focused();
    const TMenuItem* item = focused >= 0 && focused < static_cast<int>(rows.size()) ? rows[focused] : nullptr;
    if (!item || item == MenuItemSaid_) return;
    MenuItemSaid_ = item;
    std::string text = PlainMenuCaption(item->Caption());
    if (item->Checked()) text += "、チェックあり";
    if (!item->Enabled()) text += "、使用不可";
    Say(text);
}

void TSelfVoicing::Say(const std::string& text) {
    if (Speech_ && !text.empty()) Speech_->Say(text, TextLanguage(text), TSpeechPriority::Message);
}

}  // namespace vandor

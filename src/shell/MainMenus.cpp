// The main window's menu bar: the tree, the volume items made at start-up and what
// each item does (the slot items are MainSlots.cpp, the help entries MainHelp.cpp).

#include "campaign/CampaignCommands.h"
#include "resources/ImageCache.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "shell/SlotMenus.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

constexpr int kTextSpeedGroup = 1;
constexpr int kFirstVolumeGroup = 10;
constexpr int kVolumeSubmenus = 14;
constexpr int kMusicSubmenu = 0;
constexpr int kEffectSubmenu = 1;
constexpr int kFirstVoiceSubmenu = 2;
constexpr int kMasterSubmenu = 13;
// Players who have reached this many scripts and labels are asked for their opinion.
constexpr int kSurveyReadFlags = 101;

// The volume submenus in the order of their numbers: music, effects, the ten
// characters' voices and the other voices, then the master volume.
constexpr const char* kVolumeSubmenuNames[kVolumeSubmenus] = {
    "mmVBGM",    "mmVSE",     "mmVChar01", "mmVChar02", "mmVChar03", "mmVChar04", "mmVChar05",
    "mmVChar06", "mmVChar07", "mmVChar08", "mmVChar09", "mmVChar10", "mmVChar11", "mmVMaster"};

// The voices of the game's characters, one volume entry each, in voice channel order.
constexpr const char* kVoiceCaptions[TSoundPlayer::kVoiceEntries] = {
    "声 リゼット(&R)", "声 ミオ(&O)",     "声 ノエル(&N)", "声 セツナ(&S)", "声 カナエ(&K)", "声 ヒバリ(&H)",
    "声 アマネ(&A)",   "声 ユズリハ(&Y)", "声 ガルド(&G)", "声 ベルン(&B)", "声 その他(&T)"};

std::string VolumeItemName(int submenu, int step) {
    return "mmV" + std::to_string(submenu) + "_" + std::to_string(step);
}

}  // namespace

void TggTDMain::BuildMenus() {
    const auto click = [this](void (TggTDMain::*handler)()) {
        return [this, handler](TMenuItem&) { Guarded([&] { (this->*handler)(); }); };
    };
    Menu_.Add("", "mmFile", "ファイル(&F)");
    Menu_.Add("mmFile", "mmTitle", "タイトルに戻る(&T)", 0, 0, click(&TggTDMain::mmTitleClick));
    Options_.BuildConfirmItem([this](const std::function<void()>& action) { Guarded(action); });
    Menu_.AddSeparator("mmFile", "mmFileLine1");
    Menu_.Add("mmFile", "mmCombine", "結合する(&C)", 0, 0, click(&TggTDMain::mmCombineClick)).SetVisible(false);
    Menu_.Add("mmFile", "mmUnCombine", "分離する(&U)", 0, 0, click(&TggTDMain::mmUnCombineClick)).SetVisible(false);
    Menu_.AddSeparator("mmFile", "mmFileLine2").SetVisible(false);
    Menu_.Add("mmFile", "mmExit", "終了(&X)", 0, 0, click(&TggTDMain::mmExitClick));

    Menu_.Add("", "mmSave", "セーブ(&S)").SetEnabled(false);
    Menu_.Add("", "mmLoad", "ロード(&L)");

    const auto speed = [this](TMenuItem& sender) { Guarded([&] { mmCSpeedClick(sender); }); };
    Menu_.Add("", "mmChar", "文字表示(&C)");
    Menu_.Add("mmChar", "mmCSpeed", "表示速度(&C)");
    Menu_.Add("mmCSpeed", "mmCSMax", "ノーウェイト(&W)", 0, kTextSpeedGroup, speed);
    Menu_.Add("mmCSpeed", "mmCSFast", "高速(&F)", 10, kTextSpeedGroup, speed);
    Menu_.Add("mmCSpeed", "mmCSNormal", "普通(&N)", 30, kTextSpeedGroup, speed).SetChecked(true);
    Menu_.Add("mmCSpeed", "mmCSSlow", "遅い(&S)", 50, kTextSpeedGroup, speed);
    Menu_.AddSeparator("mmCSpeed", "mmCSL");
    Menu_.Add("mmCSpeed", "mmCSPage", "ページ末まで一気に(&P)", -1, kTextSpeedGroup, speed);
    Menu_.Add("mmChar", "mmCAA", "アンチエイリアス", 0, 0, click(&TggTDMain::mmCAAClick)).SetChecked(true);

    Menu_.Add("", "mmVolume", "音量(&V)");
    Menu_.Add("mmVolume", "mmVMaster", "マスター(&M)");
    Menu_.Add("mmVolume", "mmVBGM", "音楽(&B)");
    Menu_.Add("mmVolume", "mmVSE", "効果音(&E)");
    for (int entry = 0; entry < TSoundPlayer::kVoiceEntries; ++entry) {
        Menu_.Add("mmVolume", kVolumeSubmenuNames[kFirstVoiceSubmenu + entry], kVoiceCaptions[entry]);
    }

    Options_.Build([this](const std::function<void()>& action) { Guarded(action); });
    Options_.OnScalingChanged = [this] { FormResize(); };
    Menu_.Add("mmScreen", "mmScreenShot", "スクリーンショット(&P)", 0, 0, click(&TggTDMain::TakeScreenShot));

    // Shown once translations are found (MainLanguage.cpp).
    Menu_.Add("", "mmLanguage", "言語(&G)").SetVisible(false);
    Menu_.Add("", "mmHelp", "ヘルプ(&H)");
    Menu_.Add("mmHelp", "mmSuport", "ユーザーサポート(&S)...", 0, 0, click(&TggTDMain::mmSuportClick));
    // The survey opens to players who have read far enough (ShowSettingsInMenus).
    Menu_.Add("mmHelp", "mmEnq", "ユーザーアンケート(&Q)...", 0, 0, click(&TggTDMain::mmEnqClick)).SetVisible(false);
    Menu_.AddSeparator("mmHelp", "mmHelpLine1");
    Menu_.Add("mmHelp", "mmAbout", "バージョン情報(&A)...", 0, 0, click(&TggTDMain::mmAboutClick));
}

void TggTDMain::BuildVolumeMenus() {
    for (int submenu = 0; submenu < kVolumeSubmenus; ++submenu) {
        for (int step = 10; step >= 0; --step) {
            const std::string caption = step == 0 ? std::string("ミュート(&M)")
                                                  : std::to_string(step) + "0％(&" + std::to_string(step % 10) + ")";
            Menu_.Add(kVolumeSubmenuNames[submenu], VolumeItemName(submenu, step), caption, submenu * 1000 + step * 10,
                      kFirstVolumeGroup + submenu,
                      [this](TMenuItem& sender) { Guarded([&] { VolumeMenuClick(sender); }); });
        }
    }
}

int TggTDMain::ShownVolume(int submenu) {
    // The master volume is the same on every channel, and so is a group's volume on its channels.
    if (submenu == kMasterSubmenu) return Sound_->Channel(SoundChannel::Music).GetMasterVolume();
    if (submenu == kMusicSubmenu) return Sound_->Channel(SoundChannel::Music).GetVolume();
    if (submenu == kEffectSubmenu) return Sound_->Channel(SoundChannel::FirstEffect).GetVolume();
    return Sound_->Channel(SoundChannel::FirstVoice + submenu - kFirstVoiceSubmenu).GetVolume();
}

void TggTDMain::CheckVolumeItem(int submenu, int percent) {
    if (TMenuItem* item = Menu_.Find(VolumeItemName(submenu, percent / 10))) item->SetChecked(true);
}

void TggTDMain::ShowSettingsInMenus() {
    Menu_.At("mmEnq").SetVisible(ReadFlags_.Count() >= kSurveyReadFlags);
    Menu_.At("mmCAA").SetChecked(Engine_->AntiAlias);
    CheckTextSpeedItem();
    for (int submenu = 0; submenu < kVolumeSubmenus; ++submenu) CheckVolumeItem(submenu, ShownVolume(submenu));
}

void TggTDMain::VolumeMenuClick(TMenuItem& sender) {
    const int submenu = sender.Tag() / 1000;
    const int percent = sender.Tag() % 1000;
    if (submenu == kMusicSubmenu) {
        Sound_->SetMusicVolume(percent);
    } else if (submenu == kEffectSubmenu) {
        Sound_->SetEffectVolume(percent);
    } else if (submenu == kMasterSubmenu) {
        Sound_->SetMasterVolume(percent);
    } else {
        Sound_->SetVoiceVolume(submenu - kFirstVoiceSubmenu + 1, percent);
    }
    CheckVolumeItem(submenu, percent);
}

void TggTDMain::mmCSpeedClick(TMenuItem& sender) {
    Engine_->TextSpeed = sender.Tag();
    CheckTextSpeedItem();
}

void TggTDMain::CheckTextSpeedItem() {
    const int speed = Engine_->TextSpeed;
    const char* item = "mmCSNormal";
    if (speed == 0) {
        item = "mmCSMax";
    } else if (speed >= 1 && speed <= 19) {
        item = "mmCSFast";
    } else if (speed >= 40 && speed <= 99) {
        item = "mmCSSlow";
    } else if (speed == -1) {
        item = "mmCSPage";
    }
    Menu_.At(item).SetChecked(true);
}

void TggTDMain::mmCAAClick() {
    TMenuItem& item = Menu_.At("mmCAA");
    item.SetChecked(!item.Checked());
    Engine_->SetAntiAlias(item.Checked());
}

// A battle under way ends too: the title is no place to go on fighting.
void TggTDMain::mmTitleClick() {
    if (Options_.Confirming() &&
        Host_.MessageBox(message_text::kReturnToTitle, message_text::kConfirm, TMessageButtons::YesNo,
                         TMessageIcon::Question) != TMessageResult::Yes) {
        return;
    }
    Commands_->HideScreens();
    Session_->Abandon();
    Engine_->Reset();
    Engine_->Jump(kTitleScript, kTitleLabel);
    Engine_->Advance();
}

void TggTDMain::mmExitClick() { Host_.Close(); }

// ---------------------------------------------------------------- combining the titles

void TggTDMain::StopForRestart() {
    Commands_->HideScreens();
    Sound_->Stop();
    Engine_->Reset();
}

void TggTDMain::CloseChannels() {
    for (int i = 0; i < SoundChannel::Count; ++i) Sound_->Channel(i).Close();
    Sound_->ReplayVoice().Close();
}

void TggTDMain::mmCombineClick() {
    if (!Locations_.Separate) return;
    if (Host_.MessageBox(message_text::kCombine, message_text::kConfirm, TMessageButtons::OKCancel,
                         TMessageIcon::Question,
                         {message_text::kOkButton, message_text::kCancelButton}) != TMessageResult::OK) {
        return;
    }
    StopForRestart();
    Images_->Flush();
    CloseChannels();
    SaveSettingsTellingFailure();
    Slots_->CopyTo(Locations_.CombinedSaveFolder, *Log_);
    RestartPending_ = true;
}

void TggTDMain::mmUnCombineClick() {
    if (Locations_.Separate) return;
    StopForRestart();
    CloseChannels();
    RestartPending_ = true;
    SaveSettingsTellingFailure();
}

}  // namespace vandor

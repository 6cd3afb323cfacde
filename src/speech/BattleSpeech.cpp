#include "speech/BattleSpeech.h"

#include "battle/BattleTables.h"
#include "battle/QTDGame.h"
#include "compositor/LayerButton.h"
#include "speech/TextLanguage.h"

namespace vandor {
namespace {

constexpr int kLevelUpButton = 0;
constexpr int kCancelButton = 1;

std::string Number(int32_t value) { return std::to_string(value); }

}  // namespace

TBattleSpeech::TBattleSpeech(TQTDGame& battle, ISpeech& speech) : Battle_(battle), Speech_(speech) {}

void TBattleSpeech::Step(TPoint cursor, bool cursorShown, TPoint pointer) {
    if (Battle_.Caption != Caption_) {
        Caption_ = Battle_.Caption;
        if (Battle_.Caption) Say(CaptionText(Battle_.Caption->Name()));
    }
    if (cursorShown && cursor != Cursor_) {
        Cursor_ = cursor;
        Say(CellText(cursor));
    }
    if (Battle_.BuildType != BuildType_) {
        BuildType_ = Battle_.BuildType;
        Say(BuildText(BuildType_));
    }
    const int button = PopUpButtonAt(pointer);
    if (button != PopUpButton_) {
        PopUpButton_ = button;
        Say(PopUpButtonText(button));
    }
}

void TBattleSpeech::Status() {
    Say("資金 " + Number(Battle_.Money()) + "、耐久 " + Number(Battle_.BaseHP()) + "/" + Number(Battle_.BaseMaxHP) +
        "、ウェーブ " + Number(Battle_.WaveIndex) + "/" + Number(Battle_.WaveCount));
}

std::string TBattleSpeech::CellText(TPoint cell) const {
    std::string text = Number(cell.X) + "、" + Number(cell.Y) + "、";
    if (!TQTDGame::InDrawnField(cell.X, cell.Y)) return text + "場外";
    const TQTDGame::TCell& at = Battle_.Cell(cell.X, cell.Y);
    if (at.Type >= 0 && at.Type < kTowerTypes && at.Level >= 1) {
        return text + kTowerNames[static_cast<std::size_t>(at.Type)] + " レベル" + Number(at.Level);
    }
    return text + (at.Level < 0 ? "障害物" : "空き地");
}

std::string TBattleSpeech::BuildText(int type) const {
    if (type < 1 || type >= kTowerTypes) return "";
    return std::string(kTowerNames[static_cast<std::size_t>(type)]) + "、費用 " + Number(Battle_.Cost(1, type));
}

// The values are those the pop-up shows: the next level's price, attack and range for
// raising a tower.
std::string TBattleSpeech::PopUpButtonText(int button) const {
    if (button < 0) return "";
    const TPoint cell = Battle_.PopUpCell;
    if (!TQTDGame::InDrawnField(cell.X, cell.Y)) return "";
    const TQTDGame::TCell& at = Battle_.Cell(cell.X, cell.Y);
    const auto* layer = dynamic_cast<const TLayerButton*>(Battle_.PopUpButtons[static_cast<std::size_t>(button)]);
    const std::string state = layer && !layer->Enabled ? "、使用不可" : "";
    if (button == kLevelUpButton) {
        if (at.Level >= kTowerLevels) return "レベルアップ" + state;
        const int next = at.Level + 1;
        return "レベルアップ、費用 " + Number(Battle_.Cost(next, at.Type)) + "、攻撃 " +
               Number(Battle_.Attack(next, at.Type)) + "、射程 " + Number(Battle_.Range(next, at.Type)) + state;
    }
    return (button == kCancelButton ? "キャンセル" : "撤去") + state;
}

std::string TBattleSpeech::CaptionText(const std::string& picture) {
    if (picture == "ci殲滅.png") return "ウェーブクリア";
    if (picture == "ci撃破.png") return "勝利";
    if (picture == "ci敗北.png") return "敗北";
    return "";
}

int TBattleSpeech::PopUpButtonAt(TPoint pointer) const {
    for (std::size_t i = 0; i < Battle_.PopUpButtons.size(); ++i) {
        const TLayerItem* button = Battle_.PopUpButtons[i];
        if (button && button->Visible() && button->DstRect().Contains(pointer)) return static_cast<int>(i);
    }
    return -1;
}

void TBattleSpeech::Say(const std::string& text) {
    if (!text.empty()) Speech_.Say(text, TextLanguage(text), TSpeechPriority::Message);
}

}  // namespace vandor

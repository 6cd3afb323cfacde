// Where an author's run starts: at a script and label of their choice, or straight in
// an area's battle, so that a change is seen without playing up to it.

#include <string>

#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "scenario/NovelGame.h"
#include "shell/MainWindow.h"
#include "util/Encoding.h"

namespace vandor {

std::string TggTDMain::StartAt(const std::string& script, const std::string& label) {
    Engine_->Jump(script, "");
    if (Engine_->ScriptName != AsciiLower(script) || Engine_->LineCount() == 0) {
        return "there is no script \"" + script + "\" to start at";
    }
    if (label.empty()) return {};
    if (!Engine_->HasLabel(label)) return "\"" + script + "\" has no label \"" + label + "\"";
    Engine_->Jump(".", label);
    return {};
}

std::string TggTDMain::StartInBattle(int area) {
    if (area < 1 || area > TQTDGameDat::kAreas) {
        return "areas are 1.." + std::to_string(TQTDGameDat::kAreas) + ", not " + std::to_string(area);
    }
    Campaign_->ResetAll();
    TFields fields{"戦闘開始", std::to_string(area)};
    Commands_->StartBattle(fields);
    return {};
}

}  // namespace vandor

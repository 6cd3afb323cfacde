// The campaign's script commands: words the scenario engine does not know reach the
// window here after the engine found no picture of that name.

#include <array>
#include <fstream>
#include <string_view>

#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "resources/ImageCache.h"
#include "resources/FileCache.h"
#include "scenario/NovelGame.h"
#include "shell/MainWindow.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

struct TCommand {
    std::string_view Word;
    void (TggTDMain::*Handler)(TFields& fields);
};

}  // namespace

void TggTDMain::CreateBattle() {
    Battle_ = std::make_unique<TQTDGame>(TBattleServices{*Images_, *Files_, *Sound_, Random_});
    Battle_->OnBattleEnd = [this] { BattleEnded_ = true; };
    if (!Platform_.BattleLogPath.empty()) {
        Battle_->OnRecord = [this](const TBattleRecord& record) { WriteBattleRecord(record); };
    }
    Campaign_ = std::make_unique<TQTDGameDat>(Battle_->Store());
    Battle_->Campaign = Campaign_.get();
}

void TggTDMain::DoCommand(TFields& fields) {
    static constexpr std::array<TCommand, 1> kCommands{{
        {"戦闘開始", &TggTDMain::BattleCommand},
    }};
    if (fields.empty()) return;
    for (const TCommand& command : kCommands) {
        if (fields[0] != command.Word) continue;
        // The engine's failed picture lookup logged the word as a missing file; it is
        // a command, so the line goes. Unknown words keep it as a trace.
        Log_->RemoveLast();
        (this->*command.Handler)(fields);
        return;
    }
}

// [戦闘開始/area/defeat script/defeat label]: the area gives up one battle's
// strength, and the battle runs from the next frame on.
void TggTDMain::BattleCommand(TFields& fields) {
    PadFields(fields, fields.size() + 3);
    DefeatLabel_ = fields[3];
    DefeatScript_ = fields[2];
    if (DefeatLabel_.empty() && DefeatScript_.empty()) {
        DefeatLabel_ = "*スタート";
        DefeatScript_ = "敗北.txt";
    }
    const int area = ToNumber(fields[1], -1);
    if (area > 0) {
        Battle_->Strength = Campaign_->AreaStrength(area);
        Campaign_->SetAreaBattles(area, Campaign_->AreaBattles(area) + 1);
        if (Campaign_->AreaStrength(area) > 0) Campaign_->SetAreaStrength(area, Campaign_->AreaStrength(area) - 1);
    } else {
        Battle_->Strength = 1;
    }
    BattleEnded_ = false;
    Battle_->StartBattle(area);
    Battle_->Running = true;
    TOggData& music = Sound_->Channel(SoundChannel::Music);
    music.Open("bgm003.ogg");
    music.Play(true);
}

void TggTDMain::WriteBattleRecord(const TBattleRecord& record) {
    std::ofstream log(Platform_.BattleLogPath, std::ios::app);
    log << record.Area << ' ' << record.Wave << ' ' << record.Ticks << ' ' << record.Money << ' ' << record.Score
        << ' ' << record.BaseHP << ' ' << record.EnemiesLeft << ' ' << record.Result << '\n';
    if (!log.flush()) Log_->Add("戦闘記録 " + Platform_.BattleLogPath + " を書き込めません.");
}

}  // namespace vandor

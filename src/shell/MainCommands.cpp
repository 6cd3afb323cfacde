// The campaign as the main window joins it to the engine: its script commands, its
// conditions and the read flags of the scripts and labels the player reaches, and the
// battle that its battle command starts.

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "battle/QTDGame.h"
#include "campaign/CampaignCommands.h"
#include "campaign/Condition.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/NewestSave.h"
#include "shell/SaveFolderCheck.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"

namespace vandor {

namespace fs = std::filesystem;

void TggTDMain::CreateBattle() {
    Battle_ = std::make_unique<TQTDGame>(TBattleServices{*Images_, *Files_, *Sound_, Random_});
    // A controller or the keys move the same pointer and press the same buttons as the mouse.
    TPadPointer pointer{[this](TPoint at) { MovePointer(at); },
                        [this](TMouseButton button) { FormMouseDown(button, 0, MouseX_, MouseY_); },
                        [this](TMouseButton button) { FormMouseUp(button, 0, MouseX_, MouseY_); }};
    Session_ = std::make_unique<TBattleSession>(*Battle_, *Engine_, std::move(pointer));
    if (!Platform_.BattleLogPath.empty()) {
        Battle_->OnRecord = [this](const TBattleRecord& record) { WriteBattleRecord(record); };
    }
    Campaign_ = std::make_unique<TQTDGameDat>(Battle_->Store());
    Battle_->Campaign = Campaign_.get();
    KeepProgress();
}

void TggTDMain::CreateCampaign() {
    Commands_ = std::make_unique<TCampaignCommands>(*Campaign_, Engine_->Layers, Random_, Log_.get());
    Commands_->Hooks.StartBattle = [this](int area, int32_t strength) { StartBattle(area, strength); };
    Commands_->Hooks.EnableSave = [this](bool enabled) {
        SaveFolderCheck_->SetSaveAllowed(enabled);
        if (enabled) AutoSave();
    };
    Commands_->Hooks.Shutdown = [this] { Host_.Close(); };
    Commands_->Hooks.Continue = [this] { ContinuePending_ = true; };
    Engine_->OnCommand = [this](TFields& fields) { DoCommand(fields); };
    Engine_->OnCondition = [this](const std::string& text, bool& result) { result = EvaluateCondition(text); };
    Engine_->OnScriptLoaded = [this] { MarkScriptRead(); };
    Engine_->OnLabel = [this] { MarkLabelRead(); };
}

const std::string& TggTDMain::DefeatScript() const { return Commands_->DefeatScript; }

const std::string& TggTDMain::DefeatLabel() const { return Commands_->DefeatLabel; }

// Words that are none of the campaign's keep the engine's log line of the missing
// picture as a trace.
void TggTDMain::DoCommand(TFields& fields) { Commands_->Run(fields); }

// The battle runs from the next frame on, to its own music.
void TggTDMain::StartBattle(int area, int32_t strength) {
    Session_->Start(area, strength, {Commands_->DefeatScript, Commands_->DefeatLabel});
    TOggData& music = Sound_->Channel(SoundChannel::Music);
    music.Open("bgm003.ogg");
    music.Play(true);
}

void TggTDMain::WriteBattleRecord(const TBattleRecord& record) {
    std::ofstream log(Platform_.BattleLogPath, std::ios::app);
    log << record.Area << ' ' << record.Wave << ' ' << record.Ticks << ' ' << record.Money << ' ' << record.Score << ' '
        << record.BaseHP << ' ' << record.EnemiesLeft << ' ' << record.Result << '\n';
    if (!log.flush()) Log_->Add("戦闘記録 " + Platform_.BattleLogPath + " を書き込めません.");
}

bool TggTDMain::EvaluateCondition(const std::string& text) {
    TConditionContext context{.Campaign = *Campaign_,
                              .ReadFlags = ReadFlags_,
                              .CurrentItem = Commands_->CurrentItem,
                              .Separate = Locations_.Separate,
                              .CompanionPresent = Locations_.CompanionPresent,
                              .Random = Random_,
                              .Log = Log_.get(),
                              .SaveExists = [this] { return NewestSaveFile(Locations_.SaveFolder).has_value(); }};
    return vandor::EvaluateCondition(text, context);
}

void TggTDMain::MarkScriptRead() { ReadFlags_.Add(ScriptKey(Engine_->ScriptName)); }

void TggTDMain::MarkLabelRead() { ReadFlags_.Add(LabelKey(Engine_->ScriptName, Engine_->LastLabel)); }

void TggTDMain::ReadKeepingDamagedAside(const std::string& path, const std::function<void()>& read) {
    std::error_code error;
    if (!fs::exists(fs::u8path(path), error)) return;
    try {
        read();
    } catch (const std::runtime_error& failure) {
        // What the player had read stays on the disk under another name, so that the
        // file written at exit does not destroy it.
        const std::string aside = DamagedFileName(path);
        fs::rename(fs::u8path(path), fs::u8path(aside), error);
        Log_->Add(std::string(failure.what()) + (error ? "" : " (" + aside + " へ退避しました)"));
    }
}

void TggTDMain::LoadReadFlags() {
    const std::string path = Locations_.SaveFolder + kReadFlagsFileName;
    ReadKeepingDamagedAside(path, [&] {
        ReadReadFlagsFile(path, ReadFlags_);
        Log_->Add("既読情報読込.(" + std::to_string(ReadFlags_.Count()) + ")");
    });
}

// An empty list writes nothing and leaves an older file as it was.
bool TggTDMain::SaveReadFlags() {
    if (ReadFlags_.Empty()) return true;
    return WriteLoggingFailure("既読情報の保存に失敗.", [&] {
        WriteReadFlagsFile(Locations_.SaveFolder + kReadFlagsFileName, ReadFlags_);
        Log_->Add("既読情報保存.(" + std::to_string(ReadFlags_.Count()) + ")");
    });
}

bool TggTDMain::WriteLoggingFailure(const std::string& failureLine, const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const std::exception& failure) {
        Log_->Add(failureLine);
        Log_->Add(failure.what());
        return false;
    }
}

}  // namespace vandor

// The headless replay: the same main window on the in-memory host, the simulated
// clock (exactly 20 ms per frame) and the headless wave device, fed from an input file.

#include <iostream>
#include <map>
#include <optional>

#include "GameRuns.h"
#include "ResourceSampler.h"
#include "battle/QTDGame.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/ReplayInput.h"
#include "platform/headless/ReplaySchedule.h"
#include "platform/headless/SimulatedClock.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "shell/TerminationSignals.h"

namespace vandor {
namespace {

// What the input file's waits wait for, as the game shows it.
class TWaitChecks {
public:
    explicit TWaitChecks(TggTDMain& window) : Window_(window) {
        TNovelGame& story = window.Engine();
        story.OnLabel = [this, &story, marked = story.OnLabel] {
            if (marked) marked();
            Reached_[story.LastLabel] = Window_.FrameCount();
        };
    }

    bool Holds(const TReplayEvent& wait, uint32_t since) {
        TNovelGame& story = Window_.Engine();
        TBattleSession& session = Window_.BattleSession();
        const bool storyShows = !session.Running() && !story.Layers.Transitions.Busy();
        switch (wait.WaitFor) {
            case TReplayWaitFor::Label: {
                // Reached in a frame after the wait began (frames count from 1).
                const auto reached = Reached_.find(wait.Text);
                return reached != Reached_.end() && reached->second > since;
            }
            case TReplayWaitFor::Choices: return storyShows && !story.Choices().empty();
            case TReplayWaitFor::Buttons: return storyShows && !story.Buttons().empty();
            case TReplayWaitFor::Page: return storyShows && story.AwaitingClick();
            case TReplayWaitFor::Battle: {
                // The battle waits for the player: in a preparation, or ended and
                // waiting for the click that leaves it.
                const TQTDGame& battle = Window_.Battle();
                return session.Running() && (session.Ended() || (battle.Prep && battle.Caption == nullptr &&
                                                                 !battle.Layers.Transitions.Busy()));
            }
        }
        return false;
    }

private:
    TggTDMain& Window_;
    std::map<std::string, uint64_t> Reached_;  // label -> the frame it was last reached in
};

}  // namespace

int RunHeadless(const TCommandLine& line, const TRunFolders& folders) {
    TReplayInput input;
    if (!line.InputPath.empty()) {
        input = TReplayInput::LoadFromFile(line.InputPath);
        for (const std::string& error : input.Errors())
            std::cerr << "vandor: " << line.InputPath << ": " << error << "\n";
    }
    TSimulatedClock clock;
    THeadlessWaveDevice device(clock);
    THeadlessWindowHost host;
    TggTDMain window({host, clock, device, folders.ExeFolder, folders.DocumentsFolder, folders.ProgramFileName,
                      line.Seed, line.BattleLogPath, RunsOnSteamDeck(), folders.SaveFolder},
                     {line.Language, false});
    window.SetImportSavesFolder(line.ImportSavesFolder);
    if (window.Terminating()) return ReportDataFailure(window);
    if (!StartWhereAsked(line, window)) return 2;
    std::optional<TResourceSampler> sampler;
    if (!line.SamplePath.empty()) sampler.emplace(line.SamplePath, line.SampleEvery);
    window.OnAfterFrame = [&] {
        if (TerminationRequested()) window.CloseWithoutAsking();
        if (sampler) sampler->AfterFrame(window);
    };
    host.Show();

    TWaitChecks waits(window);
    TReplaySchedule schedule(input, [&](const TReplayEvent& wait, uint32_t since) { return waits.Holds(wait, since); });

    // The events of frame F are delivered after F frames have run, so "shot" at F shows
    // the picture of the first F frames, and events at N come after the last frame.
    for (uint32_t frame = 0; frame <= line.Frames && !host.Closed(); ++frame) {
        for (const std::string& problem : schedule.Deliver(frame, host)) std::cerr << "vandor: " << problem << "\n";
        if (!schedule.Failure().empty()) {
            std::cerr << "vandor: " << line.InputPath << ": " << schedule.Failure() << "\n";
            window.CloseWithoutAsking();
            return kWaitFailed;
        }
        if (frame == line.Frames || host.Closed()) break;
        const uint64_t done = window.FrameCount();
        while (window.FrameCount() == done && !host.Closed() && !window.Terminating()) {
            if (host.TimerEnabled() && host.Events().OnTimer) {
                host.Events().OnTimer();
            } else {
                host.Events().OnIdle();
            }
            device.Update();
        }
    }
    return window.Terminating() ? 1 : 0;
}

}  // namespace vandor

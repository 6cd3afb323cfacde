// The headless replay: the same main window on the in-memory host, the simulated
// clock (exactly 20 ms per frame) and the headless wave device, fed from an input file.

#include <iostream>
#include <optional>

#include "GameRuns.h"
#include "ResourceSampler.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/ReplayInput.h"
#include "platform/headless/SimulatedClock.h"
#include "shell/MainWindow.h"
#include "shell/TerminationSignals.h"

namespace vandor {

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
                      line.Seed, line.BattleLogPath},
                     {line.Language, false});
    if (window.Terminating()) return ReportDataFailure(window);
    std::optional<TResourceSampler> sampler;
    if (!line.SamplePath.empty()) sampler.emplace(line.SamplePath, line.SampleEvery);
    window.OnAfterFrame = [&] {
        if (TerminationRequested()) window.CloseWithoutAsking();
        if (sampler) sampler->AfterFrame(window);
    };
    host.Show();

    // The events of frame F are delivered after F frames have run, so "shot" at F shows
    // the picture of the first F frames, and events at N come after the last frame.
    for (uint32_t frame = 0; frame <= line.Frames && !host.Closed(); ++frame) {
        for (const std::string& problem : input.ApplyEvents(frame, host)) std::cerr << "vandor: " << problem << "\n";
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

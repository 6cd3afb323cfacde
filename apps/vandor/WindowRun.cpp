// The game on the desktop: one instance at a time, a GTK window and SDL sound.

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "GameRuns.h"
#include "ResourceSampler.h"
#include "platform/gtk/GtkWindowHost.h"
#include "platform/sdlaudio/SdlWaveDevice.h"
#include "platform/sdlpad/SdlGamepads.h"
#include "platform/sdlpad/VirtualPad.h"
#include "shell/MainWindow.h"
#include "shell/SingleInstance.h"
#include "shell/TerminationSignals.h"
#include "util/Clock.h"
#include "util/StartupTrace.h"

namespace vandor {
namespace {

// The window's main loop sleeps until the next frame is due (the IdleDelay event), so
// the pacer's own short sleeps would only add wake-ups and hold input back: on the
// desktop the game reads the real clock and never sleeps on it.
// SDL's mapping database of controllers, beside the program, for controllers SDL
// itself does not know.
constexpr const char* kMappingFileName = "gamecontrollerdb.txt";

class TMainLoopClock final : public IClock {
public:
    uint32_t Now() override { return SystemClock().Now(); }
    void Sleep(uint32_t) override {}
};

}  // namespace

int RunInWindow(const TCommandLine& line, const TRunFolders& folders) {
    TSingleInstance instance(InstanceLockPath());
    if (!instance.IsFirst()) {
        // The game is already running: show its window instead of a second one.
        instance.AskFirstToShow();
        return 0;
    }
    // Fontconfig reads its configuration and caches on first use, which GTK's first
    // widgets wait for: begun here on a thread of its own, it runs beside GTK's start.
    std::jthread fontconfigWarmUp([] { FcInit(); });
    std::unique_ptr<TGtkWindowHost> host;
    try {
        host = std::make_unique<TGtkWindowHost>();
    } catch (const std::runtime_error& error) {
        std::cerr << "vandor: " << error.what() << "\n";
        return 1;
    }
    TSdlWaveDevice device;
    MarkStartup("sound");
    TMainLoopClock clock;
    const uint32_t seed = static_cast<uint32_t>(std::time(nullptr)) ^ clock.Now();
    TggTDMain window({*host, clock, device, folders.ExeFolder, folders.DocumentsFolder, folders.ProgramFileName, seed,
                      line.BattleLogPath, RunsOnSteamDeck(), folders.SaveFolder, true},
                     {line.Language, true});
    MarkStartup("data");
    window.SetImportSavesFolder(line.ImportSavesFolder);
    if (!instance.Warning().empty()) window.Log().Add(instance.Warning());
    // A player who started the game from the desktop sees no terminal: say it in a box too.
    const auto dataFailure = [&] {
        host->MessageBox(window.TerminationReason(), "Error", TMessageButtons::OK, TMessageIcon::Error);
        return ReportDataFailure(window);
    };
    if (window.Terminating()) return dataFailure();
    if (!StartWhereAsked(line, window)) return 2;
    host->SetErrorHandler([&](const std::string& message) { window.AppEventsException(message); });
    // Asking for a second start is a system call and a second start is rare: every tenth
    // frame (a fifth of a second) is soon enough.
    std::optional<TResourceSampler> sampler;
    if (!line.SamplePath.empty()) sampler.emplace(line.SamplePath, line.SampleEvery);
    // Frames that rest are counted in passing, many at a time: the poll goes by the count.
    uint64_t polledAt = 0;
    window.OnAfterFrame = [&] {
        if (TerminationRequested()) window.CloseWithoutAsking();
        if (sampler) sampler->AfterFrame(window);
        if (window.FrameCount() - polledAt < 10) return;
        polledAt = window.FrameCount();
        if (instance.PollRequest()) host->BringToFront();
    };
    // Controllers, and for the real-window tests a virtual one fed from a file. Nobody
    // reaches for one before the first picture, which they need not hold up.
    std::optional<TSdlGamepads> pads;
    std::optional<TVirtualPad> virtualPad;
    host->AfterFirstPicture([&] {
        pads.emplace(folders.ExeFolder + kMappingFileName);
        if (const char* feed = std::getenv("VANDOR_VIRTUAL_PAD"); feed != nullptr && pads->Available()) {
            try {
                virtualPad.emplace(feed);
            } catch (const std::runtime_error& error) {
                std::cerr << "vandor: " << error.what() << "\n";
            }
        }
        host->SetPadPoller([&](const TWindowEvents& events) {
            if (virtualPad) virtualPad->Feed();
            pads->Poll(events);
            return virtualPad.has_value() || pads->AnyConnected();
        });
    });
    host->Show();
    MarkStartup("shown");
    // The first frame runs before the main loop paints the new window, so that its first
    // picture is the game's rather than an empty black one a frame earlier.
    window.AppEventsIdle();
    host->Run();
    host->SetPadPoller({});
    // A restart into another data mode can find its archive unreadable too.
    return window.Terminating() ? dataFailure() : 0;
}

}  // namespace vandor

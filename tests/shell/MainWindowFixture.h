#pragma once
// A main window on the in-memory host and the simulated clock, for the tests of the
// window's parts.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GameProgram.h"
#include "TempFolder.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/ArchiveWriter.h"
#include "shell/MainWindow.h"

namespace vandor::test {

// A main window on the in-memory host and the simulated clock, with the program
// folder and the documents folder in a scratch folder.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { std::filesystem::create_directories(exe); }

    std::string UserDir(const char* title) const { return documents + "クイルフェン/" + title + "/"; }
    std::string ThisConfig() const { return UserDir("ヴァンドルの星砦タクティクス") + "Config.ini"; }

    void WriteScript(const std::string& name, const std::string& text) {
        test::WriteTextFile(exe + "scenario/" + name, text);
    }
    void WriteArchive(const std::string& path, const std::string& firstScript) {
        const std::string_view text(firstScript);
        const TBytes bytes =
            BuildArchive({MakeArchiveEntry("first.txt", TBytes(text.begin(), text.end()))}, {1, 2, 3, 4});
        test::WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
    }

    TggTDMain& Start() {
        window = std::make_unique<TggTDMain>(
            TMainWindowPlatform{host, clock, device, exe, documents, "vandor", 7, "", false, "", restStillFrames});
        host.Show();
        return *window;
    }
    // Ends the window as a confirmed close does.
    void Stop() { window.reset(); }

    // Runs the host's idle or timer events until `count` more frames have run.
    void Frames(int count) {
        const uint64_t target = window->FrameCount() + static_cast<uint64_t>(count);
        for (int guard = 0; window->FrameCount() < target && guard < count * 100; ++guard) {
            if (host.TimerEnabled()) {
                host.Events().OnTimer();
            } else {
                host.Events().OnIdle();
            }
        }
    }

    std::vector<std::string> DebugLogLines() const {
        const std::string text = test::ReadDebugLog(exe);
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    TTempFolder temp;
    const std::string exe = temp / "game/";
    const std::string documents = temp / "docs/";
    TSimulatedClock clock{100000};
    THeadlessWaveDevice device{clock};
    THeadlessWindowHost host;
    std::unique_ptr<TggTDMain> window;
    // As the desktop window runs: frames rest while they would change nothing.
    bool restStillFrames = false;
};

}  // namespace vandor::test

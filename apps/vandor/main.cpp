// vandor: the game. Without arguments it opens its window on the data beside the
// program; --headless replays input without a screen.

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "GameRuns.h"
#include "shell/DataLocations.h"
#include "shell/MainWindow.h"
#include "shell/SystemInfo.h"
#include "shell/TerminationSignals.h"
#include "util/DebugLog.h"
#include "util/StartupTrace.h"

namespace vandor {

int ReportDataFailure(TggTDMain& window) {
    std::cerr << "vandor: " << window.TerminationReason() << "\n"
              << "vandor: the debug log is " << window.Log().FileName() << "\n";
    return 1;
}

bool StartWhereAsked(const TCommandLine& line, TggTDMain& window) {
    std::string problem;
    if (!line.StartScript.empty()) problem = window.StartAt(line.StartScript, line.StartLabel);
    if (line.BattleArea != 0) problem = window.StartInBattle(line.BattleArea);
    if (problem.empty()) return true;
    std::cerr << "vandor: " << problem << "\n";
    return false;
}

}  // namespace vandor

int main(int argc, char** argv) {
    using namespace vandor;
    MarkStartup("main");
    TCommandLine line;
    try {
        line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "vandor: " << error.what() << "\n" << kUsage;
        return 2;
    }
    if (line.Help) {
        std::cout << kUsage;
        return 0;
    }
    if (line.Version) {
        std::cout << "vandor " << ProgramVersion() << "\n";
        return 0;
    }
    if (!line.LogPath.empty()) return ShowDebugLog(line.LogPath);
    InstallTerminationHandlers();
    std::error_code error;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).filename().string();
    const TRunFolders folders{ExeFolder(), DocumentsFolder(), error ? std::string("vandor") : program, line.SaveDir};
    try {
        if (line.Lint) return RunLint(folders, line.Language);
        if (!line.ExtractTextPath.empty()) return RunExtractText(folders, line.ExtractTextPath);
        if (line.PreviewArea != 0) return RunMapPreview(line, folders);
        return line.Headless ? RunHeadless(line, folders) : RunInWindow(line, folders);
    } catch (const std::exception& error) {
        // Errors during play are logged and play goes on; this is only what start-up or
        // shutdown could not get past.
        std::cerr << "vandor: " << error.what() << "\n";
        return 1;
    }
}

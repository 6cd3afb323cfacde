#pragma once
// The two ways the game runs: in a window on the desktop, and headless for replays.
// Both return the program's exit status.

#include <string>

#include "CommandLine.h"

namespace vandor {

// Where the program and the player's files are; the real ones unless a test says otherwise.
struct TRunFolders {
    std::string ExeFolder;        // ends with '/'
    std::string DocumentsFolder;  // ends with '/'
    std::string ProgramFileName;
};

class TggTDMain;

int RunInWindow(const TCommandLine& line, const TRunFolders& folders);
int RunHeadless(const TCommandLine& line, const TRunFolders& folders);

// The game data could not be read and the window gave up: says so on stderr, where
// the player who started the program from a terminal looks, and gives the exit status.
int ReportDataFailure(TggTDMain& window);

}  // namespace vandor

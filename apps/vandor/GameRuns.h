#pragma once
// The ways the game runs: in a window on the desktop, headless for replays, and as a
// check of its content. Each returns the program's exit status.

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
// Prints the findings of the content check, one per line; 1 when one is an error.
int RunLint(const TRunFolders& folders, const std::string& language);
// Writes the translation template of the game's texts to `path`.
int RunExtractText(const TRunFolders& folders, const std::string& path);

// The game data could not be read and the window gave up: says so on stderr, where
// the player who started the program from a terminal looks, and gives the exit status.
int ReportDataFailure(TggTDMain& window);

}  // namespace vandor

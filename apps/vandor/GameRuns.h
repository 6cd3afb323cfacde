#pragma once
// The ways the game runs: in a window on the desktop, headless for replays, and as a
// check of its content. Each returns the program's exit status.

#include <cstdlib>
#include <string>
#include <string_view>

#include "CommandLine.h"

namespace vandor {

// Where the program and the player's files are; the real ones unless a test says otherwise.
struct TRunFolders {
    std::string ExeFolder;        // ends with '/'
    std::string DocumentsFolder;  // ends with '/'
    std::string ProgramFileName;
    std::string SaveFolder;  // empty: the player's own, in DocumentsFolder
};

class TggTDMain;

// Steam says SteamDeck=1 in the environment of what it starts on its handheld.
inline bool RunsOnSteamDeck() {
    const char* value = std::getenv("SteamDeck");
    return value != nullptr && std::string_view(value) == "1";
}

int RunInWindow(const TCommandLine& line, const TRunFolders& folders);
// The exit status of a headless run whose input file waited in vain.
inline constexpr int kWaitFailed = 3;
int RunHeadless(const TCommandLine& line, const TRunFolders& folders);
// Prints the findings of the content check, one per line; 1 when one is an error.
int RunLint(const TRunFolders& folders, const std::string& language);
// Writes the translation template of the game's texts to `path`.
int RunExtractText(const TRunFolders& folders, const std::string& path);
// Prints a debug log as UTF-8 with LF line ends; 1 when it cannot be read.
int ShowDebugLog(const std::string& path);

// Draws the area's map and waves into the picture the command line names.
int RunMapPreview(const TCommandLine& line, const TRunFolders& folders);

// The game data could not be read and the window gave up: says so on stderr, where
// the player who started the program from a terminal looks, and gives the exit status.
int ReportDataFailure(TggTDMain& window);

// Starts the story or a battle where the command line says; false, after saying why
// on stderr, when that place does not exist.
bool StartWhereAsked(const TCommandLine& line, TggTDMain& window);

}  // namespace vandor

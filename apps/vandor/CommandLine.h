#pragma once
// The game's command line: a normal start in a window, a headless replay that plays
// a fixed number of frames with input from a file (for tests and for authors checking
// their scripts without a screen), or a check of the whole game's content.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vandor {

struct TCommandLine {
    bool Help = false;
    bool Version = false;
    bool Headless = false;
    bool Lint = false;
    uint32_t Frames = 0;
    std::string InputPath;
    uint32_t Seed = 1;
    std::string BattleLogPath;      // empty: no battle log
    std::string SamplePath;         // empty: no resource samples
    std::string ImportSavesFolder;  // empty: only the Wine and Proton prefixes
    uint32_t SampleEvery = 10000;
    std::string LogPath;      // --log: a debug log to show as UTF-8, instead of playing
    std::string SaveDir;      // empty: the player's own folder
    std::string StartScript;  // empty: the first script
    std::string StartLabel;   // empty: the start script's top
    int BattleArea = 0;       // 0: no battle at the start
    int PreviewArea = 0;      // 0: no map preview
    std::string PreviewPath;
    std::string Language;         // --lang: the translation for this run (or to lint)
    std::string ExtractTextPath;  // --extract-text: write the translation template there
};

extern const char* const kUsage;

// Throws std::invalid_argument with a message for the user on a bad command line.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace vandor

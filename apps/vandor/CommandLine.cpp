#include "CommandLine.h"

#include <charconv>
#include <stdexcept>

namespace vandor {

const char* const kUsage =
    "usage: vandor                 start the game in a window\n"
    "       vandor --headless --frames N [--input FILE] [--seed S]\n"
    "                              play N frames without a screen, then shut down as a\n"
    "                              closed window does (see README.md, \"Headless replay\")\n"
    "       --battle-log FILE      (with either) append a line per closed wave and lost\n"
    "                              battle to FILE (see README.md, \"Battle log\")\n"
    "       --import-saves DIR     (with either) offer the saves made on Windows in DIR\n"
    "                              (a save folder, a documents folder or a Wine prefix)\n"
    "                              when the save folder holds no slot yet\n"
    "       --sample FILE [--sample-every N]\n"
    "                              (with either) write resident memory, open files,\n"
    "                              threads and layers to FILE every N frames (10000)\n"
    "       --save-dir DIR         (with any) settings, saves and read flags in DIR instead\n"
    "                              of the player's folder, which is left untouched\n"
    "       --start SCRIPT[:LABEL] (in the window or headless) start the story there, the\n"
    "                              label written as in scripts: --start first.txt:*中庭\n"
    "       --battle AREA          (in the window or headless) start straight in the\n"
    "                              battle of AREA (1..14), on a new game's campaign\n"
    "       vandor --map-preview AREA OUT.png\n"
    "                              draw the field of AREA from its map (obstacles, the\n"
    "                              base, walking distances, entry points) and its waves\n"
    "       vandor --lint          check every script, picture, sound, condition and\n"
    "                              battle file the game can reach, without playing;\n"
    "                              exit status 1 when there is an error\n"
    "       vandor --log FILE      print a debug log (CP932, CR LF) as UTF-8 text\n"
    "       --lang LL              (with any) play in, or lint, the translation lang/LL.po\n"
    "       vandor --extract-text FILE.pot\n"
    "                              write the template of every text to translate\n"
    "       vandor --help | --version\n";

namespace {

uint32_t ParseNumber(const std::string& option, const std::string& text) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || text.empty()) {
        throw std::invalid_argument(option + " needs a whole number from 0 to 4294967295, not \"" + text + "\"");
    }
    return value;
}

// "SCRIPT" or "SCRIPT:LABEL"; script names hold no colon, labels may.
void ParseStart(const std::string& text, TCommandLine& line) {
    const std::size_t colon = text.find(':');
    line.StartScript = text.substr(0, colon);
    if (colon != std::string::npos) line.StartLabel = text.substr(colon + 1);
    if (line.StartScript.empty() || (colon != std::string::npos && line.StartLabel.empty())) {
        throw std::invalid_argument("--start needs SCRIPT or SCRIPT:LABEL, not \"" + text + "\"");
    }
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine line;
    bool framesGiven = false;
    bool replayOptionGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            line.Help = true;
        } else if (argument == "--version") {
            line.Version = true;
        } else if (argument == "--headless") {
            line.Headless = true;
        } else if (argument == "--lint") {
            line.Lint = true;
        } else if (argument == "--frames") {
            line.Frames = ParseNumber(argument, value());
            framesGiven = replayOptionGiven = true;
        } else if (argument == "--input") {
            line.InputPath = value();
            replayOptionGiven = true;
        } else if (argument == "--battle-log") {
            line.BattleLogPath = value();
        } else if (argument == "--import-saves") {
            line.ImportSavesFolder = value();
        } else if (argument == "--sample") {
            line.SamplePath = value();
        } else if (argument == "--sample-every") {
            line.SampleEvery = ParseNumber(argument, value());
        } else if (argument == "--log") {
            line.LogPath = value();
        } else if (argument == "--save-dir") {
            line.SaveDir = value();
            if (line.SaveDir.empty()) throw std::invalid_argument("--save-dir needs a folder");
        } else if (argument == "--start") {
            ParseStart(value(), line);
        } else if (argument == "--battle") {
            // Beyond the areas it is the game's to say (an int too large becomes negative).
            line.BattleArea = static_cast<int>(ParseNumber(argument, value()));
            if (line.BattleArea == 0) throw std::invalid_argument("--battle needs an area from 1");
        } else if (argument == "--map-preview") {
            line.PreviewArea = static_cast<int>(ParseNumber(argument, value()));
            line.PreviewPath = value();
            if (line.PreviewArea == 0) throw std::invalid_argument("--map-preview needs an area from 1");
        } else if (argument == "--lang") {
            line.Language = value();
            if (line.Language.empty() || line.Language.find_first_of("/.") != std::string::npos) {
                throw std::invalid_argument("--lang needs a language code such as en or zh_CN");
            }
        } else if (argument == "--extract-text") {
            line.ExtractTextPath = value();
        } else if (argument == "--seed") {
            line.Seed = ParseNumber(argument, value());
            replayOptionGiven = true;
        } else {
            throw std::invalid_argument("unknown argument \"" + argument + "\"");
        }
    }
    if (line.Help || line.Version) return line;
    if (!line.LogPath.empty() && arguments.size() != 2) throw std::invalid_argument("--log runs on its own");
    const bool startGiven = !line.StartScript.empty() || line.BattleArea != 0;
    if (line.Lint && (line.Headless || replayOptionGiven || startGiven || !line.BattleLogPath.empty() ||
                      !line.SamplePath.empty() || !line.ImportSavesFolder.empty())) {
        throw std::invalid_argument("--lint runs on its own (or with --save-dir)");
    }
    if (line.PreviewArea != 0 && (line.Lint || line.Headless || replayOptionGiven || startGiven)) {
        throw std::invalid_argument("--map-preview runs on its own (or with --save-dir)");
    }
    if (!line.StartScript.empty() && line.BattleArea != 0) {
        throw std::invalid_argument("--start and --battle are two different starts: choose one");
    }
    if (!line.ExtractTextPath.empty() &&
        (line.Lint || line.Headless || replayOptionGiven || !line.BattleLogPath.empty() || !line.SamplePath.empty())) {
        throw std::invalid_argument("--extract-text runs on its own");
    }
    if (line.Headless && !framesGiven) throw std::invalid_argument("--headless needs --frames N");
    if (!line.Headless && replayOptionGiven)
        throw std::invalid_argument("--frames, --input and --seed need --headless");
    return line;
}

}  // namespace vandor

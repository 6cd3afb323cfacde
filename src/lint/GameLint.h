#pragma once
// Checks a whole game without playing it. It reads the data as the game does (the
// same sources and lookup), follows every script the game can reach from "first.txt"
// and reports what the game would only log while playing, or would silently get
// wrong: missing scripts, labels, pictures, sounds and fonts, unknown command words,
// comments that cut a command short, conditions that cannot be evaluated or use words
// that count as 0, and battle maps and wave tables with unreadable or clamped values or
// no way to the base; and the traps the guides warn about: indented commands,
// full-width digits, labels with trailing blanks, choices without target or caption,
// pages longer than the message window, files that are no picture or sound, and the
// engine's own files a battle needs.
//
// Split by concern: GameLint.cpp (the walk through the scripts and the findings),
// ScriptLint.cpp (the commands of a line), TrapLint.cpp (the traps), PageFit.cpp (the
// message window's layout), FileLint.cpp (whether named files exist and can be read),
// ConditionLint.cpp (formulas) and BattleLint.cpp (maps and wave tables).

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/ScriptText.h"
#include "scenario/NovelGame.h"
#include "util/Fields.h"

namespace vandor {

class TFileCache;
class TPageFit;

struct TLintFinding {
    std::string File;
    int Line = 0;  // from 1; 0 for a finding about the whole file
    bool Error = false;
    std::string Message;
};

// "FILE:LINE: error: message", the form editors and build logs understand.
std::string FormatFinding(const TLintFinding& finding);

class TGameLint {
public:
    explicit TGameLint(TFileCache& files);
    ~TGameLint();

    // Checks every script reachable from the game's entry points, and the battles
    // they start.
    void Run();

    const std::vector<TLintFinding>& Findings() const { return Findings_; }
    // The scripts the walk reached and could read, by name, after Run.
    std::vector<std::pair<std::string, const TNumberedScript*>> ReachedScripts() const;
    bool HasErrors() const;
    // Where files were looked for, the later sources first, once some file was missing;
    // else empty.
    std::vector<std::string> SearchedSources() const;

    // The built-in commands whose fields the lint checks, by the names of their entries
    // in the engine's command table (scenario/ScriptCommands.h).
    static std::vector<std::string_view> CheckedCommandNames();

private:
    struct TScript {
        TNumberedScript Text;
        std::set<std::string> Labels;
    };
    // Where a finding is: the script and the line index within it.
    struct TPlace {
        std::string Script;
        int Line = -1;
    };

    // --- the walk (GameLint.cpp)
    const TScript* Script(const std::string& name);
    void Reach(const std::string& name);
    void CheckScript(const std::string& name);
    // A jump to `script` (empty or "." for the current one) at `label` (empty or "."
    // for the first line).
    void CheckTarget(const TPlace& place, const std::string& script, const std::string& label);
    void Report(const TPlace& place, bool error, const std::string& message);
    void ReportFile(const std::string& file, int line, bool error, const std::string& message);

    // --- commands (ScriptLint.cpp)
    // Lines where a "//" inside a command's brackets cuts the command short.
    void CheckCommentCuts(const std::string& name, const TNumberedScript& text);
    void CheckCutCondition(const std::string& name, const TNumberedScript& text, int line);
    void CheckCommand(const TPlace& place, TFields fields);
    // False when the word is no built-in command.
    bool CheckBuiltIn(const TPlace& place, TFields& fields);
    void CheckJump(const TPlace& place, TFields& fields);
    void CheckButton(const TPlace& place, TFields& fields);
    void CheckChoice(const TPlace& place, TFields& fields);
    void CheckReturnPoint(const TPlace& place, TFields& fields);
    void CheckChoiceFrame(const TPlace& place, TFields& fields);
    void CheckFontCommand(const TPlace& place, TFields& fields);
    void CheckResourceCommand(const TPlace& place, TFields& fields);
    bool CheckCampaignCommand(const TPlace& place, TFields& fields);
    void CheckInitialValue(const TPlace& place, TFields& fields);
    void CheckVariant(const TPlace& place, TFields& fields);
    void CheckFont(const TPlace& place, const std::string& face);

    // --- files (FileLint.cpp)
    void CheckPicture(const TPlace& place, std::string name);
    void CheckSound(const TPlace& place, std::string name);
    // Why the existing file cannot be used as a picture or sound; empty when it can.
    std::string PictureProblem(const std::string& name);
    std::string SoundProblem(const std::string& name);
    // The size of a picture the game can read.
    std::optional<std::pair<int, int>> PictureSize(const std::string& name);
    // The "did you mean" hint for a missing name; notes that a file was missing.
    std::string MissingHint(const std::string& name);

    // --- traps (TrapLint.cpp)
    // An indented command or a label with trailing blanks on the script's line.
    void CheckLineShape(const TPlace& place, const std::string& line);
    void CheckFullWidthNumbers(const TPlace& place, const TFields& fields);
    void CheckChoiceCaption(const TPlace& place, const TFields& fields, std::string_view caption);
    // A page whose text runs below the message window, where it is dropped. The page
    // began at `first`.
    void CheckPageFits(const TPlace& first, const std::vector<std::string>& page);
    // What the message window's frame and font become.
    void FollowMessageWindow(const TFields& fields);
    // The engine's own pictures, sounds and fonts a battle of the area needs.
    void CheckEngineFiles(const TPlace& place, int area, const std::set<int>& enemyPictures);

    // --- conditions (ConditionLint.cpp)
    void CheckCondition(const TPlace& place, const std::string& text);

    // --- battles (BattleLint.cpp)
    void CheckBattle(const TPlace& place, int area);
    void CheckMap(int area);
    // The enemy pictures the table's waves send, by number.
    void CheckWaveFile(const std::string& name, std::set<int>& enemyPictures);

    TFileCache& Files_;
    std::map<std::string, std::optional<TScript>> Scripts_;
    std::vector<std::string> Pending_;
    std::set<std::string> Reached_;
    std::set<int> CheckedAreas_;
    std::set<std::string> CheckedFiles_;
    bool SavesPossible_ = false;
    bool FileMissing_ = false;
    std::set<std::string> EngineFilesChecked_;
    std::optional<std::vector<std::string>> KnownNames_;
    std::map<std::string, std::string> FileProblems_;
    std::unique_ptr<TPageFit> PageFit_;
    TNovelProperty PageFont_;
    std::vector<TLintFinding> Findings_;

    struct TCommandCheck;
    static const TCommandCheck kCommandChecks[];
};

}  // namespace vandor

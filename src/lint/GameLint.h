#pragma once
// Checks a whole game without playing it. It reads the data as the game does (the
// same sources and lookup), follows every script the game can reach from "first.txt"
// and reports what the game would only log while playing, or would silently get
// wrong: missing scripts, labels, pictures, sounds and fonts, unknown command words,
// comments that cut a command short, conditions that cannot be evaluated or use words
// that count as 0, and battle maps and wave tables with unreadable or clamped values or
// no way to the base.
//
// Split by concern: GameLint.cpp (the walk through the scripts and the findings),
// ScriptLint.cpp (the commands of a line), ConditionLint.cpp (formulas) and
// BattleLint.cpp (maps and wave tables).

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/ScriptText.h"
#include "util/Fields.h"

namespace vandor {

class TFileCache;

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
    explicit TGameLint(TFileCache& files) : Files_(files) {}

    // Checks every script reachable from the game's entry points, and the battles
    // they start.
    void Run();

    const std::vector<TLintFinding>& Findings() const { return Findings_; }
    // The scripts the walk reached and could read, by name, after Run.
    std::vector<std::pair<std::string, const TNumberedScript*>> ReachedScripts() const;
    bool HasErrors() const;

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
    void CheckPicture(const TPlace& place, std::string name);
    void CheckSound(const TPlace& place, std::string name);
    void CheckFont(const TPlace& place, const std::string& face);

    // --- conditions (ConditionLint.cpp)
    void CheckCondition(const TPlace& place, const std::string& text);

    // --- battles (BattleLint.cpp)
    void CheckBattle(const TPlace& place, int area);
    void CheckMap(int area);
    void CheckWaveFile(const std::string& name);

    TFileCache& Files_;
    std::map<std::string, std::optional<TScript>> Scripts_;
    std::vector<std::string> Pending_;
    std::set<std::string> Reached_;
    std::set<int> CheckedAreas_;
    std::set<std::string> CheckedFiles_;
    bool SavesPossible_ = false;
    std::vector<TLintFinding> Findings_;

    struct TCommandCheck;
    static const TCommandCheck kCommandChecks[];
};

}  // namespace vandor

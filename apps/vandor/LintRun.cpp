// vandor --lint: the game's data found and looked up as a start of the game would,
// then checked without running a frame; with --lang, its translation too.

#include <iostream>

#include "GameData.h"
#include "GameRuns.h"
#include "lint/GameLint.h"
#include "lint/TranslationLint.h"

namespace vandor {

int RunLint(const TRunFolders& folders, const std::string& language) {
    TGameData data(folders);
    if (!data.Error().empty()) {
        std::cout << data.Error() << "\n";
        return 1;
    }
    TGameLint lint(data.Files());
    lint.Run();
    std::vector<TLintFinding> findings = lint.Findings();
    if (!language.empty()) {
        const std::vector<TLintFinding> translation = LintTranslation(lint, data.Files(), folders.ExeFolder, language);
        findings.insert(findings.end(), translation.begin(), translation.end());
    }
    bool errors = lint.HasErrors();
    for (const TLintFinding& finding : findings) {
        std::cout << FormatFinding(finding) << "\n";
        errors = errors || finding.Error;
    }
    const std::vector<std::string> searched = lint.SearchedSources();
    if (!searched.empty()) {
        std::cout << "note: missing files were looked for in these sources, the first one wins:\n";
        for (const std::string& source : searched) std::cout << "note:   " << source << "\n";
    }
    return errors ? 1 : 0;
}

}  // namespace vandor

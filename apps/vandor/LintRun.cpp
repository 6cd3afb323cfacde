// vandor --lint: the game's data found and looked up as a start of the game would,
// then checked without running a frame; with --lang, its translation too.

#include <iostream>

#include "GameData.h"
#include "GameRuns.h"
#include "lint/GameLint.h"
#include "lint/TranslationLint.h"

namespace vandor {

int RunLint(const TRunFolders& folders, const std::string& language) {
    TGameData data;
    if (!OpenGameData(folders, data)) return 1;
    TGameLint lint(data.Files);
    lint.Run();
    std::vector<TLintFinding> findings = lint.Findings();
    if (!language.empty()) {
        const std::vector<TLintFinding> translation = LintTranslation(lint, data.Files, folders.ExeFolder, language);
        findings.insert(findings.end(), translation.begin(), translation.end());
    }
    bool errors = false;
    for (const TLintFinding& finding : findings) {
        std::cout << FormatFinding(finding) << "\n";
        errors = errors || finding.Error;
    }
    return errors ? 1 : 0;
}

}  // namespace vandor

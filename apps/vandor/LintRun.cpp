// vandor --lint: the game's data found and looked up as a start of the game would,
// then checked without running a frame.

#include <iostream>

#include "GameData.h"
#include "GameRuns.h"
#include "lint/GameLint.h"

namespace vandor {

int RunLint(const TRunFolders& folders) {
    TGameData data(folders);
    if (!data.Error().empty()) {
        std::cout << data.Error() << "\n";
        return 1;
    }
    TGameLint lint(data.Files());
    lint.Run();
    for (const TLintFinding& finding : lint.Findings()) std::cout << FormatFinding(finding) << "\n";
    const std::vector<std::string> searched = lint.SearchedSources();
    if (!searched.empty()) {
        std::cout << "note: missing files were looked for in these sources, the first one wins:\n";
        for (const std::string& source : searched) std::cout << "note:   " << source << "\n";
    }
    return lint.HasErrors() ? 1 : 0;
}

}  // namespace vandor

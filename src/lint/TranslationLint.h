#pragma once
// vandor --lint --lang LL: what a translation still lacks, and where it does not fit.
// For every text the lint's walk reaches: entries missing from the catalogue or marked
// fuzzy, pages that overflow the message window and choices wider than their frame in
// that language; and a font the catalogue names that is not installed.

#include <string>
#include <vector>

#include "lint/GameLint.h"

namespace vandor {

class TFileCache;

// The game's own names and descriptions a translation covers, in Japanese.
std::vector<std::string> GameTexts();
// The printf formats of the game's own: translated only with their %-codes kept.
std::vector<std::string> GameFormats();

std::vector<TLintFinding> LintTranslation(const TGameLint& lint, TFileCache& files, const std::string& exeFolder,
                                          const std::string& language);

}  // namespace vandor

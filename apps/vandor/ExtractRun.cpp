// vandor --extract-text FILE.pot: the template of every text a translator may
// translate, from the scripts the game can reach (the lint's walk) and the game's own
// names and descriptions.

#include <iostream>

#include "GameData.h"
#include "GameRuns.h"
#include "i18n/Template.h"
#include "lint/GameLint.h"
#include "lint/TranslationLint.h"

namespace vandor {

int RunExtractText(const TRunFolders& folders, const std::string& path) {
    TGameData data;
    if (!OpenGameData(folders, data)) return 1;
    TGameLint lint(data.Files);
    lint.Run();
    TTranslationTemplate pot;
    for (const auto& [name, script] : lint.ReachedScripts()) pot.AddScript(name, *script);
    for (const std::string& text : GameTexts()) pot.AddGameText(text);
    try {
        pot.Write(path);
    } catch (const std::exception& error) {
        std::cerr << "vandor: " << error.what() << "\n";
        return 1;
    }
    std::cout << path << ": " << pot.Entries().size() << " texts\n";
    return 0;
}

}  // namespace vandor

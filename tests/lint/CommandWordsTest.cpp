// The built-in command words exist three times: in the engine's command table, in the
// lint and in the scripting guide. These tests keep the three in step.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "TempFolder.h"
#include "lint/GameLint.h"
#include "resources/FileCache.h"
#include "scenario/ScriptCommands.h"

namespace vandor {
namespace {

std::set<std::string> EngineWords() {
    std::set<std::string> words;
    for (const TScriptCommand& command : ScriptCommands()) words.insert(command.Words.begin(), command.Words.end());
    return words;
}

// The words in backquotes in the first column of the table that opens section 7 of
// the guide, the list of every built-in command ("any word beginning with `差分`"
// gives 差分).
std::set<std::string> DocumentedWords() {
    std::ifstream guide(SCRIPTING_GUIDE);
    std::set<std::string> words;
    std::string line;
    bool inSection = false;
    bool inTable = false;
    while (std::getline(guide, line)) {
        if (line.starts_with("## ")) {
            if (inSection) break;
            inSection = line.starts_with("## 7. Built-in commands");
            continue;
        }
        if (!inSection) continue;
        if (!line.starts_with("|")) {
            if (inTable) break;
            continue;
        }
        inTable = true;
        const std::size_t cellEnd = line.find('|', 1);
        const std::string cell = line.substr(1, cellEnd == std::string::npos ? std::string::npos : cellEnd - 1);
        for (std::size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open + 1)) {
            const std::size_t close = cell.find('`', open + 1);
            if (close == std::string::npos) break;
            words.insert(cell.substr(open + 1, close - open - 1));
            open = close;
        }
    }
    return words;
}

TEST(CommandWords, TheEngineAndTheScriptingGuideListTheSameWords) {
    const std::set<std::string> engine = EngineWords();
    const std::set<std::string> documented = DocumentedWords();
    ASSERT_FALSE(documented.empty()) << "no table of command words found in section 7 of " << SCRIPTING_GUIDE;
    for (const std::string& word : engine) {
        EXPECT_TRUE(documented.contains(word))
            << "the built-in word \"" << word << "\" is missing from the table of section 7 of docs/scripting.md";
    }
    for (const std::string& word : documented) {
        EXPECT_TRUE(engine.contains(word)) << "docs/scripting.md lists \"" << word
                                           << "\" as a built-in word, but the engine's command table has no such word";
    }
}

TEST(CommandWords, TheLintKnowsEveryBuiltInWordAndChecksOnlyThose) {
    test::TTempFolder folder;
    std::string script;
    for (const std::string& word : EngineWords()) script += "[" + word + "]\n";
    test::WriteTextFile(folder / "first.txt", script);
    TFileCache files{nullptr};
    files.AddFolder(folder.Folder());
    TGameLint lint(files);
    lint.Run();
    for (const TLintFinding& finding : lint.Findings()) {
        // A word the lint did not take as built in would be a missing picture or sound.
        EXPECT_EQ(finding.Message.find("no command"), std::string::npos) << FormatFinding(finding);
        EXPECT_EQ(finding.Message.find("does not exist"), std::string::npos) << FormatFinding(finding);
    }

    for (const std::string_view name : TGameLint::CheckedCommandNames()) {
        const TScriptCommand* command = FindScriptCommand(name);
        EXPECT_TRUE(command && command->Name() == name)
            << "the lint checks the fields of \"" << name << "\", which names no entry of the engine's command table";
    }
}

}  // namespace
}  // namespace vandor

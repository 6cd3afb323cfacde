#pragma once
// The story engine's built-in command words in one table, in the order the engine
// tries them: the first entry whose word matches field 0 of a command wins, and a
// word no entry matches is a picture, a sound or a command for the game. The engine
// dispatches through this table, and the lint reads it to know which words are built
// in, so a new word is added here once. It needs no engine: the lint has none.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "util/Fields.h"

namespace vandor {

class TNovelGame;

// Runs the command on the engine and says whether the next line may follow in the
// same frame (true) or only in the next one (false: the command waits, starts a
// transition or hands the script over). `trailing` is the text after the command on
// the same line, the caption of a choice.
using TScriptHandler = bool (TNovelGame::*)(TFields& fields, const std::string& trailing);

struct TScriptCommand {
    // Compared exactly; the first is the entry's name.
    std::vector<std::string_view> Words;
    // The word begins a longer one ("差分a" is a variant of letter a).
    bool Prefix = false;
    TScriptHandler Handler = nullptr;
    // The fields and their defaults, as docs/scripting.md states them.
    std::string_view Fields;

    bool Matches(std::string_view word) const;
    std::string_view Name() const { return Words.front(); }
};

// Every built-in command, in dispatch order.
std::span<const TScriptCommand> ScriptCommands();

// The entry that handles `word`; nullptr when the word is not built in.
const TScriptCommand* FindScriptCommand(std::string_view word);

}  // namespace vandor

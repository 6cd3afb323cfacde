// The table of built-in command words: every word reaches its own entry, and the
// engine runs each word's handler with the step result a script relies on.

#include <string>
#include <utility>
#include <vector>

#include "ScenarioFixture.h"
#include "scenario/ScriptCommands.h"

namespace vandor {
namespace {

using testing::ScenarioTest;

using ScriptCommandTable = ScenarioTest;

TEST(ScriptCommands, EveryWordReachesItsOwnEntryAndHandler) {
    for (const TScriptCommand& command : ScriptCommands()) {
        EXPECT_NE(command.Handler, nullptr) << command.Name() << " has no handler";
        EXPECT_FALSE(command.Fields.empty()) << command.Name() << " does not describe its fields";
        for (const std::string_view word : command.Words) {
            const TScriptCommand* found = FindScriptCommand(word);
            ASSERT_NE(found, nullptr) << word << " is in the table but finds no entry";
            EXPECT_EQ(found, &command) << word << " is taken by the earlier entry " << found->Name()
                                       << ", so its own entry never runs";
        }
    }
    // Words compare exactly, letter case included; only "差分" begins longer words.
    ASSERT_NE(FindScriptCommand("差分a"), nullptr);
    EXPECT_EQ(FindScriptCommand("差分a")->Name(), "差分");
    EXPECT_EQ(FindScriptCommand("差分ＸＹＺ")->Name(), "差分");
    for (const char* word : {"待つ", "選択肢2", "bgm消", "初期", "", "ボタン消去"}) {
        EXPECT_EQ(FindScriptCommand(word), nullptr) << word;
    }
}

// Whether the line after the command runs in the same frame: commands that take no
// time go straight on, waits, fades and the rest wait for a later frame.
TEST_F(ScriptCommandTable, EachWordGoesOnInTheSameFrameOrWaitsAsBefore) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"[暗転]", false},       {"[白転]", false},      {"[明転]", false},    {"[差分a/bg01]", false},
        {"[クリック待]", false}, {"[待/100]", false},    {"[立消]", true},     {"[顔消]", true},
        {"[BGM消]", true},       {"[ＢＧＭ消]", true},   {"[消BGM]", true},    {"[消ＢＧＭ]", true},
        {"[消音]", true},        {"[音消]", true},       {"[ジャンプ]", true}, {"[ボタン]", true},
        {"[ボタン消]", false},   {"[選択]", true},       {"[選択肢]", true},   {"[終了]", true},
        {"[戻]", true},          {"[右クリック]", true}, {"[文章枠]", true},   {"[選択枠]", true},
        {"[フォント]", false},   {"[初期値]", true},     {"[se_none]", true},  {"[bg_none]", false},
    };
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const auto& [command, goesOn] = cases[n];
        const std::string script = "case" + std::to_string(n) + ".txt";
        WriteScript(script, command + "\n[合図]\n");
        bool signalled = false;
        Start(script, 0);
        Game->OnCommand = [&](TFields& fields) { signalled = signalled || fields[0] == "合図"; };
        Frames(1);
        EXPECT_EQ(signalled, goesOn) << command;
    }
}

}  // namespace
}  // namespace vandor

#include "scenario/ScriptCommands.h"

#include <algorithm>

#include "scenario/NovelGame.h"

namespace vandor {

bool TScriptCommand::Matches(std::string_view word) const {
    return std::any_of(Words.begin(), Words.end(),
                       [&](std::string_view own) { return Prefix ? StartsWith(word, own) : word == own; });
}

// The order is the engine's: a word that an earlier entry matches never reaches a
// later one.
std::span<const TScriptCommand> ScriptCommands() {
    static const std::vector<TScriptCommand> kCommands{
        {{"暗転"},
         false,
         &TNovelGame::FadeToBlackCommand,
         "1: time, default the background fade time (1000); 2: 禁スキップ"},
        {{"白転", "明転"},
         false,
         &TNovelGame::FadeToWhiteCommand,
         "1: time, default the background fade time (1000); 2: 禁スキップ"},
        {{"差分"},
         true,
         &TNovelGame::StartVariant,
         "1: base name, or the name of any variant of it; 2: sound, default the letter's sound, \".\" none"},
        {{"クリック待"}, false, &TNovelGame::ClickWaitCommand, "1: time, default none (until a click)"},
        {{"待"}, false, &TNovelGame::WaitCommand, "1: time, default 1000; 2: 禁スキップ"},
        {{"立消"}, false, &TNovelGame::ClearStandingCommand, "1: time, default the standing fade time (400)"},
        {{"顔消"}, false, &TNovelGame::ClearFaceCommand, "1: time, default the face fade time (100)"},
        {{"BGM消", "ＢＧＭ消", "消BGM", "消ＢＧＭ"},
         false,
         &TNovelGame::StopMusicCommand,
         "1: fade time, default none (stop at once)"},
        {{"消音", "音消"}, false, &TNovelGame::SilenceCommand, "1: fade time, default none (stop at once)"},
        {{"ジャンプ"},
         false,
         &TNovelGame::JumpCommand,
         "1, 2: label (with \"*\") and script, in either order; 3: condition"},
        {{"ボタン"},
         false,
         &TNovelGame::ButtonCommand,
         "1: picture; 2: condition, default empty; 3: script; 4: label; 5, 6: x, y, default 0, 0; "
         "7, 8: slide-in start, default x, y; 9: slide-in time, default 100; 10, 11: click and hover sound, "
         "default the sounds of [初期値/選択音]"},
        {{"ボタン消"},
         false,
         &TNovelGame::RemoveButtonsCommand,
         "1: time, default 0; 2: direction 右, 左, 上 or 下, default none (fade out)"},
        {{"選択", "選択肢"},
         false,
         &TNovelGame::ChoiceCommand,
         "1, 2: label (with \"*\") and script, in either order; 3: condition; 4: caption when the condition "
         "does not hold; the text after the command: the caption"},
        {{"終了"}, false, &TNovelGame::ReturnCommand, "none"},
        {{"戻"},
         false,
         &TNovelGame::ReturnPointCommand,
         "1, 2: label (with \"*\") and script, in either order, default the last label passed in this script"},
        {{"右クリック"},
         false,
         &TNovelGame::RightClickCommand,
         "1, 2: label (with \"*\") and script, as for 戻; none clears the target"},
        {{"文章枠"},
         false,
         &TNovelGame::MessageFrameCommand,
         "1: なし, 消 or 消去 hides; anything else, or none, shows"},
        {{"選択枠"},
         false,
         &TNovelGame::ChoiceFrameCommand,
         "1: picture, default none (nothing happens); 2, 3: x, y, default 0, 0; 4: columns, default 1"},
        {{"フォント"},
         false,
         &TNovelGame::FontCommand,
         "1: font name or リセット, \".\" or empty keeps the name; 2: size, default the default size (22); "
         "3: line height, default the default line height (28)"},
        {{"初期値"}, false, &TNovelGame::InitialValueCommand, "1: setting; further fields by setting"},
    };
    return kCommands;
}

const TScriptCommand* FindScriptCommand(std::string_view word) {
    for (const TScriptCommand& command : ScriptCommands()) {
        if (command.Matches(word)) return &command;
    }
    return nullptr;
}

}  // namespace vandor

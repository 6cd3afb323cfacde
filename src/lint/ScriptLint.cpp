// The commands of a script line as the engine would run them: the scripts and labels
// they go to, the pictures, sounds and fonts they name, the words handed to the
// campaign, and comments that cut a command short.

#include "campaign/CampaignCommands.h"
#include "campaign/ItemTable.h"
#include "compositor/FontLookup.h"
#include "lint/GameLint.h"
#include "resources/FileCache.h"
#include "scenario/ScriptCommands.h"
#include "scenario/ScriptFields.h"
#include "util/Encoding.h"

namespace vandor {

// The command reaches the engine cut at the "//", without its closing bracket; an
// empty field written as "//" is the usual cause.
void TGameLint::CheckCommentCuts(const std::string& name, const TNumberedScript& text) {
    for (const int line : text.CommandsCutByComments) {
        ReportFile(name, line, false,
                   "\"//\" inside the command starts a comment and cuts the command there; "
                   "write an empty field as \"/ /\"");
        CheckCutCondition(name, text, line);
    }
}

// The command the cut falls in is the last one of its file line. A jump cut before
// its condition field has none left, and always jumps.
void TGameLint::CheckCutCondition(const std::string& name, const TNumberedScript& text, int line) {
    for (std::size_t index = text.Lines.size(); index-- > 0;) {
        if (text.SourceLines[index] != line || !text.Lines[index].starts_with(kCommandMark)) continue;
        const TFields fields = SplitFields(std::string_view(text.Lines[index]).substr(kCommandMark.size()));
        const TScriptCommand* command = fields.empty() ? nullptr : FindScriptCommand(fields[0]);
        if (command && command->Name() == "ジャンプ" && fields.size() < 4) {
            ReportFile(name, line, true,
                       "the jump's condition after the \"//\" is cut off with it: the jump always happens");
        }
        return;
    }
}

void TGameLint::CheckCommand(const TPlace& place, TFields fields) {
    if (CheckBuiltIn(place, fields)) return;
    CheckResourceCommand(place, fields);
}

// The checks of the built-in words whose fields name files, targets, fonts or
// conditions, keyed by the name of their entry in the engine's command table; the
// other built-in words name nothing to check.
struct TGameLint::TCommandCheck {
    std::string_view Name;
    void (TGameLint::*Check)(const TPlace& place, TFields& fields);
};

const TGameLint::TCommandCheck TGameLint::kCommandChecks[] = {
    {"差分", &TGameLint::CheckVariant},        {"ジャンプ", &TGameLint::CheckJump},
    {"ボタン", &TGameLint::CheckButton},       {"選択", &TGameLint::CheckChoice},
    {"戻", &TGameLint::CheckReturnPoint},      {"右クリック", &TGameLint::CheckReturnPoint},
    {"選択枠", &TGameLint::CheckChoiceFrame},  {"フォント", &TGameLint::CheckFontCommand},
    {"初期値", &TGameLint::CheckInitialValue},
};

std::vector<std::string_view> TGameLint::CheckedCommandNames() {
    std::vector<std::string_view> names;
    for (const TCommandCheck& check : kCommandChecks) names.push_back(check.Name);
    return names;
}

bool TGameLint::CheckBuiltIn(const TPlace& place, TFields& fields) {
    const TScriptCommand* command = FindScriptCommand(fields[0]);
    if (!command) return false;
    for (const TCommandCheck& check : kCommandChecks) {
        if (check.Name == command->Name()) (this->*check.Check)(place, fields);
    }
    return true;
}

void TGameLint::CheckJump(const TPlace& place, TFields& fields) {
    const std::size_t given = fields.size();
    if (given < 2) {
        Report(place, false, "a jump without a target does nothing");
        return;
    }
    const TScriptTarget target = ReadTarget(fields[1], given > 2 ? fields[2] : std::string(), given > 2);
    CheckTarget(place, target.Script, target.Label);
    if (given > 3) CheckCondition(place, fields[3]);
}

void TGameLint::CheckButton(const TPlace& place, TFields& fields) {
    const std::size_t given = fields.size();
    PadFields(fields, 12);
    CheckCondition(place, fields[2]);
    if (given < 7) {
        Report(place, false, "a button needs its picture, target and place (7 fields); none is made");
        return;
    }
    CheckPicture(place, fields[1]);
    CheckTarget(place, fields[3], fields[4]);
    if (given >= 12) {
        CheckSound(place, fields[10]);
        CheckSound(place, fields[11]);
    }
}

void TGameLint::CheckChoice(const TPlace& place, TFields& fields) {
    const bool conditional = fields.size() >= 5;
    PadFields(fields, 5);
    const std::string& first = fields[1];
    const std::string& second = fields[2];
    if (first.empty() && second.empty()) return;
    const bool both = !first.empty() && !second.empty();
    const TScriptTarget target = ReadTarget(first.empty() ? second : first, second, both);
    CheckTarget(place, target.Script, target.Label);
    if (!fields[3].empty() && !conditional) {
        Report(place, false,
               "a choice's condition needs field 4, the caption shown when it does not hold; "
               "without it the condition is ignored");
    } else if (!fields[3].empty()) {
        CheckCondition(place, fields[3]);
    }
}

// 戻 and 右クリック: a target of one or two fields; none keeps the place where the
// script is.
void TGameLint::CheckReturnPoint(const TPlace& place, TFields& fields) {
    const std::size_t given = fields.size();
    if (given < 2) return;
    std::string script = place.Script;
    std::string label;
    if (given == 2) {
        (StartsWith(fields[1], "*") ? label : script) = fields[1];
    } else {
        const TScriptTarget target = ReadTarget(fields[1], fields[2], true);
        script = target.Script;
        label = target.Label;
    }
    CheckTarget(place, script, label);
}

void TGameLint::CheckChoiceFrame(const TPlace& place, TFields& fields) {
    PadFields(fields, 2);
    if (!fields[1].empty()) CheckPicture(place, fields[1]);
}

void TGameLint::CheckFontCommand(const TPlace& place, TFields& fields) {
    PadFields(fields, 2);
    if (!fields[1].empty() && fields[1] != "." && fields[1] != "リセット") CheckFont(place, fields[1]);
}

// A word that is no built-in command names a picture or a sound; a picture that does
// not exist passes the word to the campaign.
void TGameLint::CheckResourceCommand(const TPlace& place, TFields& fields) {
    fields[0] = AsciiLower(fields[0]);
    const std::string& word = fields[0];
    const std::string name = ResourceFileName(word);
    const std::string_view extension = Extension(name);
    const bool soundByPrefix = extension == ".ogg" && Extension(word).empty();
    if (soundByPrefix && !Files_.Exists(name) && Files_.Exists(word + ".png")) {
        Report(place, true,
               "\"" + word + "\" begins with bgm, se or cv and is played as the sound \"" + name +
                   "\", which does not exist; show the picture with its extension: [" + word + ".png]");
    } else if (extension == ".ogg") {
        CheckSound(place, name);
    } else if (extension != ".png" && extension != ".jpg" && extension != ".jpeg") {
        Report(place, false,
               "\"" + word + "\" is no command, and a file of type " + std::string(extension) + " does nothing as one");
    } else if (!Files_.Exists(name) && !CheckCampaignCommand(place, fields)) {
        Report(place, true,
               "\"" + word + "\" is no command, and no picture \"" + name + "\" exists" + MissingHint(name));
    } else if (Files_.Exists(name)) {
        if (const std::string problem = PictureProblem(name); !problem.empty()) Report(place, true, problem);
    }
}

bool TGameLint::CheckCampaignCommand(const TPlace& place, TFields& fields) {
    const std::string word = fields[0];
    if (!TCampaignCommands::IsCommand(word)) return false;
    PadFields(fields, 4);
    const auto numberAt = [&](std::size_t index) { return ToNumber(fields[index], -1); };
    if (word == "戦闘開始") {
        CheckBattle(place, numberAt(1));
        if (fields[2].empty() && fields[3].empty()) {
            CheckTarget(place, TCampaignCommands::kDefaultDefeatScript, TCampaignCommands::kDefaultDefeatLabel);
        } else {
            CheckTarget(place, fields[2], fields[3]);
        }
    } else if (word == "アイテム取得" || word == "アイテム消費") {
        const int item = numberAt(1);
        if (!IsNumber(fields[1])) {
            Report(place, true, word + " needs an item number");
        } else if (item < 1 || item > kItemCount) {
            Report(place, false,
                   "there is no item " + fields[1] + " (items are 1.." + std::to_string(kItemCount) + ")");
        } else if (word == "アイテム消費" && !IsConsumable(item)) {
            Report(place, false, "item " + fields[1] + " is no consumable (5..15, 33..36) and stays owned");
        }
    } else if (word == "ヒロイン登場" || word == "ヒロイン退場") {
        if (numberAt(1) < 1) Report(place, false, word + " needs a heroine number from 1; this does nothing");
    } else if (word == "通過3p") {
        if (numberAt(1) < 0) Report(place, false, "a pass flag needs its number; this does nothing");
    } else if (word == "行動") {
        if (fields[1] == "調教" || fields[1] == "求愛") {
            if (numberAt(2) < 1)
                Report(place, false, "行動/" + fields[1] + " needs a heroine number; this does nothing");
        } else if (fields[1] != "進行") {
            Report(place, false, "行動 knows 進行, 調教 and 求愛; \"" + fields[1] + "\" does nothing");
        }
    } else if (word == "上部情報") {
        if (!TCampaignCommands::IsHideWord(fields[1])) SavesPossible_ = true;
    } else if (word == "つづきから") {
        // It loads saves, even ones another copy of the game wrote, so they resume too.
        SavesPossible_ = true;
    }
    return true;
}

void TGameLint::CheckInitialValue(const TPlace& place, TFields& fields) {
    if (fields.size() < 2) return;
    PadFields(fields, 6);
    const std::string& setting = fields[1];
    if (setting == "文章枠") {
        CheckPicture(place, WithExtension(fields[2], ".png"));
    } else if (setting == "選択枠") {
        if (!fields[2].empty()) CheckPicture(place, fields[2]);
    } else if (setting == "フォント") {
        if (!fields[2].empty()) CheckFont(place, fields[2]);
    } else if (setting == "選択音") {
        CheckSound(place, fields[2]);
        CheckSound(place, fields[3]);
    } else if (setting == "差分効果音") {
        CheckSound(place, VariantSound(fields[3]));
    } else if (setting == "クリック待ち記号") {
        if (!fields[2].empty()) CheckPicture(place, WithExtension(fields[2], ".png"));
        if (!IsOneOf(fields[5], {"", "文末", "右下"}))
            Report(place, false, "クリック待ち記号 is placed 文末 or 右下; \"" + fields[5] + "\" places it 文末");
    } else if (!IsOneOf(setting, {"背景フェード", "立絵フェード", "顔絵フェード", "音量", "声チャンネル"})) {
        Report(place, false, "初期値 has no setting \"" + setting + "\"");
    }
}

// A variant shows a picture of the base's family: the base itself, a lettered one,
// or for a flash two numbered pictures.
void TGameLint::CheckVariant(const TPlace& place, TFields& fields) {
    PadFields(fields, 3);
    if (fields[1].empty()) return;
    const std::string base = VariantBase(fields[1]);
    const std::string letters = AsciiLower(fields[0].substr(std::string_view("差分").size()));
    const char letter = letters.size() == 1 ? letters[0] : 0;
    if (letter >= 'x' && letter <= 'z') {
        CheckPicture(place, base + letter + "1.png");
        CheckPicture(place, base + letter + "2.png");
    } else {
        CheckPicture(place, letter >= 'a' && letter <= 'g' ? base + letter + ".png" : base + ".png");
    }
    if (!fields[2].empty()) CheckSound(place, VariantSound(AsciiLower(fields[2])));
}

void TGameLint::CheckFont(const TPlace& place, const std::string& face) {
    if (!FontFamilyInstalled(face)) {
        Report(place, false, "font \"" + face + "\" is not installed: the text falls back to another font");
    }
}

}  // namespace vandor

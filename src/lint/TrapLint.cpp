// The traps the scripting guide warns about, which the game runs without a word:
// an indented command is shown as text, a label's trailing blank belongs to its
// name, full-width digits are no number, a choice without target or caption is not
// made, text below the message window is dropped, and a battle without the engine's
// own pictures and sounds shows gaps.

#include <optional>
#include <set>

#include "lint/EngineFiles.h"
#include "lint/GameLint.h"
#include "lint/NearNames.h"
#include "lint/PageFit.h"
#include "resources/FileCache.h"
#include "scenario/ScriptCommands.h"
#include "scenario/ScriptFields.h"
#include "util/Encoding.h"
#include "util/Format.h"
#include "util/Number.h"

namespace vandor {
namespace {

constexpr std::string_view kFullWidthSpace = "　";

bool IsBlankAt(std::string_view text, std::size_t at) {
    return text.substr(at).starts_with(' ') || text.substr(at).starts_with(kFullWidthSpace);
}

std::size_t LeadingBlankBytes(std::string_view text) {
    std::size_t at = 0;
    while (IsBlankAt(text, at)) at += text[at] == ' ' ? 1 : kFullWidthSpace.size();
    return at;
}

bool EndsWithBlank(std::string_view text) { return text.ends_with(' ') || text.ends_with(kFullWidthSpace); }

// The number a field of full-width digits was meant to be ("５００" is "500"), or
// nothing when the field holds anything else.
std::optional<std::string> FullWidthNumber(std::string_view field) {
    std::string number;
    bool fullWidth = false;
    for (std::size_t pos = 0; pos < field.size();) {
        const char32_t c = NextCodePoint(field, pos);
        if (c >= U'０' && c <= U'９') {
            number += static_cast<char>('0' + (c - U'０'));
            fullWidth = true;
        } else if (number.empty() && (c == U'－' || c == U'＋' || c == U'-' || c == U'+')) {
            number += c == U'－' || c == U'-' ? '-' : '+';
        } else {
            return std::nullopt;
        }
    }
    if (!fullWidth) return std::nullopt;
    return number;
}

// Conditions have checks of their own (ConditionLint.cpp), and a caption (a button's spoken
// one too) may be any text.
bool TakesText(const TFields& fields, std::size_t index) {
    const TScriptCommand* command = FindScriptCommand(fields[0]);
    if (!command) return false;
    const std::string_view name = command->Name();
    return (name == "ジャンプ" && index == 3) || (name == "選択" && (index == 3 || index == 4)) ||
           (name == "ボタン" && (index == 2 || index == 12));
}

}  // namespace

void TGameLint::CheckLineShape(const TPlace& place, const std::string& line) {
    if (line.starts_with('*') && EndsWithBlank(line)) {
        std::string name = line;
        while (EndsWithBlank(name)) name.resize(name.size() - (name.back() == ' ' ? 1 : kFullWidthSpace.size()));
        Report(place, false,
               "the label \"" + line + "\" ends with a blank, which belongs to its name: a jump to \"" + name +
                   "\" does not find it");
        return;
    }
    const std::size_t indent = LeadingBlankBytes(line);
    if (indent > 0 && std::string_view(line).substr(indent).starts_with(kCommandMark)) {
        Report(place, false,
               "an indented command is shown as text, not run (a tab becomes two full-width spaces); "
               "start the line with \"[\"");
    }
}

void TGameLint::CheckFullWidthNumbers(const TPlace& place, const TFields& fields) {
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (TakesText(fields, i)) continue;
        if (const std::optional<std::string> number = FullWidthNumber(fields[i])) {
            Report(place, false,
                   "\"" + fields[i] +
                       "\" is written in full-width digits and is no number: the command takes its "
                       "default; write \"" +
                       *number + "\"");
        }
    }
}

void TGameLint::CheckChoiceCaption(const TPlace& place, const TFields& fields, std::string_view caption) {
    const TScriptCommand* command = FindScriptCommand(fields[0]);
    if (!command || command->Name() != "選択") return;
    const bool target = (fields.size() > 1 && !fields[1].empty()) || (fields.size() > 2 && !fields[2].empty());
    if (!target) {
        Report(place, false, "a choice without a target (field 1 or 2) is not made");
    } else if (caption.empty()) {
        Report(place, false, "a choice without a caption after \"]\" is not made");
    }
}

void TGameLint::CheckPageFits(const TPlace& first, const std::vector<std::string>& page) {
    const int dropped = PageFit_->Dropped(page);
    if (dropped == 0) return;
    Report(first, false,
           "this page runs below the message window, which shows " + std::to_string(PageFit_->LinesShown()) +
               " lines: its last " + std::to_string(dropped) + (dropped == 1 ? " character is" : " characters are") +
               " dropped unseen; end the page earlier with an empty line");
}

// The frame and font that 初期値 sets hold for every page after it, as the scripts are
// read in the order the game can reach them.
void TGameLint::FollowMessageWindow(const TFields& given) {
    const TScriptCommand* command = FindScriptCommand(given[0]);
    if (!command || command->Name() != "初期値" || given.size() < 2) return;
    TFields fields = given;
    PadFields(fields, 9);
    if (fields[1] == "文章枠") {
        if (const auto size = PictureSize(WithExtension(fields[2], ".png")))
            PageFit_->SetFrame(size->first, size->second);
        if (!fields[5].empty()) {
            PageFit_->SetMargins(ToNumber(fields[5], 0), ToNumber(fields[6], 0), ToNumber(fields[7], 0));
        }
    } else if (fields[1] == "フォント") {
        PageFont_.FontName = fields[2];
        PageFont_.FontSize = ToNumber(fields[3], PageFont_.FontSize);
        PageFont_.LineHeight = ToNumber(fields[4], PageFont_.LineHeight);
        PageFit_->SetFont(PageFont_.FontName, PageFont_.FontSize, PageFont_.LineHeight);
    }
}

// Each file is checked once, at the first battle that needs it.
void TGameLint::CheckEngineFiles(const TPlace& place, int area, const std::set<int>& enemyPictures) {
    std::vector<std::string> names;
    for (const TEngineFile& file : EngineFiles()) {
        std::vector<std::string> wanted;
        if (file.Use == TEngineFileUse::Fonts) {
            if (EngineFilesChecked_.insert(std::string(file.Name)).second) CheckFont(place, std::string(file.Name));
        } else if (file.Use == TEngineFileUse::Battle || file.Use == TEngineFileUse::BattleArea) {
            wanted = EngineFileNames(file, area);
        } else if (file.Use == TEngineFileUse::BattleEnemy) {
            for (const int picture : enemyPictures) wanted.push_back(Format(std::string(file.Name).c_str(), picture));
        }
        for (std::string& name : wanted) {
            if (EngineFilesChecked_.insert(name).second) names.push_back(std::move(name));
        }
    }
    std::string missing;
    for (const std::string& name : names) {
        const std::string key = AsciiLower(name);
        if (!Files_.Exists(key)) {
            missing += (missing.empty() ? "" : ", ") + name + MissingHint(key);
            continue;
        }
        const std::string problem = Extension(key) == ".ogg" ? SoundProblem(key) : PictureProblem(key);
        if (!problem.empty()) Report(place, true, problem);
    }
    if (!missing.empty()) {
        Report(place, true,
               "the battle of area " + std::to_string(area) +
                   " needs files of the engine's own that no source has (see docs/engine-files.md): " + missing);
    }
}

}  // namespace vandor

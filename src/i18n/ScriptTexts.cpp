#include "i18n/ScriptTexts.h"

#include "i18n/Catalogue.h"
#include "resources/ScriptText.h"
#include "util/Fields.h"

namespace vandor {
namespace {

constexpr std::size_t kAlternativeField = 4;

bool IsCommandLine(std::string_view line) { return line.starts_with(kCommandMark); }

// The command between the marks of a command line.
std::string_view CommandOf(std::string_view line) {
    const std::string_view body = line.substr(kCommandMark.size());
    return body.substr(0, body.find(kCommandMark));
}

bool IsChoice(const TFields& fields) { return !fields.empty() && IsOneOf(fields[0], {"選択", "選択肢"}); }

bool EndsPage(std::string_view line) {
    if (line.empty() || line.starts_with('*')) return true;
    if (!IsCommandLine(line)) return false;
    TFields fields = SplitFields(CommandOf(line));
    if (IsChoice(fields)) return true;
    return !fields.empty() && fields[0] == "クリック待" && (fields.size() < 2 || fields[1].empty());
}

// A translation is text only: a command mark in it would make the engine run the rest
// of the line as a command, so it is dropped.
std::string WithoutCommandMarks(std::string text) {
    for (std::size_t at; (at = text.find(kCommandMark)) != std::string::npos;) text.erase(at, kCommandMark.size());
    return text;
}

std::vector<std::string> SplitAtBreaks(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
        parts.emplace_back(text.substr(start, end - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

void TranslatePage(std::vector<std::string>& lines, const TPageText& page, const std::string& translation) {
    const std::vector<std::string> parts = SplitAtBreaks(translation);
    const std::size_t count = page.Lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::string& line = lines[static_cast<std::size_t>(page.Lines[i])];
        line.erase(TextStart(line));
        if (i + 1 < count) {
            if (i < parts.size()) line += parts[i];
        } else {
            for (std::size_t rest = i; rest < parts.size(); ++rest) line += (rest > i ? "\n" : "") + parts[rest];
        }
        if (line.empty()) line = kEmptyTextLine;
    }
}

void TranslateChoice(std::string& line, const TChoiceText& choice, const std::string& translation) {
    if (!choice.Alternative) {
        line.erase(TextStart(line));
        line += translation;
        return;
    }
    const std::size_t textStart = TextStart(line);
    const std::string caption = textStart == std::string::npos ? std::string() : line.substr(textStart);
    TFields fields = SplitFields(CommandOf(line));
    fields[kAlternativeField] = translation;
    std::string command;
    for (std::size_t i = 0; i < fields.size(); ++i) command += (i ? "/" : "") + fields[i];
    line = std::string(kCommandMark) + command + std::string(kCommandMark) + caption;
}

}  // namespace

std::size_t TextStart(std::string_view line) {
    if (line.empty() || line.starts_with('*')) return std::string_view::npos;
    if (!IsCommandLine(line)) return 0;
    const std::size_t close = line.find(kCommandMark, kCommandMark.size());
    if (close == std::string_view::npos) return std::string_view::npos;
    const std::size_t start = close + kCommandMark.size();
    return start < line.size() ? start : std::string_view::npos;
}

TScriptTexts CollectScriptTexts(const std::vector<std::string>& lines) {
    TScriptTexts texts;
    TPageText page;
    const auto endPage = [&] {
        if (!page.Lines.empty()) texts.Pages.push_back(std::move(page));
        page = {};
    };
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        const int at = static_cast<int>(index);
        if (IsCommandLine(line)) {
            TFields fields = SplitFields(CommandOf(line));
            if (IsChoice(fields)) {
                endPage();
                if (const std::size_t start = TextStart(line); start != std::string::npos) {
                    texts.Choices.push_back({at, line.substr(start), false});
                }
                if (fields.size() > kAlternativeField && !fields[kAlternativeField].empty()) {
                    texts.Choices.push_back({at, fields[kAlternativeField], true});
                }
                continue;
            }
        }
        if (EndsPage(line)) {
            endPage();
            continue;
        }
        const std::size_t start = TextStart(line);
        if (start == std::string::npos) continue;
        if (!page.Lines.empty()) page.Original += '\n';
        page.Original += line.substr(start);
        page.Lines.push_back(at);
    }
    endPage();
    return texts;
}

std::vector<std::string> TranslateScript(const std::vector<std::string>& lines, std::string_view context,
                                         const TCatalogue& catalogue) {
    std::vector<std::string> translated = lines;
    const TScriptTexts texts = CollectScriptTexts(lines);
    for (const TPageText& page : texts.Pages) {
        if (const std::string* found = catalogue.Find(context, page.Original)) {
            TranslatePage(translated, page, WithoutCommandMarks(*found));
        }
    }
    for (const TChoiceText& choice : texts.Choices) {
        if (const std::string* found = catalogue.Find(context, choice.Original)) {
            TranslateChoice(translated[static_cast<std::size_t>(choice.Line)], choice, WithoutCommandMarks(*found));
        }
    }
    return translated;
}

}  // namespace vandor

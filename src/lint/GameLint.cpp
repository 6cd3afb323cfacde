#include "lint/GameLint.h"

#include <algorithm>
#include <tuple>

#include "campaign/SaveSlots.h"
#include "lint/PageFit.h"
#include "resources/FileCache.h"
#include "scenario/ScriptCommands.h"
#include "scenario/ScriptFields.h"
#include "util/Encoding.h"

namespace vandor {

std::string FormatFinding(const TLintFinding& finding) {
    return finding.File + ":" + std::to_string(finding.Line) + ": " + (finding.Error ? "error" : "warning") + ": " +
           finding.Message;
}

TGameLint::TGameLint(TFileCache& files) : Files_(files), PageFit_(std::make_unique<TPageFit>()) {}

TGameLint::~TGameLint() = default;

bool TGameLint::HasErrors() const {
    return std::any_of(Findings_.begin(), Findings_.end(), [](const TLintFinding& f) { return f.Error; });
}

void TGameLint::Run() {
    if (!Script(kFirstScript)) {
        ReportFile(kFirstScript, 0, true, "the game starts here, and no data source holds it");
        return;
    }
    Reach(kFirstScript);
    // Every menu offers the way back to the title.
    if (const TScript* title = Script(kTitleScript)) {
        Reach(kTitleScript);
        if (!title->Labels.count(kTitleLabel)) {
            ReportFile(
                kTitleScript, 0, false,
                std::string("the menu's return to the title jumps to ") + kTitleLabel + ", which this script lacks");
        }
    } else {
        ReportFile(kTitleScript, 0, false, "the menu's return to the title needs this script");
    }
    while (!Pending_.empty()) {
        const std::string name = Pending_.back();
        Pending_.pop_back();
        CheckScript(name);
        // Saving is possible once a status bar shows; a loaded save resumes here.
        if (Pending_.empty() && SavesPossible_ && !Reached_.count(kResumeScript)) {
            const TScript* action = Script(kResumeScript);
            if (!action) {
                ReportFile(kResumeScript, 0, true, "the status bar allows saving, and a loaded save resumes here");
            } else {
                Reach(kResumeScript);
                if (!action->Labels.count(kResumeLabel)) {
                    ReportFile(kResumeScript, 0, true,
                               std::string("a loaded save resumes at ") + kResumeLabel + ", which this script lacks");
                }
            }
        }
    }
    std::stable_sort(Findings_.begin(), Findings_.end(), [](const TLintFinding& a, const TLintFinding& b) {
        return std::tie(a.File, a.Line) < std::tie(b.File, b.Line);
    });
}

const TGameLint::TScript* TGameLint::Script(const std::string& name) {
    const std::string key = AsciiLower(name);
    auto found = Scripts_.find(key);
    if (found == Scripts_.end()) {
        std::optional<TScript> script;
        const TStreamHold stream(Files_, key);
        if (const TBytes* bytes = stream.Get()) {
            script.emplace();
            script->Text =
                NormalizeScriptNumbered(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
            for (const std::string& line : script->Text.Lines) {
                if (line.starts_with('*')) script->Labels.insert(line);
            }
        }
        found = Scripts_.emplace(key, std::move(script)).first;
    }
    return found->second ? &*found->second : nullptr;
}

void TGameLint::Reach(const std::string& name) {
    const std::string key = AsciiLower(name);
    if (Reached_.insert(key).second) Pending_.push_back(key);
}

void TGameLint::CheckScript(const std::string& name) {
    const TScript* script = Script(name);
    if (!script) return;
    CheckCommentCuts(name, script->Text);
    // The text of the page being read and where it began.
    std::vector<std::string> page;
    TPlace pageStart;
    const auto endPage = [&] {
        if (!page.empty()) CheckPageFits(pageStart, page);
        page.clear();
    };
    const auto addText = [&](const TPlace& place, std::string_view text) {
        if (page.empty()) pageStart = place;
        page.emplace_back(text);
    };
    for (std::size_t index = 0; index < script->Text.Lines.size(); ++index) {
        const std::string& line = script->Text.Lines[index];
        const TPlace place{name, static_cast<int>(index)};
        CheckLineShape(place, line);
        if (line.empty()) {
            endPage();
            continue;
        }
        if (!line.starts_with(kCommandMark)) {
            if (!line.starts_with('*')) addText(place, line);
            continue;
        }
        const std::string_view body = std::string_view(line).substr(kCommandMark.size());
        const std::size_t end = body.find(kCommandMark);
        const std::string_view text = end == std::string_view::npos ? "" : body.substr(end + kCommandMark.size());
        const TFields fields = SplitFields(body.substr(0, end));
        if (fields.empty() || fields[0].empty()) {
            Report(place, false, "a command without a word is skipped");
            continue;
        }
        CheckFullWidthNumbers(place, fields);
        CheckChoiceCaption(place, fields, text);
        CheckCommand(place, fields);
        FollowMessageWindow(fields);
        const TScriptCommand* command = FindScriptCommand(fields[0]);
        const std::string_view word = command ? command->Name() : std::string_view();
        // A jump clears the window; a choice's text is its caption.
        if (word == "ジャンプ" || word == "戻" || word == "終了") endPage();
        if (!text.empty() && word != "選択") addText(place, text);
    }
    endPage();
}

void TGameLint::CheckTarget(const TPlace& place, const std::string& script, const std::string& label) {
    const std::string target = script.empty() || script == "." ? place.Script : AsciiLower(script);
    const TScript* found = Script(target);
    if (!found) {
        Report(place, true, "script \"" + target + "\" does not exist");
        return;
    }
    Reach(target);
    if (!label.empty() && label != "." && !found->Labels.count(label)) {
        Report(place, true, "label \"" + label + "\" does not exist in " + target);
    }
}

void TGameLint::Report(const TPlace& place, bool error, const std::string& message) {
    const TScript* script = Script(place.Script);
    const int line = script && place.Line >= 0 ? script->Text.SourceLines[static_cast<std::size_t>(place.Line)] : 0;
    ReportFile(place.Script, line, error, message);
}

void TGameLint::ReportFile(const std::string& file, int line, bool error, const std::string& message) {
    Findings_.push_back({file, line, error, message});
}

std::vector<std::pair<std::string, const TNumberedScript*>> TGameLint::ReachedScripts() const {
    std::vector<std::pair<std::string, const TNumberedScript*>> scripts;
    for (const std::string& name : Reached_) {
        const auto found = Scripts_.find(name);
        if (found != Scripts_.end() && found->second) scripts.emplace_back(name, &found->second->Text);
    }
    return scripts;
}

}  // namespace vandor

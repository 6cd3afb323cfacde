// An edited script read again while it plays: the author sees the page they look at
// with their change, without playing up to it again. A page is known by the label
// before it and how many pages after that label it comes, which holds while its own
// text changes.

#include <algorithm>
#include <string>

#include "resources/ScriptCache.h"
#include "scenario/NovelGame.h"

namespace vandor {
namespace {

bool IsLabel(const std::string& line) { return line.starts_with("*"); }

struct TPagePlace {
    std::string Label;  // empty: counted from the script's top
    int Pages = 0;      // page ends between the label and the page
};

TPagePlace PlaceOf(const TScriptLines& lines, int pageStart) {
    TPagePlace place;
    for (int i = pageStart; i >= 0; --i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (IsLabel(line)) {
            place.Label = line;
            break;
        }
        if (line.empty() && i < pageStart) ++place.Pages;
    }
    return place;
}

// The first line of the page at `place`, or of its label when the label has fewer
// pages now, or 0 when the label is gone.
int LineOf(const TScriptLines& lines, const TPagePlace& place) {
    const int count = static_cast<int>(lines.size());
    int start = 0;
    if (!place.Label.empty()) {
        while (start < count && lines[static_cast<std::size_t>(start)] != place.Label) ++start;
        if (start == count) return 0;
    }
    int line = start;
    for (int pages = 0; pages < place.Pages; ++line) {
        if (line >= count) return start;
        const std::string& text = lines[static_cast<std::size_t>(line)];
        if (line > start && IsLabel(text)) return start;
        if (text.empty()) ++pages;
    }
    const bool pageThere = line < count && !IsLabel(lines[static_cast<std::size_t>(line)]);
    return pageThere ? line : start;
}

}  // namespace

void TNovelGame::ReloadScript() {
    if (!Script_) return;
    int pageStart = std::min(Line, LineCount());
    while (pageStart > 0 && !(*Script_)[static_cast<std::size_t>(pageStart - 1)].empty()) --pageStart;
    const TPagePlace place = PlaceOf(*Script_, std::min(pageStart, LineCount() - 1));

    Services_.Scripts.Release(Script_);
    Script_ = nullptr;
    Services_.Scripts.Flush();
    Script_ = Services_.Scripts.GetScript(ScriptName);

    FinishTransitions();
    Message_->Clear();
    ClearChoices();
    RemoveButtons(0, "");
    Waiting = false;
    WaitLeft = -1;
    StartAtLineBeginning();
    Line = Script_ ? LineOf(*Script_, place) : 0;
}

}  // namespace vandor

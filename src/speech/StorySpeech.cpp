#include "speech/StorySpeech.h"

#include <string_view>

#include "resources/ScriptText.h"
#include "scenario/NovelGame.h"
#include "speech/TextLanguage.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr std::string_view kChoiceCommand = "選択";
constexpr const char* kButtonWord = "ボタン";

void AddLine(std::string& text, std::string_view line) {
    if (line.empty()) return;
    if (!text.empty()) text += '\n';
    text += line;
}

}  // namespace

std::string PageTextAhead(const TNovelGame& engine) {
    std::string text;
    int column = engine.Column;
    for (int index = engine.Line; const std::string* line = engine.LineAt(index); ++index, column = 1) {
        if (line->empty()) break;
        std::string_view rest(*line);
        if (column > 1) {
            rest.remove_prefix(CodePointPrefixBytes(rest, static_cast<std::size_t>(column - 1)));
        } else if (rest.starts_with("*")) {
            continue;
        } else if (rest.starts_with(kCommandMark)) {
            const std::string_view body = rest.substr(kCommandMark.size());
            if (body.starts_with(kChoiceCommand)) break;
            const std::size_t close = body.find(kCommandMark);
            rest = close == std::string_view::npos ? std::string_view() : body.substr(close + kCommandMark.size());
        }
        AddLine(text, rest);
    }
    return text;
}

std::string StoredPageText(TNovelGame& engine, int page) {
    std::string text;
    const TNGText& store = engine.Store();
    for (int32_t i = 0; i < store.Count(); ++i) {
        if (store.Item(i).Page == page) AddLine(text, store.Item(i).Text);
    }
    return text;
}

TStorySpeech::TStorySpeech(TNovelGame& engine, ISpeech& speech) : Engine_(engine), Speech_(speech) {}

void TStorySpeech::PageStarts() {
    Stop();
    if (Engine_.Skipping()) return;
    PageSaid_ = true;
    const std::string text = PageTextAhead(Engine_);
    if (Engine_.VoicePlaying() && !TextWithVoice) {
        Waiting_ = text;
    } else {
        Say(text, TSpeechPriority::Text);
    }
}

void TStorySpeech::Step(const void* focused) {
    // A turned page leaves the message window empty until the next one writes.
    if (PageSaid_ && (Engine_.Message().PageRegistered || Engine_.Skipping())) Stop();
    if (!Waiting_.empty() && !Engine_.VoicePlaying()) {
        Say(Waiting_, TSpeechPriority::Text);
        Waiting_.clear();
    }
    StepBackLog();
    SpeakFocus(focused);
}

void TStorySpeech::StepBackLog() {
    TLayerBackLog& backLog = Engine_.BackLog();
    if (!backLog.Visible()) {
        if (BackLogPage_ >= 0) Stop();
        BackLogPage_ = -1;
        return;
    }
    if (backLog.CurrentPage == BackLogPage_) return;
    Stop();
    BackLogPage_ = backLog.CurrentPage;
    Say(StoredPageText(Engine_, BackLogPage_), TSpeechPriority::Text);
}

void TStorySpeech::SpeakFocus(const void* focused) {
    if (focused == Focused_) return;
    Focused_ = focused;
    for (const TLayerLabel* choice : Engine_.Choices()) {
        if (static_cast<const TLayerItem*>(choice) == focused) Say(choice->Caption(), TSpeechPriority::Message);
    }
    const auto& buttons = Engine_.Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (static_cast<const TLayerItem*>(buttons[i]) != focused) continue;
        const std::string& caption = buttons[i]->SpokenCaption;
        Say(caption.empty() ? kButtonWord + std::to_string(i + 1) : caption, TSpeechPriority::Message);
    }
}

void TStorySpeech::Say(const std::string& text, TSpeechPriority priority) {
    if (text.empty()) return;
    Speech_.Say(text, TextLanguage(text), priority);
    Speaking_ = true;
}

// Only what may still be heard is stopped: a turned page after a silent one asks nothing.
void TStorySpeech::Stop() {
    Waiting_.clear();
    PageSaid_ = false;
    if (!Speaking_) return;
    Speech_.Stop();
    Speaking_ = false;
}

}  // namespace vandor

#include "scenario/NovelGame.h"

#include <algorithm>

#include "resources/ScriptCache.h"
#include "resources/ScriptText.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr TColor32 kFrameColour = 0xCC000000;
const std::string kMark(kCommandMark);

}  // namespace

TNovelGame::TNovelGame(const std::string& startScript, TNovelServices services) : Services_(services) {
    ScriptName = AsciiLower(startScript);
    // A start script that cannot be read leaves an empty stage, as a missing one does.
    try {
        Script_ = Services_.Scripts.GetScript(ScriptName);
    } catch (const std::exception& error) {
        Log(error.what());
    }
    VoiceVolume.fill(100);
    for (int i = -3; i <= 3; ++i) InitialProperty.Positions[i + 3] = kStageWidth / 2 + i * kStageWidth / 8;

    MessageFrame_ = &Layers.AddFill(kFrameColour, kStageWidth, kMessageFrameHeight, 0,
                                    kStageHeight - kMessageFrameHeight, 100, kAnchorTopLeft);
    Message_ = &Layers.Add(std::make_unique<TLayerMessage>(Store_, Services_.Renderer));
    CurrentProperty = InitialProperty;
    LayOutMessageWindow();

    auto backlog = std::make_unique<TLayerBackLog>(Store_, Services_.Renderer);
    backlog->SetBitmapSize(kStageWidth, kStageHeight);
    backlog->Bitmap()->Font.Name = kBackLogFont;
    backlog->Position.SetAnchor(kAnchorTopLeft);
    backlog->SetPosition(0, 0, 80);
    BackLog_ = &Layers.Add(std::move(backlog));

    DefaultChoiceFrame_ = &Layers.AddFill(kFrameColour, 400, 240, 200, 230, 60, kAnchorTopLeft);
    DefaultChoiceFrame_->HitAlpha = kHitNever;
    DefaultChoiceFrame_->SetVisible(false);

    ColorFade(0xFF000000, 0);
    Layers.Render(0);
}

TNovelGame::~TNovelGame() {
    // Layers first: their handlers refer to the engine.
    Layers.Clear();
    if (Script_) Services_.Scripts.Release(Script_);
}

int TNovelGame::LineCount() const { return Script_ ? static_cast<int>(Script_->size()) : 0; }

const std::string* TNovelGame::LineAt(int index) const {
    if (!Script_ || index < 0 || index >= LineCount()) return nullptr;
    const std::vector<std::string>& lines = Translated_.empty() ? *Script_ : Translated_;
    return &lines[static_cast<std::size_t>(index)];
}

void TNovelGame::Log(const std::string& text) {
    if (Services_.Log) Services_.Log->Add(text);
}

bool TNovelGame::Condition(const std::string& condition) {
    bool result = true;
    if (OnCondition) OnCondition(condition, result);
    return result;
}

void TNovelGame::ApplyFont(const TNovelProperty& property) {
    TBitmap32& surface = Message_->Surface();
    surface.Font.Name = ShownFont(property.FontName);
    surface.Font.Height = property.FontSize;
    Message_->LineHeight = property.LineHeight;
}

void TNovelGame::LayOutMessageWindow() {
    MessageFrame_->HitAlpha = kHitNever;
    Message_->SetBitmapSize(MessageFrame_->Width(), MessageFrame_->Height());
    Message_->Position.SetAnchor(kAnchorTopLeft);
    Message_->SetPosition(0, kStageHeight - MessageFrame_->Height(), 80);
    ApplyFont(CurrentProperty);
    Message_->AntiAlias = AntiAlias;
    Message_->Clear();
    Message_->HitAlpha = kHitNever;
}

void TNovelGame::SetAntiAlias(bool antiAlias) {
    AntiAlias = antiAlias;
    Message_->AntiAlias = antiAlias;
}

// ---------------------------------------------------------------- run loop

bool TNovelGame::Update(int elapsed) {
    for (int steps = 0; steps < kMaxStepsPerFrame && ExecuteStep(); ++steps) {
    }
    if (Waiting && WaitLeft >= 0) {
        WaitLeft -= elapsed;
        if (WaitLeft <= 0) {
            Waiting = false;
            WaitLeft = -1;
        }
    }
    // The delay keeps its deficit: with delays shorter than a frame several characters
    // appear per frame and the reveal keeps pace with the text speed.
    if (Column > 1 && RevealDelay > 0) RevealDelay -= elapsed;
    StepAuto(elapsed);
    StepPageEndMark(elapsed);
    if (DownHeld) Wheel(+1);
    if (UpHeld) Wheel(-1);
    return Layers.Render(elapsed);
}

bool TNovelGame::ExecuteStep() {
    if (TransitionsRunning() && !IgnoreTransitions) return false;
    if (Hidden || BackLog_->Visible() || RevealDelay > 0 || Waiting) return false;
    const std::string* line = LineAt(Line);
    if (!line) return false;
    NoSkip = false;
    IgnoreTransitions = false;

    if (line->empty() || (Column == 1 && StartsWith(*line, "*"))) {
        if (line->empty()) {
            MarkPageRead();
            PageEnd();
        } else {
            LastLabel = *line;
            if (OnLabel) OnLabel();
        }
        ++Line;
        Column = 1;
        RevealDelay = 0;
        return false;
    }
    if (Column > 1 || !StartsWith(*line, kMark)) return RunText(*line);
    return RunCommand(*line);
}

void TNovelGame::PageEnd() {
    ApplyPendingCatalogue();
    Message_->Clear();
    ApplyFont(InitialProperty);
    CurrentProperty = InitialProperty;
}

bool TNovelGame::RunText(const std::string& line) {
    const std::size_t start = CodePointPrefixBytes(line, static_cast<std::size_t>(Column - 1));
    std::size_t end = start;
    if (start < line.size()) NextCodePoint(line, end);
    if (start < line.size() && line[start] == '\n') {
        // A translated page may hold more lines than the script had: they continue
        // its last line, broken where the translation breaks.
        Message_->NewLine();
    } else if (start < line.size()) {
        if (Message_->PageRegistered && OnPageStart) OnPageStart();
        // Skipped text is drawn plain: it only flashes by.
        if (Skipping()) Message_->AntiAlias = false;
        Message_->AddChar(std::string_view(line).substr(start, end - start), std::string_view(line).substr(end));
        Message_->AntiAlias = AntiAlias;
        MessageFrame_->SetVisible(true);
        Message_->SetVisible(true);
        if (TextSpeed > 0 && !ShowRest && !Skipping()) RevealDelay += TextSpeed;
    }
    ++Column;
    return end < line.size() || EndTextLine();
}

bool TNovelGame::EndTextLine() {
    Message_->NewLine();
    ++Line;
    Column = 1;
    RevealDelay = 0;
    // Choices follow in the next frame without a click, the text still shown.
    if (const std::string* next = LineAt(Line); next && StartsWith(*next, kMark + "選択")) return false;
    StartClickWaitIfPageEnds();
    return true;
}

bool TNovelGame::RunCommand(const std::string& line) {
    ShowRest = false;
    RevealDelay = 0;
    CommandLine_ = Line;
    const std::string_view body = std::string_view(line).substr(kMark.size());
    const std::size_t close = body.find(kMark);
    // With the closing mark at the end, or none at all (an unmatched "["), the whole
    // rest is the command and its text is not shown a second time as message text.
    const std::string command(body.substr(0, close));
    std::string trailing;
    if (close == std::string_view::npos || close + kMark.size() == body.size()) {
        ++Line;
        Column = 1;
    } else {
        const std::string_view before = std::string_view(line).substr(0, kMark.size() + close + kMark.size());
        trailing = line.substr(before.size());
        Column = static_cast<int>(CodePointCount(before)) + 1;
    }
    TFields fields = SplitFields(command);
    if (fields.empty() || fields[0].empty()) {
        Log("コマンド名のない命令を飛ばします: " + line);
        return true;
    }
    return Dispatch(fields, trailing);
}

void TNovelGame::StartClickWaitIfPageEnds() {
    const std::string* next = LineAt(Line);
    if (next && next->empty()) {
        Waiting = true;
        WaitLeft = -1;
        ShowRest = false;
    }
}

// ---------------------------------------------------------------- input

void TNovelGame::Advance() {
    // A protected wait cannot be cut short, but the backlog opened during it must still
    // close: showing the window again ends nothing, and the wait goes on afterwards.
    if (NoSkip) {
        if (Hidden) Unhide();
        return;
    }
    WaitLeft = -1;
    if (Hidden) {
        Unhide();
        return;
    }
    if (ChoicesOrButtonsShown()) return;
    if (Waiting) {
        StopVoices();
        Waiting = false;
        RevealDelay = 0;
    } else if (Column > 1 || RevealDelay > 0) {
        RevealDelay = 0;
        ShowRest = true;
    }
}

void TNovelGame::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!TransitionsRunning() && ChoicesOrButtonsShown()) Layers.MouseDown(button, shift, x, y);
}

void TNovelGame::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // A click on a voice mark of the backlog plays that voice and leaves the backlog open.
    const bool replayed = button == TMouseButton::mbLeft && ReplayVoiceAt(x, y);
    if (button == TMouseButton::mbLeft && !replayed) {
        if (!NoSkip && TransitionsRunning()) {
            FinishTransitions();
        } else {
            Advance();
        }
    } else if (button == TMouseButton::mbRight) {
        if (!RightClickLabel.empty()) {
            FinishTransitions();
            Jump(RightClickScript, RightClickLabel);
            ClearChoices();
            Waiting = false;
            NoSkip = false;
        } else if (!NoSkip && TransitionsRunning()) {
            FinishTransitions();
        } else {
            ToggleHide();
        }
    }
    Layers.MouseUp(button, shift, x, y);
}

void TNovelGame::KeyPress(int character) {
    if (character == vkReturn) {
        Advance();
    } else if (character == vkSpace) {
        ToggleHide();
    }
}

void TNovelGame::ToggleHide() {
    if (Hidden) {
        Advance();
        return;
    }
    if (!Message_->Visible() || !Buttons_.empty() || NoSkip) return;
    HideWindow();
}

void TNovelGame::HideWindow() {
    Hidden = true;
    Message_->SetVisible(false);
    MessageFrame_->SetVisible(false);
    ChoiceFrame()->SetVisible(false);
    if (Face_.Layer) Face_.Layer->SetVisible(false);
    for (TLayerLabel* choice : Choices_) choice->SetVisible(false);
}

void TNovelGame::Unhide() {
    if (BackLog_->Visible()) Services_.Sound.ReplayVoice().Stop();
    Hidden = false;
    MessageFrame_->SetVisible(true);
    Message_->SetVisible(true);
    BackLog_->SetVisible(false);
    if (Face_.Used && Face_.Layer) Face_.Layer->SetVisible(true);
    for (TLayerLabel* choice : Choices_) choice->SetVisible(true);
    if (!Choices_.empty()) ChoiceFrame()->SetVisible(true);
}

void TNovelGame::Wheel(int direction) {
    if (!Choices_.empty() || ChoiceFrame_ || DefaultChoiceFrame_->Visible()) return;
    if (BackLog_->Visible()) {
        if (direction > 0 && BackLog_->CurrentPage >= BackLog_->LastTopPage) {
            Advance();
        } else {
            BackLog_->Scroll(direction);
        }
    } else if (direction < 0) {
        OpenBackLog();
    } else if (direction > 0) {
        Advance();
    }
}

void TNovelGame::OpenBackLog() {
    if (!Buttons_.empty() || !RightClickLabel.empty()) return;
    if (!Hidden) {
        if (!Message_->Visible()) return;
        HideWindow();
    }
    BackLog_->ShowVoiceMarks = ReplayVoices;
    BackLog_->Rebuild();
    BackLog_->SetVisible(true);
}

// ---------------------------------------------------------------- jumps

void TNovelGame::Jump(const std::string& script, const std::string& label) {
    if (!script.empty() && script != ".") {
        const std::string name = AsciiLower(script);
        if (name != ScriptName) {
            if (const auto* loaded = Services_.Scripts.GetScript(name)) {
                if (Script_) Services_.Scripts.Release(Script_);
                Script_ = loaded;
                ScriptName = name;
                Line = 0;
                ApplyPendingCatalogue();
                TranslateScript();
                StartAtLineBeginning();
                Log("スクリプト \"" + name + "\" 読み込み.");
                if (OnScriptLoaded) OnScriptLoaded();
            }
        }
    }
    if (label.empty() || label == ".") return;
    // Forward from the current line first, then from the top.
    const int count = LineCount();
    int found = -1;
    for (int i = std::max(Line, 0); i < count && found < 0; ++i) {
        if (*LineAt(i) == label) found = i;
    }
    for (int i = 0; i < std::min(Line, count) && found < 0; ++i) {
        if (*LineAt(i) == label) found = i;
    }
    StartAtLineBeginning();
    if (found >= 0) {
        Line = found;
        Log("ラベル \"" + label + "\" へ移動.");
    } else {
        Line = 0;
        Log("ラベル \"" + label + "\" は存在しません. スクリプトの冒頭へ移動.");
    }
}

bool TNovelGame::HasLabel(const std::string& label) const {
    for (int i = 0; i < LineCount(); ++i) {
        if (*LineAt(i) == label) return true;
    }
    return false;
}

// A jump can come in the middle of a reveal (a button or the right click during it).
// The delay still owed and a click's "show the rest" belonged to the old page; with the
// column back at the line start nothing would count that delay down, so the target
// starts without either and appears at the text speed.
void TNovelGame::StartAtLineBeginning() {
    Column = 1;
    RevealDelay = 0;
    ShowRest = false;
}

void TNovelGame::Reset() {
    FinishTransitions(200000);
    Message_->Clear();
    ClearChoices();
    RemoveButtons(0, "");
    RemoveStagePictures();
    if (Script_) Services_.Scripts.Release(Script_);
    Script_ = nullptr;
    Translated_.clear();
    ScriptName.clear();
}

}  // namespace vandor

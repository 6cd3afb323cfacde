// What the player may turn on to read more comfortably: skip that stops at pages never
// read, auto mode that ends click waits by itself, voices heard again from the backlog
// and the chosen answers kept in it. Each is off until the main window turns it on, and then the engine runs
// exactly as without it.

#include <algorithm>
#include <string_view>

#include "scenario/NovelGame.h"
#include "scenario/ReadPages.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr std::string_view kChosenMark = "→";

}  // namespace

bool TNovelGame::Skipping() const { return Skip && (!SkipReadOnly || CurrentPageRead()); }

// The page is known by its ending empty line: the first one from the current line on
// (while the page's click wait stands, the current line is that empty line itself).
bool TNovelGame::CurrentPageRead() const {
    if (!ReadPages) return false;
    int end = std::max(Line, 0);
    while (end < LineCount() && !LineAt(end)->empty()) ++end;
    return ReadPages->Contains(ScriptName, end);
}

void TNovelGame::MarkPageRead() {
    if (ReadPages) ReadPages->Add(ScriptName, Line);
}

int TNovelGame::AutoDelay() const {
    int characters = 0;
    for (int32_t i = Store_.Count() - 1; i >= 0 && Store_.Item(i).Page == Store_.PageCount() - 1; --i) {
        characters += static_cast<int>(CodePointCount(Store_.Item(i).Text));
    }
    return AutoTiming.Base + AutoTiming.PerCharacter * characters;
}

bool TNovelGame::AwaitingClick() const {
    return Waiting && WaitLeft < 0 && !NoSkip && !Hidden && !BackLog_->Visible() && !ChoicesOrButtonsShown();
}

bool TNovelGame::AtRest() const {
    return Waiting && WaitLeft < 0 && RevealDelay <= 0 && !TransitionsRunning() && !Skip && !AutoMode && !UpHeld &&
           !DownHeld && !Layers.NeedsRedraw() && !PageEndMark_.Animated();
}

bool TNovelGame::VoicePlaying() const {
    for (int channel = SoundChannel::FirstVoice; channel <= SoundChannel::ExtraVoice; ++channel) {
        const TOggData& voice = Services_.Sound.Channel(channel);
        if (voice.Playing() && !voice.Loop()) return true;
    }
    return false;
}

// The time counts from the moment the page stands complete; a voice still speaking
// holds the page however long the time has run.
void TNovelGame::StepAuto(int elapsed) {
    if (!AutoMode || !AwaitingClick()) {
        AutoWaited_ = 0;
        return;
    }
    AutoWaited_ += elapsed;
    if (AutoWaited_ < AutoDelay() || VoicePlaying()) return;
    AutoWaited_ = 0;
    Advance();
}

// The answer stands between the question's page and the next one, marked so that it
// reads as the player's choice rather than as a line of the story. The message window
// is told its page is over, so that the next text starts a page of its own even where
// the window had nothing written when the choices came.
void TNovelGame::KeepChoiceInBackLog(const std::string& caption) {
    if (!ChoiceToBackLog) return;
    TLayerMessage& message = Message();
    Store_.AddPage(message.MarginLeft, 0, message.FontHeight());
    Store_.Append(kChosenMark);
    Store_.Append(caption);
    message.PageRegistered = false;
}

// Skipped pages flash by: the mark would only flicker with them.
void TNovelGame::StepPageEndMark(int elapsed) {
    const TRect& window = Message_->DstRect();
    const TPoint textEnd{window.Left + Message_->TextEnd.X, window.Top + Message_->TextEnd.Y};
    const TRect textArea{window.Left + Message_->MarginLeft, window.Top + Message_->MarginTop,
                         window.Right - Message_->MarginRight, window.Bottom - Message_->MarginBottom};
    const bool shown = AwaitingClick() && Message_->Visible() && !Skipping();
    PageEndMark_.Step(elapsed, shown, textEnd, textArea, Message_->FontHeight());
}

bool TNovelGame::ReplayVoiceAt(int x, int y) {
    if (!ReplayVoices) return false;
    const TNGTListItem* line = BackLog_->VoiceMarkAt(x, y);
    if (!line) return false;
    const int level = line->VoiceChannel < static_cast<int>(VoiceVolume.size())
                          ? VoiceVolume[static_cast<std::size_t>(line->VoiceChannel)]
                          : 100;
    Services_.Sound.PlayReplay(line->Voice, line->VoiceChannel, std::clamp(level, 0, 100));
    return true;
}

}  // namespace vandor

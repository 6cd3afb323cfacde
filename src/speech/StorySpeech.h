#pragma once
// The story scene read aloud: each page whole as its first character appears, the
// focused choice or script button, and the backlog's page. A page turned, skipping, or
// the backlog opened or closed stop what is being said. While the page's own voice
// plays, its text waits for the voice to end, unless the player asked for it at once.

#include <string>

#include "speech/Speech.h"

namespace vandor {

class TNovelGame;

class TStorySpeech {
public:
    // Both outlive this.
    TStorySpeech(TNovelGame& engine, ISpeech& speech);

    // The page's first character is about to appear (the engine's OnPageStart).
    void PageStarts();
    // Once a frame, after the engine's update; `focused` is the focused choice or
    // button layer, or null.
    void Step(const void* focused);

    // Page text is spoken at once even while the page's voice plays.
    bool TextWithVoice = false;

private:
    void Say(const std::string& text, TSpeechPriority priority);
    void Stop();
    void StepBackLog();
    void SpeakFocus(const void* focused);

    TNovelGame& Engine_;
    ISpeech& Speech_;
    std::string Waiting_;    // the page text held back while the voice plays
    bool PageSaid_ = false;  // the page being shown was handed to the speech
    bool Speaking_ = false;  // something was said since the last stop
    int BackLogPage_ = -1;   // the backlog page spoken, -1 with the backlog closed
    const void* Focused_ = nullptr;
};

// The text of the page from the engine's position to its end, as the script holds it:
// the lines and the text after commands, without labels, commands and choices.
std::string PageTextAhead(const TNovelGame& engine);
// The lines the message window wrote on one page, as the backlog shows them.
std::string StoredPageText(TNovelGame& engine, int page);

}  // namespace vandor

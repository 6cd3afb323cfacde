#pragma once
// What the game says aloud for players who cannot read the screen. The game hands over
// whole texts with their language and never waits for them: the desktop's speech
// service queues, speaks and cancels them with the player's own voice and rate.

#include <string>

namespace vandor {

// How a text stands to what is being said: page text waits its turn and is dropped by
// a cancel; a message (the focus, a caption) cuts in; an important one is never dropped.
enum class TSpeechPriority { Text, Message, Important };

class ISpeech {
public:
    virtual ~ISpeech() = default;
    // `language` is an RFC 1766 code ("ja", "en"), so the service picks a voice for it.
    virtual void Say(const std::string& text, const std::string& language, TSpeechPriority priority) = 0;
    // Silences what is being said and drops what waits.
    virtual void Stop() = 0;
};

// Says nothing: the stand-in while self-voicing is off or no service answered.
class TNullSpeech final : public ISpeech {
public:
    void Say(const std::string&, const std::string&, TSpeechPriority) override {}
    void Stop() override {}
};

}  // namespace vandor

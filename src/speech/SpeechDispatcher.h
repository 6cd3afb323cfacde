#pragma once
// ISpeech through speech-dispatcher. libspeechd is loaded when self-voicing is first
// turned on, not linked: a machine without it still runs the game, and a player who
// never turns self-voicing on never loads it. The connection follows the player's own
// settings, and SPEECHD_ADDRESS when set (the tests point it at a server of their own).

#include <memory>
#include <string>

#include "speech/Speech.h"

namespace vandor {

class TSpeechDispatcher final : public ISpeech {
public:
    // The library name dlopen is asked for.
    static constexpr const char* kLibraryName = "libspeechd.so.2";

    // Connects as `clientName`; null, with `why` telling the player why, when the
    // library or the service is missing.
    static std::unique_ptr<TSpeechDispatcher> Connect(const std::string& clientName, std::string& why);
    ~TSpeechDispatcher() override;
    TSpeechDispatcher(const TSpeechDispatcher&) = delete;
    TSpeechDispatcher& operator=(const TSpeechDispatcher&) = delete;

    void Say(const std::string& text, const std::string& language, TSpeechPriority priority) override;
    void Stop() override;

private:
    struct TLibrary;
    TSpeechDispatcher(std::unique_ptr<TLibrary> library, void* connection);

    std::unique_ptr<TLibrary> Library_;
    void* Connection_;
    std::string Language_;  // the language last set on the connection
};

}  // namespace vandor

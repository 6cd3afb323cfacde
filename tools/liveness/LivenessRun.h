#pragma once
// Plays a liveness case on the real main window, headless: the case's input, then a
// fixed rescue that any player could give (everything released, then clicks on the
// window and on every button and choice shown, Enter and wheel-down notches, and
// Shift+Ctrl+Q while a battle runs) for a bounded number of frames.

#include <string>

#include "LivenessCase.h"

namespace vandor::liveness {

struct TLivenessResult {
    bool Reached = false;     // the script's end label was passed
    uint32_t Frames = 0;      // frames run in all
    std::string RescueInput;  // the rescue's events, in the replay's format
    std::string Where;        // where the script stood at the end: script, line, column, state
};

// The folder holds the program folder (scripts and pictures, written once) and the
// player's data folder, which every run starts without.
class TLivenessRunner {
public:
    explicit TLivenessRunner(std::string folder);
    TLivenessResult Run(const TLivenessCase& liveCase) const;
    // The case and its outcome as a report a developer can replay with
    // `vandor --headless --input`.
    static std::string Report(const TLivenessCase& liveCase, const TLivenessResult& result);

private:
    std::string Folder_;
    std::string ExeFolder_;
    std::string DocumentsFolder_;
};

}  // namespace vandor::liveness

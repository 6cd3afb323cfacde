#pragma once
// Game controllers through SDL's game controller API: each is opened as it connects and
// closed as it goes, at any time, and its buttons and axes go to the window's events by
// SDL's names ("a", "dpup", "leftx", ...). SDL's own mapping database knows the common
// controllers (and the Steam Deck's); a "gamecontrollerdb.txt" in SDL's format adds more.
// Nothing here runs by itself: the window host's timer calls Poll.

#include <memory>
#include <string>

#include "shell/WindowHost.h"

namespace vandor {

class TSdlGamepads {
public:
    // Starts SDL's game controller subsystem and adds the mappings of `mappingFile` when
    // it exists. Without the subsystem (it could not start) Poll does nothing.
    explicit TSdlGamepads(const std::string& mappingFile);
    ~TSdlGamepads();
    TSdlGamepads(const TSdlGamepads&) = delete;
    TSdlGamepads& operator=(const TSdlGamepads&) = delete;

    bool Available() const;
    // Whether a controller is open: only then do its events need reading often.
    bool AnyConnected() const;
    // Hands the controller events that came since the last call to `events`.
    void Poll(const TWindowEvents& events);

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};

}  // namespace vandor

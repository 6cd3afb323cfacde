#pragma once
// A controller that is not there, for tests of the real window: SDL's virtual joystick,
// attached as a game controller, whose buttons and axes follow the lines appended to a
// file (or written into a pipe): "down NAME", "up NAME", "axis NAME VALUE", with SDL's
// names. The game sees it exactly as a controller plugged in, through TSdlGamepads.

#include <memory>
#include <string>

namespace vandor {

class TVirtualPad {
public:
    // Attaches the controller; throws std::runtime_error when SDL cannot, or when the
    // file cannot be opened. TSdlGamepads must exist first (it starts SDL's subsystem).
    explicit TVirtualPad(const std::string& feedPath);
    ~TVirtualPad();
    TVirtualPad(const TVirtualPad&) = delete;
    TVirtualPad& operator=(const TVirtualPad&) = delete;

    // Carries out the lines that came since the last call; a bad line is skipped with a
    // note on stderr.
    void Feed();

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl_;
};

}  // namespace vandor

#pragma once
// The battle read aloud: the cell under the keyboard's or controller's cursor (its
// coordinates and what stands there), the tower kind chosen for building with its
// price, the pop-up button the pointer rests on with what it would do, and the captions
// as they appear (wave cleared, victory, defeat). The money, the base's durability and
// the wave are said when the player asks (Status).

#include <string>

#include "speech/Speech.h"
#include "util/Geometry.h"

namespace vandor {

class TQTDGame;

class TBattleSpeech {
public:
    // Both outlive this.
    TBattleSpeech(TQTDGame& battle, ISpeech& speech);

    // Once a frame of the battle: the cursor's cell (only while `cursorShown`) and the
    // pointer in picture coordinates.
    void Step(TPoint cursor, bool cursorShown, TPoint pointer);
    void Status();

    // What is said for a cell, a build kind and a pop-up button; empty for nothing.
    std::string CellText(TPoint cell) const;
    std::string BuildText(int type) const;
    std::string PopUpButtonText(int button) const;
    // The caption picture's meaning; empty for captions that are not told.
    static std::string CaptionText(const std::string& picture);

private:
    void Say(const std::string& text);
    int PopUpButtonAt(TPoint pointer) const;

    TQTDGame& Battle_;
    ISpeech& Speech_;
    const void* Caption_ = nullptr;
    TPoint Cursor_{-1024, -1024};
    int BuildType_ = -1;
    int PopUpButton_ = -1;
};

}  // namespace vandor

#pragma once
// A small mark in the picture's top right corner while auto mode or skip runs, so
// that the player sees why the pages move on by themselves. Drawn over the picture as
// it is presented, like the notices: the stage, screenshots and saves never hold it.

#include <memory>
#include <string>

#include "compositor/Bitmap32.h"

namespace vandor {

class TCatalogue;

enum class TStoryMode { None, Auto, Skip };

class TModeIndicator {
public:
    // The mode now running; true when the presented picture must be made again.
    bool Update(TStoryMode mode);
    bool Visible() const { return Mode_ != TStoryMode::None; }
    TStoryMode Mode() const { return Mode_; }
    const std::string& Text() const { return Text_; }
    // Where the mark lies on the picture.
    TRect Rect() const;
    void DrawOn(TBitmap32& picture) const;

private:
    TStoryMode Mode_ = TStoryMode::None;
    std::string Text_;
    // The catalogue Text_ came from (none while hidden), held like the quick menu's.
    std::shared_ptr<const TCatalogue> Language_;
    TBitmap32 Label_;
};

}  // namespace vandor

#pragma once
// A short line of text over the picture that tells the player something was done
// ("クイックセーブしました"): shown whole for a moment, then fading away. It is drawn
// over the picture as it is presented, never into the stage: no layer, no script and
// no screenshot sees it, and with no notice shown the picture goes out untouched.

#include <string>

#include "compositor/Bitmap32.h"

namespace vandor {

class TScreenNotice {
public:
    static constexpr int kShownMs = 1500;
    static constexpr int kFadeMs = 500;

    // Starts a notice, replacing one still shown.
    void Show(std::string text);
    // Lets `elapsed` milliseconds pass; true when the presented picture must be made
    // again (the notice shows, or has just gone).
    bool Step(int elapsed);
    bool Visible() const { return !Text_.empty(); }
    const std::string& Text() const { return Text_; }
    // 255 while shown whole, falling to 0 as it fades.
    int Opacity() const;
    // The picture with the notice over it, kept in the notice; `picture` stays as it is.
    const TBitmap32& Over(const TBitmap32& picture);

private:
    std::string Text_;
    int Age_ = 0;
    TBitmap32 Label_;
    TBitmap32 Composite_;
};

}  // namespace vandor

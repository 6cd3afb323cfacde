#pragma once
// The mark that tells the player a page waits for a click: a small picture of frames
// side by side, played in a loop beside the last character or in a corner of the
// message window. It is the author's choice ([初期値/クリック待ち記号]); until a
// script sets it the engine adds no layer, so the stage looks exactly as without it.

#include <string>

#include "compositor/LayerList.h"
#include "util/Fields.h"
#include "util/Geometry.h"

namespace vandor {

class IPictureSource;

enum class TPageEndMarkPlace { AfterText, BottomRight };

class TPageEndMark {
public:
    static constexpr int kDefaultFrameMs = 100;
    // Just in front of the message window's text.
    static constexpr int kDepth = 79;

    explicit TPageEndMark(TLayerList& layers) : Layers_(layers) {}
    ~TPageEndMark();
    TPageEndMark(const TPageEndMark&) = delete;
    TPageEndMark& operator=(const TPageEndMark&) = delete;

    // Fields of the setting, from field 2: picture (none removes the mark), frames
    // (default: as many square frames as the picture holds), milliseconds per frame,
    // place (文末 or 右下). A picture that cannot be loaded keeps the old mark.
    void Set(IPictureSource& pictures, const TFields& fields);
    bool Active() const { return Layer_ != nullptr; }
    int Frames() const { return Frames_; }
    int FrameMs() const { return FrameMs_; }
    TPageEndMarkPlace Place() const { return Place_; }
    // A mark of several frames moves while it shows: the frames must keep running.
    bool Animated() const { return Active() && Frames_ > 1; }
    // Lets `elapsed` milliseconds pass. While `shown`, the mark stands at its place:
    // `textEnd` is the point just after the last character (its line's top), `window`
    // the message window's text area on the stage, `lineHeight` the font's height.
    void Step(int elapsed, bool shown, TPoint textEnd, const TRect& window, int lineHeight);
    const TLayerItem* Layer() const { return Layer_; }

private:
    void ShowFrame(int frame);

    TLayerList& Layers_;
    TLayerItem* Layer_ = nullptr;
    int Frames_ = 1;
    int FrameMs_ = kDefaultFrameMs;
    TPageEndMarkPlace Place_ = TPageEndMarkPlace::AfterText;
    int Age_ = 0;
};

}  // namespace vandor

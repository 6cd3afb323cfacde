#pragma once
// A picture button: the picture holds three frames stacked vertically (normal,
// hover, pressed) and the layer shows the one that fits the pointer.

#include <string>
#include <string_view>

#include "compositor/LayerItem.h"

namespace vandor {

class TLayerButton : public TLayerItem {
public:
    enum TFrame { bfNormal = 0, bfHover = 1, bfPressed = 2 };

    // Throws when the picture does not exist: a button without frames cannot work.
    TLayerButton(IPictureSource& pictures, std::string_view name);

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    void ShowFrame(int frame);

    // Free for the owner: where a click leads and which sounds go with it.
    std::string JumpScript;
    std::string JumpLabel;
    std::string HoverSound;
    std::string ClickSound;
    // What self-voicing says for the button, which shows only a picture; empty: its number.
    std::string SpokenCaption;
    bool Enabled = true;  // when false the frame does not follow hover and press
};

}  // namespace vandor

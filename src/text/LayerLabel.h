#pragma once
// A clickable text label (the choices of the story) drawn by the program in three
// frames like a picture button: normal with a drop shadow, hover on a translucent
// band with a faint glow, and pressed one pixel lower right.

#include <string>

#include "compositor/LayerItem.h"
#include "text/TextRender.h"

namespace vandor {

class TLayerLabel : public TLayerItem {
public:
    explicit TLayerLabel(TRTextRender& renderer);

    void SetCaption(std::string text);
    void Redraw();

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    const std::string& Caption() const { return Caption_; }

    // Free for the owner: where a click leads and which sounds go with it.
    std::string JumpScript;
    std::string JumpLabel;
    std::string HoverSound;
    std::string ClickSound;
    bool Enabled = true;  // three frames that follow the mouse; one still frame when false
    bool AntiAlias = true;
    TColor32 TextColour = 0xFFFFFFFF;
    TColor32 ShadowColour = 0xFF000000;
    TColor32 HoverColour = 0x22FFFFFF;

private:
    void ShowFrame(int frame);

    TRTextRender& Renderer_;
    std::string Caption_;
};

}  // namespace vandor

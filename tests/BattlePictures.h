#pragma once
// The pictures that decide where the pointer lands in a battle, for the battle tests
// and the fuzz target that clicks through battles: diamond ground tiles with a marker
// frame, the background, the base and its walls, the pop-up's frame and button, the
// command and build buttons of three frames, and towers that stay within their tile.
// All plain grey but the ground. Free of the test framework, so the fuzz target can
// use it too.

#include <string>

#include "DiamondTiles.h"
#include "resources/PictureCodec.h"

namespace vandor::test {

// False when the picture cannot be written.
inline bool SaveGreyPicture(const std::string& path, int width, int height) {
    TBitmap32 picture(width, height);
    picture.Clear(0xFF808080);
    return SavePng(picture, path);
}

// `folder` ends with '/'; false when a picture cannot be written.
inline bool SaveBattlePointerPictures(const std::string& folder) {
    const TBitmap32 ground = DiamondTiles([](int frame) -> TColor32 { return frame == 2 ? 0xC0FF0000 : 0xFF30A040; });
    bool saved = SavePng(ground, folder + "地面.png");
    const auto grey = [&](const std::string& name, int width, int height) {
        saved = SaveGreyPicture(folder + name, width, height) && saved;
    };
    grey("bgi戦闘.png", 800, 600);
    grey("城.png", 48, 46);
    grey("城壁.png", 192, 32);
    grey("frmメニュー.png", 150, 102);
    grey("btn汎用.png", 142, 72);
    for (const char* button : {"btn戦闘開始.png", "btn高速モード.png", "btn一時停止.png"}) grey(button, 128, 96);
    for (int t = 1; t <= 8; ++t) {
        grey("btn塔" + std::to_string(t) + ".png", 48, 144);
        grey("塔" + std::to_string(t) + ".png", 24, 20);
    }
    return saved;
}

}  // namespace vandor::test

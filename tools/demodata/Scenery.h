#pragma once
// The demo's backgrounds (800 x 600): the fortress outside by dusk and by night, its
// walls, hall, workshop and observatory, the fortress plan, the mist king's castle, and
// the sky of the star reading with its seven variants and the lightning flash.

#include <string>
#include <vector>

#include "compositor/Bitmap32.h"

namespace vandor::demo {

struct TPicture {
    std::string Name;  // file name, ".png"
    TBitmap32 Bitmap;
};

std::vector<TPicture> MakeBackgrounds();
// The sky of the title picture is the fortress by night, drawn by the same hand.
void PaintFortressNight(TBitmap32& picture);
// The sheet the maps are drawn on: warm parchment with faint stains where the seed puts them.
void PaintParchment(TBitmap32& picture, uint32_t seed);
// The companion title's fortress: the same hand at a grey winter dawn.
void PaintAshFortress(TBitmap32& picture);

}  // namespace vandor::demo

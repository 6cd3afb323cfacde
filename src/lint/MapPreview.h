#pragma once
// vandor --map-preview: an area's field as its map file makes it, with the walking
// distance of every cell and the enemies' entry points, and beside it what each wave
// of the area's first battle in a new game brings, so that an author can see a map and
// wave table without playing them.

#include <string>

#include "compositor/Bitmap32.h"

namespace vandor {

class TFileCache;

// The wave table the first battle of `area` reads in a new game ("bt03-01.txt",
// "bt03-00.txt" or "bt00-00.txt"); empty when there is none.
std::string FirstBattleWaveTable(TFileCache& files, int area);

// Where the preview draws cell (x, y): the field turned flat, x growing to the right
// and y upwards.
TRect MapPreviewCell(int x, int y);

// Throws std::invalid_argument for an area outside 1..14.
TBitmap32 DrawMapPreview(TFileCache& files, int area);

}  // namespace vandor

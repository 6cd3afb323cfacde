#pragma once
// The demo's staging rules, checked on the stage of a running scene once its pictures
// have settled: a figure stands wholly inside the picture, and the face beside the
// message window never covers a figure.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "scenario/NovelGame.h"

namespace vandor::test {

// The stage columns the figure of a standing picture covers: its opaque pixels only.
struct TColumns {
    int Left, Right;  // Right is past the last column
};

inline TColumns FigureColumns(const std::string& name, const TLayerItem& layer) {
    static std::map<std::string, TColumns> inPicture;  // the same picture is looked at on many frames
    auto known = inPicture.find(name);
    if (known == inPicture.end()) {
        const TBitmap32& picture = *layer.Bitmap();
        TColumns columns{picture.Width(), 0};
        for (int y = 0; y < picture.Height(); ++y) {
            const TColor32* row = picture.ScanLine(y);
            for (int x = 0; x < picture.Width(); ++x) {
                if ((row[x] >> 24) == 0) continue;
                columns.Left = std::min(columns.Left, x);
                columns.Right = std::max(columns.Right, x + 1);
            }
        }
        known = inPicture.emplace(name, columns).first;
    }
    return {layer.DstRect().Left + known->second.Left, layer.DstRect().Left + known->second.Right};
}

// What breaks the rules on the stage now, one line per fault; `where` names the place.
inline std::vector<std::string> StageFaults(const TNovelGame& game, const std::string& where) {
    std::vector<std::string> faults;
    const TLayerItem* face = game.Face().Used ? game.Face().Layer : nullptr;
    for (int slot = 0; slot < TNovelGame::kStandingSlots; ++slot) {
        const TLayerState& standing = game.Standing(slot);
        if (!standing.Used || standing.Layer == nullptr) continue;
        const TColumns figure = FigureColumns(standing.Name, *standing.Layer);
        if (figure.Left < 0 || figure.Right > game.Layers.Surface.Width()) {
            faults.push_back(where + ": " + standing.Name + " is cut at the picture's edge");
        }
        if (face != nullptr && figure.Left < face->DstRect().Right && face->DstRect().Left < figure.Right) {
            faults.push_back(where + ": " + game.Face().Name + " covers " + standing.Name);
        }
    }
    return faults;
}

}  // namespace vandor::test

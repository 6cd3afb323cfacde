// vandor --map-preview AREA OUT.png: an area's field and waves drawn into a picture.

#include <iostream>
#include <stdexcept>

#include "GameData.h"
#include "GameRuns.h"
#include "lint/MapPreview.h"
#include "resources/PictureCodec.h"

namespace vandor {

int RunMapPreview(const TCommandLine& line, const TRunFolders& folders) {
    TGameData data(folders);
    if (!data.Error().empty()) {
        std::cerr << "vandor: " << data.Error() << "\n";
        return 1;
    }
    TBitmap32 picture;
    try {
        picture = DrawMapPreview(data.Files(), line.PreviewArea);
    } catch (const std::invalid_argument& error) {
        std::cerr << "vandor: " << error.what() << "\n";
        return 2;
    }
    if (!SavePng(picture, line.PreviewPath)) {
        std::cerr << "vandor: cannot write \"" << line.PreviewPath << "\"\n";
        return 1;
    }
    return 0;
}

}  // namespace vandor

#pragma once
// The game's data opened as a start of the game would open it (the same archives and
// debug folders, the same lookup), for the runs that read it without playing.

#include <memory>
#include <vector>

#include "GameRuns.h"
#include "resources/Archive.h"
#include "resources/FileCache.h"

namespace vandor {

struct TGameData {
    TFileCache Files{nullptr};
    std::vector<std::unique_ptr<TggDPFile>> Archives;
};

// False, with the reason printed as a lint finding, when an archive cannot be opened.
bool OpenGameData(const TRunFolders& folders, TGameData& data);

}  // namespace vandor

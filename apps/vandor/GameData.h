#pragma once
// The game's data found and opened as a start of the game would (the same archives and
// debug folders, the same lookup), for the runs that read it without playing.

#include <memory>
#include <string>
#include <vector>

#include "GameRuns.h"
#include "resources/Archive.h"
#include "resources/FileCache.h"

namespace vandor {

class TGameData {
public:
    // Makes no folder anywhere. Error() says which archive could not be opened.
    explicit TGameData(const TRunFolders& folders);

    TFileCache& Files() { return Files_; }
    // "PATH:0: error: ..." when an archive the game needs cannot be opened; else empty.
    const std::string& Error() const { return Error_; }

private:
    TFileCache Files_{nullptr};
    std::vector<std::unique_ptr<TggDPFile>> Archives_;
    std::string Error_;
};

}  // namespace vandor

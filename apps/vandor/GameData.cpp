#include "GameData.h"

#include <exception>

#include "shell/DataLocations.h"

namespace vandor {

TGameData::TGameData(const TRunFolders& folders) {
    // A run that only reads makes no folder, neither the player's nor --save-dir's.
    TDataLocations locations =
        Discover(folders.ExeFolder, folders.DocumentsFolder, nullptr, {folders.SaveFolder, false});
    // The mode the game would start in: combined only when the titles can be.
    locations.Separate = locations.Separate || !locations.Combinable;
    for (const TDataSource& source : DataSources(locations)) {
        if (!source.IsArchive) {
            Files_.AddFolder(source.Path);
            continue;
        }
        try {
            Archives_.push_back(std::make_unique<TggDPFile>(source.Path));
            Files_.AddArchive(Archives_.back().get());
        } catch (const std::exception& error) {
            Error_ = source.Path + ":0: error: the game cannot open this archive and ends: " + error.what();
            return;
        }
    }
}

}  // namespace vandor

#include "GameData.h"

#include <iostream>

#include "shell/DataLocations.h"

namespace vandor {

bool OpenGameData(const TRunFolders& folders, TGameData& data) {
    TDataLocations locations = Discover(folders.ExeFolder, folders.DocumentsFolder, nullptr);
    // The mode the game would start in: combined only when the titles can be.
    locations.Separate = locations.Separate || !locations.Combinable;
    for (const TDataSource& source : DataSources(locations)) {
        if (!source.IsArchive) {
            data.Files.AddFolder(source.Path);
            continue;
        }
        try {
            data.Archives.push_back(std::make_unique<TggDPFile>(source.Path));
            data.Files.AddArchive(data.Archives.back().get());
        } catch (const std::exception& error) {
            std::cout << source.Path << ":0: error: the game cannot open this archive and ends: " << error.what()
                      << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace vandor

// vandor --lint: the game's data found and looked up as a start of the game would,
// then checked without running a frame.

#include <iostream>
#include <memory>
#include <vector>

#include "GameRuns.h"
#include "lint/GameLint.h"
#include "resources/Archive.h"
#include "resources/FileCache.h"
#include "shell/DataLocations.h"

namespace vandor {

int RunLint(const TRunFolders& folders) {
    // A check only reads: it makes no folder, neither the player's nor --save-dir's.
    TDataLocations locations =
        Discover(folders.ExeFolder, folders.DocumentsFolder, nullptr, {folders.SaveFolder, false});
    // The mode the game would start in: combined only when the titles can be.
    locations.Separate = locations.Separate || !locations.Combinable;
    TFileCache files(nullptr);
    std::vector<std::unique_ptr<TggDPFile>> archives;
    for (const TDataSource& source : DataSources(locations)) {
        if (!source.IsArchive) {
            files.AddFolder(source.Path);
            continue;
        }
        try {
            archives.push_back(std::make_unique<TggDPFile>(source.Path));
            files.AddArchive(archives.back().get());
        } catch (const std::exception& error) {
            std::cout << source.Path << ":0: error: the game cannot open this archive and ends: " << error.what()
                      << "\n";
            return 1;
        }
    }
    TGameLint lint(files);
    lint.Run();
    for (const TLintFinding& finding : lint.Findings()) std::cout << FormatFinding(finding) << "\n";
    return lint.HasErrors() ? 1 : 0;
}

}  // namespace vandor

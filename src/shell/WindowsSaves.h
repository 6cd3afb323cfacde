#pragma once
// Saves a player made on Windows. There the game keeps its save folder in the user's
// documents folder, under the maker's folder and the title's folder; under Wine and
// Proton that documents folder lies inside a prefix ("drive_c/users/NAME/Documents"),
// and a player may also point at a copy of it (a Windows partition, a backup). The
// game offers once to bring such saves into a save folder that holds no slot yet.
// Everything is copied, nothing moved: the Windows files are only ever read.

#include <string>
#include <vector>

#include "shell/Environment.h"

namespace vandor {

class TReadFlags;

// Save folders of this title's folder name (`titleFolder`, e.g.
// "ヴァンドルの星砦タクティクス") that hold at least one slot file, each ending with
// '/', without doubles, in this order: below `importFolder` (given with
// --import-saves: the save folder itself, a documents folder or a prefix), then in
// $WINEPREFIX, ~/.wine and Steam's Proton prefixes (compatdata/*/pfx).
std::vector<std::string> FindWindowsSaveFolders(const TEnvironment& environment, const std::string& importFolder,
                                                const std::string& titleFolder);

// Whether `folder` (ending with '/') holds a slot file.
bool HoldsSlot(const std::string& folder);

struct TImportReport {
    int Slots = 0;
    int ReadFlags = 0;
    // The files left out because they could not be read, by their paths.
    std::vector<std::string> Damaged;
};

// Copies from the Windows save folder `source` into the save folder `target` (both
// ending with '/'): every slot file that reads whole, with its caption from the
// source's "Config.ini" (CP932; a missing one is formed from the save and the file's
// time) written to the target's, and the read flags added to `flags`. Throws
// TSaveFileError when the target's Config.ini cannot be written.
TImportReport ImportWindowsSaves(const std::string& source, const std::string& target, TReadFlags& flags);

}  // namespace vandor

#pragma once
// Watches the loose data folders of debug mode for files written or moved in
// (inotify), so that an author sees an edit without restarting the game. Polled once a
// frame; never blocks.

#include <string>
#include <vector>

namespace vandor {

class TFolderWatch {
public:
    TFolderWatch();
    ~TFolderWatch();
    TFolderWatch(const TFolderWatch&) = delete;
    TFolderWatch& operator=(const TFolderWatch&) = delete;

    // Watches `folder` and the folders below it; a folder that cannot be watched is
    // skipped (the game plays on without noticing its edits).
    void Watch(const std::string& folder);
    // The names of the files finished writing or moved in since the last call, each once,
    // in the order they changed.
    std::vector<std::string> Changes();
    // Whether Changes has anything to read, without reading it.
    bool Pending() const;

private:
    int Descriptor_ = -1;
};

}  // namespace vandor

#pragma once
// Running the game program as a user does, from the folder it was copied to, and
// reading what it left there.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "util/Encoding.h"

namespace vandor::test {

// Runs `./vandor ARGUMENTS` in `gameFolder` with the per-user data in `documents`, its
// output going to the two files; returns the exit status (-1 when it did not exit).
inline int RunGame(const std::string& gameFolder, const std::string& documents, const std::string& arguments,
                   const std::string& stdoutPath, const std::string& stderrPath) {
    const std::string command = "cd '" + gameFolder + "' && XDG_DATA_HOME='" + documents + "' ./vandor " + arguments +
                                " >'" + stdoutPath + "' 2>'" + stderrPath + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The debug log the game wrote beside itself last, as UTF-8; empty when there is none.
// Runs within one minute write a file each.
inline std::string ReadDebugLog(const std::string& gameFolder) {
    std::filesystem::path newest;
    std::filesystem::file_time_type newestTime;
    for (const auto& entry : std::filesystem::directory_iterator(gameFolder)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("debug") || entry.path().extension() != ".txt") continue;
        if (newest.empty() || entry.last_write_time() > newestTime) {
            newest = entry.path();
            newestTime = entry.last_write_time();
        }
    }
    return newest.empty() ? std::string() : Cp932ToUtf8(ReadTextFile(newest.string()));
}

}  // namespace vandor::test

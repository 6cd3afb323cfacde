#pragma once
// The program's one diagnostic log. Lines are kept in memory and written to a file
// beside the program only at shutdown and after an error, so logging costs nothing
// on disk during play. Recording is on in debug mode and after the first unhandled
// error; lines recorded before start-up decided the mode stay and are written if
// recording is switched on later. Two runs in one minute write two files: the
// second takes the name with a suffix ("debug202612100851-2.txt").

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "util/Clock.h"

namespace vandor {

class TDebugLog {
public:
    explicit TDebugLog(std::string fileName, IClock& clock = SystemClock());
    ~TDebugLog();
    TDebugLog(const TDebugLog&) = delete;
    TDebugLog& operator=(const TDebugLog&) = delete;

    void Add(std::string_view text, bool withTimePrefix = true);
    // Adds the line only the first time this text comes, so that something looked for
    // every frame is told once.
    void AddOnce(std::string_view text);
    // Removes the last line, or nothing when the last AddOnce added none.
    void RemoveLast();
    // Writes every line as CP932 text with CR LF; false when writing failed. The first
    // save claims the file name: when another run has written that file already, the
    // log goes to the first free name with "-2", "-3", ... before the extension.
    bool Save();

    bool Enabled = false;
    const std::vector<std::string>& Lines() const { return Lines_; }
    const std::string& FileName() const { return FileName_; }

    // "  1:05:09:042 - " for 1 h 5 min 9.042 s: hours right-aligned in three characters.
    static std::string TimePrefix(uint32_t milliseconds);

private:
    std::string FileName_;
    bool NameClaimed_ = false;
    IClock& Clock_;
    std::vector<std::string> Lines_;
    std::set<std::string, std::less<>> Told_;
    // The text of the last line when AddOnce added it; whether the last AddOnce added
    // nothing.
    std::optional<std::string> LastTold_;
    bool LastSkipped_ = false;
};

}  // namespace vandor

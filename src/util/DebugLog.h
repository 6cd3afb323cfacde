#pragma once
// The program's one diagnostic log. Lines are kept in memory and written to a file
// beside the program only at shutdown and after an error, so logging costs nothing
// on disk during play. Recording is on in debug mode and after the first unhandled
// error; lines recorded before start-up decided the mode stay and are written if
// recording is switched on later.

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
    void RemoveLast();
    // Writes every line as CP932 text with CR LF; false when writing failed.
    bool Save();

    bool Enabled = false;
    const std::vector<std::string>& Lines() const { return Lines_; }
    const std::string& FileName() const { return FileName_; }

    // "  1:05:09:042 - " for 1 h 5 min 9.042 s: hours right-aligned in three characters.
    static std::string TimePrefix(uint32_t milliseconds);

private:
    std::string FileName_;
    IClock& Clock_;
    std::vector<std::string> Lines_;
};

}  // namespace vandor

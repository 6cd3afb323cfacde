#include "util/DebugLog.h"

#include <cstdio>

#include "util/AtomicFile.h"
#include "util/Encoding.h"

namespace vandor {

TDebugLog::TDebugLog(std::string fileName, IClock& clock)
    : Enabled(!fileName.empty()), FileName_(std::move(fileName)), Clock_(clock) {}

TDebugLog::~TDebugLog() { Save(); }

std::string TDebugLog::TimePrefix(uint32_t ms) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%3u:%.2u:%.2u:%.3u - ", ms / 3600000u, ms % 3600000u / 60000u,
                  ms % 60000u / 1000u, ms % 1000u);
    return buffer;
}

void TDebugLog::Add(std::string_view text, bool withTimePrefix) {
    if (!Enabled) return;
    if (withTimePrefix) {
        Lines_.push_back(TimePrefix(Clock_.Now()).append(text));
    } else {
        Lines_.emplace_back(text);
    }
}

void TDebugLog::RemoveLast() {
    if (Enabled && !Lines_.empty()) Lines_.pop_back();
}

bool TDebugLog::Save() {
    if (!Enabled || FileName_.empty() || Lines_.empty()) return true;
    std::string text;
    for (const std::string& line : Lines_) text.append(Utf8ToCp932(line)).append("\r\n");
    return WriteFileAtomically(FileName_, text);
}

}  // namespace vandor

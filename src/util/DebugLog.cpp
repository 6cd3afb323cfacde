#include "util/DebugLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "util/AtomicFile.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr int kMaxSuffix = 999;

// Creates the file when no file has the name yet; true when it did.
bool CreateNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// The name itself when it is free, else the first free "NAME-N.EXT". Creating the file
// claims the name, so two runs saving at once still get two names. Any failure but an
// existing file keeps the name, and the write then fails as it would have.
std::string ClaimFreeName(const std::string& path) {
    if (CreateNew(path) || errno != EEXIST) return path;
    const std::size_t slash = path.rfind('/');
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    for (int suffix = 2; suffix <= kMaxSuffix; ++suffix) {
        const std::string candidate = path.substr(0, dot) + "-" + std::to_string(suffix) + path.substr(dot);
        if (CreateNew(candidate)) return candidate;
        if (errno != EEXIST) break;
    }
    return path;
}

}  // namespace

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
    LastTold_.reset();
    LastSkipped_ = false;
    if (withTimePrefix) {
        Lines_.push_back(TimePrefix(Clock_.Now()).append(text));
    } else {
        Lines_.emplace_back(text);
    }
}

void TDebugLog::AddOnce(std::string_view text) {
    if (!Enabled) return;
    if (!Told_.emplace(text).second) {
        LastSkipped_ = true;
        return;
    }
    Add(text);
    LastTold_ = std::string(text);
}

// A line taken back was never told, so the same text is told again when it comes.
void TDebugLog::RemoveLast() {
    if (!Enabled || Lines_.empty()) return;
    if (LastSkipped_) {
        LastSkipped_ = false;
        return;
    }
    if (LastTold_) Told_.erase(*LastTold_);
    LastTold_.reset();
    Lines_.pop_back();
}

bool TDebugLog::Save() {
    if (!Enabled || FileName_.empty() || Lines_.empty()) return true;
    if (!NameClaimed_) {
        FileName_ = ClaimFreeName(FileName_);
        NameClaimed_ = true;
    }
    std::string text;
    for (const std::string& line : Lines_) text.append(Utf8ToCp932(line)).append("\r\n");
    return WriteFileAtomically(FileName_, text);
}

}  // namespace vandor

#include "util/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

namespace vandor {
namespace {

std::mutex FaultLock;
std::optional<TWriteFault> Fault;

// The fault that hits this write, if any; a write it hits counts against its Times.
std::optional<TWriteFault> TakeFault(const std::string& path) {
    const std::lock_guard<std::mutex> hold(FaultLock);
    if (!Fault || Fault->Times == 0 || path.find(Fault->PathPart) == std::string::npos) return std::nullopt;
    const TWriteFault hit = *Fault;
    if (Fault->Times > 0) --Fault->Times;
    return hit;
}

bool FailsAt(const std::optional<TWriteFault>& fault, TWriteStep step) {
    if (!fault || fault->Step != step) return false;
    errno = ENOSPC;
    return true;
}

bool WriteAll(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = ENOSPC;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool WriteContents(int file, std::string_view bytes, const std::optional<TWriteFault>& fault) {
    if (fault && fault->Step == TWriteStep::Write) {
        if (!WriteAll(file, bytes.substr(0, fault->BytesBeforeFull))) return false;
        errno = ENOSPC;
        return false;
    }
    return WriteAll(file, bytes);
}

// The rename itself must reach the disk too, or a power cut could bring the old
// name back.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    ::fsync(handle);
    ::close(handle);
}

// A failed replacement takes its temporary file with it (unlink, never a folder that
// happens to bear the name), keeping the errno of what failed for the caller.
bool Abandon(const std::string& temporary) {
    const int cause = errno;
    ::unlink(temporary.c_str());
    errno = cause;
    return false;
}

}  // namespace

void SetWriteFault(std::optional<TWriteFault> fault) {
    const std::lock_guard<std::mutex> hold(FaultLock);
    Fault = std::move(fault);
}

// The new bytes are on the disk before the rename makes them the file, so at every
// moment the path names either the whole old file or the whole new one.
bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::optional<TWriteFault> fault = TakeFault(path);
    const std::string temporary = path + ".tmp";
    // A temporary file a killed run left behind goes too when no new one can be made.
    if (FailsAt(fault, TWriteStep::Open)) return Abandon(temporary);
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) return Abandon(temporary);
    const bool written = WriteContents(file, bytes, fault) && !FailsAt(fault, TWriteStep::Sync) && ::fsync(file) == 0;
    const int cause = errno;
    const bool closed = ::close(file) == 0;
    if (!written || !closed) {
        if (!written) errno = cause;
        return Abandon(temporary);
    }
    if (FailsAt(fault, TWriteStep::Rename) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        return Abandon(temporary);
    }
    SyncFolderOf(path);
    return true;
}

}  // namespace vandor

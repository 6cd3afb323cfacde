#pragma once
// Replacing a file so that a crash, a kill or a full disk never leaves half of it: the
// bytes go to a temporary file beside the target, are flushed to the disk, and the
// temporary file is then renamed over the target.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vandor {

// False when the file could not be written; the old file then stays as it was, no
// temporary file is left, and errno tells what failed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The steps of a replacement at which a disk can run full.
enum class TWriteStep { Open, Write, Sync, Rename };

// A full disk on demand, so that tests can reach every failure path of the writer
// without filling a real disk: the chosen writes fail at `Step` with ENOSPC, through
// the same cleanup as a real failure.
struct TWriteFault {
    TWriteStep Step = TWriteStep::Open;
    // At TWriteStep::Write: the bytes that reach the temporary file before the disk is
    // full (all of them when the file is shorter).
    std::size_t BytesBeforeFull = 0;
    // How many writes fail before writing works again; negative: every one.
    int Times = 1;
    // Only targets whose path contains this fail; empty: every target.
    std::string PathPart;
};

// Process-wide; std::nullopt ends the fault.
void SetWriteFault(std::optional<TWriteFault> fault);

}  // namespace vandor

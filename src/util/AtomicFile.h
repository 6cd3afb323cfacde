#pragma once
// Replacing a file so that a crash, a kill or a full disk never leaves half of it: the
// bytes go to a temporary file beside the target, are flushed to the disk, and the
// temporary file is then renamed over the target.

#include <string>
#include <string_view>

namespace vandor {

// False when the file could not be written; the old file then stays as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace vandor

#pragma once
// Replacing a file so that a crash or a full disk never leaves half of it: the bytes
// go to a temporary file beside the target, which is then renamed over it.

#include <string>
#include <string_view>

namespace vandor {

// False when the file could not be written; the old file then stays as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace vandor

#pragma once
// Whether the game can keep its files in a save folder at all. A folder that is
// missing and cannot be made, or that exists but takes no files (no permission, a
// read-only disk), means playing on without saving; a full disk is not seen here, it
// shows when a write fails.

#include <string>

namespace vandor {

// Empty when the folder exists (it is made now when missing) and can be written to;
// else what is wrong with it, in words for the debug log.
std::string SaveFolderProblem(const std::string& folder);

}  // namespace vandor

#pragma once
// SIGTERM (logout, system shutdown, kill) and SIGINT (Ctrl+C in a terminal) end the
// game the way a confirmed close does, so that settings, read flags and the debug log
// are still written. The handlers only raise a flag; the main window looks at it once
// per frame and closes without asking. A second signal before the first was cleared
// ends the process at once, so that a hung game can still be stopped with Ctrl+C.

namespace vandor {

// Installs the handlers for SIGTERM and SIGINT. Throws std::system_error when the
// system refuses.
void InstallTerminationHandlers();

// True once SIGTERM or SIGINT has arrived since the start or the last clear.
bool TerminationRequested();

void ClearTerminationRequest();

}  // namespace vandor

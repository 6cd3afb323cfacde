#include "shell/TerminationSignals.h"

#include <errno.h>
#include <signal.h>

#include <atomic>
#include <system_error>

namespace vandor {
namespace {

// A signal handler may only touch lock-free atomics (or volatile sig_atomic_t).
std::atomic<bool> Requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// A second signal while the first is still waiting means the game does not get round to
// closing (a hung frame): then the signal does what it does by default and ends the process.
void OnTerminationSignal(int signalNumber) {
    if (Requested.exchange(true, std::memory_order_relaxed)) {
        signal(signalNumber, SIG_DFL);
        raise(signalNumber);
    }
}

void Install(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Restart interrupted system calls: the flag is polled, nothing needs waking.
    action.sa_flags = SA_RESTART;
    if (sigaction(signalNumber, &action, nullptr) != 0) {
        throw std::system_error(errno, std::generic_category(), "Cannot install the handler for termination signals");
    }
}

}  // namespace

void InstallTerminationHandlers() {
    Install(SIGTERM);
    Install(SIGINT);
}

bool TerminationRequested() { return Requested.load(std::memory_order_relaxed); }

void ClearTerminationRequest() { Requested.store(false, std::memory_order_relaxed); }

}  // namespace vandor

#pragma once
// Only one copy of the game may run per user. The first start takes an exclusive
// flock on a lock file and listens on a Unix-domain socket beside it; a second start
// finds the lock taken, asks the first copy over that socket to show its window, and
// exits. The lock belongs to the open file description, so it is released by the
// system even when the first copy crashes.

#include <chrono>
#include <string>
#include <vector>

namespace vandor {

// "$XDG_RUNTIME_DIR/MutexVandorTD" when that variable names a usable folder, else
// "/tmp/MutexVandorTD-<user id>".
std::string InstanceLockPath();

// InstanceLockPath for the given runtime folder (null or empty when unset) and user id.
// The runtime folder is also passed over when the socket path beside the lock file
// would not fit into a socket address.
std::string InstanceLockPathFrom(const char* runtimeFolder, unsigned userId);

class TSingleInstance {
public:
    // Tries to take the lock at lockPath. Never throws for a lock that cannot be
    // taken or a socket that cannot be opened: the game then runs unguarded (or
    // without show requests) and Warning() says why.
    explicit TSingleInstance(std::string lockPath);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // False when another process (or another object in this process) holds the lock.
    bool IsFirst() const { return !LockHeldElsewhere_; }

    // Empty when the guard works; otherwise a log line on what failed.
    const std::string& Warning() const { return Warning_; }

    const std::string& LockPath() const { return LockPath_; }
    // The socket the first instance listens on: the lock path + ".sock".
    const std::string& SocketPath() const { return SocketPath_; }

    // Second instance: sends "show\n" to the first one. True when the whole request
    // was handed to the first instance's socket within the time-out; false when the
    // socket is missing, refuses, or stays full.
    bool AskFirstToShow(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000)) const;

    // First instance: true when at least one "show" request arrived since the last
    // call. Never blocks; a peer that sends garbage, too much, or nothing at all is
    // dropped without affecting the game.
    bool PollRequest();

private:
    struct TPendingRequest {
        int Fd;
        std::string Received;
        std::chrono::steady_clock::time_point Accepted;
    };

    void TakeLock();
    void Listen();
    void AcceptWaiting();
    // Reads what the peer sent so far; true once the connection is finished with.
    bool ReadRequest(TPendingRequest& request, bool& showRequested);

    std::string LockPath_;
    std::string SocketPath_;
    std::string Warning_;
    int LockFd_ = -1;
    int ListenFd_ = -1;
    bool LockHeldElsewhere_ = false;
    std::vector<TPendingRequest> Pending_;
};

}  // namespace vandor

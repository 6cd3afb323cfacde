#include "shell/SingleInstance.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string_view>
#include <thread>

namespace vandor {
namespace {

using std::chrono::steady_clock;

constexpr std::string_view MutexName = "MutexVandorTD";
constexpr std::string_view SocketSuffix = ".sock";
constexpr std::string_view ShowRequest = "show\n";

// A request is one short line; anything longer is not from a copy of the game.
constexpr std::size_t MaxRequestBytes = 64;
// Connections held open at once, and how many are taken per poll, so that a flood of
// connections can neither exhaust descriptors nor keep a frame busy.
constexpr std::size_t MaxPendingRequests = 8;
constexpr int MaxAcceptsPerPoll = 32;
// A peer that connected but has not finished its line by then is dropped.
constexpr auto PeerPatience = std::chrono::seconds(2);
// Pause between connection attempts while the first instance's queue is full.
constexpr auto ConnectRetryPause = std::chrono::milliseconds(10);

std::string SystemError(int error) { return strerror(error); }

bool FitsSocketAddress(const std::string& path) { return path.size() < sizeof(sockaddr_un::sun_path); }

bool MakeAddress(const std::string& path, sockaddr_un& address) {
    if (!FitsSocketAddress(path)) return false;
    address = {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, path.size());
    return true;
}

bool IsUsableFolder(const std::string& folder) {
    struct stat info {};
    return !folder.empty() && folder.front() == '/' && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

bool IsShowLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line == ShowRequest.substr(0, ShowRequest.size() - 1);
}

bool WaitUntilWritable(int fd, steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd entry{fd, POLLOUT, 0};
        const int ready = poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0) return (entry.revents & POLLOUT) != 0 && (entry.revents & (POLLERR | POLLHUP)) == 0;
        if (ready < 0 && errno != EINTR) return false;
    }
}

// MSG_NOSIGNAL: a first instance that closes the connection early must not kill
// this process with SIGPIPE.
bool SendAll(int fd, std::string_view bytes, steady_clock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitUntilWritable(fd, deadline)) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

// Connects without blocking past the deadline. -1 when nobody listens there.
int Connect(const sockaddr_un& address, steady_clock::time_point deadline) {
    for (;;) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return -1;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
        const int error = errno;
        if (error == EINPROGRESS) {
            int result = 0;
            socklen_t length = sizeof result;
            if (WaitUntilWritable(fd, deadline) && getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &length) == 0 &&
                result == 0) {
                return fd;
            }
            CloseFd(fd);
            return -1;
        }
        CloseFd(fd);
        // EAGAIN: the listener's queue is full (it is busy or stuck); anything else,
        // such as a missing socket or a refused connection, will not change.
        if ((error != EAGAIN && error != EINTR) || steady_clock::now() + ConnectRetryPause >= deadline) return -1;
        std::this_thread::sleep_for(ConnectRetryPause);
    }
}

}  // namespace

std::string InstanceLockPathFrom(const char* runtimeFolder, unsigned userId) {
    if (runtimeFolder != nullptr) {
        std::string folder = runtimeFolder;
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        const std::string path = (folder == "/" ? std::string() : folder) + "/" + std::string(MutexName);
        if (IsUsableFolder(folder) && FitsSocketAddress(path + std::string(SocketSuffix))) return path;
    }
    return "/tmp/" + std::string(MutexName) + "-" + std::to_string(userId);
}

std::string InstanceLockPath() { return InstanceLockPathFrom(getenv("XDG_RUNTIME_DIR"), geteuid()); }

TSingleInstance::TSingleInstance(std::string lockPath)
    : LockPath_(std::move(lockPath)), SocketPath_(LockPath_ + std::string(SocketSuffix)) {
    TakeLock();
    if (LockFd_ >= 0) Listen();
}

TSingleInstance::~TSingleInstance() {
    for (TPendingRequest& request : Pending_) CloseFd(request.Fd);
    // The socket file goes before the lock is released, so that it can never remove the
    // socket of the copy that takes the lock next.
    if (ListenFd_ >= 0) {
        CloseFd(ListenFd_);
        unlink(SocketPath_.c_str());
    }
    CloseFd(LockFd_);
}

void TSingleInstance::TakeLock() {
    const std::string unguarded = "; running without a guard against a second start";
    // O_NOFOLLOW and O_NONBLOCK: a link or a FIFO planted under the lock's name in a
    // shared folder must neither redirect the lock nor hang the start.
    LockFd_ = open(LockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    if (LockFd_ < 0) {
        Warning_ = "Cannot open the instance lock " + LockPath_ + " (" + SystemError(errno) + ")" + unguarded;
        return;
    }
    struct stat info {};
    if (fstat(LockFd_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
        // Someone else's file could be held by them to keep the game from starting.
        Warning_ = "The instance lock " + LockPath_ + " is not a file of this user" + unguarded;
        CloseFd(LockFd_);
        return;
    }
    fchmod(LockFd_, 0600);
    int result;
    do {
        result = flock(LockFd_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return;
    const int error = errno;
    CloseFd(LockFd_);
    if (error == EWOULDBLOCK) {
        LockHeldElsewhere_ = true;
    } else {
        Warning_ = "Cannot lock the instance lock " + LockPath_ + " (" + SystemError(error) + ")" + unguarded;
    }
}

void TSingleInstance::Listen() {
    const std::string noRequests = "; a second start cannot bring this window to the front";
    sockaddr_un address{};
    if (!MakeAddress(SocketPath_, address)) {
        Warning_ = "The instance socket path " + SocketPath_ + " is too long for a socket address" + noRequests;
        return;
    }
    ListenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (ListenFd_ < 0) {
        Warning_ = "Cannot create the instance socket (" + SystemError(errno) + ")" + noRequests;
        return;
    }
    // Only the lock holder gets here, so a socket left at this path belongs to a copy
    // that has ended. Anything that is not a socket is left alone; bind then fails.
    struct stat info {};
    if (lstat(SocketPath_.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) unlink(SocketPath_.c_str());
    // Linux gives the socket file the socket's own mode at bind, so it is never
    // reachable by others, not even for a moment; the chmod covers other kernels.
    fchmod(ListenFd_, 0600);
    if (bind(ListenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Warning_ = "Cannot bind the instance socket " + SocketPath_ + " (" + SystemError(errno) + ")" + noRequests;
        CloseFd(ListenFd_);
        return;
    }
    chmod(SocketPath_.c_str(), 0600);
    if (listen(ListenFd_, static_cast<int>(MaxPendingRequests)) != 0) {
        Warning_ = "Cannot listen on the instance socket " + SocketPath_ + " (" + SystemError(errno) + ")" + noRequests;
        CloseFd(ListenFd_);
        unlink(SocketPath_.c_str());
    }
}

bool TSingleInstance::AskFirstToShow(std::chrono::milliseconds timeout) const {
    sockaddr_un address{};
    if (!MakeAddress(SocketPath_, address)) return false;
    const auto deadline = steady_clock::now() + timeout;
    int fd = Connect(address, deadline);
    if (fd < 0) return false;
    const bool delivered = SendAll(fd, ShowRequest, deadline);
    CloseFd(fd);
    return delivered;
}

bool TSingleInstance::PollRequest() {
    if (ListenFd_ < 0) return false;
    AcceptWaiting();
    bool showRequested = false;
    std::size_t kept = 0;
    for (TPendingRequest& request : Pending_) {
        if (ReadRequest(request, showRequested)) {
            CloseFd(request.Fd);
        } else {
            Pending_[kept++] = std::move(request);
        }
    }
    Pending_.resize(kept);
    return showRequested;
}

void TSingleInstance::AcceptWaiting() {
    for (int attempt = 0; attempt < MaxAcceptsPerPoll; ++attempt) {
        int fd = accept4(ListenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // EAGAIN: nobody else waiting; other errors: try again next frame
        }
        if (Pending_.size() >= MaxPendingRequests) {
            CloseFd(fd);
            continue;
        }
        Pending_.push_back({fd, {}, steady_clock::now()});
    }
}

bool TSingleInstance::ReadRequest(TPendingRequest& request, bool& showRequested) {
    char buffer[MaxRequestBytes];
    for (;;) {
        const ssize_t count = recv(request.Fd, buffer, MaxRequestBytes - request.Received.size(), MSG_DONTWAIT);
        if (count > 0) {
            request.Received.append(buffer, static_cast<std::size_t>(count));
            const std::size_t lineEnd = request.Received.find('\n');
            if (lineEnd != std::string::npos) {
                showRequested |= IsShowLine(std::string_view(request.Received).substr(0, lineEnd));
                return true;
            }
            if (request.Received.size() >= MaxRequestBytes) return true;
        } else if (count == 0) {
            // The peer closed the connection: what it sent so far is its whole line.
            showRequested |= IsShowLine(request.Received);
            return true;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return steady_clock::now() - request.Accepted > PeerPatience;
        } else if (errno != EINTR) {
            return true;
        }
    }
}

}  // namespace vandor

#include "shell/SingleInstance.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "TempFolder.h"

namespace vandor {
namespace {

using namespace std::chrono_literals;
using test::TTempFolder;
using test::WriteTextFile;

// A raw descriptor closed at the end of the scope.
class TFd {
public:
    explicit TFd(int fd) : Fd_(fd) {}
    ~TFd() {
        if (Fd_ >= 0) close(Fd_);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return Fd_; }

private:
    int Fd_;
};

sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    return address;
}

int RawListener(const std::string& path, int backlog) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = Address(path);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, backlog) != 0) {
        ADD_FAILURE() << "cannot listen on " << path << ": " << strerror(errno);
    }
    return fd;
}

// A non-blocking client; -1 when the connection is not accepted into the queue.
int RawClient(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const sockaddr_un address = Address(path);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    close(fd);
    return -1;
}

void Send(const TFd& client, std::string_view bytes) {
    ASSERT_EQ(send(client.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
}

// True while the other end keeps the connection open.
bool StillOpen(const TFd& client) {
    char byte;
    return recv(client.Get(), &byte, 1, MSG_DONTWAIT) < 0 && errno == EAGAIN;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

TEST(SingleInstanceTest, LockPathPrefersAUsableRuntimeFolder) {
    TTempFolder temp;
    const std::string folder = temp.Folder();
    const std::string withoutSlash = folder.substr(0, folder.size() - 1);
    EXPECT_EQ(InstanceLockPathFrom(withoutSlash.c_str(), 1000), folder + "MutexVandorTD");
    EXPECT_EQ(InstanceLockPathFrom(folder.c_str(), 1000), folder + "MutexVandorTD");

    EXPECT_EQ(InstanceLockPathFrom(nullptr, 1000), "/tmp/MutexVandorTD-1000");
    EXPECT_EQ(InstanceLockPathFrom("", 1001), "/tmp/MutexVandorTD-1001");
    EXPECT_EQ(InstanceLockPathFrom("relative/run", 7), "/tmp/MutexVandorTD-7");
    const std::string missing = temp / "missing";
    EXPECT_EQ(InstanceLockPathFrom(missing.c_str(), 7), "/tmp/MutexVandorTD-7");
    WriteTextFile(temp / "file", "x");
    const std::string file = temp / "file";
    EXPECT_EQ(InstanceLockPathFrom(file.c_str(), 7), "/tmp/MutexVandorTD-7");

    // A folder whose socket path would not fit into a socket address.
    const std::string deep = temp / std::string(110, 'd');
    std::filesystem::create_directories(deep);
    EXPECT_EQ(InstanceLockPathFrom(deep.c_str(), 7), "/tmp/MutexVandorTD-7");

    EXPECT_FALSE(InstanceLockPath().empty());
}

TEST(SingleInstanceTest, SecondInstanceAsksTheFirstToShow) {
    TTempFolder temp;
    const std::string lock = temp / "MutexVandorTD";
    TSingleInstance first(lock);
    EXPECT_TRUE(first.IsFirst());
    EXPECT_EQ(first.Warning(), "");
    EXPECT_EQ(first.SocketPath(), lock + ".sock");
    EXPECT_TRUE(S_ISREG(ModeOf(lock)));
    EXPECT_EQ(ModeOf(lock) & 07777, 0600u);
    EXPECT_TRUE(S_ISSOCK(ModeOf(first.SocketPath())));
    EXPECT_EQ(ModeOf(first.SocketPath()) & 07777, 0600u);
    EXPECT_FALSE(first.PollRequest());

    // flock locks belong to open file descriptions, so a second object in the same
    // process conflicts just as a second process does.
    TSingleInstance second(lock);
    EXPECT_FALSE(second.IsFirst());
    EXPECT_EQ(second.Warning(), "");
    EXPECT_FALSE(first.PollRequest()) << "starting alone asks nothing";

    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(first.PollRequest());
    EXPECT_FALSE(first.PollRequest()) << "one request is reported once";

    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(first.PollRequest());
    EXPECT_FALSE(first.PollRequest());

    TSingleInstance third(lock);
    EXPECT_FALSE(third.IsFirst());
}

TEST(SingleInstanceTest, DestroyingTheFirstReleasesLockAndSocket) {
    TTempFolder temp;
    const std::string lock = temp / "MutexVandorTD";
    auto first = std::make_unique<TSingleInstance>(lock);
    TSingleInstance second(lock);
    ASSERT_TRUE(first->IsFirst());
    ASSERT_FALSE(second.IsFirst());
    const std::string socketPath = first->SocketPath();

    first.reset();
    EXPECT_FALSE(Exists(socketPath));
    EXPECT_TRUE(Exists(lock)) << "the lock file stays; removing it would race with the next start";
    EXPECT_FALSE(second.AskFirstToShow(50ms)) << "nobody listens any more";

    TSingleInstance next(lock);
    EXPECT_TRUE(next.IsFirst());
    EXPECT_EQ(next.Warning(), "");
    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(next.PollRequest());

    // A second instance going away leaves the first one's socket alone.
    { TSingleInstance another(lock); }
    EXPECT_TRUE(Exists(socketPath));
    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(next.PollRequest());
}

TEST(SingleInstanceTest, StaleOrMissingSocket) {
    TTempFolder temp;
    const std::string lock = temp / "MutexVandorTD";
    // A copy that was killed leaves its socket file behind, but not its lock.
    close(RawListener(lock + ".sock", 1));
    ASSERT_TRUE(S_ISSOCK(ModeOf(lock + ".sock")));

    TSingleInstance first(lock);
    EXPECT_TRUE(first.IsFirst());
    EXPECT_EQ(first.Warning(), "") << "the stale socket is replaced";
    TSingleInstance second(lock);
    EXPECT_TRUE(second.AskFirstToShow());
    EXPECT_TRUE(first.PollRequest());

    // The first instance runs, but its socket file was deleted under it.
    ASSERT_EQ(unlink(first.SocketPath().c_str()), 0);
    EXPECT_FALSE(second.AskFirstToShow(50ms));
    EXPECT_FALSE(first.PollRequest());

    // Something that is not a socket occupies the name: the game still runs guarded.
    TTempFolder other;
    const std::string otherLock = other / "MutexVandorTD";
    std::filesystem::create_directories(otherLock + ".sock");
    TSingleInstance guarded(otherLock);
    EXPECT_TRUE(guarded.IsFirst());
    EXPECT_NE(guarded.Warning(), "");
    EXPECT_TRUE(std::filesystem::is_directory(otherLock + ".sock")) << "only sockets are removed";
    EXPECT_FALSE(guarded.PollRequest());
    TSingleInstance blocked(otherLock);
    EXPECT_FALSE(blocked.IsFirst()) << "the lock alone still keeps a second copy out";
    EXPECT_FALSE(blocked.AskFirstToShow(50ms));
}

TEST(SingleInstanceTest, StuckFirstInstanceDoesNotHangTheSecond) {
    TTempFolder temp;
    const std::string lock = temp / "MutexVandorTD";
    // A first instance that holds the lock but never accepts, with a full queue.
    TFd lockFd(open(lock.c_str(), O_RDWR | O_CREAT, 0600));
    ASSERT_EQ(flock(lockFd.Get(), LOCK_EX | LOCK_NB), 0);
    TFd listener(RawListener(lock + ".sock", 0));
    std::vector<std::unique_ptr<TFd>> queued;
    for (int fd = RawClient(lock + ".sock"); fd >= 0 && queued.size() < 100; fd = RawClient(lock + ".sock")) {
        queued.push_back(std::make_unique<TFd>(fd));
    }
    ASSERT_LT(queued.size(), 100u) << "the queue never filled up";

    TSingleInstance second(lock);
    EXPECT_FALSE(second.IsFirst());
    EXPECT_FALSE(second.AskFirstToShow(50ms));
}

TEST(SingleInstanceTest, MisbehavingPeersAreDroppedWithoutBlocking) {
    TTempFolder temp;
    TSingleInstance first(temp / "MutexVandorTD");
    ASSERT_TRUE(first.IsFirst());
    const std::string socketPath = first.SocketPath();

    TFd flood(RawClient(socketPath));
    Send(flood, std::string(1000, 'x'));
    TFd wrongWord(RawClient(socketPath));
    Send(wrongWord, "hide\n");
    TFd prefixed(RawClient(socketPath));
    Send(prefixed, "shows\n");
    TFd silent(RawClient(socketPath));
    TFd split(RawClient(socketPath));
    Send(split, "sh");
    ASSERT_GE(silent.Get(), 0);

    EXPECT_FALSE(first.PollRequest());
    EXPECT_FALSE(StillOpen(flood)) << "an overlong line ends the connection";
    EXPECT_FALSE(StillOpen(wrongWord));
    EXPECT_FALSE(StillOpen(prefixed));
    EXPECT_TRUE(StillOpen(silent)) << "a peer that has not written yet gets more time";
    EXPECT_TRUE(StillOpen(split));

    Send(split, "ow\n");
    EXPECT_TRUE(first.PollRequest()) << "a line sent in pieces still counts";
    EXPECT_FALSE(StillOpen(split));

    {
        TFd noNewline(RawClient(socketPath));
        Send(noNewline, "show");
    }
    EXPECT_TRUE(first.PollRequest()) << "closing the connection ends the line";
    {
        TFd carriageReturn(RawClient(socketPath));
        Send(carriageReturn, "show\r\n");
    }
    EXPECT_TRUE(first.PollRequest());
    {
        TFd halfWord(RawClient(socketPath));
        Send(halfWord, "sho");
    }
    EXPECT_FALSE(first.PollRequest());
}

TEST(SingleInstanceTest, UnusableLockRunsUnguardedWithAWarning) {
    TTempFolder temp;
    const std::string directory = temp / "MutexVandorTD";
    std::filesystem::create_directories(directory);
    TSingleInstance onDirectory(directory);
    EXPECT_TRUE(onDirectory.IsFirst());
    EXPECT_NE(onDirectory.Warning().find(directory), std::string::npos) << onDirectory.Warning();
    EXPECT_FALSE(onDirectory.PollRequest());
    EXPECT_FALSE(Exists(directory + ".sock")) << "no socket without the lock";

    TSingleInstance inMissingFolder(temp / "missing/MutexVandorTD");
    EXPECT_TRUE(inMissingFolder.IsFirst());
    EXPECT_NE(inMissingFolder.Warning(), "");
    EXPECT_FALSE(inMissingFolder.AskFirstToShow(50ms));

    // A link planted under the lock's name is not followed.
    WriteTextFile(temp / "target", "");
    std::filesystem::create_symlink(temp / "target", temp / "link");
    TSingleInstance onLink(temp / "link");
    EXPECT_TRUE(onLink.IsFirst());
    EXPECT_NE(onLink.Warning(), "");

    // Someone else's lock file could be held by them to keep the game from starting.
    WriteTextFile(temp / "foreign", "");
    if (chown((temp / "foreign").c_str(), geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
        TSingleInstance onForeign(temp / "foreign");
        EXPECT_TRUE(onForeign.IsFirst());
        EXPECT_NE(onForeign.Warning(), "");
    }
}

TEST(SingleInstanceTest, OverlongSocketPathKeepsTheLock) {
    TTempFolder temp;
    const std::string folder = temp / std::string(110, 'd');
    std::filesystem::create_directories(folder);
    const std::string lock = folder + "/MutexVandorTD";
    TSingleInstance first(lock);
    EXPECT_TRUE(first.IsFirst());
    EXPECT_NE(first.Warning().find("too long"), std::string::npos) << first.Warning();
    EXPECT_FALSE(first.PollRequest());

    TSingleInstance second(lock);
    EXPECT_FALSE(second.IsFirst());
    EXPECT_FALSE(second.AskFirstToShow(50ms));
}

}  // namespace
}  // namespace vandor

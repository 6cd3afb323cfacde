// The real path end to end: a private speech-dispatcher with the espeak-ng module, on a
// socket of its own, is asked through the game's own connection, and its log must show
// the text handed to the voice module in the language given. Skipped where the service
// is not installed or does not start.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "speech/SpeechDispatcher.h"

extern char** environ;

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kServer = "/usr/bin/speech-dispatcher";
constexpr const char* kModuleConfig = "/etc/speech-dispatcher/modules/espeak-ng.conf";

// A speech-dispatcher of the test's own, ended by its process id.
class TPrivateSpeechService {
public:
    explicit TPrivateSpeechService(const test::TTempFolder& folder)
        : Socket_(folder / "speechd.sock"), LogFolder_(folder / "log") {
        const std::string config = folder / "conf";
        fs::create_directories(config + "/modules");
        fs::create_directories(LogFolder_);
        std::ofstream(config + "/speechd.conf") << "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                                                << "DefaultModule espeak-ng\nLogLevel 5\n";
        if (fs::exists(kModuleConfig)) fs::copy_file(kModuleConfig, config + "/modules/espeak-ng.conf");
        std::vector<std::string> args{kServer, "-s", "-t",   "30", "-c",       "unix_socket", "-S",
                                      Socket_, "-C", config, "-L", LogFolder_, "-l",          "5"};
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        // The service starts with no signal blocked or ignored, so that the test can end it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attributes, &none);
        sigset_t ending;
        sigemptyset(&ending);
        sigaddset(&ending, SIGTERM);
        sigaddset(&ending, SIGINT);
        posix_spawnattr_setsigdefault(&attributes, &ending);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        if (posix_spawn(&Pid_, kServer, &actions, &attributes, argv.data(), environ) != 0) Pid_ = -1;
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TPrivateSpeechService() {
        if (Pid_ <= 0) return;
        // While its voice module still works on the text, the service may not heed the
        // request to end: after two seconds it is killed.
        kill(Pid_, SIGTERM);
        for (int tries = 0; tries < 20; ++tries) {
            if (waitpid(Pid_, nullptr, WNOHANG) == Pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        kill(Pid_, SIGKILL);
        waitpid(Pid_, nullptr, 0);
    }
    TPrivateSpeechService(const TPrivateSpeechService&) = delete;
    TPrivateSpeechService& operator=(const TPrivateSpeechService&) = delete;

    // Whether its socket appeared within ten seconds.
    bool Started() const {
        for (int tries = 0; Pid_ > 0 && tries < 100; ++tries) {
            if (fs::exists(Socket_)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    const std::string& Socket() const { return Socket_; }
    // Waits up to ten seconds for the service's log to hold every one of `parts`.
    bool LogHolds(const std::vector<std::string>& parts) const {
        for (int tries = 0; tries < 100; ++tries) {
            std::stringstream log;
            log << std::ifstream(LogFolder_ + "/speech-dispatcher.log").rdbuf();
            bool all = true;
            for (const std::string& part : parts) all = all && log.str().find(part) != std::string::npos;
            if (all) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

private:
    std::string Socket_;
    std::string LogFolder_;
    pid_t Pid_ = -1;
};

TEST(RealSpeechService, ATextReachesTheEspeakModuleInItsLanguage) {
    if (!fs::exists(kServer)) GTEST_SKIP() << "speech-dispatcher is not installed";
    test::TTempFolder folder;
    TPrivateSpeechService service(folder);
    if (!service.Started()) GTEST_SKIP() << "speech-dispatcher did not start";
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + service.Socket()).c_str(), 1);
    std::string why;
    auto speech = TSpeechDispatcher::Connect("vandor", why);
    unsetenv("SPEECHD_ADDRESS");
    ASSERT_NE(speech, nullptr) << why;
    speech->Say("読み上げの確認です", "ja", TSpeechPriority::Text);
    EXPECT_TRUE(
        service.LogHolds({"Command sent to output module: |<speak>読み上げの確認です", "language=ja", "701 BEGIN"}))
        << "the espeak-ng module was asked to speak the text in Japanese and began";
    speech.reset();
}

}  // namespace
}  // namespace vandor

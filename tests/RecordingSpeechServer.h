#pragma once
// A speech service of the tests' own: it listens on a Unix socket, answers enough of
// speech-dispatcher's plain-text protocol (SSIP) for libspeechd, and records what it was
// asked to say and to stop, one line each: "say LANGUAGE PRIORITY: TEXT" and "stop".
// While it lives, SPEECHD_ADDRESS points libspeechd at it.

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vandor::test {

class TRecordingSpeechServer {
public:
    explicit TRecordingSpeechServer(const std::string& socketPath) : Path_(socketPath) {
        Listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (Path_.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long: " + Path_);
        Path_.copy(address.sun_path, Path_.size());
        if (Listener_ < 0 || bind(Listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(Listener_, 4) != 0) {
            throw std::runtime_error("the recording speech server cannot listen on " + Path_);
        }
        setenv("SPEECHD_ADDRESS", ("unix_socket:" + Path_).c_str(), 1);
        Thread_ = std::thread([this] { Serve(); });
    }
    ~TRecordingSpeechServer() {
        unsetenv("SPEECHD_ADDRESS");
        // A client still connected is cut off, so that the server's thread ends.
        if (const int client = Client_.load(); client >= 0) shutdown(client, SHUT_RDWR);
        shutdown(Listener_, SHUT_RDWR);
        close(Listener_);
        Thread_.join();
        unlink(Path_.c_str());
    }
    TRecordingSpeechServer(const TRecordingSpeechServer&) = delete;
    TRecordingSpeechServer& operator=(const TRecordingSpeechServer&) = delete;

    // What was asked so far. libspeechd waits for each answer, and the server records
    // before it answers, so whatever a call asked is here once the call returns.
    std::vector<std::string> Record() const {
        std::lock_guard lock(Mutex_);
        return Record_;
    }
    void ClearRecord() {
        std::lock_guard lock(Mutex_);
        Record_.clear();
    }

private:
    // One client after another, as the game connects once per switch-on.
    void Serve() {
        for (;;) {
            const int client = accept(Listener_, nullptr, nullptr);
            if (client < 0) return;
            Client_ = client;
            Talk(client);
            Client_ = -1;
            close(client);
        }
    }

    void Talk(int client) {
        std::string pending;
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(client, buffer, sizeof buffer);
            if (got <= 0) return;
            pending.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; (end = pending.find("\r\n")) != std::string::npos;) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 2);
                const std::string reply = Answer(line);
                if (!reply.empty() && write(client, reply.data(), reply.size()) < 0) return;
                if (reply.starts_with("231")) return;
            }
        }
    }

    // Commands and their words come in either case; the text between SPEAK and a lone
    // dot is the message, one line of it with a dot in front escaped by a second dot.
    std::string Answer(const std::string& line) {
        if (Receiving_) {
            if (line != ".") {
                Text_ += (Text_.empty() ? "" : "\r\n") + (line.starts_with("..") ? line.substr(1) : line);
                return "";
            }
            Receiving_ = false;
            Add("say " + Language_ + " " + Priority_ + ": " + Text_);
            return "225-" + std::to_string(++MessageId_) + "\r\n225 OK MESSAGE QUEUED\r\n";
        }
        const std::string command = Lower(line);
        if (command == "speak") {
            Receiving_ = true;
            Text_.clear();
            return "230 OK RECEIVING DATA\r\n";
        }
        if (command.starts_with("set self language ")) Language_ = command.substr(18);
        if (command.starts_with("set self priority ")) Priority_ = command.substr(18);
        if (command.starts_with("cancel")) Add("stop");
        if (command == "quit") return "231 HAPPY HACKING\r\n";
        return "200 OK\r\n";
    }

    static std::string Lower(std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    void Add(std::string entry) {
        std::lock_guard lock(Mutex_);
        Record_.push_back(std::move(entry));
    }

    std::string Path_;
    int Listener_ = -1;
    std::atomic<int> Client_ = -1;
    std::thread Thread_;
    mutable std::mutex Mutex_;
    std::vector<std::string> Record_;
    bool Receiving_ = false;
    std::string Text_;
    std::string Language_ = "-";
    std::string Priority_ = "-";
    int MessageId_ = 0;
};

}  // namespace vandor::test

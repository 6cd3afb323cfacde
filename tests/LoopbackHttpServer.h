#pragma once
// A small HTTP server on 127.0.0.1 for the tests of the support forms: it answers
// every request with a fixed status and records what arrived. One connection at a
// time, one request per connection, which is all the game's client does.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vandor::test {

struct THttpRequest {
    std::string Method;
    std::string Path;
    std::string ContentType;
    std::string Body;
};

class TLoopbackHttpServer {
public:
    explicit TLoopbackHttpServer(int status = 200) : Status_(status) {
        Listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (Listener_ < 0 || ::bind(Listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(Listener_, 8) != 0 ||
            ::getsockname(Listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        Port_ = ntohs(address.sin_port);
        Thread_ = std::thread([this] { Serve(); });
    }
    ~TLoopbackHttpServer() {
        Stop_ = true;
        Thread_.join();
        ::close(Listener_);
    }
    TLoopbackHttpServer(const TLoopbackHttpServer&) = delete;
    TLoopbackHttpServer& operator=(const TLoopbackHttpServer&) = delete;

    std::string Url(const std::string& path = "/") const { return "http://127.0.0.1:" + std::to_string(Port_) + path; }
    std::vector<THttpRequest> Requests() const {
        const std::lock_guard lock(Lock_);
        return Requests_;
    }

    // A port on 127.0.0.1 that nothing listens on: it was free a moment ago.
    static std::string ClosedUrl() {
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe);
        return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
    }

private:
    void Serve() {
        while (!Stop_) {
            pollfd waiting{Listener_, POLLIN, 0};
            if (::poll(&waiting, 1, 50) <= 0) continue;
            const int connection = ::accept(Listener_, nullptr, nullptr);
            if (connection < 0) continue;
            Answer(connection);
            ::close(connection);
        }
    }

    static std::string Header(const std::string& head, const std::string& name) {
        const auto at = head.find("\r\n" + name + ":");
        if (at == std::string::npos) return {};
        const auto start = head.find_first_not_of(' ', at + name.size() + 3);
        return head.substr(start, head.find("\r\n", start) - start);
    }

    void Answer(int connection) {
        std::string data;
        std::size_t headEnd = std::string::npos;
        std::size_t wanted = 0;
        char buffer[4096];
        while (true) {
            if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
                wanted = headEnd + 4 +
                         std::strtoul(Header(data.substr(0, headEnd + 2), "Content-Length").c_str(), nullptr, 10);
            }
            if (headEnd != std::string::npos && data.size() >= wanted) break;
            pollfd readable{connection, POLLIN, 0};
            if (::poll(&readable, 1, 2000) <= 0) return;
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            data.append(buffer, static_cast<std::size_t>(got));
        }
        const std::string head = data.substr(0, headEnd + 2);
        THttpRequest request;
        request.Method = head.substr(0, head.find(' '));
        request.Path = head.substr(head.find(' ') + 1, head.find(' ', head.find(' ') + 1) - head.find(' ') - 1);
        request.ContentType = Header(head, "Content-Type");
        request.Body = data.substr(headEnd + 4, wanted - headEnd - 4);
        {
            const std::lock_guard lock(Lock_);
            Requests_.push_back(request);
        }
        const std::string reply =
            "HTTP/1.1 " + std::to_string(Status_) + " Status\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
        ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    int Status_;
    int Listener_ = -1;
    int Port_ = 0;
    std::atomic<bool> Stop_{false};
    mutable std::mutex Lock_;
    std::vector<THttpRequest> Requests_;
    std::thread Thread_;
};

}  // namespace vandor::test

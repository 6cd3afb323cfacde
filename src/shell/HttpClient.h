#pragma once
// The game's HTTP client, used only by the support and survey forms: a plain request
// to see whether a server answers, and a form post. Both may run on a worker thread;
// each gives up after its time-out, or as soon as `cancel` is set.

#include <atomic>
#include <string>

namespace vandor {

struct THttpResult {
    bool Completed = false;  // the server answered (with any status)
    long Status = 0;         // the HTTP status of the answer
    std::string Error;       // why there was no answer, as libcurl says it

    bool Succeeded() const { return Completed && Status >= 200 && Status < 300; }
};

// A GET whose answer is read and dropped. Only http:// and https:// addresses are
// followed; redirections are not.
THttpResult HttpGet(const std::string& url, int timeoutMs, const std::atomic<bool>* cancel = nullptr);

// A POST of `body` as application/x-www-form-urlencoded.
THttpResult HttpPostForm(const std::string& url, const std::string& body, int timeoutMs,
                         const std::atomic<bool>* cancel = nullptr);

}  // namespace vandor

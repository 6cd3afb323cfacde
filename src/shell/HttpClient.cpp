#include "shell/HttpClient.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace vandor {
namespace {

// libcurl's global set-up is not safe to race with the first requests of other threads.
void InitialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The server's answer is of no interest beyond its status.
size_t DropBody(char*, size_t size, size_t count, void*) { return size * count; }

int CheckCancel(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* flag = static_cast<const std::atomic<bool>*>(cancel);
    return flag != nullptr && flag->load() ? 1 : 0;
}

struct TCurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

THttpResult Perform(const std::string& url, const std::string* postBody, int timeoutMs,
                    const std::atomic<bool>* cancel) {
    InitialiseCurl();
    THttpResult result;
    const std::unique_ptr<CURL, TCurlDeleter> curl(curl_easy_init());
    if (!curl) {
        result.Error = "libcurl を初期化できません";
        return result;
    }
    char error[CURL_ERROR_SIZE] = {};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    // Signals would be delivered to whichever thread runs the request.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DropBody);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, CheckCancel);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(cancel));
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "vandor");
    curl_slist* headers = nullptr;
    if (postBody != nullptr) {
        headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, postBody->c_str());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
    }
    const CURLcode code = curl_easy_perform(handle);
    curl_slist_free_all(headers);
    if (code == CURLE_OK) {
        result.Completed = true;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.Status);
    } else {
        result.Error = error[0] != '\0' ? error : curl_easy_strerror(code);
    }
    return result;
}

}  // namespace

THttpResult HttpGet(const std::string& url, int timeoutMs, const std::atomic<bool>* cancel) {
    return Perform(url, nullptr, timeoutMs, cancel);
}

THttpResult HttpPostForm(const std::string& url, const std::string& body, int timeoutMs,
                         const std::atomic<bool>* cancel) {
    return Perform(url, &body, timeoutMs, cancel);
}

}  // namespace vandor

#include "shell/HttpClient.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <memory>
#include <mutex>

namespace vandor {
namespace {

// libcurl brings some 25 libraries with it (TLS, Kerberos, LDAP, SSH): linked into the
// program, they cost every start 5 MB of resident memory and their linking time, for
// forms few players ever open. It is loaded with the first request instead.
struct TCurl {
    decltype(&curl_global_init) GlobalInit = nullptr;
    decltype(&curl_easy_init) EasyInit = nullptr;
    decltype(&curl_easy_setopt) SetOpt = nullptr;
    decltype(&curl_easy_perform) Perform = nullptr;
    decltype(&curl_easy_getinfo) GetInfo = nullptr;
    decltype(&curl_easy_cleanup) Cleanup = nullptr;
    decltype(&curl_easy_strerror) StrError = nullptr;
    decltype(&curl_slist_append) SlistAppend = nullptr;
    decltype(&curl_slist_free_all) SlistFreeAll = nullptr;

    bool Loaded() const { return SlistFreeAll != nullptr; }
};

template <typename F>
bool Bind(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// Null when libcurl cannot be loaded. Its global set-up is not safe to race with the
// first requests of other threads, so it is done once, here.
const TCurl* Curl() {
    static TCurl curl;
    static std::once_flag once;
    std::call_once(once, [] {
        void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return;
        TCurl found;
        if (Bind(library, "curl_global_init", found.GlobalInit) && Bind(library, "curl_easy_init", found.EasyInit) &&
            Bind(library, "curl_easy_setopt", found.SetOpt) && Bind(library, "curl_easy_perform", found.Perform) &&
            Bind(library, "curl_easy_getinfo", found.GetInfo) && Bind(library, "curl_easy_cleanup", found.Cleanup) &&
            Bind(library, "curl_easy_strerror", found.StrError) &&
            Bind(library, "curl_slist_append", found.SlistAppend) &&
            Bind(library, "curl_slist_free_all", found.SlistFreeAll) && found.GlobalInit(CURL_GLOBAL_DEFAULT) == 0) {
            curl = found;
        }
    });
    return curl.Loaded() ? &curl : nullptr;
}

// The server's answer is of no interest beyond its status.
size_t DropBody(char*, size_t size, size_t count, void*) { return size * count; }

int CheckCancel(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* flag = static_cast<const std::atomic<bool>*>(cancel);
    return flag != nullptr && flag->load() ? 1 : 0;
}

struct TCurlDeleter {
    decltype(&curl_easy_cleanup) Cleanup;
    void operator()(CURL* curl) const { Cleanup(curl); }
};

THttpResult Perform(const std::string& url, const std::string* postBody, int timeoutMs,
                    const std::atomic<bool>* cancel) {
    THttpResult result;
    const TCurl* api = Curl();
    if (api == nullptr) {
        result.Error = "libcurl を読み込めません";
        return result;
    }
    const std::unique_ptr<CURL, TCurlDeleter> curl(api->EasyInit(), TCurlDeleter{api->Cleanup});
    if (!curl) {
        result.Error = "libcurl を初期化できません";
        return result;
    }
    char error[CURL_ERROR_SIZE] = {};
    CURL* handle = curl.get();
    api->SetOpt(handle, CURLOPT_URL, url.c_str());
    api->SetOpt(handle, CURLOPT_ERRORBUFFER, error);
    api->SetOpt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    api->SetOpt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    // Signals would be delivered to whichever thread runs the request.
    api->SetOpt(handle, CURLOPT_NOSIGNAL, 1L);
    api->SetOpt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
    api->SetOpt(handle, CURLOPT_WRITEFUNCTION, DropBody);
    api->SetOpt(handle, CURLOPT_NOPROGRESS, 0L);
    api->SetOpt(handle, CURLOPT_XFERINFOFUNCTION, CheckCancel);
    api->SetOpt(handle, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(cancel));
    api->SetOpt(handle, CURLOPT_USERAGENT, "vandor");
    curl_slist* headers = nullptr;
    if (postBody != nullptr) {
        headers = api->SlistAppend(headers, "Content-Type: application/x-www-form-urlencoded");
        api->SetOpt(handle, CURLOPT_HTTPHEADER, headers);
        api->SetOpt(handle, CURLOPT_POSTFIELDS, postBody->c_str());
        api->SetOpt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
    }
    const CURLcode code = api->Perform(handle);
    api->SlistFreeAll(headers);
    if (code == CURLE_OK) {
        result.Completed = true;
        api->GetInfo(handle, CURLINFO_RESPONSE_CODE, &result.Status);
    } else {
        result.Error = error[0] != '\0' ? error : api->StrError(code);
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

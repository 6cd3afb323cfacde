#include "speech/SpeechDispatcher.h"

#include <dlfcn.h>

namespace vandor {
namespace {

// The few entry points of libspeechd's C interface used here, with its enumerations as
// the plain ints they are, so that building needs no header of it either.
using TSpdOpen = void* (*)(const char* clientName, const char* connectionName, const char* userName, int mode);
using TSpdSetLanguage = int (*)(void* connection, const char* language);
using TSpdSay = int (*)(void* connection, int priority, const char* text);
using TSpdCancel = int (*)(void* connection);
using TSpdClose = void (*)(void* connection);

constexpr int kSingleMode = 0;  // replies are read in the call: no thread of the library's own

int SpdPriority(TSpeechPriority priority) {
    switch (priority) {
        case TSpeechPriority::Important: return 1;
        case TSpeechPriority::Message: return 2;
        case TSpeechPriority::Text: break;
    }
    return 3;
}

}  // namespace

struct TSpeechDispatcher::TLibrary {
    void* Handle = nullptr;
    TSpdOpen Open = nullptr;
    TSpdSetLanguage SetLanguage = nullptr;
    TSpdSay Say = nullptr;
    TSpdCancel Cancel = nullptr;
    TSpdClose Close = nullptr;

    ~TLibrary() {
        if (Handle) dlclose(Handle);
    }

    template <typename Function>
    bool Find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(Handle, name));
        return function != nullptr;
    }
};

std::unique_ptr<TSpeechDispatcher> TSpeechDispatcher::Connect(const std::string& clientName, std::string& why) {
    auto library = std::make_unique<TLibrary>();
    library->Handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library->Handle) {
        why = std::string(kLibraryName) + " がありません";
        return nullptr;
    }
    if (!library->Find(library->Open, "spd_open") || !library->Find(library->SetLanguage, "spd_set_language") ||
        !library->Find(library->Say, "spd_say") || !library->Find(library->Cancel, "spd_cancel") ||
        !library->Find(library->Close, "spd_close")) {
        why = std::string(kLibraryName) + " が古すぎます";
        return nullptr;
    }
    void* connection = library->Open(clientName.c_str(), "main", nullptr, kSingleMode);
    if (!connection) {
        why = "speech-dispatcher に接続できません";
        return nullptr;
    }
    return std::unique_ptr<TSpeechDispatcher>(new TSpeechDispatcher(std::move(library), connection));
}

TSpeechDispatcher::TSpeechDispatcher(std::unique_ptr<TLibrary> library, void* connection)
    : Library_(std::move(library)), Connection_(connection) {}

TSpeechDispatcher::~TSpeechDispatcher() { Library_->Close(Connection_); }

void TSpeechDispatcher::Say(const std::string& text, const std::string& language, TSpeechPriority priority) {
    if (text.empty()) return;
    if (language != Language_ && Library_->SetLanguage(Connection_, language.c_str()) == 0) Language_ = language;
    Library_->Say(Connection_, SpdPriority(priority), text.c_str());
}

void TSpeechDispatcher::Stop() { Library_->Cancel(Connection_); }

}  // namespace vandor

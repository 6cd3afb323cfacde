#include "shell/FolderWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vandor {

namespace fs = std::filesystem;

TFolderWatch::TFolderWatch() : Descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TFolderWatch::~TFolderWatch() {
    if (Descriptor_ >= 0) close(Descriptor_);
}

void TFolderWatch::Watch(const std::string& folder) {
    if (Descriptor_ < 0) return;
    const int watch = inotify_add_watch(Descriptor_, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
    if (watch < 0) return;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_directory(error)) Watch(entry.path().string());
    }
}

std::vector<std::string> TFolderWatch::Changes() {
    std::vector<std::string> names;
    if (Descriptor_ < 0) return names;
    alignas(inotify_event) std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t length = read(Descriptor_, buffer.data(), buffer.size());
        if (length <= 0) break;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.len == 0 || (event.mask & IN_ISDIR) != 0) continue;
            const std::string file(name, strnlen(name, event.len));
            if (std::find(names.begin(), names.end(), file) == names.end()) names.push_back(file);
        }
    }
    return names;
}

bool TFolderWatch::Pending() const {
    if (Descriptor_ < 0) return false;
    pollfd ready{Descriptor_, POLLIN, 0};
    return poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) != 0;
}

}  // namespace vandor

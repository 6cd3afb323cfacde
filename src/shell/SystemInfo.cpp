#include "shell/SystemInfo.h"

#include <ctime>
#include <fstream>
#include <string_view>

#include "Version.h"

namespace vandor {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A value of an os-release file: shell-style, so it may be quoted, and inside double
// quotes a backslash escapes the next character.
std::string Unquote(std::string_view value) {
    if (value.size() < 2 || (value.front() != '"' && value.front() != '\'') || value.back() != value.front()) {
        return std::string(value);
    }
    const char quote = value.front();
    value = value.substr(1, value.size() - 2);
    std::string result;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (quote == '"' && value[i] == '\\' && i + 1 < value.size()) ++i;
        result += value[i];
    }
    return result;
}

std::string PrettyName(const std::string& osReleasePath) {
    std::ifstream in(osReleasePath);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view trimmed = Trim(line);
        constexpr std::string_view key = "PRETTY_NAME=";
        if (trimmed.substr(0, key.size()) == key) return std::string(Trim(Unquote(trimmed.substr(key.size()))));
    }
    return {};
}

std::string KernelRelease(const std::string& kernelReleasePath) {
    std::ifstream in(kernelReleasePath);
    std::string line;
    std::getline(in, line);
    return std::string(Trim(line));
}

}  // namespace

std::string ProgramVersion() { return VANDOR_VERSION_STRING; }

std::string OSNameFrom(const std::string& osReleasePath, const std::string& kernelReleasePath) {
    const std::string distribution = PrettyName(osReleasePath);
    const std::string kernel = KernelRelease(kernelReleasePath);
    if (distribution.empty() && kernel.empty()) return "OS不明";
    if (kernel.empty()) return distribution;
    if (distribution.empty()) return "Linux " + kernel;
    return distribution + " Linux " + kernel;
}

std::string OSName() {
    // os-release may live only in /usr/lib; /etc/os-release takes precedence.
    std::ifstream etc("/etc/os-release");
    return OSNameFrom(etc ? "/etc/os-release" : "/usr/lib/os-release", "/proc/sys/kernel/osrelease");
}

std::string LocalTime(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

}  // namespace vandor

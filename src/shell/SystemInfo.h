#pragma once
// The program version and the operating system's name, both written at the top of
// the debug log and sent with support requests, and the local time as the log and the
// save captions show it.

#include <string>

namespace vandor {

// The program's four-part version, compiled in (e.g. "1.0.0.0").
std::string ProgramVersion();

// The distribution's PRETTY_NAME and the kernel release, e.g.
// "Debian GNU/Linux 12 (bookworm) Linux 6.1.0-18-amd64"; "OS不明" when neither can be read.
std::string OSName();

// OSName from the given os-release file and kernel release file (normally
// /etc/os-release and /proc/sys/kernel/osrelease).
std::string OSNameFrom(const std::string& osReleasePath, const std::string& kernelReleasePath);

// The local time through strftime, e.g. "%Y/%m/%d %H:%M:%S".
std::string LocalTime(const char* format);

}  // namespace vandor

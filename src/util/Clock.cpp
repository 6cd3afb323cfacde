#include "util/Clock.h"

#include <cerrno>
#include <ctime>

namespace vandor {

uint32_t TRealClock::Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void TRealClock::Sleep(uint32_t milliseconds) {
    timespec request{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&request, &request) == -1 && errno == EINTR) {
    }
}

IClock& SystemClock() {
    static TRealClock clock;
    return clock;
}

}  // namespace vandor

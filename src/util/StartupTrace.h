#pragma once
// Where the start-up time goes. With VANDOR_TRACE_FIRST_PICTURE set (scripts/idle-cost
// sets it), each moment the start passes goes to stderr as "start-up NAME MS", MS in
// wall-clock milliseconds like the launcher's clock, and the time spent inside the spans
// of one name, added up, as "start-up-span NAME MS" once the first picture is up.
// Unset, every call costs the test of one flag.

#include <cstdint>

namespace vandor {

void MarkStartup(const char* moment);
// Prints the spans and ends the trace: later marks and spans are not reported.
void EndStartupTrace();

class TStartupSpan {
public:
    explicit TStartupSpan(const char* name);
    ~TStartupSpan();
    TStartupSpan(const TStartupSpan&) = delete;
    TStartupSpan& operator=(const TStartupSpan&) = delete;

private:
    const char* Name_;
    int64_t Start_;  // microseconds; -1 while the trace is off
};

}  // namespace vandor

#include "util/StartupTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace vandor {
namespace {

struct TTrace {
    std::mutex Lock;
    bool On = std::getenv("VANDOR_TRACE_FIRST_PICTURE") != nullptr;
    std::vector<std::pair<const char*, int64_t>> Spans;  // name, microseconds
};

TTrace& Trace() {
    static TTrace trace;
    return trace;
}

int64_t WallMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

void MarkStartup(const char* moment) {
    TTrace& trace = Trace();
    std::lock_guard lock(trace.Lock);
    if (trace.On) std::fprintf(stderr, "start-up %s %lld\n", moment, static_cast<long long>(WallMicroseconds() / 1000));
}

void EndStartupTrace() {
    TTrace& trace = Trace();
    std::lock_guard lock(trace.Lock);
    if (!trace.On) return;
    trace.On = false;
    for (const auto& [name, microseconds] : trace.Spans) {
        std::fprintf(stderr, "start-up-span %s %lld\n", name, static_cast<long long>(microseconds / 1000));
    }
    trace.Spans.clear();
}

TStartupSpan::TStartupSpan(const char* name) : Name_(name), Start_(-1) {
    TTrace& trace = Trace();
    std::lock_guard lock(trace.Lock);
    if (trace.On) Start_ = WallMicroseconds();
}

TStartupSpan::~TStartupSpan() {
    if (Start_ < 0) return;
    TTrace& trace = Trace();
    const int64_t spent = WallMicroseconds() - Start_;
    std::lock_guard lock(trace.Lock);
    if (!trace.On) return;
    for (auto& [name, microseconds] : trace.Spans) {
        if (std::strcmp(name, Name_) == 0) {
            microseconds += spent;
            return;
        }
    }
    trace.Spans.emplace_back(Name_, spent);
}

}  // namespace vandor

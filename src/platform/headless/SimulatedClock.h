#pragma once
// A clock that moves only when told to, or when something sleeps on it. The headless
// replay and the tests run on it, so that frame timing is exact and repeatable.

#include "util/Clock.h"

namespace vandor {

class TSimulatedClock final : public IClock {
public:
    explicit TSimulatedClock(uint32_t start = 0) : Now_(start) {}
    uint32_t Now() override { return Now_; }
    void Sleep(uint32_t milliseconds) override { Now_ += milliseconds; }
    void Advance(uint32_t milliseconds) { Now_ += milliseconds; }
    void Set(uint32_t now) { Now_ = now; }

private:
    uint32_t Now_;
};

}  // namespace vandor

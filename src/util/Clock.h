#pragma once
// The millisecond clock the frame pacer, the debug log and the sound output run on.
// Counts are unsigned 32-bit and wrap after about 49.7 days; always subtract, never
// compare two readings directly.

#include <cstdint>

namespace vandor {

class IClock {
public:
    virtual ~IClock() = default;
    virtual uint32_t Now() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// CLOCK_MONOTONIC milliseconds, the count since the system started.
class TRealClock final : public IClock {
public:
    uint32_t Now() override;
    void Sleep(uint32_t milliseconds) override;
};

// The process-wide real clock, for objects created without a clock of their own.
IClock& SystemClock();

}  // namespace vandor

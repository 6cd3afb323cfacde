#pragma once
// The worker behind TRWaveOut and its end-notice thread. Only WaveOut.cpp uses
// these; they live apart so that the component stays a thin front.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sound/WaveOut.h"

namespace vandor {

// Calls OnPlayEnd, once per Resume, on a thread of its own, so that the owner may
// restart the output from the handler without waiting on the worker.
class TOnPlayEndThread {
public:
    explicit TOnPlayEndThread(TRWaveOut& owner);
    ~TOnPlayEndThread();

    void SetEvent(TRWaveOut::TNotifyEvent onPlayEnd);
    void Resume();

private:
    void Run();

    TRWaveOut& Owner_;
    std::mutex Lock_;
    std::condition_variable Wake_;
    TRWaveOut::TNotifyEvent OnPlayEnd_;
    int Pending_ = 0;
    bool Terminated_ = false;
    std::thread Thread_;  // last: starts once everything above exists
};

enum class TWaveCommand : uint8_t { None, Start, Stop, Wake };

// What Start copies into the worker.
struct TWaveOutSettings {
    TWaveFormat Format;
    int32_t BufferSize = 0;
    int NumOfBuffers = 0;
    int32_t DeviceID = -1;
    TRWaveOut::TNotifyEvent OnBufferEmpty;
    TRWaveOut::TNotifyEvent OnPlayStart;
    TRWaveOut::TNotifyEvent OnPlayStop;
    TRWaveOut::TNotifyEvent OnPlayEnd;
    std::function<bool()> HasSound;
};

class TRWaveOutThread {
public:
    TRWaveOutThread(TRWaveOut& owner, IWaveDevice& device);
    // Ends the worker (the owner stops the output first) and the end-notice thread.
    ~TRWaveOutThread();
    TRWaveOutThread(const TRWaveOutThread&) = delete;
    TRWaveOutThread& operator=(const TRWaveOutThread&) = delete;

    // Main thread. Puts a command in the mailbox and returns once the worker has
    // taken it, or at once when the worker has ended.
    void SendCommand(TWaveCommand command);
    void SetSettings(TWaveOutSettings settings);
    // True once after each failed open.
    bool TakeOpenFailure();

    void Write(const uint8_t* data, int32_t length);
    // Whether buffers are held back while silent (the device may be closed then).
    bool Holding() const { return Holding_.load(); }

    const IWaveDevice* OpenDevice() const { return OpenDevice_.load(); }
    bool Playing() const { return Playing_.load(); }
    std::string Error() const;

private:
    // Held: played, and not refilled because the next block would have been silent.
    enum class TBufferState : uint8_t { Free, Queued, Filled, Held };
    struct TBuffer {
        uint8_t* Data = nullptr;
        uint32_t Length = 0;
        TBufferState State = TBufferState::Free;
        uint64_t Ticket = 0;  // its place in the device's queue, counted from Open
    };

    void Run();
    void ActOn(TWaveCommand command);
    bool Open();
    void Service();
    // Fills a finished buffer and queues it; false when the stream has ended instead.
    bool Refill(int index);
    // Everything queued has played silent: let go of the device until Wake.
    void Rest();
    // Opens the device again if resting, then fills and queues every held buffer.
    void Wake();
    // Fills and queues the held buffers in ring order, from the first one held on.
    void FillHeld();
    bool IsDone(int index);
    void QueueBuffer(int index);
    void Close();
    void FreeRing();
    // After an error: let go of the device without asking whether that worked.
    void Abandon();
    // The device's OnBuffersFinished: wakes the worker and waits until it has serviced the ring.
    void RequestService();

    TRWaveOut& Owner_;
    IWaveDevice& Device_;
    TOnPlayEndThread EndNotice_;

    // Guards the mailbox and everything the main thread and the worker hand each other.
    mutable std::mutex Lock_;
    std::condition_variable Wake_;
    TWaveCommand Mailbox_ = TWaveCommand::None;
    TWaveOutSettings Settings_;
    bool Terminated_ = false;
    bool Ended_ = false;
    bool OpenFailed_ = false;
    std::string Error_;
    uint64_t ServiceRequested_ = 0;
    uint64_t Serviced_ = 0;

    // Worker only: the settings of the running stream.
    TWaveOutSettings Active_;
    uint32_t SleepTime_ = 100;
    int ReadIndex_ = 0;
    uint64_t QueuedCount_ = 0;
    bool ClosesWhenSilent_ = false;
    bool Resting_ = false;  // the device is closed while the stream goes on

    // The buffer lock: the ring as Write fills it.
    std::mutex BufferLock_;
    std::unique_ptr<uint8_t[]> Heap_;
    std::array<TBuffer, TRWaveOut::kMaxBuffers> Buffers_{};
    int BufferCount_ = 0;
    int32_t BufferSize_ = 0;
    int WriteIndex_ = 0;
    std::atomic<bool> EndOfData_{false};

    std::atomic<bool> Playing_{false};
    std::atomic<bool> Holding_{false};
    std::atomic<const IWaveDevice*> OpenDevice_{nullptr};
    std::thread Thread_;  // last: starts once everything above exists
};

}  // namespace vandor

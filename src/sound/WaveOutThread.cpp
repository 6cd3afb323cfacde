#include "sound/WaveOutThread.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <utility>

namespace vandor {

TOnPlayEndThread::TOnPlayEndThread(TRWaveOut& owner) : Owner_(owner), Thread_([this] { Run(); }) {}

TOnPlayEndThread::~TOnPlayEndThread() {
    {
        std::lock_guard lock(Lock_);
        Terminated_ = true;
    }
    Wake_.notify_all();
    Thread_.join();
}

void TOnPlayEndThread::SetEvent(TRWaveOut::TNotifyEvent onPlayEnd) {
    std::lock_guard lock(Lock_);
    OnPlayEnd_ = std::move(onPlayEnd);
}

void TOnPlayEndThread::Resume() {
    {
        std::lock_guard lock(Lock_);
        ++Pending_;
    }
    Wake_.notify_all();
}

void TOnPlayEndThread::Run() {
    std::unique_lock lock(Lock_);
    for (;;) {
        Wake_.wait(lock, [this] { return Terminated_ || Pending_ > 0; });
        if (Terminated_) return;
        --Pending_;
        TRWaveOut::TNotifyEvent onPlayEnd = OnPlayEnd_;
        lock.unlock();
        // The notice is advisory: a failing handler must not take the process down.
        try {
            if (onPlayEnd) onPlayEnd(Owner_);
        } catch (...) {
        }
        lock.lock();
    }
}

TRWaveOutThread::TRWaveOutThread(TRWaveOut& owner, IWaveDevice& device)
    : Owner_(owner), Device_(device), EndNotice_(owner), Thread_([this] { Run(); }) {
    Device_.OnBuffersFinished = [this] { RequestService(); };
}

TRWaveOutThread::~TRWaveOutThread() {
    {
        std::lock_guard lock(Lock_);
        Terminated_ = true;
    }
    Wake_.notify_all();
    Thread_.join();
    Device_.OnBuffersFinished = nullptr;
}

void TRWaveOutThread::SendCommand(TWaveCommand command) {
    std::unique_lock lock(Lock_);
    const auto taken = [this] { return Mailbox_ == TWaveCommand::None || Ended_; };
    Wake_.wait(lock, taken);
    if (Ended_) return;
    Mailbox_ = command;
    Wake_.notify_all();
    Wake_.wait(lock, taken);
}

void TRWaveOutThread::SetSettings(TWaveOutSettings settings) {
    std::lock_guard lock(Lock_);
    Settings_ = std::move(settings);
}

bool TRWaveOutThread::TakeOpenFailure() {
    std::lock_guard lock(Lock_);
    return std::exchange(OpenFailed_, false);
}

std::string TRWaveOutThread::Error() const {
    std::lock_guard lock(Lock_);
    return Error_;
}

void TRWaveOutThread::RequestService() {
    std::unique_lock lock(Lock_);
    const uint64_t ticket = ++ServiceRequested_;
    Wake_.notify_all();
    Wake_.wait(lock, [&] { return Serviced_ >= ticket || Ended_; });
}

void TRWaveOutThread::Run() {
    try {
        for (;;) {
            TWaveCommand command;
            uint64_t requested;
            {
                std::lock_guard lock(Lock_);
                if (Terminated_) break;
                command = Mailbox_;
                requested = ServiceRequested_;
            }
            if (command != TWaveCommand::None) {
                ActOn(command);
                std::lock_guard lock(Lock_);
                Mailbox_ = TWaveCommand::None;
                Wake_.notify_all();
            }
            if (Playing_ && !Resting_) Service();

            std::unique_lock lock(Lock_);
            Serviced_ = requested;
            Wake_.notify_all();
            const auto woken = [&] {
                return Terminated_ || Mailbox_ != TWaveCommand::None || ServiceRequested_ != Serviced_;
            };
            // Only a ring on an open device needs looking at; otherwise nothing happens
            // until the main thread asks for something.
            if (Playing_ && !Resting_) {
                Wake_.wait_for(lock, std::chrono::milliseconds(SleepTime_), woken);
            } else {
                Wake_.wait(lock, woken);
            }
        }
    } catch (const std::exception& error) {
        std::lock_guard lock(Lock_);
        Error_ = error.what();
    } catch (...) {
        std::lock_guard lock(Lock_);
        Error_ = "unknown error on the wave output thread";
    }
    // After an error (or, defensively, when ended while playing) the device is let go;
    // no further audio is produced by this worker.
    Abandon();
    std::lock_guard lock(Lock_);
    Ended_ = true;
    Wake_.notify_all();
}

void TRWaveOutThread::ActOn(TWaveCommand command) {
    if (command == TWaveCommand::Start && !Playing_) {
        {
            std::lock_guard lock(Lock_);
            Active_ = Settings_;
        }
        EndNotice_.SetEvent(Active_.OnPlayEnd);
        EndOfData_ = false;
        ReadIndex_ = 0;
        ClosesWhenSilent_ = Active_.HasSound && Device_.ClosesWhenSilent();
        Resting_ = false;
        // Look at the ring twice per buffer's play time, at least every 100 ms.
        const uint64_t bytesPerSecond = std::max<uint64_t>(Active_.Format.AvgBytesPerSec(), 1);
        const uint64_t half = uint64_t(Active_.BufferSize) * 1000 / bytesPerSecond / 2;
        SleepTime_ = static_cast<uint32_t>(std::clamp<uint64_t>(half, 1, 100));
        if (Open()) {
            Playing_ = true;
            if (Active_.OnPlayStart) Active_.OnPlayStart(Owner_);
        } else {
            std::lock_guard lock(Lock_);
            OpenFailed_ = true;
        }
    } else if (command == TWaveCommand::Stop && Playing_) {
        Close();
        Playing_ = false;
        if (Active_.OnPlayStop) Active_.OnPlayStop(Owner_);
    } else if (command == TWaveCommand::Wake && Playing_) {
        Wake();
    }
}

bool TRWaveOutThread::Open() {
    {
        std::lock_guard lock(BufferLock_);
        const auto size = static_cast<std::size_t>(Active_.BufferSize);
        const auto count = static_cast<std::size_t>(Active_.NumOfBuffers);
        // One block for the whole ring, made once per Start: nothing is allocated per buffer.
        Heap_.reset(new (std::nothrow) uint8_t[size * count]);
        if (!Heap_) throw ERWaveOutError("メモリが足りません");
        std::memset(Heap_.get(), Active_.Format.wBitsPerSample == 8 ? 128 : 0, size * count);
        BufferCount_ = Active_.NumOfBuffers;
        BufferSize_ = Active_.BufferSize;
        WriteIndex_ = 0;
        for (std::size_t i = 0; i < count; ++i) {
            Buffers_[i] = TBuffer{Heap_.get() + i * size, static_cast<uint32_t>(size), TBufferState::Free, 0};
        }
    }
    if (!Device_.Open(Active_.DeviceID, Active_.Format)) {
        FreeRing();
        return false;
    }
    OpenDevice_ = &Device_;
    QueuedCount_ = 0;

    for (int i = 0; i < BufferCount_; ++i) {
        if (!EndOfData_) Active_.OnBufferEmpty(Owner_);
    }
    // Queue the pre-filled buffers on a paused device so that they start together.
    Device_.Pause();
    for (int i = 0; i < BufferCount_; ++i) {
        bool filled;
        {
            std::lock_guard lock(BufferLock_);
            filled = Buffers_[i].State == TBufferState::Filled;
        }
        if (!filled) break;
        QueueBuffer(i);
    }
    ReadIndex_ = 0;
    Device_.Restart();
    return true;
}

bool TRWaveOutThread::IsDone(int index) {
    const uint64_t finished = Device_.FinishedCount();
    std::lock_guard lock(BufferLock_);
    const TBuffer& buffer = Buffers_[index];
    // A Free or Held buffer has nothing pending on the device: it either played and was
    // not refilled, or was never queued.
    return buffer.State == TBufferState::Free || buffer.State == TBufferState::Held ||
           (buffer.State == TBufferState::Queued && buffer.Ticket < finished);
}

void TRWaveOutThread::QueueBuffer(int index) {
    const uint8_t* data;
    uint32_t length;
    {
        std::lock_guard lock(BufferLock_);
        TBuffer& buffer = Buffers_[index];
        buffer.Ticket = QueuedCount_++;
        buffer.State = TBufferState::Queued;
        data = buffer.Data;
        length = buffer.Length;
    }
    Device_.Queue(data, length);
}

void TRWaveOutThread::Service() {
    while (IsDone(ReadIndex_)) {
        const int index = ReadIndex_;
        bool held;
        {
            std::lock_guard lock(BufferLock_);
            held = Buffers_[index].State == TBufferState::Held;
        }
        // Round the ring to a buffer held back: every one since has been held too. A
        // sound that started as the last one was held has not asked for a wake.
        if (held) {
            if (Active_.HasSound()) {
                FillHeld();
                continue;
            }
            Rest();
            return;
        }
        if (!Refill(index)) return;
        ReadIndex_ = (index + 1) % BufferCount_;
    }
}

bool TRWaveOutThread::Refill(int index) {
    bool drained;
    {
        std::lock_guard lock(BufferLock_);
        drained = Buffers_[index].State == TBufferState::Free;
        Buffers_[index].State = TBufferState::Free;
    }
    if (drained) {
        // Not refilled on the previous pass, so everything queued has played.
        Close();
        Playing_ = false;
        if (Active_.OnPlayStop) Active_.OnPlayStop(Owner_);
        if (Active_.OnPlayEnd) EndNotice_.Resume();
        return false;
    }
    if (ClosesWhenSilent_ && !EndOfData_ && !Active_.HasSound()) {
        std::lock_guard lock(BufferLock_);
        Buffers_[index].State = TBufferState::Held;
        Holding_ = true;
        return true;
    }
    // Blocks held back come first, so that the stream keeps its order.
    FillHeld();
    if (!EndOfData_) Active_.OnBufferEmpty(Owner_);
    bool filled;
    {
        std::lock_guard lock(BufferLock_);
        filled = Buffers_[index].State == TBufferState::Filled;
    }
    if (filled) QueueBuffer(index);
    return true;
}

void TRWaveOutThread::Rest() {
    if (!Device_.Reset()) throw ERWaveOutError("演奏を終了できません。");
    if (!Device_.Close()) throw ERWaveOutError("Wave デバイスを開放できません。");
    Resting_ = true;
}

void TRWaveOutThread::Wake() {
    if (Resting_) {
        // Should the device refuse now, the output stays at rest and the next sound tries again.
        if (!Device_.Open(Active_.DeviceID, Active_.Format)) return;
        Resting_ = false;
        QueuedCount_ = 0;
        // The refilled ring starts together, as at Start.
        Device_.Pause();
        FillHeld();
        Device_.Restart();
        return;
    }
    FillHeld();
}

void TRWaveOutThread::FillHeld() {
    for (;;) {
        int index;
        {
            std::lock_guard lock(BufferLock_);
            index = WriteIndex_;
            if (Buffers_[index].State != TBufferState::Held) break;
            Buffers_[index].State = TBufferState::Free;
        }
        if (!EndOfData_) Active_.OnBufferEmpty(Owner_);
        bool filled;
        {
            std::lock_guard lock(BufferLock_);
            filled = Buffers_[index].State == TBufferState::Filled;
        }
        // Nothing written: the stream ends, and the ring drains behind it.
        if (!filled) break;
        QueueBuffer(index);
    }
    std::lock_guard lock(BufferLock_);
    Holding_ = std::any_of(Buffers_.begin(), Buffers_.begin() + BufferCount_,
                           [](const TBuffer& buffer) { return buffer.State == TBufferState::Held; });
}

void TRWaveOutThread::Close() {
    // A resting output has let go of the device already.
    if (!Resting_) {
        if (!Device_.Reset()) throw ERWaveOutError("演奏を終了できません。");
        if (!Device_.Close()) throw ERWaveOutError("Wave デバイスを開放できません。");
    }
    Resting_ = false;
    OpenDevice_ = nullptr;
    FreeRing();
}

void TRWaveOutThread::FreeRing() {
    std::lock_guard lock(BufferLock_);
    Heap_.reset();
    Buffers_.fill(TBuffer{});
    BufferCount_ = 0;
    Holding_ = false;
}

void TRWaveOutThread::Abandon() {
    if (OpenDevice_ && !Resting_) {
        Device_.Reset();
        Device_.Close();
    }
    OpenDevice_ = nullptr;
    Resting_ = false;
    FreeRing();
    Playing_ = false;
}

void TRWaveOutThread::Write(const uint8_t* data, int32_t length) {
    std::lock_guard lock(BufferLock_);
    TBuffer& buffer = Buffers_[WriteIndex_];
    if (!Heap_ || buffer.State != TBufferState::Free) throw ERWaveOutError("バッファがいっぱいです.");
    if (data == nullptr || length <= 0) {
        EndOfData_ = true;
        return;
    }
    if (length > BufferSize_) throw ERWaveOutError("サイズが大きすぎます");
    std::memcpy(buffer.Data, data, static_cast<std::size_t>(length));
    buffer.Length = static_cast<uint32_t>(length);
    buffer.State = TBufferState::Filled;
    WriteIndex_ = (WriteIndex_ + 1) % BufferCount_;
}

}  // namespace vandor

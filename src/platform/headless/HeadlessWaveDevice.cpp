#include "platform/headless/HeadlessWaveDevice.h"

#include <algorithm>

namespace vandor {

THeadlessWaveDevice::THeadlessWaveDevice(IClock& clock) : Clock_(clock), LastUpdate_(clock.Now()) {}

bool THeadlessWaveDevice::Open(int32_t /*deviceId*/, const TWaveFormat& format) {
    std::lock_guard lock(Lock_);
    if (!Available_ || Open_) return false;
    Open_ = true;
    Paused_ = false;
    Format_ = format;
    Queue_.clear();
    Finished_ = 0;
    Remainder_ = 0;
    ++OpenCount_;
    return true;
}

void THeadlessWaveDevice::Queue(const uint8_t* data, uint32_t bytes) {
    std::lock_guard lock(Lock_);
    if (Open_) Queue_.push_back(TQueued{data, bytes, 0});
}

uint64_t THeadlessWaveDevice::FinishedCount() {
    std::lock_guard lock(Lock_);
    return Finished_;
}

void THeadlessWaveDevice::Pause() {
    std::lock_guard lock(Lock_);
    Paused_ = true;
}

void THeadlessWaveDevice::Restart() {
    std::lock_guard lock(Lock_);
    Paused_ = false;
}

bool THeadlessWaveDevice::Reset() {
    std::lock_guard lock(Lock_);
    Finished_ += Queue_.size();
    Queue_.clear();
    Paused_ = false;
    return true;
}

bool THeadlessWaveDevice::Close() {
    std::lock_guard lock(Lock_);
    Open_ = false;
    Queue_.clear();
    return true;
}

bool THeadlessWaveDevice::ClosesWhenSilent() const {
    std::lock_guard lock(Lock_);
    return ClosesWhenSilent_;
}

void THeadlessWaveDevice::SetClosesWhenSilent(bool closes) {
    std::lock_guard lock(Lock_);
    ClosesWhenSilent_ = closes;
}

void THeadlessWaveDevice::Update() {
    const uint32_t now = Clock_.Now();
    const uint32_t elapsed = now - LastUpdate_;
    LastUpdate_ = now;

    std::unique_lock lock(Lock_);
    if (!Open_ || Paused_) return;
    const uint64_t due = Remainder_ + uint64_t{elapsed} * Format_.nSamplesPerSec;
    Remainder_ = due % 1000;
    uint64_t bytes = due / 1000 * std::max<uint32_t>(Format_.BlockAlign(), 1);
    while (bytes > 0 && Open_ && !Paused_ && !Queue_.empty()) {
        TQueued& head = Queue_.front();
        const auto played = static_cast<uint32_t>(std::min<uint64_t>(bytes, head.Bytes - head.Played));
        if (Recording_) Recorded_.insert(Recorded_.end(), head.Data + head.Played, head.Data + head.Played + played);
        head.Played += played;
        BytesPlayed_ += played;
        bytes -= played;
        if (head.Played < head.Bytes) continue;
        Queue_.pop_front();
        ++Finished_;
        // The owner refills on its own thread; playing goes on once it has.
        lock.unlock();
        if (OnBuffersFinished) OnBuffersFinished();
        lock.lock();
    }
}

void THeadlessWaveDevice::SetAvailable(bool available) {
    std::lock_guard lock(Lock_);
    Available_ = available;
}

void THeadlessWaveDevice::SetRecording(bool recording) {
    std::lock_guard lock(Lock_);
    Recording_ = recording;
}

std::vector<uint8_t> THeadlessWaveDevice::Recorded() const {
    std::lock_guard lock(Lock_);
    return Recorded_;
}

uint64_t THeadlessWaveDevice::BytesPlayed() const {
    std::lock_guard lock(Lock_);
    return BytesPlayed_;
}

int THeadlessWaveDevice::OpenCount() const {
    std::lock_guard lock(Lock_);
    return OpenCount_;
}

bool THeadlessWaveDevice::IsOpen() const {
    std::lock_guard lock(Lock_);
    return Open_;
}

}  // namespace vandor

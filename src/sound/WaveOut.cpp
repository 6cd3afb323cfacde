#include "sound/WaveOut.h"

#include "sound/WaveOutThread.h"

namespace vandor {

TRWaveOut::TRWaveOut(IWaveDevice& device) : Thread_(std::make_unique<TRWaveOutThread>(*this, device)) {}

TRWaveOut::~TRWaveOut() {
    Stop();
    Thread_.reset();
}

void TRWaveOut::SetnChannels(int64_t value) {
    if (value != 1 && value != 2) throw ERWaveOutError("nChannel が範囲外です");
    nChannels_ = static_cast<int16_t>(value);
}

void TRWaveOut::SetnSamplesPerSec(int64_t value) {
    if (value < 1 || value > 65535) throw ERWaveOutError("nSamplesPerSec が範囲外です");
    nSamplesPerSec_ = static_cast<uint32_t>(value);
}

void TRWaveOut::SetwBitsPerSample(int64_t value) {
    if (value != 8 && value != 16) throw ERWaveOutError("wBitsPerSample が範囲外です");
    wBitsPerSample_ = static_cast<int16_t>(value);
}

void TRWaveOut::SetBufferSize(int64_t value) {
    // A negative size is no byte count either: it could only fail later, on the worker.
    if (value <= 0 || value > INT32_MAX) throw ERWaveOutError("BufferSize が範囲外です");
    BufferSize_ = static_cast<int32_t>(value);
}

void TRWaveOut::SetNumOfBuffers(int64_t value) {
    if (value < 1 || value > kMaxBuffers) throw ERWaveOutError("NumOfBuffers が範囲外です");
    NumOfBuffers_ = static_cast<int16_t>(value);
}

const IWaveDevice* TRWaveOut::lhWaveOut() const { return Thread_->OpenDevice(); }

bool TRWaveOut::Playing() const { return Thread_->Playing(); }

std::string TRWaveOut::WorkerError() const { return Thread_->Error(); }

void TRWaveOut::Start() {
    if (!OnBufferEmpty) throw ERWaveOutError("OnBufferEmpty に関連付けられていません");
    Thread_->SendCommand(TWaveCommand::Stop);
    TWaveOutSettings settings;
    settings.Format.nChannels = static_cast<uint16_t>(nChannels_);
    settings.Format.nSamplesPerSec = nSamplesPerSec_;
    settings.Format.wBitsPerSample = static_cast<uint16_t>(wBitsPerSample_);
    settings.BufferSize = BufferSize_;
    settings.NumOfBuffers = NumOfBuffers_;
    settings.DeviceID = DeviceID;
    settings.OnBufferEmpty = OnBufferEmpty;
    settings.OnPlayStart = OnPlayStart;
    settings.OnPlayStop = OnPlayStop;
    settings.OnPlayEnd = OnPlayEnd;
    settings.HasSound = HasSound;
    Thread_->SetSettings(std::move(settings));
    Thread_->SendCommand(TWaveCommand::Start);
    // One message for a machine without a usable device; after that the game is just silent.
    if (Thread_->TakeOpenFailure() && !DeviceErrorReported_) {
        DeviceErrorReported_ = true;
        if (OnDeviceError) OnDeviceError(kDeviceErrorText);
    }
}

void TRWaveOut::Stop() { Thread_->SendCommand(TWaveCommand::Stop); }

void TRWaveOut::Wake() {
    // A round trip to the worker only when it holds something back.
    if (Thread_->Holding()) Thread_->SendCommand(TWaveCommand::Wake);
}

void TRWaveOut::Write(const void* data, int32_t length) { Thread_->Write(static_cast<const uint8_t*>(data), length); }

}  // namespace vandor

#pragma once
// TRWaveOut: plays a continuous PCM stream through a wave device. A worker thread
// keeps a small ring of buffers queued on the device and asks the owner for the
// next block (OnBufferEmpty) each time one has finished; the owner answers with
// Write. The sound player is its only user.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "sound/WaveDevice.h"

namespace vandor {

class ERWaveOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TRWaveOutThread;

class TRWaveOut {
public:
    using TNotifyEvent = std::function<void(TRWaveOut& sender)>;

    // What the shell shows in a message box with an OK button when no device can be opened.
    static constexpr const char* kDeviceErrorText = "Wave デバイスを使用できません";
    static constexpr const char* kDeviceErrorCaption = "Error";
    static constexpr int kMaxBuffers = 7;

    // The worker starts at once and runs until destruction; the device must outlive this.
    explicit TRWaveOut(IWaveDevice& device);
    ~TRWaveOut();
    TRWaveOut(const TRWaveOut&) = delete;
    TRWaveOut& operator=(const TRWaveOut&) = delete;

    // Format and ring; read by the worker at Start. Setters throw ERWaveOutError for
    // a value outside the accepted range and keep the old value.
    int16_t nChannels() const { return nChannels_; }
    void SetnChannels(int64_t value);  // 1 or 2
    uint32_t nSamplesPerSec() const { return nSamplesPerSec_; }
    void SetnSamplesPerSec(int64_t value);  // 1-65535
    int16_t wBitsPerSample() const { return wBitsPerSample_; }
    void SetwBitsPerSample(int64_t value);  // 8 or 16
    int32_t BufferSize() const { return BufferSize_; }
    void SetBufferSize(int64_t value);  // bytes, above 0
    int16_t NumOfBuffers() const { return NumOfBuffers_; }
    void SetNumOfBuffers(int64_t value);  // 1-7

    int32_t DeviceID = -1;              // -1: the system's default device
    bool UsewaveOutGetPostion = false;  // kept for the settings that carry it; no effect

    // The open device, or nullptr while the output is stopped.
    const IWaveDevice* lhWaveOut() const;
    bool Playing() const;
    // The message of the error that ended the worker thread; empty while it runs.
    std::string WorkerError() const;

    // OnBufferEmpty, OnPlayStart and OnPlayStop run on the worker thread, OnPlayEnd on
    // a thread of its own; changes take effect at the next Start.
    TNotifyEvent OnBufferEmpty;
    TNotifyEvent OnPlayStart;
    TNotifyEvent OnPlayStop;
    TNotifyEvent OnPlayEnd;
    // Worker thread, read at Start: whether the next block would carry any sound. Set,
    // and with a device that costs wake-ups while open, the output closes the device
    // once everything queued has played silent, and opens it again at Wake.
    std::function<bool()> HasSound;
    // Called with kDeviceErrorText on the thread that called Start, for the first
    // device that fails to open only: the game then runs on without sound.
    std::function<void(const std::string& text)> OnDeviceError;

    // Closes a running stream, then opens the device and starts the ring. Returns
    // once the worker has acted on it.
    void Start();
    void Stop();
    // A sound has started: a resting output opens its device and fills its ring at once,
    // and buffers held back while silent are filled and queued behind those playing.
    // Returns once the worker has done so; at once while nothing is held back.
    void Wake();
    // Hands the worker the next block, normally from inside OnBufferEmpty. No data
    // or a length of 0 marks the end of the stream.
    void Write(const void* data, int32_t length);

private:
    std::unique_ptr<TRWaveOutThread> Thread_;
    int16_t nChannels_ = 1;
    uint32_t nSamplesPerSec_ = 22050;
    int16_t wBitsPerSample_ = 8;
    int32_t BufferSize_ = 4096;
    int16_t NumOfBuffers_ = 4;
    bool DeviceErrorReported_ = false;
};

}  // namespace vandor

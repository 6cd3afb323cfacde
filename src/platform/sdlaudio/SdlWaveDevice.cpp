#include "platform/sdlaudio/SdlWaveDevice.h"

#include <SDL.h>

namespace vandor {

TSdlWaveDevice::TSdlWaveDevice() {
    // Without this hint SDL installs handlers that keep SIGINT and SIGTERM from ending the process.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    Initialised_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

TSdlWaveDevice::~TSdlWaveDevice() {
    if (Device_ != 0) SDL_CloseAudioDevice(Device_);
    if (Initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TSdlWaveDevice::Open(int32_t deviceId, const TWaveFormat& format) {
    if (!Initialised_ || Device_ != 0) return false;
    const char* name = nullptr;  // the system's default device
    if (deviceId >= 0) {
        name = SDL_GetAudioDeviceName(deviceId, 0);
        if (name == nullptr) return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format.nSamplesPerSec);
    wanted.format = format.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(format.nChannels);
    wanted.samples = 1024;
    wanted.callback = nullptr;  // queue mode
    // No obtained spec: SDL converts to whatever the hardware wants.
    Device_ = SDL_OpenAudioDevice(name, 0, &wanted, nullptr, 0);
    if (Device_ == 0) return false;
    QueuedBytes_ = 0;
    Ends_.clear();
    Finished_ = 0;
    SDL_PauseAudioDevice(Device_, 0);
    return true;
}

void TSdlWaveDevice::Queue(const uint8_t* data, uint32_t bytes) {
    // A buffer SDL refused is not going to play: it counts as finished at once.
    if (SDL_QueueAudio(Device_, data, bytes) == 0) QueuedBytes_ += bytes;
    Ends_.push_back(QueuedBytes_);
}

uint64_t TSdlWaveDevice::FinishedCount() {
    const uint64_t taken = QueuedBytes_ - SDL_GetQueuedAudioSize(Device_);
    while (!Ends_.empty() && Ends_.front() <= taken) {
        Ends_.pop_front();
        ++Finished_;
    }
    return Finished_;
}

void TSdlWaveDevice::Pause() { SDL_PauseAudioDevice(Device_, 1); }

void TSdlWaveDevice::Restart() { SDL_PauseAudioDevice(Device_, 0); }

bool TSdlWaveDevice::Reset() {
    SDL_ClearQueuedAudio(Device_);
    Finished_ += Ends_.size();
    Ends_.clear();
    QueuedBytes_ = 0;
    return true;
}

bool TSdlWaveDevice::Close() {
    if (Device_ == 0) return false;
    SDL_CloseAudioDevice(Device_);
    Device_ = 0;
    return true;
}

}  // namespace vandor

#include "sound/SoundPlayer.h"

#include <algorithm>
#include <stdexcept>

namespace vandor {

TSoundPlayer::TSoundPlayer(IWaveDevice& device, TFileCache* files, TDebugLog* log)
    : WaveOut_(std::make_unique<TRWaveOut>(device)) {
    for (auto& channel : Channels_) channel = std::make_unique<TOggData>(files, log);
    ReplayVoice_ = std::make_unique<TOggData>(files, log);
    // Silence need not be fed to a device that costs wake-ups: the output rests then,
    // and the first sound to start wakes it.
    for (auto& channel : Channels_) channel->OnPlay = [this] { WaveOut_->Wake(); };
    ReplayVoice_->OnPlay = [this] { WaveOut_->Wake(); };
    WaveOut_->SetnChannels(2);
    WaveOut_->SetnSamplesPerSec(44100);
    WaveOut_->SetNumOfBuffers(3);
    WaveOut_->SetwBitsPerSample(16);
    WaveOut_->SetBufferSize(kBlockBytes);
    WaveOut_->OnBufferEmpty = [this](TRWaveOut& sender) { FillBuffer(sender); };
    WaveOut_->HasSound = [this] { return Sounding(); };
}

TSoundPlayer::~TSoundPlayer() {
    Stop();
    for (auto& channel : Channels_) channel.reset();
    ReplayVoice_.reset();
    WaveOut_.reset();
}

bool TSoundPlayer::LoadLibraries(const std::string& /*folder*/) { return true; }

TOggData& TSoundPlayer::Channel(int index) {
    if (index < 0 || index >= SoundChannel::Count) {
        throw std::out_of_range("sound channel " + std::to_string(index) + " does not exist (0-" +
                                std::to_string(SoundChannel::Count - 1) + ")");
    }
    return *Channels_[static_cast<std::size_t>(index)];
}

void TSoundPlayer::Start() { WaveOut_->Start(); }

void TSoundPlayer::Stop() { WaveOut_->Stop(); }

const TSoundPlayer::TBlock& TSoundPlayer::MixBlock() {
    Block_.fill(0);
    for (auto& channel : Channels_) {
        if (channel->Playing()) channel->MixInto(Block_.data(), kBlockBytes);
    }
    if (ReplayVoice_->Playing()) ReplayVoice_->MixInto(Block_.data(), kBlockBytes);
    return Block_;
}

bool TSoundPlayer::Sounding() const {
    return ReplayVoice_->Playing() ||
           std::any_of(Channels_.begin(), Channels_.end(), [](const auto& channel) { return channel->Playing(); });
}

void TSoundPlayer::FillBuffer(TRWaveOut& sender) {
    // A whole block every time, silence included, so the stream never drains while started
    // (a device that costs wake-ups is let go of instead, see TRWaveOut::HasSound).
    sender.Write(MixBlock().data(), kBlockBytes);
}

void TSoundPlayer::SetMasterVolume(int percent) {
    for (auto& channel : Channels_) channel->SetMasterVolume(percent);
    ReplayVoice_->SetMasterVolume(percent);
}

void TSoundPlayer::PlayReplay(const std::string& name, int channel, int levelPercent) {
    ReplayVoice_->SetVolume(Channel(channel).GetVolume());
    ReplayVoice_->Open(name);
    ReplayVoice_->FadeTo(levelPercent, 0);
    ReplayVoice_->Play(false);
}

void TSoundPlayer::SetMusicVolume(int percent) { Channel(SoundChannel::Music).SetVolume(percent); }

void TSoundPlayer::SetEffectVolume(int percent) {
    SetVolumes(SoundChannel::FirstEffect, SoundChannel::LastEffect, percent);
    SetVolumes(SoundChannel::FirstInterface, SoundChannel::LastInterface, percent);
}

void TSoundPlayer::SetVoiceVolume(int entry, int percent) {
    if (entry < 1 || entry > kVoiceEntries) {
        throw std::out_of_range("voice volume entry " + std::to_string(entry) + " does not exist (1-" +
                                std::to_string(kVoiceEntries) + ")");
    }
    Channel(SoundChannel::FirstVoice + entry - 1).SetVolume(percent);
}

void TSoundPlayer::ApplyVolumes(int masterPercent, std::span<const int, SoundChannel::StoredVolumes> channelPercents) {
    SetMasterVolume(masterPercent);
    for (int index = 0; index < SoundChannel::StoredVolumes; ++index) Channel(index).SetVolume(channelPercents[index]);
    // The interface channels have no entry of their own in the file: they follow the
    // scene effects' channel.
    SetVolumes(SoundChannel::FirstInterface, SoundChannel::LastInterface, channelPercents[SoundChannel::SceneEffect]);
}

void TSoundPlayer::SetVolumes(int first, int last, int percent) {
    for (int index = first; index <= last; ++index) Channel(index).SetVolume(percent);
}

}  // namespace vandor

#pragma once
// TSoundPlayer: the game's one mixer. 22 numbered Ogg channels, and the backlog's
// voice replay after them, are mixed into a 44,100 Hz 16-bit stereo stream that a
// TRWaveOut plays. The channel number says
// what a sound is (SoundChannels.h); the volume menu and the configuration set
// channel volumes in the groups below.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "sound/OggData.h"
#include "sound/SoundChannels.h"
#include "sound/WaveOut.h"

namespace vandor {

class TDebugLog;
class TFileCache;

class TSoundPlayer {
public:
    // The voice volume menu's entries, one for each voice channel that has one.
    static constexpr int kVoiceEntries = SoundChannel::LastVoice - SoundChannel::FirstVoice + 1;
    static constexpr int kBlockFrames = 4096;
    static constexpr int kBlockBytes = kBlockFrames * 4;
    using TBlock = std::array<int16_t, kBlockFrames * 2>;

    // The device must outlive the player; files and log may be null (see TOggData).
    TSoundPlayer(IWaveDevice& device, TFileCache* files, TDebugLog* log = nullptr);
    ~TSoundPlayer();
    TSoundPlayer(const TSoundPlayer&) = delete;
    TSoundPlayer& operator=(const TSoundPlayer&) = delete;

    // The decoder is linked into the program, so this always succeeds; the folder
    // is where separately shipped decoder libraries would have been looked for.
    bool LoadLibraries(const std::string& folder);

    // Channels 0-21; throws std::out_of_range for any other number.
    TOggData& Channel(int index);
    // The channel of voices played again from the backlog: no script command reaches
    // it, so a replay never cuts off or is cut off by the scene's own sounds. It takes
    // the master volume; its own volume is that of the voice's channel.
    TOggData& ReplayVoice() { return *ReplayVoice_; }
    // Plays `name` on the replay channel as loud as `channel` plays, at the fade level
    // the script gave that voice.
    void PlayReplay(const std::string& name, int channel, int levelPercent);
    TRWaveOut& WaveOut() { return *WaveOut_; }

    void Start();
    void Stop();

    // The wave output's OnBufferEmpty: mixes the next block and writes it.
    void FillBuffer(TRWaveOut& sender);
    // Silence plus every playing channel, in channel order: the block FillBuffer writes.
    const TBlock& MixBlock();
    // Whether any channel plays: a block mixed now would not be silence.
    bool Sounding() const;

    // The volume menu's groups, in percent.
    void SetMasterVolume(int percent);            // "マスター(&M)": all 22 channels and the replay
    void SetMusicVolume(int percent);             // "音楽(&B)": channel 0
    void SetEffectVolume(int percent);            // "効果音(&E)": channels 1-3 and 16-21
    void SetVoiceVolume(int entry, int percent);  // voice entry 1-11: channel entry + 3
    // The configuration's values: the master for all channels, channels 0-15 their
    // own, and the interface channels follow the scene effects' channel 2.
    void ApplyVolumes(int masterPercent, std::span<const int, SoundChannel::StoredVolumes> channelPercents);

private:
    // Channels first..last.
    void SetVolumes(int first, int last, int percent);

    std::array<std::unique_ptr<TOggData>, SoundChannel::Count> Channels_;
    std::unique_ptr<TOggData> ReplayVoice_;
    std::unique_ptr<TRWaveOut> WaveOut_;
    TBlock Block_{};
};

}  // namespace vandor

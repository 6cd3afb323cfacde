#pragma once
// TOggData: one channel of the sound player. It keeps an Ogg Vorbis file in memory,
// decodes it on demand and adds it into the mix block with its volumes and fade.
//
// MixInto runs on the wave output's worker thread, everything else on the main
// thread. Flags and volumes are atomics, the fade is swapped whole under a small
// lock, and every decoder call holds the process-wide DecoderLock, so a channel is
// never decoded while it is being opened, rewound or closed.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

struct OggVorbis_File;

namespace vandor {

class TDebugLog;
class TFileCache;

std::mutex& DecoderLock();

class TOggData {
public:
    static constexpr int32_t kUnityVolume = 4096;
    static constexpr int32_t kMaxVolume = 8192;
    static constexpr int64_t kFullFade = int64_t{1} << 32;
    static constexpr int64_t kFramesPerSecond = 44100;

    // Either pointer may be null: without files only OpenData works, without a log
    // failures go unrecorded.
    TOggData(TFileCache* files, TDebugLog* log);
    ~TOggData();
    TOggData(const TOggData&) = delete;
    TOggData& operator=(const TOggData&) = delete;

    // Opens a file from the file lookup. The name that is open already only resets the fade.
    void Open(const std::string& name);
    // Open from bytes at hand; the channel keeps its own copy.
    void OpenData(const std::string& name, std::span<const uint8_t> bytes);
    void Close();
    // Plays on from the current position.
    void Play(bool loop);
    void Stop();
    void Rewind();

    // Percentages: 100 is unity, up to 200.
    void SetMasterVolume(int percent);
    int GetMasterVolume() const;
    void SetVolume(int percent);
    int GetVolume() const;
    // Ramps the fade level to percent (0-100) over milliseconds at 44,100 frames per
    // second; at once for 0 ms. A fade-out that reaches 0 stops the channel.
    void FadeTo(int percent, int milliseconds);

    // Adds this channel's next bytes / 4 stereo 16-bit frames into block; returns the
    // bytes decoded. Each sum saturates at the 16-bit range.
    int MixInto(int16_t* block, int bytes);

    const std::string& Name() const { return Name_; }
    bool Opened() const { return Opened_; }
    bool Playing() const { return Playing_; }
    bool Loop() const { return Loop_; }
    int Channels() const { return Channels_; }
    // Decoded bytes times Channels since the last rewind.
    int32_t Position() const { return Position_; }
    // The stored levels behind the percentages: 4096 is unity.
    int32_t MasterVolume() const { return MasterVolume_; }
    int32_t Volume() const { return Volume_; }
    // Fixed point, 2^32 = 100 %; a step of 0 means no fade is running.
    int64_t FadeLevel() const;
    int64_t FadeStep() const;
    int64_t FadeTarget() const;

    // Main thread, after Play: the output may be resting while nothing sounds.
    std::function<void()> OnPlay;

    static int32_t VolumeFromPercent(int percent);
    static int PercentFromVolume(int32_t volume);
    static int64_t FadeLevelFromPercent(int percent);

private:
    struct TFade {
        int64_t Level = kFullFade;
        int64_t Step = 0;
        int64_t Target = kFullFade;
    };

    // Decodes up to wanted bytes into the scratch block under the decoder lock.
    int Decode(int wanted);
    void LogOpenFailure(const std::string& name);

    TFileCache* Files_;
    TDebugLog* Log_;
    std::string Name_;                         // main thread only
    std::unique_ptr<OggVorbis_File> Decoder_;  // valid while Opened_
    std::vector<int16_t> Scratch_;

    std::atomic<bool> Opened_{false};
    std::atomic<bool> Playing_{false};
    std::atomic<bool> Loop_{false};
    std::atomic<int> Channels_{0};
    std::atomic<int32_t> Position_{0};
    std::atomic<int32_t> MasterVolume_;
    std::atomic<int32_t> Volume_;

    // The mixer takes the fade at the start of a block and puts it back at its end,
    // unless the main thread set a new one meanwhile (FadeVersion_ tells).
    mutable std::mutex FadeLock_;
    TFade Fade_;
    uint64_t FadeVersion_ = 0;
};

}  // namespace vandor

#include "sound/OggData.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "resources/FileCache.h"
#include "util/DebugLog.h"

namespace vandor {

std::mutex& DecoderLock() {
    static std::mutex lock;
    return lock;
}

namespace {

// The channel's own copy of the file, read by the decoder through the callbacks
// below. The decoder owns it once opened and frees it when cleared.
struct TMemorySource {
    TBytes Bytes;
    std::size_t Position = 0;
};

std::size_t ReadSource(void* buffer, std::size_t size, std::size_t count, void* source) {
    if (size == 0 || count == 0) return 0;
    auto& memory = *static_cast<TMemorySource*>(source);
    const std::size_t available = memory.Bytes.size() - memory.Position;
    const std::size_t wanted = count > available / size ? available : size * count;
    std::memcpy(buffer, memory.Bytes.data() + memory.Position, wanted);
    memory.Position += wanted;
    return wanted / size;
}

int SeekSource(void* source, ogg_int64_t offset, int whence) {
    auto& memory = *static_cast<TMemorySource*>(source);
    int64_t base;
    switch (whence) {
        case SEEK_SET: base = 0; break;
        case SEEK_CUR: base = static_cast<int64_t>(memory.Position); break;
        case SEEK_END: base = static_cast<int64_t>(memory.Bytes.size()); break;
        default: return -1;
    }
    const int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(memory.Bytes.size())) return -1;
    memory.Position = static_cast<std::size_t>(target);
    return 0;
}

int CloseSource(void* source) {
    delete static_cast<TMemorySource*>(source);
    return 0;
}

long TellSource(void* source) { return static_cast<long>(static_cast<TMemorySource*>(source)->Position); }

const ov_callbacks kMemoryCallbacks{ReadSource, SeekSource, CloseSource, TellSource};

int16_t AddSaturated(int16_t into, int64_t sample, int64_t gain) {
    const int64_t sum = into + sample * gain / TOggData::kUnityVolume;
    return static_cast<int16_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

}  // namespace

TOggData::TOggData(TFileCache* files, TDebugLog* log)
    : Files_(files), Log_(log), MasterVolume_(VolumeFromPercent(60)), Volume_(kUnityVolume) {}

TOggData::~TOggData() { Close(); }

int32_t TOggData::VolumeFromPercent(int percent) {
    return static_cast<int32_t>(std::clamp<int64_t>((int64_t{percent} * kMaxVolume + 99) / 200, 0, kMaxVolume));
}

int TOggData::PercentFromVolume(int32_t volume) { return (volume * 200 + 4000) / kMaxVolume; }

int64_t TOggData::FadeLevelFromPercent(int percent) {
    return (int64_t{std::clamp(percent, 0, 100)} * (int64_t{1} << 30) + 12) / 25;
}

void TOggData::Open(const std::string& name) {
    if (name == Name_) {
        FadeTo(100, 0);
        return;
    }
    Close();
    if (Files_ == nullptr) return;
    TStreamHold stream(*Files_, name);
    if (stream.Get() == nullptr) return;  // the lookup has logged the missing file
    OpenData(name, *stream.Get());
}

void TOggData::OpenData(const std::string& name, std::span<const uint8_t> bytes) {
    if (name == Name_) {
        FadeTo(100, 0);
        return;
    }
    Close();
    try {
        auto source = std::make_unique<TMemorySource>();
        source->Bytes.assign(bytes.begin(), bytes.end());
        auto decoder = std::make_unique<OggVorbis_File>();
        std::lock_guard lock(DecoderLock());
        // On failure the decoder leaves the source to us, and the unique_ptr frees it.
        if (ov_open_callbacks(source.get(), decoder.get(), nullptr, 0, kMemoryCallbacks) != 0) {
            LogOpenFailure(name);
            return;
        }
        source.release();
        const vorbis_info* info = ov_info(decoder.get(), -1);
        // The mixer knows mono and stereo only; anything else would be read as garbage.
        if (info == nullptr || (info->channels != 1 && info->channels != 2)) {
            ov_clear(decoder.get());
            LogOpenFailure(name);
            return;
        }
        Decoder_ = std::move(decoder);
        Name_ = name;
        Channels_ = info->channels;
        Opened_ = true;
    } catch (const std::bad_alloc&) {
        LogOpenFailure(name);
        return;
    }
    Rewind();
    FadeTo(100, 0);
}

void TOggData::LogOpenFailure(const std::string& name) {
    if (Log_ != nullptr) Log_->Add(name + "は開けませんでした.");
}

void TOggData::Close() {
    Stop();
    if (!Opened_) return;
    std::lock_guard lock(DecoderLock());
    ov_clear(Decoder_.get());  // frees the memory copy through CloseSource
    Decoder_.reset();
    Name_.clear();
    Opened_ = false;
}

void TOggData::Play(bool loop) {
    if (!Opened_) return;
    Loop_ = loop;
    Playing_ = true;
    if (OnPlay) OnPlay();
}

void TOggData::Stop() {
    if (Playing_.exchange(false)) Loop_ = false;
}

void TOggData::Rewind() {
    std::lock_guard lock(DecoderLock());
    if (!Opened_) return;
    ov_pcm_seek(Decoder_.get(), 0);
    Position_ = 0;
}

void TOggData::SetMasterVolume(int percent) { MasterVolume_ = VolumeFromPercent(percent); }

int TOggData::GetMasterVolume() const { return PercentFromVolume(MasterVolume_); }

void TOggData::SetVolume(int percent) { Volume_ = VolumeFromPercent(percent); }

int TOggData::GetVolume() const { return PercentFromVolume(Volume_); }

void TOggData::FadeTo(int percent, int milliseconds) {
    const int64_t target = FadeLevelFromPercent(percent);
    std::lock_guard lock(FadeLock_);
    Fade_.Target = target;
    if (milliseconds > 0) {
        Fade_.Step = (target - Fade_.Level) * 1000 / (int64_t{milliseconds} * kFramesPerSecond);
    } else {
        Fade_.Level = target;
        Fade_.Step = 0;
    }
    ++FadeVersion_;
}

int64_t TOggData::FadeLevel() const {
    std::lock_guard lock(FadeLock_);
    return Fade_.Level;
}

int64_t TOggData::FadeStep() const {
    std::lock_guard lock(FadeLock_);
    return Fade_.Step;
}

int64_t TOggData::FadeTarget() const {
    std::lock_guard lock(FadeLock_);
    return Fade_.Target;
}

int TOggData::Decode(int wanted) {
    char* out = reinterpret_cast<char*>(Scratch_.data());
    const int channels = Channels_;
    constexpr int kBigEndian = std::endian::native == std::endian::big ? 1 : 0;
    int got = 0;
    for (int request = 0; got < wanted; ++request) {
        int bitstream = 0;
        const long read = ov_read(Decoder_.get(), out + got, wanted - got, kBigEndian, 2, 1, &bitstream);
        if (read > 0) {
            got += static_cast<int>(read);
            Position_.fetch_add(static_cast<int32_t>(read) * channels);
            continue;
        }
        // A first empty answer can come from a page boundary: ask once more.
        if (read == 0 && request == 0) continue;
        break;  // the end of the file, or a decoder error that ends it just the same
    }
    return got;
}

int TOggData::MixInto(int16_t* block, int bytes) {
    const int frames = bytes / 4;
    if (frames <= 0) return 0;
    Scratch_.resize(static_cast<std::size_t>(frames) * 2);

    int channels;
    int wanted;
    int got;
    {
        std::lock_guard lock(DecoderLock());
        // Closed or stopped while the mixer waited for the lock: nothing to add.
        if (!Opened_ || !Playing_) return 0;
        channels = Channels_;
        wanted = frames * 2 * channels;
        got = Decode(wanted);
    }
    if (got < wanted) {
        // The file ended inside this block: silence for the rest, then start over or stop.
        Rewind();
        if (!Loop_) Stop();
        std::memset(reinterpret_cast<char*>(Scratch_.data()) + got, 0, static_cast<std::size_t>(wanted - got));
    }
    int16_t* samples = Scratch_.data();
    if (channels == 1) {
        // Widen in place from the end, so that no mono sample is overwritten before it is read.
        for (int i = frames - 1; i >= 0; --i) samples[2 * i] = samples[2 * i + 1] = samples[i];
    }

    const int64_t volume = (int64_t{MasterVolume_} * Volume_) >> 12;
    TFade fade;
    uint64_t version;
    {
        std::lock_guard lock(FadeLock_);
        fade = Fade_;
        version = FadeVersion_;
    }
    int64_t gain = (fade.Level * volume) >> 32;
    bool fadedOut = false;
    for (int frame = 0; frame < frames; ++frame) {
        if (fade.Step != 0) {
            fade.Level += fade.Step;
            if (fade.Step > 0 ? fade.Level >= fade.Target : fade.Level <= fade.Target) {
                if (fade.Step < 0 && fade.Level <= 0) {
                    fade.Level = 0;
                    fadedOut = true;
                }
                fade.Step = 0;
            }
            gain = (fade.Level * volume) >> 32;
        }
        block[2 * frame] = AddSaturated(block[2 * frame], samples[2 * frame], gain);
        block[2 * frame + 1] = AddSaturated(block[2 * frame + 1], samples[2 * frame + 1], gain);
    }
    bool fadeStands;
    {
        std::lock_guard lock(FadeLock_);
        // A fade set by the main thread during this block wins over the one played here.
        fadeStands = FadeVersion_ == version;
        if (fadeStands) Fade_ = fade;
    }
    if (fadedOut && fadeStands) Stop();
    return got;
}

}  // namespace vandor

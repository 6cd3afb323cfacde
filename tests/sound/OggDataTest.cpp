#include "sound/OggData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "resources/FileCache.h"
#include "sound/OggTone.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

using test::DecodeOgg;
using test::MakeToneOgg;

const TBytes& Stereo() {
    static const TBytes bytes = MakeToneOgg(2, 300, 440, 0.5);
    return bytes;
}
const TBytes& Mono() {
    static const TBytes bytes = MakeToneOgg(1, 300, 330, 0.5);
    return bytes;
}

// Mixes frames of the channel into silence.
std::vector<int16_t> Mix(TOggData& channel, int frames) {
    std::vector<int16_t> block(static_cast<std::size_t>(frames) * 2);
    channel.MixInto(block.data(), frames * 4);
    return block;
}

std::vector<int16_t> Slice(const std::vector<int16_t>& samples, std::size_t first, std::size_t count) {
    return {samples.begin() + first, samples.begin() + first + count};
}

TEST(OggData, PercentagesAndFadeLevelsConvertWithTheirRounding) {
    EXPECT_EQ(TOggData::VolumeFromPercent(60), 2458);
    EXPECT_EQ(TOggData::PercentFromVolume(2458), 60);
    EXPECT_EQ(TOggData::VolumeFromPercent(100), 4096);
    EXPECT_EQ(TOggData::PercentFromVolume(4096), 100);
    EXPECT_EQ(TOggData::VolumeFromPercent(0), 0);
    EXPECT_EQ(TOggData::VolumeFromPercent(200), 8192);
    EXPECT_EQ(TOggData::VolumeFromPercent(250), 8192);
    EXPECT_EQ(TOggData::VolumeFromPercent(-30), 0);
    EXPECT_EQ(TOggData::FadeLevelFromPercent(100), int64_t{1} << 32);
    EXPECT_EQ(TOggData::FadeLevelFromPercent(50), int64_t{1} << 31);
    EXPECT_EQ(TOggData::FadeLevelFromPercent(130), int64_t{1} << 32);
    EXPECT_EQ(TOggData::FadeLevelFromPercent(-5), 0);

    TOggData channel(nullptr, nullptr);
    EXPECT_EQ(channel.MasterVolume(), 2458);
    EXPECT_EQ(channel.Volume(), 4096);
    EXPECT_EQ(channel.FadeLevel(), int64_t{1} << 32);
    EXPECT_EQ(channel.FadeStep(), 0);
    channel.SetVolume(30);
    EXPECT_EQ(channel.GetVolume(), 30);
    channel.SetMasterVolume(200);
    EXPECT_EQ(channel.GetMasterVolume(), 200);
}

TEST(OggData, FadesStepPerFrameAndAFadeOutStopsOnItsLastFrame) {
    TOggData out(nullptr, nullptr), half(nullptr, nullptr);
    for (TOggData* channel : {&out, &half}) {
        channel->OpenData("loop.ogg", Stereo());
        channel->Play(true);  // the file is shorter than the fade: it loops through it
    }
    out.FadeTo(0, 1000);
    half.FadeTo(50, 1000);
    EXPECT_EQ(out.FadeStep(), -97391);
    EXPECT_EQ(half.FadeStep(), -48695);

    Mix(out, 44100);
    Mix(half, 44100);
    EXPECT_TRUE(out.Playing());
    EXPECT_EQ(out.FadeLevel(), 24196);  // 2^32 - 44,100 steps of 97,391
    EXPECT_EQ(half.FadeStep(), -48695);

    Mix(out, 1);  // frame 44,101 passes 0
    Mix(half, 1);
    EXPECT_FALSE(out.Playing());
    EXPECT_FALSE(out.Loop());
    EXPECT_EQ(out.FadeLevel(), 0);
    EXPECT_EQ(out.FadeStep(), 0);
    EXPECT_TRUE(half.Playing());
    EXPECT_EQ(half.FadeStep(), 0);
    EXPECT_EQ(half.FadeLevel(), 2147469101);  // 2^32 - 44,101 steps of 48,695
    EXPECT_LT(half.FadeLevel(), int64_t{1} << 31);

    // A fade in ends on the frame that reaches the target and may pass it by less than a step.
    half.FadeTo(0, 0);
    EXPECT_EQ(half.FadeLevel(), 0);
    half.FadeTo(100, 10);
    const int64_t step = half.FadeStep();
    EXPECT_EQ(step, (int64_t{1} << 32) * 1000 / 441000);
    Mix(half, 441);
    EXPECT_EQ(half.FadeStep(), step);
    Mix(half, 1);
    EXPECT_EQ(half.FadeStep(), 0);
    EXPECT_EQ(half.FadeLevel(), 442 * step);
    EXPECT_GT(half.FadeLevel(), int64_t{1} << 32);
}

TEST(OggData, SamplesEnterScaledTruncatedAndMonoOnBothSides) {
    const std::vector<int16_t> stereo = DecodeOgg(Stereo());
    const std::vector<int16_t> mono = DecodeOgg(Mono());
    TOggData left(nullptr, nullptr), right(nullptr, nullptr);
    left.OpenData("stereo.ogg", Stereo());
    right.OpenData("mono.ogg", Mono());
    EXPECT_EQ(left.Channels(), 2);
    EXPECT_EQ(right.Channels(), 1);
    left.Play(false);
    right.Play(false);

    // Master 60 %, volume 100 %: every sample times 2458 / 4096, truncated towards zero.
    const std::vector<int16_t> scaled = Mix(left, 4096);
    bool sawNegativeRounding = false;
    for (std::size_t i = 0; i < scaled.size(); ++i) {
        ASSERT_EQ(scaled[i], stereo[i] * 2458 / 4096) << i;
        sawNegativeRounding |= stereo[i] < 0 && stereo[i] * 2458 % 4096 != 0;
    }
    EXPECT_TRUE(sawNegativeRounding);
    EXPECT_EQ(left.Position(), 16384 * 2);

    right.SetMasterVolume(100);
    const std::vector<int16_t> widened = Mix(right, 4096);
    for (std::size_t frame = 0; frame < 4096; ++frame) {
        ASSERT_EQ(widened[2 * frame], mono[frame]) << frame;
        ASSERT_EQ(widened[2 * frame + 1], mono[frame]) << frame;
    }
    EXPECT_EQ(right.Position(), 8192);
}

TEST(OggData, TheEndOfTheFileInsideABlockStopsOrLoops) {
    const std::vector<int16_t> reference = DecodeOgg(Stereo());
    const std::size_t frames = reference.size() / 2;
    const std::size_t fullBlocks = frames / 4096, tail = frames % 4096;
    ASSERT_GT(tail, 0u);

    for (bool loop : {false, true}) {
        TOggData channel(nullptr, nullptr);
        channel.OpenData("effect.ogg", Stereo());
        channel.SetMasterVolume(100);
        channel.Play(loop);
        for (std::size_t block = 0; block < fullBlocks; ++block) Mix(channel, 4096);
        const std::vector<int16_t> last = Mix(channel, 4096);
        EXPECT_EQ(Slice(last, 0, tail * 2), Slice(reference, fullBlocks * 8192, tail * 2));
        EXPECT_TRUE(std::all_of(last.begin() + tail * 2, last.end(), [](int16_t s) { return s == 0; }));
        EXPECT_EQ(channel.Position(), 0) << "rewound";
        EXPECT_EQ(channel.Playing(), loop);

        if (!loop) channel.Play(false);
        EXPECT_EQ(Mix(channel, 4096), Slice(reference, 0, 8192)) << "starts from the beginning";
    }
}

TEST(OggData, LoudChannelsSaturateInsteadOfWrappingAround) {
    const TBytes loud = MakeToneOgg(2, 200, 220, 0.95);
    const std::vector<int16_t> reference = DecodeOgg(loud);
    TOggData first(nullptr, nullptr), second(nullptr, nullptr);
    std::vector<int16_t> block(8192);
    for (TOggData* channel : {&first, &second}) {
        channel->OpenData("loud.ogg", loud);
        channel->SetMasterVolume(100);
        channel->SetVolume(200);  // twice each sample
        channel->Play(false);
        channel->MixInto(block.data(), 16384);
    }
    int clipped = 0;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int twice = reference[i] * 2;
        const int expected = std::clamp(std::clamp(twice, -32768, 32767) + twice, -32768, 32767);
        ASSERT_EQ(block[i], expected) << i;
        clipped += block[i] == 32767 || block[i] == -32768;
    }
    EXPECT_GT(clipped, 1000);
}

TEST(OggData, OpeningTheOpenNameOnlyResetsTheFade) {
    const std::vector<int16_t> reference = DecodeOgg(Stereo());
    TOggData channel(nullptr, nullptr);
    channel.OpenData("music.ogg", Stereo());
    channel.SetMasterVolume(100);
    channel.Play(true);
    Mix(channel, 4096);
    channel.FadeTo(0, 1000);
    Mix(channel, 4096);
    ASSERT_LT(channel.FadeLevel(), int64_t{1} << 32);

    channel.OpenData("music.ogg", Stereo());
    EXPECT_EQ(channel.FadeLevel(), int64_t{1} << 32);
    EXPECT_EQ(channel.FadeStep(), 0);
    EXPECT_TRUE(channel.Playing());
    EXPECT_TRUE(channel.Loop());
    EXPECT_EQ(channel.Position(), 2 * 16384 * 2);
    EXPECT_EQ(Mix(channel, 1024), Slice(reference, 8192 * 2, 2048)) << "plays on where it was";

    channel.OpenData("voice.ogg", Mono());
    EXPECT_EQ(channel.Name(), "voice.ogg");
    EXPECT_FALSE(channel.Playing());
    EXPECT_EQ(channel.Position(), 0);
    channel.Close();
    EXPECT_FALSE(channel.Opened());
    EXPECT_EQ(channel.Name(), "");
}

TEST(OggData, FilesThatCannotBeDecodedAreLoggedAndLeaveTheChannelClosed) {
    TDebugLog log("");
    log.Enabled = true;
    TOggData channel(nullptr, &log);
    const TBytes junk(5000, 0x4f);
    channel.OpenData("junk.ogg", junk);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].substr(log.Lines()[0].find(" - ") + 3), "junk.oggは開けませんでした.");
    EXPECT_FALSE(channel.Opened());
    EXPECT_EQ(channel.Name(), "");
    channel.Play(true);
    EXPECT_FALSE(channel.Playing());

    const std::vector<int16_t> threeChannels = test::ToneSamples(3, 4410, 440, 0.3);
    channel.OpenData("three.ogg", test::EncodeOgg(3, threeChannels));
    EXPECT_FALSE(channel.Opened()) << "only mono and stereo can be mixed";
    EXPECT_EQ(log.Lines().size(), 2u);

    // A file cut short plays what there is and then stops.
    const TBytes whole = MakeToneOgg(2, 2000);
    channel.OpenData("cut.ogg", std::span(whole).first(whole.size() * 3 / 4));
    ASSERT_TRUE(channel.Opened());
    channel.Play(false);
    int blocks = 0;
    while (blocks < 30 && channel.Playing()) {
        Mix(channel, 4096);
        ++blocks;
    }
    EXPECT_FALSE(channel.Playing());
    EXPECT_GT(blocks, 5);
}

TEST(OggData, OpenReadsFromTheFileLookup) {
    char folder[] = "/tmp/vandor-sound-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::ofstream(std::string(folder) + "/tone.ogg", std::ios::binary)
        .write(reinterpret_cast<const char*>(Stereo().data()), static_cast<std::streamsize>(Stereo().size()));
    {
        TFileCache files(nullptr);
        files.AddFolder(std::string(folder) + "/");
        TOggData channel(&files, nullptr);
        channel.Open("tone.ogg");
        EXPECT_TRUE(channel.Opened());
        EXPECT_EQ(channel.Name(), "tone.ogg");
        EXPECT_EQ(channel.Channels(), 2);
        channel.Play(false);
        Mix(channel, 1024);
        channel.Open("tone.ogg");
        EXPECT_TRUE(channel.Playing());
        EXPECT_EQ(channel.Position(), 4096 * 2);

        channel.Open("missing.ogg");
        EXPECT_FALSE(channel.Opened());
        EXPECT_EQ(channel.Name(), "");
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vandor

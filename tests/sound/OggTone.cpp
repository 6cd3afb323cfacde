#include "sound/OggTone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

namespace vandor::test {

std::vector<int16_t> ToneSamples(int channels, int frames, double frequency, double amplitude, double noise) {
    std::vector<int16_t> samples(static_cast<std::size_t>(frames) * channels);
    uint32_t seed = 12345;
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            seed = seed * 1664525u + 1013904223u;
            const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
            const double phase = 2 * std::numbers::pi * frequency * (channel + 1) * frame / 44100;
            const double value = amplitude * std::sin(phase) + noise * white;
            samples[std::size_t(frame) * channels + channel] =
                static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
        }
    }
    return samples;
}

TBytes EncodeOgg(int channels, std::span<const int16_t> samples) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, 44100, 0.4f) != 0) throw std::runtime_error("vorbis encoder refused");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    TBytes out;
    ogg_page page;
    const auto append = [&] {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, commentHeader, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codebooks);
    while (ogg_stream_flush(&stream, &page) != 0) append();

    const auto drain = [&] {
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) append();
            }
        }
    };
    const std::size_t frames = samples.size() / channels;
    for (std::size_t start = 0; start < frames; start += 1024) {
        const int count = static_cast<int>(std::min<std::size_t>(1024, frames - start));
        float** buffer = vorbis_analysis_buffer(&dsp, count);
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c) buffer[c][i] = samples[(start + i) * channels + c] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, count);
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);
    drain();
    while (ogg_stream_flush(&stream, &page) != 0) append();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

TBytes MakeToneOgg(int channels, int milliseconds, double frequency, double amplitude, double noise) {
    return EncodeOgg(channels, ToneSamples(channels, 44100 * milliseconds / 1000, frequency, amplitude, noise));
}

std::vector<int16_t> DecodeOgg(const TBytes& ogg) {
    FILE* file = fmemopen(const_cast<uint8_t*>(ogg.data()), ogg.size(), "rb");
    if (file == nullptr) throw std::runtime_error("fmemopen failed");
    OggVorbis_File decoder;
    if (ov_open(file, &decoder, nullptr, 0) != 0) {
        std::fclose(file);
        throw std::runtime_error("not an Ogg Vorbis stream");
    }
    std::vector<int16_t> samples;
    char buffer[8192];
    int bitstream = 0;
    long read;
    while ((read = ov_read(&decoder, buffer, sizeof buffer, 0, 2, 1, &bitstream)) > 0) {
        const auto* decoded = reinterpret_cast<const int16_t*>(buffer);
        samples.insert(samples.end(), decoded, decoded + read / 2);
    }
    ov_clear(&decoder);  // closes the file too
    return samples;
}

}  // namespace vandor::test

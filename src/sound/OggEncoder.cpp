#include "sound/OggEncoder.h"

#include <algorithm>
#include <stdexcept>

#include <vorbis/vorbisenc.h>

namespace vandor {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kStreamSerial = 1;
constexpr int kChunkFrames = 1024;

}  // namespace

TBytes EncodeOgg(int channels, std::span<const int16_t> samples, float quality) {
    if (channels < 1) throw std::invalid_argument("Ogg encoding needs at least one channel");
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, kSampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis encoder refused the settings");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, kStreamSerial);

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
    // The headers end on a page of their own, as decoders expect.
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
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    for (std::size_t start = 0; start < frames; start += kChunkFrames) {
        const int count = static_cast<int>(std::min<std::size_t>(kChunkFrames, frames - start));
        float** buffer = vorbis_analysis_buffer(&dsp, count);
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < channels; ++c) {
                buffer[c][i] = samples[(start + static_cast<std::size_t>(i)) * static_cast<std::size_t>(channels) +
                                       static_cast<std::size_t>(c)] /
                               32768.0f;
            }
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

}  // namespace vandor

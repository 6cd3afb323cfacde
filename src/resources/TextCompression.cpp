#include "resources/TextCompression.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vandor {

bool IsCompressedEntryName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && name.substr(dot) == ".txt";
}

TBytes CompressText(const uint8_t* data, std::size_t size) {
    uLongf length = compressBound(static_cast<uLong>(size));
    TBytes out(length);
    if (compress2(out.data(), &length, data, static_cast<uLong>(size), Z_DEFAULT_COMPRESSION) != Z_OK) {
        throw std::runtime_error("zlib could not compress " + std::to_string(size) + " bytes");
    }
    out.resize(length);
    return out;
}

TBytes ExpandText(const TBytes& stored, std::string_view entryName, std::size_t limit) {
    auto fail = [&](const std::string& why) -> std::runtime_error {
        return std::runtime_error("compressed text \"" + std::string(entryName) + "\": " + why);
    };
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) throw fail("zlib could not start");
    stream.next_in = const_cast<Bytef*>(stored.data());
    stream.avail_in = static_cast<uInt>(stored.size());

    TBytes out;
    int status = Z_OK;
    while (status == Z_OK) {
        const std::size_t done = out.size();
        if (done == limit) {
            // Full: one more byte of output means the text is too large.
            uint8_t probe;
            stream.next_out = &probe;
            stream.avail_out = 1;
            status = inflate(&stream, Z_NO_FLUSH);
            if (stream.avail_out == 0) {
                inflateEnd(&stream);
                throw fail("expands to more than " + std::to_string(limit) + " bytes");
            }
            break;
        }
        const std::size_t chunk = std::min<std::size_t>(std::max<std::size_t>(done, 16384), limit - done);
        out.resize(done + chunk);
        stream.next_out = out.data() + done;
        stream.avail_out = static_cast<uInt>(chunk);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(done + chunk - stream.avail_out);
        // No progress with room to write: the input ended before the stream did.
        if (status == Z_BUF_ERROR) break;
    }
    inflateEnd(&stream);
    if (status == Z_STREAM_END) return out;
    if (status == Z_DATA_ERROR || status == Z_NEED_DICT) throw fail("the stream is damaged");
    if (status == Z_MEM_ERROR) throw fail("out of memory");
    throw fail("the stream is truncated");
}

}  // namespace vandor

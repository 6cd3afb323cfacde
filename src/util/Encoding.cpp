#include "util/Encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace vandor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Converts between glibc iconv encodings. Undecodable input bytes are replaced by
// `invalidReplacement` (already in the target encoding) and skipped one at a time.
std::string IconvConvert(const char* to, const char* from, std::string_view input, std::string_view invalidReplacement,
                         std::size_t skipUnit) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    std::string out;
    out.reserve(input.size() * 2);
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (result == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated sequence): replace and step over it.
            out.append(invalidReplacement);
            std::size_t skip = std::min(skipUnit, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length;
    char32_t value;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(byte)) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) NextCodePoint(text, pos);
    return count;
}

std::size_t CodePointPrefixBytes(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < text.size(); ++i) NextCodePoint(text, pos);
    return pos;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        if (NextCodePoint(bytes, pos) == kReplacement) {
            // A genuine U+FFFD is three bytes EF BF BD; anything else was malformed.
            if (pos - start != 3) return false;
        }
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = NextCodePoint(text, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, unit);  // lone surrogates become U+FFFD there
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view bytes) { return IconvConvert("UTF-8", "CP932", bytes, "\xEF\xBF\xBD", 1); }

std::string Utf8ToCp932(std::string_view text) {
    // Malformed UTF-8 is made well-formed first, so that the only failures left are
    // characters CP932 lacks; those are skipped a whole code point at a time.
    std::string out;
    out.reserve(text.size());
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert UTF-8 to CP932");
    std::string piece;
    char buffer[8];
    for (std::size_t pos = 0; pos < text.size();) {
        piece.clear();
        AppendUtf8(piece, NextCodePoint(text, pos));
        char* in = piece.data();
        std::size_t inLeft = piece.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            out += '?';
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, outPtr);
        }
    }
    iconv_close(cd);
    return out;
}

std::string DecodeText(std::string_view bytes) {
    auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (startsWith("\xEF\xBB\xBF")) {
        std::string_view body = bytes.substr(3);
        if (IsValidUtf8(body)) return std::string(body);
        std::string repaired;
        for (std::size_t pos = 0; pos < body.size();) AppendUtf8(repaired, NextCodePoint(body, pos));
        return repaired;
    }
    if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        std::string_view body = bytes.substr(2);
        std::u16string units;
        units.reserve(body.size() / 2);
        for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
            const auto a = static_cast<unsigned char>(body[i]);
            const auto b = static_cast<unsigned char>(body[i + 1]);
            units += static_cast<char16_t>(little ? (a | (b << 8)) : ((a << 8) | b));
        }
        return Utf16ToUtf8(units);
    }
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp932ToUtf8(bytes);
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace vandor

#pragma once
// Text encodings. The program keeps all text as UTF-8 std::string; these helpers
// convert at the edges (archive names are UTF-16LE, written files are CP932) and
// walk text one Unicode code point at a time, which is what "a character" means
// wherever the game counts characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace vandor {

// Decodes the code point starting at byte `pos` and advances `pos` past it.
// A malformed sequence yields U+FFFD and advances by one byte, so a loop always ends.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Number of code points in UTF-8 text.
std::size_t CodePointCount(std::string_view text);

// Byte length of the first `count` code points (or the whole text if shorter).
std::size_t CodePointPrefixBytes(std::string_view text, std::size_t count);

void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view bytes);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; lone surrogates in UTF-16 too.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Windows code page 932 <-> UTF-8 (glibc's "CP932" table). Bytes that do not decode
// become U+FFFD; characters CP932 cannot hold become "?".
std::string Cp932ToUtf8(std::string_view bytes);
std::string Utf8ToCp932(std::string_view text);

// Text from a file as the game reads scripts and settings: a byte-order mark selects
// UTF-8, UTF-16LE or UTF-16BE; without one, valid UTF-8 stays UTF-8 and anything
// else is read as CP932. The mark itself is dropped.
std::string DecodeText(std::string_view bytes);

// Lower-cases the ASCII letters A-Z only; every other byte stays as it is.
std::string AsciiLower(std::string_view text);

}  // namespace vandor

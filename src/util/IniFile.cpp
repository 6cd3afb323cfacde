#include "util/IniFile.h"

#include "util/AtomicFile.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "util/Encoding.h"

namespace vandor {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) { return a.size() == b.size() && AsciiLower(a) == AsciiLower(b); }

// Splits at CR LF, CR or LF; a final line break does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

bool ParseInteger(std::string_view text, int& result) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = (text[0] == '-');
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    uint64_t magnitude = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    int64_t value;
    if (base == 16) {
        // Hexadecimal spells the 32-bit pattern, so $FFFFFFFF is -1.
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    } else {
        value = static_cast<int64_t>(magnitude);
        if (value > 0x7FFFFFFFll + (negative ? 1 : 0)) return false;
    }
    result = static_cast<int>(negative ? -value : value);
    return true;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FileName_(std::move(fileName)) {
    // Only a regular file: a folder fails to read and a pipe could block forever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(FileName_, error)) return;
    std::ifstream in(FileName_, std::ios::binary);
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return;
    }
    if (in.bad()) return;
    Parse(bytes);
}

void TIniFile::Parse(std::string_view bytes) {
    Sections_.clear();
    Sections_.emplace_back();  // lines before the first section header
    const std::string decoded = DecodeText(bytes);
    std::string_view text = decoded;
    // Some editors write the byte-order mark twice; what is left of it after
    // decoding is not part of the first line.
    constexpr std::string_view kEncodedMark = "\xEF\xBB\xBF";
    while (text.substr(0, kEncodedMark.size()) == kEncodedMark) text.remove_prefix(kEncodedMark.size());
    for (std::string_view raw : SplitLines(text)) {
        const std::string_view trimmed = Trim(raw);
        if (!trimmed.empty() && trimmed[0] == '[') {
            const auto close = trimmed.find(']');
            TSection& section = Sections_.emplace_back();
            section.Name = Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
            section.HasHeader = true;
            section.Header = raw;
            continue;
        }
        TLine& line = Sections_.back().Lines.emplace_back();
        line.Text = raw;
        const auto equals = trimmed.find('=');
        if (equals == std::string_view::npos || trimmed[0] == ';') continue;
        line.Key = Trim(trimmed.substr(0, equals));
        line.Value = Trim(trimmed.substr(equals + 1));
    }
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const {
    for (const TSection& section : Sections_) {
        if (section.HasHeader && SameName(section.Name, name)) return &section;
    }
    return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(std::string_view name) {
    return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

template <class Section>
auto TIniFile::FindKey(Section& section, std::string_view key) -> decltype(&section.Lines.front()) {
    if (key.empty()) return nullptr;
    for (auto& line : section.Lines) {
        if (!line.Key.empty() && SameName(line.Key, key)) return &line;
    }
    return nullptr;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    const TSection* found = FindSection(section);
    return found != nullptr && FindKey(*found, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    const TSection* found = FindSection(section);
    const TLine* line = found ? FindKey(*found, key) : nullptr;
    return std::string(line ? std::string_view(line->Value) : defaultValue);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
    int value;
    return ParseInteger(ReadString(section, key), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string cleaned(Trim(value));
    for (char& c : cleaned) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (Sections_.empty()) Sections_.emplace_back();

    TSection* target = FindSection(section);
    if (target == nullptr) {
        // A blank line before a new section keeps a file written from scratch readable.
        const bool fileEmpty = Sections_.size() == 1 && Sections_[0].Lines.empty();
        if (!fileEmpty) Sections_.back().Lines.push_back({});
        target = &Sections_.emplace_back();
        target->Name = section;
        target->HasHeader = true;
        target->Header = "[" + target->Name + "]";
    }
    if (TLine* existing = FindKey(*target, key)) {
        existing->Value = cleaned;
        existing->Text = existing->Key + "=" + cleaned;
        return;
    }
    // A new key goes after the section's last non-blank line, before any blank
    // lines that separate it from the next section.
    auto position = target->Lines.end();
    while (position != target->Lines.begin() && Trim(std::prev(position)->Text).empty()) --position;
    TLine line;
    line.Key = key;
    line.Value = cleaned;
    line.Text = line.Key + "=" + cleaned;
    target->Lines.insert(position, std::move(line));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string TIniFile::Text() const {
    std::string text;
    for (const TSection& section : Sections_) {
        if (section.HasHeader) text.append(section.Header).append("\r\n");
        for (const TLine& line : section.Lines) text.append(line.Text).append("\r\n");
    }
    return text;
}

bool TIniFile::Save() const {
    if (FileName_.empty()) return false;
    return WriteFileAtomically(FileName_, Utf8ToCp932(Text()));
}

}  // namespace vandor

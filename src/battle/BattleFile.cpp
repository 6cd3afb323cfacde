#include "battle/BattleFile.h"

#include <algorithm>
#include <charconv>

#include "resources/FileCache.h"
#include "resources/ScriptText.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool TBattleFile::Load(TFileCache& files, std::string_view name) {
    Clear();
    const TStreamHold stream(files, name);
    if (!stream.Get()) return false;
    const TBytes& bytes = *stream.Get();
    Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

void TBattleFile::Parse(std::string_view bytes) {
    Clear();
    const std::vector<std::string> lines = SplitLines(DecodeText(bytes));
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = AsciiLower(TrimBlanks(std::string_view(line).substr(0, equals)));
        if (key.empty()) continue;
        Values_.try_emplace(key, TEntry{std::string(TrimBlanks(std::string_view(line).substr(equals + 1))),
                                        static_cast<int>(index) + 1});
    }
}

std::optional<int32_t> TBattleFile::ParseValue(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

int32_t TBattleFile::ReadInt(std::string_view key, int32_t fallback) const {
    const auto found = Values_.find(AsciiLower(key));
    if (found == Values_.end()) return fallback;
    return ParseValue(found->second.Value).value_or(fallback);
}

int32_t TBattleFile::ReadClamped(std::string_view key, int32_t fallback, int32_t lo, int32_t hi) const {
    return std::clamp(ReadInt(key, fallback), lo, hi);
}

}  // namespace vandor

#include "resources/ScriptText.h"

#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr std::string_view kMark = "■";
constexpr std::string_view kEscape = "\x1B";
constexpr std::size_t kMaxCommentCharacters = 1024;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string::npos; start = found + from.size()) {
        out.append(text, start, found - start).append(to);
    }
    out.append(text, start);
    text = std::move(out);
}

// A comment starting the line drops the line. After a command ("[" or "■" first)
// the comment is cut off; anywhere else "//" is message text and stays.
void StripComments(std::vector<std::string>& lines) {
    std::erase_if(lines, [](const std::string& line) { return line.starts_with("//"); });
    for (std::string& line : lines) {
        const std::size_t comment = line.find("//");
        if (comment == std::string::npos || !(line.starts_with('[') || line.starts_with(kMark))) continue;
        const std::string_view rest = std::string_view(line).substr(comment);
        line.erase(comment, CodePointPrefixBytes(rest, kMaxCommentCharacters));
    }
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> NormalizeScript(std::string_view bytes) {
    std::string decoded = DecodeText(bytes);
    if (const std::size_t nul = decoded.find('\0'); nul != std::string::npos) decoded.resize(nul);

    std::vector<std::string> lines = SplitLines(decoded);
    StripComments(lines);

    std::string text;
    for (const std::string& line : lines) text.append(line).append("\r\n");

    // Doubled brackets are literal brackets: park them in ESC while single
    // brackets become marks, so two commands side by side meet as "■■".
    ReplaceAll(text, "\t", "　　");
    ReplaceAll(text, "[[", kEscape);
    ReplaceAll(text, "[", kMark);
    ReplaceAll(text, kEscape, "[[");
    ReplaceAll(text, "]]", kEscape);
    ReplaceAll(text, "]", kMark);
    ReplaceAll(text, kEscape, "]]");
    ReplaceAll(text, "■■", "■\r\n■");
    return SplitLines(text);
}

}  // namespace vandor

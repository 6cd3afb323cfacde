#include "resources/ScriptText.h"

#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr std::string_view kMark = kCommandMark;
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

bool StartsWithCommand(std::string_view line) { return line.starts_with('[') || line.starts_with(kMark); }

// A comment starting the line drops the line (false). After a command ("[" or "■"
// first) the comment is cut off; anywhere else "//" is message text and stays.
bool StripComment(std::string& line) {
    if (line.starts_with("//")) return false;
    const std::size_t comment = line.find("//");
    if (comment == std::string::npos || !StartsWithCommand(line)) return true;
    const std::string_view rest = std::string_view(line).substr(comment);
    line.erase(comment, CodePointPrefixBytes(rest, kMaxCommentCharacters));
    return true;
}

// Doubled brackets are literal brackets: park them in ESC while single brackets become
// marks, so two commands side by side meet as "■■".
void MarkCommands(std::string& text) {
    ReplaceAll(text, "[[", kEscape);
    ReplaceAll(text, "[", kMark);
    ReplaceAll(text, kEscape, "[[");
    ReplaceAll(text, "]]", kEscape);
    ReplaceAll(text, "]", kMark);
    ReplaceAll(text, kEscape, "]]");
}

// Whether the comment cut of the line falls between a command's marks: an odd number
// of marks before it means a command was opened and not closed.
bool CommentCutsCommand(std::string_view line) {
    const std::size_t comment = line.find("//");
    if (comment == std::string_view::npos || comment == 0 || !StartsWithCommand(line)) return false;
    std::string before(line.substr(0, comment));
    MarkCommands(before);
    std::size_t marks = 0;
    for (std::size_t at = before.find(kMark); at != std::string::npos; at = before.find(kMark, at + kMark.size())) {
        ++marks;
    }
    return marks % 2 == 1;
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

// Each source line on its own: a command mark never spans two lines, so the lines
// come out as they would from the whole text, and each knows where it came from.
TNumberedScript NormalizeScriptNumbered(std::string_view bytes) {
    std::string decoded = DecodeText(bytes);
    if (const std::size_t nul = decoded.find('\0'); nul != std::string::npos) decoded.resize(nul);

    std::vector<std::string> source = SplitLines(decoded);
    TNumberedScript script;
    for (std::size_t index = 0; index < source.size(); ++index) {
        std::string line = std::move(source[index]);
        if (CommentCutsCommand(line)) script.CommandsCutByComments.push_back(static_cast<int>(index) + 1);
        if (!StripComment(line)) continue;
        ReplaceAll(line, "\t", "　　");
        MarkCommands(line);
        ReplaceAll(line, "■■", "■\n■");
        std::size_t start = 0;
        for (std::size_t end; (end = line.find('\n', start)) != std::string::npos; start = end + 1) {
            script.Lines.push_back(line.substr(start, end - start));
            script.SourceLines.push_back(static_cast<int>(index) + 1);
        }
        script.Lines.push_back(line.substr(start));
        script.SourceLines.push_back(static_cast<int>(index) + 1);
    }
    return script;
}

std::vector<std::string> NormalizeScript(std::string_view bytes) { return NormalizeScriptNumbered(bytes).Lines; }

}  // namespace vandor

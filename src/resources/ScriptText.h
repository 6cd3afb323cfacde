#pragma once
// The preprocessing every script goes through before the scenario engine sees it:
// decoding, comment removal, and putting each bracketed command on a line of its
// own between "■" marks.

#include <string>
#include <string_view>
#include <vector>

namespace vandor {

// What a bracket becomes: a command line starts with this mark and its command ends
// at the next one.
inline constexpr std::string_view kCommandMark = "■";

// Splits at CR LF, a lone CR or a lone LF. A final line break does not start
// another line, so empty text gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// The script's lines, UTF-8, from the file's bytes (any encoding DecodeText reads).
std::vector<std::string> NormalizeScript(std::string_view bytes);

// The same lines, each with the number (from 1) of the file's line it came from, for
// telling authors where a problem is.
struct TNumberedScript {
    std::vector<std::string> Lines;
    std::vector<int> SourceLines;
    // The file's lines whose comment begins inside a command's brackets, so that cutting
    // it cuts the command short: "[bg01//禁スキップ]" runs as "[bg01".
    std::vector<int> CommandsCutByComments;
};
TNumberedScript NormalizeScriptNumbered(std::string_view bytes);

}  // namespace vandor

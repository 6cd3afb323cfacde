#include "scenario/ReadPages.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "resources/ScriptText.h"
#include "util/AtomicFile.h"
#include "util/Encoding.h"
#include "util/Number.h"

namespace vandor {
namespace {

constexpr std::string_view kHeader = "VandorReadPages\t1";
constexpr std::string_view kLineEnd = "\r\n";
// Far more pages than any story has: a larger file is not ours.
constexpr std::streamsize kMaxFileSize = 32 << 20;
constexpr int kMaxLineIndex = 100000000;

TReadPagesError Damaged(std::size_t lineNumber, const std::string& why) {
    return TReadPagesError(std::string(kReadPagesFileName) + " line " + std::to_string(lineNumber) + ": " + why);
}

}  // namespace

bool TReadPages::Add(std::string_view script, int pageEndLine) {
    return Pages_.emplace(std::string(script), pageEndLine).second;
}

bool TReadPages::Contains(std::string_view script, int pageEndLine) const {
    return Pages_.contains({std::string(script), pageEndLine});
}

std::string ReadPagesText(const TReadPages& pages) {
    std::string text(kHeader);
    text += kLineEnd;
    for (const auto& [script, line] : pages.Pages()) {
        text += script + "\t" + std::to_string(line);
        text += kLineEnd;
    }
    return text;
}

void ParseReadPagesText(std::string_view text, TReadPages& pages) {
    pages.Clear();
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || lines.front() != kHeader) throw Damaged(1, "not a read-pages file");
    TReadPages parsed;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t tab = line.rfind('\t');
        const std::string_view number =
            tab == std::string::npos ? std::string_view() : std::string_view(line).substr(tab + 1);
        const int index = ToNumber(number, -1);
        if (tab == 0 || tab == std::string::npos || index < 0 || index > kMaxLineIndex) {
            throw Damaged(i + 1, "expected a script name, a tab and a line number");
        }
        parsed.Add(line.substr(0, tab), index);
    }
    pages = std::move(parsed);
}

void WriteReadPagesFile(const std::string& path, const TReadPages& pages) {
    if (!WriteFileAtomically(path, Utf8ToCp932(ReadPagesText(pages)))) {
        const std::string reason = std::strerror(errno);
        throw TReadPagesError("cannot write " + path + " (" + reason + ")");
    }
}

void ReadReadPagesFile(const std::string& path, TReadPages& pages) {
    pages.Clear();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) throw TReadPagesError("cannot open " + path);
    const std::streamsize size = file.tellg();
    if (size < 0 || size > kMaxFileSize) throw TReadPagesError(path + " is too large to be a read-pages file");
    file.seekg(0);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), size)) throw TReadPagesError("cannot read " + path);
    ParseReadPagesText(Cp932ToUtf8(bytes), pages);
}

}  // namespace vandor

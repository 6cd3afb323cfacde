#pragma once
// The pages the player has ever read, across all slots and runs: a page is known by
// its script and the index of the empty line that ends it, which stays the same as
// long as the script does. Skipping "read text only" stops at the first page not in
// here. The file is text, CP932 with CR LF: a header line, then "script<TAB>line".

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vandor {

inline constexpr const char* kReadPagesFileName = "readpages.dat";

// A read-pages file that cannot be used; the message names the file and why.
class TReadPagesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TReadPages {
public:
    // False when the page was already there.
    bool Add(std::string_view script, int pageEndLine);
    bool Contains(std::string_view script, int pageEndLine) const;
    void Clear() { Pages_.clear(); }
    bool Empty() const { return Pages_.empty(); }
    int Count() const { return static_cast<int>(Pages_.size()); }
    const std::set<std::pair<std::string, int>>& Pages() const { return Pages_; }

private:
    std::set<std::pair<std::string, int>> Pages_;
};

// The file's text before encoding: UTF-8, pages in sorted order, CR LF lines.
std::string ReadPagesText(const TReadPages& pages);
// Replaces `pages` with those of the text; throws TReadPagesError (leaving `pages`
// empty) when a line is not a page or the header is missing.
void ParseReadPagesText(std::string_view text, TReadPages& pages);

// Written atomically; throws TReadPagesError when the file cannot be written (the
// old file then stays as it was).
void WriteReadPagesFile(const std::string& path, const TReadPages& pages);
// Throws TReadPagesError when the file cannot be read or is damaged.
void ReadReadPagesFile(const std::string& path, TReadPages& pages);

}  // namespace vandor

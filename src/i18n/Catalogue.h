#pragma once
// A translation catalogue: one GNU gettext PO file, read with gettext's own library
// so that every translator's tool and this game agree on what the file says. Entries
// are keyed by context (a script's file name for story text, none for the game's own
// texts) and the original text; an entry that is untranslated or marked fuzzy counts
// as missing, so the original shows instead of a half-finished translation.

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vandor {

// A catalogue that cannot be read: its message names the file and the first problem.
class ECatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCatalogue {
public:
    enum class TEntryState { Missing, Untranslated, Fuzzy, Translated };

    TCatalogue() = default;
    // Reads PO text; `name` is used in error messages only. Throws ECatalogueError.
    static TCatalogue FromText(std::string_view text, const std::string& name);
    static TCatalogue FromFile(const std::string& path);

    // The translation, or nullptr when the entry is missing, untranslated or fuzzy.
    const std::string* Find(std::string_view context, std::string_view original) const;
    // The translation, or the original itself when there is none.
    std::string Translate(std::string_view context, std::string_view original) const;
    TEntryState State(std::string_view context, std::string_view original) const;
    // A field of the header entry ("Language", "X-Font"); empty when absent.
    std::string HeaderField(std::string_view field) const;
    std::size_t Size() const { return Entries_.size(); }

    // Header field naming a font used instead of every font scripts and game name.
    static constexpr std::string_view kFontField = "X-Font";

private:
    struct TEntry {
        std::string Text;
        bool Fuzzy = false;
    };
    std::map<std::pair<std::string, std::string>, TEntry, std::less<>> Entries_;
    std::string Header_;
};

}  // namespace vandor

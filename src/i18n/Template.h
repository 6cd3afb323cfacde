#pragma once
// The translation template (a POT file): every text of the game a translator may
// translate, each once per context, with where it comes from. Written with gettext's
// own library, so that msgfmt and msgmerge read it as they read their own.

#include <string>
#include <vector>

#include "resources/ScriptText.h"

namespace vandor {

struct TTemplateEntry {
    std::string Context;  // a script's file name; empty for the game's own texts
    std::string Original;
    std::vector<std::string> References;  // "script.txt:LINE"
    bool CFormat = false;                 // a printf format: translators' tools check its %-codes
};

class TTranslationTemplate {
public:
    // Every page and choice caption of a script, `name` as the engine knows it.
    void AddScript(const std::string& name, const TNumberedScript& script);
    // A text of the game's own, translated without context.
    void AddGameText(const std::string& japanese);
    // A printf format of the game's own, whose translation must keep its conversions.
    void AddGameFormat(const std::string& japanese);
    const std::vector<TTemplateEntry>& Entries() const { return Entries_; }
    // Throws std::runtime_error when the file cannot be written.
    void Write(const std::string& path) const;

private:
    TTemplateEntry& Add(const std::string& context, const std::string& original, const std::string& reference);

    std::vector<TTemplateEntry> Entries_;
};

}  // namespace vandor

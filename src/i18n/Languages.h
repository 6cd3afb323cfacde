#pragma once
// Which translations a player can choose: the catalogues in the folder "lang/" beside
// the program (a translation is installed by copying that folder), and which of them
// matches the desktop's language.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vandor {

class TCatalogue;
class TFileCache;

inline constexpr const char* kLanguageFolder = "lang/";

// The language codes of the catalogues in `folder` ("en" for "en.po"), sorted.
std::vector<std::string> FindCatalogues(const std::string& folder);

// The catalogue file of a language: "en.po".
std::string CatalogueFileName(const std::string& code);

// The desktop's languages in the order gettext asks for them: LANGUAGE (a list
// separated by ":"), then the first of LC_ALL, LC_MESSAGES and LANG that is set.
// "en_GB.UTF-8@euro" gives "en_GB" and then "en"; "C" and "POSIX" mean none.
std::vector<std::string> DesktopLanguages(const std::function<const char*(const char*)>& environment);

// The catalogue of a language: "lang/LL.po" beside the program, else "LL.po" through
// the game's file lookup; nullptr when neither exists. Throws ECatalogueError for a
// damaged one.
std::shared_ptr<const TCatalogue> FindCatalogue(const std::string& exeFolder, const std::string& code,
                                                TFileCache& files);

// The first desktop language with a catalogue among `available`, or empty.
std::string MatchDesktopLanguage(const std::vector<std::string>& available,
                                 const std::function<const char*(const char*)>& environment);

}  // namespace vandor

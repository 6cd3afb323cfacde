#pragma once
// The texts of one script a translator sees: its pages and its choice captions.
//
// A page is the text of the lines between two click waits (an empty line, an untimed
// "クリック待", a label or a choice ends one), joined with "\n". The commands at the
// start of those lines are not part of the text: translating a page keeps them at the
// start of the same line of the translated page. A translation with fewer lines leaves
// the later lines empty (their commands still run there); one with more lines lets the
// last line carry the rest, broken where the translation breaks. So a page keeps its
// lines, and with them the places that read progress and labels refer to.

#include <string>
#include <string_view>
#include <vector>

namespace vandor {

class TCatalogue;

struct TPageText {
    std::vector<int> Lines;  // indices of the script lines that hold the page's text
    std::string Original;
};

struct TChoiceText {
    int Line = 0;
    std::string Original;
    bool Alternative = false;  // the caption shown while the choice's condition fails
};

struct TScriptTexts {
    std::vector<TPageText> Pages;
    std::vector<TChoiceText> Choices;
};

// The byte where the text of a script line starts (after a leading command), or npos
// when the line shows no text.
std::size_t TextStart(std::string_view line);

TScriptTexts CollectScriptTexts(const std::vector<std::string>& lines);

// The script as it runs in the catalogue's language: as many lines as the original,
// with every translated page and caption in place; texts without a translation stay.
std::vector<std::string> TranslateScript(const std::vector<std::string>& lines, std::string_view context,
                                         const TCatalogue& catalogue);

// What a line that lost its text to a shorter translation becomes: a line break of an
// already broken line, which the message window ignores.
inline constexpr std::string_view kEmptyTextLine = "\n";

}  // namespace vandor

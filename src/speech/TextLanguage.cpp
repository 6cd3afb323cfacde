#include "speech/TextLanguage.h"

#include "util/Encoding.h"

namespace vandor {
namespace {

// Kana, the CJK symbols, the kanji and the full-width forms.
bool JapaneseCharacter(char32_t code) {
    return (code >= 0x3000 && code <= 0x30FF) || (code >= 0x3400 && code <= 0x9FFF) ||
           (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFFEF);
}

}  // namespace

std::string TextLanguage(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (JapaneseCharacter(NextCodePoint(text, pos))) return "ja";
    }
    return "en";
}

}  // namespace vandor

#pragma once
// The language a text is spoken in, told by its characters: any kana or kanji makes it
// Japanese, anything else is read as English. The speech service picks a voice for it.

#include <string>
#include <string_view>

namespace vandor {

std::string TextLanguage(std::string_view text);

}  // namespace vandor

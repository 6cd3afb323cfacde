#pragma once
// The game's own texts (menus, message boxes, panels, names) in the chosen language.
// They are written in Japanese throughout the code and translated where they reach
// the player, with the Japanese as the catalogue's original and no context.

#include <memory>
#include <string>
#include <string_view>

#include "util/Format.h"

namespace vandor {

class TCatalogue;

// The catalogue game texts come from; none (the default) shows them as written.
void SetGameTextCatalogue(std::shared_ptr<const TCatalogue> catalogue);
std::shared_ptr<const TCatalogue> GameTextCatalogue();

std::string GameText(std::string_view japanese);

// A printf format of the game's own ("第%d波") in the chosen language: its translation
// when that takes exactly the same arguments, else the format as written.
std::string GameFormatText(std::string_view japaneseFormat);

template <typename... Args>
std::string GameFormat(std::string_view japaneseFormat, Args... args) {
    return Format(GameFormatText(japaneseFormat).c_str(), args...);
}

}  // namespace vandor

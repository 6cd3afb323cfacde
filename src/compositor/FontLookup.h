#pragma once
// Finding font files for the face names content uses, through fontconfig.

#include <optional>
#include <string>
#include <vector>

namespace vandor {

struct TFontFile {
    std::string Path;
    int Index = 0;  // face index within the file
};

// The fontconfig family for a face name: the Windows Japanese fonts become their
// IPA counterparts, any other name stays as it is.
std::string FontconfigFamily(const std::string& faceName);

// fontconfig's best match for the face name, preferring fonts for Japanese; nothing
// only when fontconfig knows no font at all.
std::optional<TFontFile> MatchFont(const std::string& faceName);

// Whether a font of the face name's own family is installed; when not, MatchFont
// answers with a fallback.
bool FontFamilyInstalled(const std::string& faceName);

// Every installed font that covers Japanese, in a stable order.
std::vector<TFontFile> JapaneseFonts();

}  // namespace vandor

#pragma once
// The few name rules the scenario commands share; the words and numbers of a
// command line are util/Fields.h.

#include <string>
#include <string_view>

#include "util/Fields.h"

namespace vandor {

// Where the story starts, and where the menu's return to the title goes.
inline constexpr const char* kFirstScript = "first.txt";
inline constexpr const char* kTitleScript = "title.txt";
inline constexpr const char* kTitleLabel = "*スタート";

// The extension from the last "." on (".png"), empty when there is none.
std::string_view Extension(std::string_view name);
// The name, with `extension` added when it has none.
std::string WithExtension(std::string name, std::string_view extension);
// The file a command word names (lower-cased): words without an extension are sounds
// when they begin with "bgm", "se" or "cv", otherwise pictures.
std::string ResourceFileName(const std::string& word);

// Of one or two target fields, the one beginning with "*" is the label and any other
// the script.
struct TScriptTarget {
    std::string Script;
    std::string Label;
};
TScriptTarget ReadTarget(const std::string& first, const std::string& second, bool two);

// The picture variants share a base name: "01" stands for "td01", and a trailing
// letter names a variant of the base rather than the base itself.
std::string VariantBase(const std::string& field);

// A variant's sound: "." means none; a name without extension is an Ogg file.
std::string VariantSound(const std::string& name);

}  // namespace vandor

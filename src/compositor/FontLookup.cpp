#include "compositor/FontLookup.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string_view>
#include <tuple>
#include <utility>

#include "util/StartupTrace.h"

namespace vandor {

namespace {

std::optional<TFontFile> FileOf(FcPattern* pattern) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &path) != FcResultMatch || path == nullptr) return std::nullopt;
    int index = 0;
    if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    return TFontFile{reinterpret_cast<const char*>(path), index};
}

}  // namespace

std::string FontconfigFamily(const std::string& faceName) {
    static constexpr std::pair<std::string_view, std::string_view> kWindowsFonts[] = {
        {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},   {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"MS PGothic", "IPAPGothic"},   {"ＭＳ 明朝", "IPAMincho"},   {"MS Mincho", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS PMincho", "IPAPMincho"},
    };
    for (const auto& [windows, family] : kWindowsFonts) {
        if (faceName == windows) return std::string(family);
    }
    return faceName;
}

std::optional<TFontFile> MatchFont(const std::string& faceName) {
    const TStartupSpan span("fonts");
    if (!FcInit()) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    const std::string family = FontconfigFamily(faceName);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return std::nullopt;
    std::optional<TFontFile> file = FileOf(match);
    FcPatternDestroy(match);
    return file;
}

bool FontFamilyInstalled(const std::string& faceName) {
    const TStartupSpan span("fonts");
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    const std::string family = FontconfigFamily(faceName);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, static_cast<char*>(nullptr));
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    const bool installed = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    return installed;
}

std::vector<TFontFile> JapaneseFonts() {
    const TStartupSpan span("fonts");
    std::vector<TFontFile> files;
    if (!FcInit()) return files;
    FcPattern* pattern = FcPatternCreate();
    FcLangSet* languages = FcLangSetCreate();
    FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddLangSet(pattern, FC_LANG, languages);
    FcLangSetDestroy(languages);
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, static_cast<char*>(nullptr));
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    if (fonts == nullptr) return files;
    for (int i = 0; i < fonts->nfont; ++i) {
        if (std::optional<TFontFile> file = FileOf(fonts->fonts[i])) files.push_back(std::move(*file));
    }
    FcFontSetDestroy(fonts);
    std::sort(files.begin(), files.end(), [](const TFontFile& a, const TFontFile& b) {
        return std::tie(a.Path, a.Index) < std::tie(b.Path, b.Index);
    });
    return files;
}

}  // namespace vandor

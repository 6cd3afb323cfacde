#include "i18n/Languages.h"

#include <algorithm>
#include <filesystem>

#include "i18n/Catalogue.h"
#include "resources/FileCache.h"

namespace vandor {
namespace {

constexpr std::string_view kCatalogueExtension = ".po";

// "en_GB.UTF-8@euro" -> "en_GB", then "en".
void AddLocale(std::string locale, std::vector<std::string>& languages) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") return;
    const auto add = [&](const std::string& code) {
        if (std::find(languages.begin(), languages.end(), code) == languages.end()) languages.push_back(code);
    };
    add(locale);
    if (const std::size_t country = locale.find('_'); country != std::string::npos) add(locale.substr(0, country));
}

}  // namespace

std::vector<std::string> FindCatalogues(const std::string& folder) {
    std::vector<std::string> codes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(error) || name.size() <= kCatalogueExtension.size()) continue;
        if (!name.ends_with(kCatalogueExtension)) continue;
        codes.push_back(name.substr(0, name.size() - kCatalogueExtension.size()));
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::string CatalogueFileName(const std::string& code) { return code + std::string(kCatalogueExtension); }

std::shared_ptr<const TCatalogue> FindCatalogue(const std::string& exeFolder, const std::string& code,
                                                TFileCache& files) {
    const std::string name = CatalogueFileName(code);
    const std::string path = exeFolder + kLanguageFolder + name;
    if (std::filesystem::is_regular_file(path)) return std::make_shared<TCatalogue>(TCatalogue::FromFile(path));
    if (!files.Exists(name)) return nullptr;
    TStreamHold stream(files, name);
    if (!stream.Get()) return nullptr;
    const std::string text(stream.Get()->begin(), stream.Get()->end());
    return std::make_shared<TCatalogue>(TCatalogue::FromText(text, name));
}

std::vector<std::string> DesktopLanguages(const std::function<const char*(const char*)>& environment) {
    std::vector<std::string> languages;
    if (const char* list = environment("LANGUAGE"); list && *list) {
        const std::string text = list;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find(':', start)) != std::string::npos; start = end + 1) {
            AddLocale(text.substr(start, end - start), languages);
        }
        AddLocale(text.substr(start), languages);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = environment(name); value && *value) {
            AddLocale(value, languages);
            break;
        }
    }
    return languages;
}

std::string MatchDesktopLanguage(const std::vector<std::string>& available,
                                 const std::function<const char*(const char*)>& environment) {
    for (const std::string& language : DesktopLanguages(environment)) {
        if (std::find(available.begin(), available.end(), language) != available.end()) return language;
    }
    return {};
}

}  // namespace vandor

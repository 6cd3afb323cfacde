#include "i18n/GameText.h"

#include "i18n/Catalogue.h"
#include "i18n/FormatConversions.h"

namespace vandor {
namespace {

std::shared_ptr<const TCatalogue>& Current() {
    static std::shared_ptr<const TCatalogue> catalogue;
    return catalogue;
}

}  // namespace

void SetGameTextCatalogue(std::shared_ptr<const TCatalogue> catalogue) { Current() = std::move(catalogue); }

std::shared_ptr<const TCatalogue> GameTextCatalogue() { return Current(); }

std::string GameText(std::string_view japanese) {
    const auto& catalogue = Current();
    return catalogue ? catalogue->Translate("", japanese) : std::string(japanese);
}

std::string GameFormatText(std::string_view japaneseFormat) {
    const auto& catalogue = Current();
    const std::string* translation = catalogue ? catalogue->Find("", japaneseFormat) : nullptr;
    return translation && SameConversions(japaneseFormat, *translation) ? *translation : std::string(japaneseFormat);
}

}  // namespace vandor

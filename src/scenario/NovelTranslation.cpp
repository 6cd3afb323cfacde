// The story in the chosen language: each script is translated whole as it loads (its
// lines keep their places, so read pages, labels and saves do not depend on the
// language), and a new catalogue waits for the next page, so a page never changes
// language half-way.

#include "i18n/Catalogue.h"
#include "i18n/ScriptTexts.h"
#include "scenario/NovelGame.h"

namespace vandor {

void TNovelGame::SetCatalogue(std::shared_ptr<const TCatalogue> catalogue) {
    PendingCatalogue_ = std::move(catalogue);
    CataloguePending_ = true;
    // Before the first line has run there is no page to finish.
    if (Line == 0 && Column == 1) ApplyPendingCatalogue();
}

void TNovelGame::ApplyPendingCatalogue() {
    if (!CataloguePending_) return;
    CataloguePending_ = false;
    Catalogue_ = std::move(PendingCatalogue_);
    FontOverride_ = Catalogue_ ? Catalogue_->HeaderField(TCatalogue::kFontField) : std::string();
    BackLog_->Bitmap()->Font.Name = ShownFont(std::string(kBackLogFont));
    Message_->Surface().Font.Name = ShownFont(CurrentProperty.FontName);
    TranslateScript();
}

void TNovelGame::TranslateScript() {
    Translated_.clear();
    if (Catalogue_ && Script_) Translated_ = vandor::TranslateScript(*Script_, ScriptName, *Catalogue_);
}

const std::string& TNovelGame::ShownFont(const std::string& scriptFont) const {
    return FontOverride_.empty() ? scriptFont : FontOverride_;
}

}  // namespace vandor

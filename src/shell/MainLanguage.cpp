// The language of the story and of the game's own texts: chosen for a run on the
// command line, kept in the settings, or on the first start taken from the desktop;
// switched from the menu "言語". Catalogues come from "lang/" beside the program, then
// from the game's own data; a damaged one is told once and the original shown.

#include <cstdlib>
#include <filesystem>

#include "i18n/Catalogue.h"
#include "i18n/GameText.h"
#include "i18n/Languages.h"
#include "resources/FileCache.h"
#include "scenario/NovelGame.h"
#include "shell/MainWindow.h"
#include "shell/MessageTexts.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

constexpr int kLanguageGroup = 7;
constexpr const char* kOriginalItem = "mmLangOriginal";

std::string LanguageItemName(const std::string& code) { return "mmLang_" + code; }

}  // namespace

void TggTDMain::PrepareLanguagePictures() {
    const std::string code = StartLanguage(ReadSettings(TIniFile(ConfigPath())).Language);
    StartCatalogue_ = {code, code.empty() ? nullptr : LoadCatalogue(code)};
    if (StartCatalogue_.second) UseLanguagePictures(code);
}

std::string TggTDMain::StartLanguage(const std::optional<std::string>& saved) {
    if (Menu_.Find(kOriginalItem) == nullptr) BuildLanguageMenu();
    Language_ = saved;
    std::string code = saved.value_or("");
    if (!LanguageChoice_.RunLanguage.empty()) {
        code = LanguageChoice_.RunLanguage;
    } else if (!saved && LanguageChoice_.FollowDesktop) {
        code = MatchDesktopLanguage(LanguagesFound_, [](const char* name) { return std::getenv(name); });
        if (!code.empty()) Language_ = code;
    }
    return code;
}

void TggTDMain::ChooseLanguage(const std::optional<std::string>& saved) { ApplyLanguage(StartLanguage(saved)); }

void TggTDMain::ApplyLanguage(const std::string& code) {
    // The catalogue read for the pictures at the start serves once more, unread again.
    std::shared_ptr<const TCatalogue> catalogue;
    if (!code.empty()) catalogue = StartCatalogue_.first == code ? StartCatalogue_.second : LoadCatalogue(code);
    StartCatalogue_ = {};
    SetGameTextCatalogue(catalogue);
    Engine_->SetCatalogue(catalogue);
    Menu_.RefreshCaptions();
    TMenuItem* item = catalogue ? Menu_.Find(LanguageItemName(code)) : nullptr;
    (item ? *item : Menu_.At(kOriginalItem)).SetChecked(true);

    if (catalogue) UseLanguagePictures(code);
}

// Pictures with text on them come from "lang/LL/" before the game's own; a folder once
// added stays until the next start, as the pictures already shown do.
void TggTDMain::UseLanguagePictures(const std::string& code) {
    const std::string pictures = Platform_.ExeFolder + kLanguageFolder + code + "/";
    if (!LanguagePictures_.empty() || !std::filesystem::is_directory(pictures)) return;
    LanguagePictures_ = pictures;
    Files_->AddFolder(LanguagePictures_);
}

std::shared_ptr<const TCatalogue> TggTDMain::LoadCatalogue(const std::string& code) {
    try {
        if (auto catalogue = FindCatalogue(Platform_.ExeFolder, code, *Files_)) return catalogue;
        Log_->Add("翻訳 " + CatalogueFileName(code) + " がありません. 原文で表示します.");
    } catch (const std::exception& error) {
        Log_->Add(std::string("翻訳を読み込めません: ") + error.what());
        if (!CatalogueProblemTold_) {
            CatalogueProblemTold_ = true;
            Host_.MessageBox(GameFormat(message_text::kDamagedCatalogue, error.what()), message_text::kLanguageCaption,
                             TMessageButtons::OK, TMessageIcon::Warning);
        }
    }
    return nullptr;
}

void TggTDMain::BuildLanguageMenu() {
    LanguagesFound_ = FindCatalogues(Platform_.ExeFolder + kLanguageFolder);
    const auto click = [this](TMenuItem& sender) { Guarded([&] { mmLanguageClick(sender); }); };
    Menu_.Add("mmLanguage", kOriginalItem, "原文 (日本語)(&O)", 0, kLanguageGroup, click);
    for (const std::string& code : LanguagesFound_) {
        Menu_.Add("mmLanguage", LanguageItemName(code), code, 0, kLanguageGroup, click);
    }
    Menu_.At("mmLanguage").SetVisible(!LanguagesFound_.empty());
}

void TggTDMain::mmLanguageClick(TMenuItem& sender) {
    const std::string code = sender.Name() == kOriginalItem ? std::string() : sender.Caption();
    Language_ = code;
    ApplyLanguage(code);
}

}  // namespace vandor

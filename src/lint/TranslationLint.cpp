#include "lint/TranslationLint.h"

#include "battle/BattleTables.h"
#include "battle/PanelTexts.h"
#include "campaign/CampaignItems.h"
#include "campaign/ItemTable.h"
#include "campaign/WorldNames.h"
#include "compositor/FontLookup.h"
#include "i18n/Catalogue.h"
#include "i18n/FormatConversions.h"
#include "i18n/Languages.h"
#include "i18n/ScriptTexts.h"
#include "scenario/NovelGame.h"
#include "shell/MessageTexts.h"
#include "text/LayerLabel.h"
#include "text/LayerMessage.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

constexpr int kHeroines = 10;
constexpr int kAreas = 14;
// The story's text as a scene starts: the initial font, size and line height, the
// message frame and the default choice frame.
constexpr int kMessageHeight = 120;
constexpr int kChoiceFrameWidth = 400;
constexpr int kChoiceLeft = 16;

// Code points a page shows: all but line breaks and spaces, which a break may swallow.
std::size_t ShownCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t code = NextCodePoint(text, pos);
        if (code != U'\n' && code != U' ') ++count;
    }
    return count;
}

// The font a page starts in: the scene's starting one, or what a "フォント" command
// between the page before and this page's first line sets (the font goes back to
// the starting one at every page end).
TNovelProperty PageFont(const std::vector<std::string>& lines, int firstLine) {
    TNovelProperty property;
    for (int line = firstLine - 1; line >= 0 && !lines[static_cast<std::size_t>(line)].empty(); --line) {
        const std::string& text = lines[static_cast<std::size_t>(line)];
        if (!text.starts_with(kCommandMark)) continue;
        const std::string_view body = std::string_view(text).substr(kCommandMark.size());
        TFields fields = SplitFields(body.substr(0, body.find(kCommandMark)));
        if (fields.empty() || fields[0] != "フォント") continue;
        PadFields(fields, 4);
        if (fields[1] == "リセット") break;
        if (!fields[1].empty() && fields[1] != ".") property.FontName = fields[1];
        property.FontSize = ToNumber(fields[2], property.FontSize);
        property.LineHeight = ToNumber(fields[3], property.LineHeight);
        break;
    }
    return property;
}

class TFitCheck {
public:
    // `font`: the catalogue's font, or empty for the scripts' own.
    explicit TFitCheck(const std::string& font) : Font_(font) {
        Message_.SetBitmapSize(TNovelGame::kStageWidth, kMessageHeight);
    }

    // Whether every character of the page reaches the message window.
    bool PageFits(const std::string& text, const TNovelProperty& property) {
        Message_.Surface().Font.Name = Font_.empty() ? property.FontName : Font_;
        Message_.Surface().Font.Height = property.FontSize;
        Message_.LineHeight = property.LineHeight;
        Message_.Clear();
        std::size_t start = 0;
        for (std::size_t end;; start = end + 1) {
            end = text.find('\n', start);
            const std::string_view line = std::string_view(text).substr(start, end - start);
            for (std::size_t pos = 0; pos < line.size();) {
                const std::size_t at = pos;
                NextCodePoint(line, pos);
                Message_.AddChar(line.substr(at, pos - at), line.substr(pos));
            }
            Message_.NewLine();
            if (end == std::string::npos) break;
        }
        std::size_t shown = 0;
        for (int i = 0; i < Store_.Count(); ++i) {
            if (Store_.Item(i).Page == Store_.PageCount() - 1) shown += ShownCharacters(Store_.Item(i).Text);
        }
        return shown == ShownCharacters(text);
    }

    bool ChoiceFits(const std::string& caption) {
        TLayerLabel label(Renderer_);
        label.Bitmap()->Font.Name = Font_.empty() ? TNovelProperty{}.FontName : Font_;
        label.Bitmap()->Font.Height = TNovelProperty{}.FontSize;
        label.SetCaption(caption);
        return kChoiceLeft + label.Width() <= kChoiceFrameWidth;
    }

private:
    std::string Font_;
    TNGText Store_{4096};
    TRTextRender Renderer_;
    TLayerMessage Message_{Store_, Renderer_};
};

}  // namespace

std::vector<std::string> GameTexts() {
    std::vector<std::string> texts;
    for (int heroine = 1; heroine <= kHeroines; ++heroine) texts.emplace_back(HeroineName(heroine));
    for (int area = 1; area <= kAreas; ++area) texts.emplace_back(AreaName(area));
    for (int tower = 0; tower < kTowerTypes; ++tower) {
        texts.emplace_back(kTowerNames[static_cast<std::size_t>(tower)]);
        texts.emplace_back(kTowerDescriptions[static_cast<std::size_t>(tower)]);
    }
    for (int item = 1; item <= kItemCount; ++item) {
        texts.emplace_back(ItemName(item));
        texts.emplace_back(ItemDescription(item));
    }
    for (const std::string_view word : panel_text::Words()) texts.emplace_back(word);
    for (const std::string_view text : message_text::Texts()) texts.emplace_back(text);
    std::erase_if(texts, [](const std::string& text) { return text.empty(); });
    return texts;
}

std::vector<std::string> GameFormats() {
    std::vector<std::string> formats;
    for (const std::string_view format : panel_text::Formats()) formats.emplace_back(format);
    for (const std::string_view format : message_text::Formats()) formats.emplace_back(format);
    return formats;
}

std::vector<TLintFinding> LintTranslation(const TGameLint& lint, TFileCache& files, const std::string& exeFolder,
                                          const std::string& language) {
    std::vector<TLintFinding> findings;
    const std::string file = exeFolder + kLanguageFolder + CatalogueFileName(language);
    std::shared_ptr<const TCatalogue> catalogue;
    try {
        catalogue = FindCatalogue(exeFolder, language, files);
    } catch (const ECatalogueError& error) {
        findings.push_back({file, 0, true, std::string("the game ignores this damaged catalogue: ") + error.what()});
        return findings;
    }
    if (!catalogue) {
        findings.push_back({file, 0, true, "no catalogue for " + language});
        return findings;
    }
    std::string font = catalogue->HeaderField(TCatalogue::kFontField);
    if (!font.empty() && !FontFamilyInstalled(font)) {
        findings.push_back({file, 0, false, "the font \"" + font + "\" is not installed; another one is used"});
    }
    TFitCheck fit(font);

    const auto check = [&](const std::string& script, int line, const std::string& original,
                           const TNovelProperty* page) {
        const std::string what = page ? "page" : "choice";
        switch (catalogue->State(script, original)) {
            case TCatalogue::TEntryState::Missing:
                findings.push_back({script, line, false, "this " + what + " has no entry in " + language});
                return;
            case TCatalogue::TEntryState::Untranslated:
                findings.push_back({script, line, false, "this " + what + " is not translated in " + language});
                return;
            case TCatalogue::TEntryState::Fuzzy:
                findings.push_back(
                    {script, line, false,
                     "this " + what + "'s translation in " + language + " is fuzzy: the original shows"});
                return;
            case TCatalogue::TEntryState::Translated: break;
        }
        const std::string& translation = *catalogue->Find(script, original);
        if (page && !fit.PageFits(translation, *page)) {
            findings.push_back({script, line, true, "in " + language + " this page overflows the message window"});
        } else if (!page && !fit.ChoiceFits(translation)) {
            findings.push_back({script, line, true, "in " + language + " this choice is wider than its frame"});
        }
    };
    for (const auto& reached : lint.ReachedScripts()) {
        const std::string& name = reached.first;
        const auto& script = reached.second;
        const TScriptTexts texts = CollectScriptTexts(script->Lines);
        const auto source = [&](int line) { return script->SourceLines[static_cast<std::size_t>(line)]; };
        for (const TPageText& page : texts.Pages) {
            const TNovelProperty property = PageFont(script->Lines, page.Lines.front());
            check(name, source(page.Lines.front()), page.Original, &property);
        }
        for (const TChoiceText& choice : texts.Choices) check(name, source(choice.Line), choice.Original, nullptr);
    }
    std::vector<std::string> originals = GameTexts();
    const std::vector<std::string> formats = GameFormats();
    originals.insert(originals.end(), formats.begin(), formats.end());
    for (const std::string& text : originals) {
        if (!catalogue->Find("", text)) findings.push_back({file, 0, false, "no translation for \"" + text + "\""});
    }
    for (const std::string& format : formats) {
        const std::string* translation = catalogue->Find("", format);
        if (translation && !SameConversions(format, *translation)) {
            findings.push_back({file, 0, true,
                                "the translation of \"" + format +
                                    "\" does not keep its conversions (the same %-codes in the same order): "
                                    "the original shows"});
        }
    }
    return findings;
}

}  // namespace vandor

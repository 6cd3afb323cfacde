// Arbitrary bytes as a translation catalogue: reading either refuses it with
// ECatalogueError or gives a catalogue whose translations are all UTF-8, and a script
// translated with it keeps its number of lines, whatever the entries say.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/Catalogue.h"
#include "i18n/ScriptTexts.h"
#include "util/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vandor::TCatalogue catalogue;
    try {
        catalogue = vandor::TCatalogue::FromText(text, "fuzz.po");
    } catch (const vandor::ECatalogueError&) {
        return 0;
    }
    const std::vector<std::string> script = {"頁。", "■voice■次の行", "", "■選択/a.txt/*a/x/いや■はい", "", "a"};
    const std::vector<std::string> translated = vandor::TranslateScript(script, "s.txt", catalogue);
    if (translated.size() != script.size()) __builtin_trap();
    for (const std::string& line : translated) {
        if (!vandor::IsValidUtf8(line)) __builtin_trap();
    }
    (void)catalogue.HeaderField(vandor::TCatalogue::kFontField);
    return 0;
}

// The table of the engine's own files for authors (docs/engine-files.md) and the one
// the lint checks battles with must be the same table.

#include "lint/EngineFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace vandor {
namespace {

// "| `name` | numbers | kind | use | form |" as name, numbers, kind and form.
std::vector<std::string> DocumentedRows() {
    std::ifstream guide(ENGINE_FILES_GUIDE);
    std::vector<std::string> rows;
    bool inTable = false;
    for (std::string line; std::getline(guide, line);) {
        if (line == "<!-- engine-files begin -->") inTable = true;
        if (line == "<!-- engine-files end -->") inTable = false;
        if (!inTable || !line.starts_with("| `")) continue;
        std::vector<std::string> cells;
        for (std::size_t start = 1, end; (end = line.find(" |", start)) != std::string::npos; start = end + 2) {
            std::string cell = line.substr(start, end - start);
            while (cell.starts_with(' ')) cell.erase(0, 1);
            cells.push_back(cell);
        }
        if (cells.size() >= 5) rows.push_back(cells[0] + " " + cells[1] + " " + cells[2] + " " + cells[4]);
    }
    return rows;
}

TEST(EngineFiles, TheAuthorsTableListsWhatTheEngineAsksFor) {
    std::vector<std::string> code;
    for (const TEngineFile& file : EngineFiles()) {
        const bool numbered =
            file.Name.find('%') != std::string_view::npos && file.Name.find("%s") == std::string_view::npos;
        code.push_back("`" + std::string(file.Name) + "` " +
                       (numbered ? std::to_string(file.First) + ".." + std::to_string(file.Last) : "") + " " +
                       std::string(file.Kind) + " " + std::string(file.Form));
    }
    EXPECT_EQ(DocumentedRows(), code);
}

// The names a row of the table stands for in a battle of `area`.
std::vector<std::string> NamesOf(std::string_view name, int first, int area) {
    for (const TEngineFile& file : EngineFiles()) {
        if (file.Name == name && file.First == first) return EngineFileNames(file, area);
    }
    ADD_FAILURE() << "no row " << name;
    return {};
}

TEST(EngineFiles, PatternsStandForEachOfTheirNumbersAndTheArea) {
    EXPECT_EQ(NamesOf("bgi戦闘.png", 0, 3), std::vector<std::string>{"bgi戦闘.png"});
    EXPECT_EQ(NamesOf("fi戦場%.2d.png", 1, 3), std::vector<std::string>{"fi戦場03.png"});
    EXPECT_EQ(NamesOf("btn%s.png", 0, 3), std::vector<std::string>{"btn暁の角.png"});
    const std::vector<std::string> buttons = NamesOf("btn塔%d.png", 1, 3);
    ASSERT_EQ(buttons.size(), 8u);
    EXPECT_EQ(buttons.front(), "btn塔1.png");
    EXPECT_EQ(buttons.back(), "btn塔8.png");
    EXPECT_EQ(NamesOf("cv001-sys-0%d.ogg", 29, 1),
              (std::vector<std::string>{"cv001-sys-029.ogg", "cv001-sys-030.ogg"}));
}

}  // namespace
}  // namespace vandor

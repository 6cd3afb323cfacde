// Where saves made on Windows are looked for: the folder given on the command line,
// $WINEPREFIX, ~/.wine and Steam's Proton prefixes, each user's documents folder.

#include "shell/WindowsSaves.h"

#include <gtest/gtest.h>

#include <map>

#include "TempFolder.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

constexpr const char* kTitle = "ヴァンドルの星砦タクティクス";

TEnvironment Environment(const std::map<std::string, std::string>& variables) {
    return [variables](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

TEST(WindowsSaves, FoldersAreFoundInEveryKindOfPrefixOnceEachAndOnlyWithASlot) {
    TTempFolder temp;
    const std::string home = temp / "home";
    const std::string saves = std::string("/クイルフェン/") + kTitle + "/";
    const std::string wine = home + "/.wine/drive_c/users/alice/Documents" + saves;
    const std::string oldWine = home + "/.wine/drive_c/users/bob/My Documents" + saves;
    const std::string proton =
        home + "/.local/share/Steam/steamapps/compatdata/4711/pfx/drive_c/users/steamuser/Documents" + saves;
    const std::string custom = temp / "games/drive_c/users/carol/Documents" + saves;
    const std::string partition = temp / "windows/Users/dave/Documents/";
    for (const std::string& folder : {wine, oldWine, proton, custom}) WriteTextFile(folder + "save00.dat", "x");
    WriteTextFile(partition + "クイルフェン/" + kTitle + "/save15.dat", "x");
    // Settings alone, another title's saves, a read-flags file alone: nothing to bring.
    WriteTextFile(home + "/.wine/drive_c/users/erin/Documents" + saves + "Config.ini", "[Save]\r\n");
    WriteTextFile(home + "/.wine/drive_c/users/alice/Documents/クイルフェン/星砦の灰羽/save00.dat", "x");
    WriteTextFile(
        home + "/.steam/steam/steamapps/compatdata/99/pfx/drive_c/users/steamuser/Documents" + saves + "save999.dat",
        "x");

    const std::vector<std::string> expected = {partition + "クイルフェン/" + kTitle + "/", custom, wine, oldWine,
                                               proton};
    EXPECT_EQ(FindWindowsSaveFolders(Environment({{"HOME", home}, {"WINEPREFIX", temp / "games"}}), partition, kTitle),
              expected);
    // $WINEPREFIX naming ~/.wine lists it once.
    EXPECT_EQ(FindWindowsSaveFolders(Environment({{"HOME", home}, {"WINEPREFIX", home + "/.wine"}}), "", kTitle),
              (std::vector<std::string>{wine, oldWine, proton}));
    // The save folder itself may be given, and a prefix.
    EXPECT_EQ(FindWindowsSaveFolders(Environment({}), wine, kTitle), std::vector<std::string>{wine});
    EXPECT_EQ(FindWindowsSaveFolders(Environment({}), temp / "games", kTitle), std::vector<std::string>{custom});
    EXPECT_TRUE(FindWindowsSaveFolders(Environment({}), "", kTitle).empty());
}

}  // namespace
}  // namespace vandor

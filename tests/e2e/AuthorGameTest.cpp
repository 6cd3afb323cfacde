// The game as an author meets it: a battle without its pictures tells each missing file
// once in the debug log, two runs in one minute leave two logs, vandor --log shows one as
// UTF-8, and vandor --lint names what was probably meant and where it looked.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GameProgram.h"
#include "TempFolder.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

class AuthorGameTest : public ::testing::Test {
protected:
    AuthorGameTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }
    int Run(const std::string& arguments) {
        return test::RunGame(game, documents, arguments, temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stdout() const { return ReadTextFile(temp / "stdout.txt"); }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    std::vector<fs::path> Logs() const {
        std::vector<fs::path> logs;
        for (const auto& entry : fs::directory_iterator(game)) {
            if (entry.path().filename().string().starts_with("debug")) logs.push_back(entry.path());
        }
        return logs;
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string documents = temp / "docs/";
};

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

TEST_F(AuthorGameTest, MissingFilesAreToldOnceAndEveryRunKeepsItsLog) {
    // A battle on a field of 27 × 27 ground tiles, every one of them missing.
    WriteTextFile(game + "scenario/first.txt", "[戦闘開始/1]\n");
    ASSERT_EQ(Run("--headless --frames 30"), 0) << Stderr();
    ASSERT_EQ(Run("--headless --frames 30"), 0) << Stderr();
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 2u);

    for (const fs::path& log : logs) {
        ASSERT_EQ(Run("--log '" + log.string() + "'"), 0) << Stderr();
        const std::string text = Stdout();
        EXPECT_NE(text.find("デバッグモード\n"), std::string::npos) << text;
        EXPECT_EQ(text.find('\r'), std::string::npos);
        EXPECT_EQ(Count(text, "ファイル \"地面.png\" は存在しません."), 1u) << text;
        EXPECT_EQ(Count(text, "ファイル \"bgi戦闘.png\" は存在しません."), 1u) << text;
    }

    EXPECT_EQ(Run("--log '" + (temp / "none.txt") + "'"), 1);
    EXPECT_NE(Stderr().find("none.txt"), std::string::npos) << Stderr();
    EXPECT_EQ(Run("--log x.txt --lint"), 2);
}

TEST_F(AuthorGameTest, TheLintSuggestsNearNamesAndNamesTheFoldersSearched) {
    WriteTextFile(game + "scenario/first.txt", "[bg01]\n");
    WriteTextFile(game + "scenario/title.txt", "*スタート\n");
    WriteTextFile(game + "bgimage/bg01.jpg", "");
    ASSERT_EQ(Run("--lint"), 1) << Stderr();
    const std::string out = Stdout();
    EXPECT_NE(out.find("first.txt:1: error: \"bg01\" is no command, and no picture \"bg01.png\" exists (did you mean "
                       "\"bg01.jpg\"?)\n"),
              std::string::npos)
        << out;
    // Debug mode reads the folders only, patch/ first.
    const std::string note = "note: missing files were looked for in these sources, the first one wins:\n";
    ASSERT_NE(out.find(note), std::string::npos) << out;
    EXPECT_NE(out.find(note + "note:   " + game + "patch/\n"), std::string::npos) << out;
    EXPECT_NE(out.find("note:   " + game + "scenario/\n"), std::string::npos) << out;
    EXPECT_EQ(out.find(".gdp"), std::string::npos) << out;
}

}  // namespace
}  // namespace vandor

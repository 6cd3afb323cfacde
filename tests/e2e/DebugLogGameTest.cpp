// The debug log as an author meets it: a battle without its pictures tells each missing
// file once, two runs in one minute leave two logs, and vandor --log shows one as UTF-8.

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

class DebugLogGameTest : public ::testing::Test {
protected:
    DebugLogGameTest() {
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

TEST_F(DebugLogGameTest, MissingFilesAreToldOnceAndEveryRunKeepsItsLog) {
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

}  // namespace
}  // namespace vandor

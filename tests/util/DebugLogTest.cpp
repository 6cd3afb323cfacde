#include "util/DebugLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/SimulatedClock.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class DebugLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("vandor_log_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(DebugLogTest, TimePrefixRightAlignsHours) {
    EXPECT_EQ(TDebugLog::TimePrefix(3600000u + 5 * 60000u + 9042u), "  1:05:09:042 - ");
    EXPECT_EQ(TDebugLog::TimePrefix(0xFFFFFFFFu), "1193:02:47:295 - ");
}

TEST_F(DebugLogTest, WritesCp932WithCrLfOnlyWhileEnabled) {
    TSimulatedClock clock(3600000u + 5 * 60000u + 9042u);
    const fs::path file = dir / "debug201209252105.txt";
    {
        TDebugLog log(file.string(), clock);
        EXPECT_TRUE(log.Enabled);
        log.Add("システム情報読込.");
        log.Add("yyyy/mm/dd システム起動.", false);
        log.Enabled = false;  // a normal start switches recording off
        log.Add("dropped");
        log.RemoveLast();  // removes nothing while off
        EXPECT_EQ(log.Lines().size(), 2u);
        log.Enabled = true;  // an error switches it on again
        log.Add("error");
        log.RemoveLast();
        EXPECT_EQ(log.Lines().size(), 2u);
    }
    EXPECT_EQ(ReadFile(file), Utf8ToCp932("  1:05:09:042 - システム情報読込.\r\nyyyy/mm/dd システム起動.\r\n"));
}

TEST_F(DebugLogTest, NormalStartWritesNothingAndASecondRunWritesAFileOfItsOwn) {
    const fs::path file = dir / "debug.txt";
    {
        TDebugLog log(file.string());
        log.Add("start-up line");
        log.Enabled = false;
    }
    EXPECT_FALSE(fs::exists(file));

    {
        TDebugLog first(file.string());
        first.Add("first run, a long line of text", false);
    }
    {
        TDebugLog second(file.string());
        second.Add("second", false);
        EXPECT_TRUE(second.Save());
        EXPECT_EQ(second.FileName(), (dir / "debug-2.txt").string());
        // Saving again, after an error, writes the same file.
        second.Add("error", false);
    }
    {
        TDebugLog third(file.string());
        third.Add("third", false);
    }
    EXPECT_EQ(ReadFile(file), "first run, a long line of text\r\n");
    EXPECT_EQ(ReadFile(dir / "debug-2.txt"), "second\r\nerror\r\n");
    EXPECT_EQ(ReadFile(dir / "debug-3.txt"), "third\r\n");
    EXPECT_FALSE(fs::exists(dir / "debug.txt.tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);

    TDebugLog noFile("");
    EXPECT_FALSE(noFile.Enabled);
}

// A file looked for every frame is told once; a line the campaign takes back (a word that
// was no picture) is told again the next time, and taking back never removes another line.
TEST_F(DebugLogTest, AddOnceTellsATextOnceAndRemoveLastTakesBackOnlyItsOwnLine) {
    TSimulatedClock clock(0);
    TDebugLog log("", clock);
    log.Enabled = true;
    log.Add("start", false);
    for (int frame = 0; frame < 3; ++frame) log.AddOnce("ファイル \"bg01.png\" は存在しません.");
    log.AddOnce("ファイル \"bg02.png\" は存在しません.");
    EXPECT_EQ(log.Lines().size(), 3u);

    log.AddOnce("ファイル \"行動.png\" は存在しません.");
    log.RemoveLast();
    log.AddOnce("ファイル \"行動.png\" は存在しません.");
    EXPECT_EQ(log.Lines().size(), 4u);
    log.RemoveLast();

    log.AddOnce("ファイル \"bg01.png\" は存在しません.");  // told already: adds nothing
    log.RemoveLast();                                      // so it takes nothing back
    ASSERT_EQ(log.Lines().size(), 3u);
    EXPECT_EQ(log.Lines()[0], "start");
    EXPECT_NE(log.Lines()[2].find("bg02.png"), std::string::npos);
}

TEST_F(DebugLogTest, SaveReportsAFolderThatCannotBeWritten) {
    TDebugLog log((dir / "missing" / "debug.txt").string());
    log.Add("line");
    EXPECT_FALSE(log.Save());
    log.Enabled = false;
}

}  // namespace
}  // namespace vandor

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

TEST_F(DebugLogTest, NormalStartWritesNothingAndASecondRunReplacesTheFile) {
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
    }
    EXPECT_EQ(ReadFile(file), "second\r\n");
    EXPECT_FALSE(fs::exists(dir / "debug.txt.tmp"));

    TDebugLog noFile("");
    EXPECT_FALSE(noFile.Enabled);
}

TEST_F(DebugLogTest, SaveReportsAFolderThatCannotBeWritten) {
    TDebugLog log((dir / "missing" / "debug.txt").string());
    log.Add("line");
    EXPECT_FALSE(log.Save());
    log.Enabled = false;
}

}  // namespace
}  // namespace vandor

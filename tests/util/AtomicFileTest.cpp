#include "util/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "../TempFolder.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

TEST(AtomicFileTest, ReplacesWholeAndLeavesTheOldFileWhenWritingFails) {
    TTempFolder folder;
    const std::string path = folder / "save.dat";
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    EXPECT_EQ(ReadTextFile(path), "first");
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x')));
    EXPECT_EQ(ReadTextFile(path).size(), 100000u);
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    // A folder standing where the file should go cannot be replaced: the folder stays
    // and no temporary file is left behind.
    const std::string blocked = folder / "blocked";
    fs::create_directories(blocked + "/inside");
    EXPECT_FALSE(WriteFileAtomically(blocked, "new"));
    EXPECT_TRUE(fs::is_directory(blocked + "/inside"));
    EXPECT_FALSE(fs::exists(blocked + ".tmp"));

    // A temporary name taken by a folder: the old file is kept as it was.
    fs::create_directories(path + ".tmp");
    EXPECT_FALSE(WriteFileAtomically(path, "lost"));
    EXPECT_EQ(ReadTextFile(path).size(), 100000u);

    EXPECT_FALSE(WriteFileAtomically(folder / "missing/save.dat", "x"));
}

// /dev/full answers every write with the kernel's own ENOSPC: a temporary name that
// leads there is a disk that is full for real, without the fault seam.
TEST(AtomicFileTest, TheKernelsFullDiskKeepsTheOldFileAndTakesTheTemporaryNameAway) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TTempFolder folder;
    const std::string path = folder / "Config.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "[Old]\r\nKey=1\r\n"));
    fs::create_symlink("/dev/full", path + ".tmp");
    errno = 0;
    EXPECT_FALSE(WriteFileAtomically(path, "[New]\r\nKey=2\r\n"));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(ReadTextFile(path), "[Old]\r\nKey=1\r\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".tmp")));
}

// The full disk of the tests: the fault ends with every test, whatever happens in it.
class AtomicFileFaultTest : public ::testing::Test {
protected:
    ~AtomicFileFaultTest() override { SetWriteFault(std::nullopt); }
    TTempFolder folder;
};

// A disk that runs full at any step leaves the old file byte for byte and no temporary
// file, says ENOSPC, and the next write (the disk has room again) goes through.
TEST_F(AtomicFileFaultTest, AFullDiskAtAnyStepKeepsTheOldFile) {
    const std::string path = folder / "save.dat";
    const std::string old(5000, 'o');
    const std::string replacement = std::string(3000, 'n') + "end";
    const TWriteFault faults[] = {
        {TWriteStep::Open, 0, 1, ""}, {TWriteStep::Write, 0, 1, ""},  {TWriteStep::Write, 1024, 1, ""},
        {TWriteStep::Sync, 0, 1, ""}, {TWriteStep::Rename, 0, 1, ""},
    };
    for (const TWriteFault& fault : faults) {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(fault.Step)) + ", " +
                     std::to_string(fault.BytesBeforeFull) + " bytes");
        ASSERT_TRUE(WriteFileAtomically(path, old));
        // What a killed run left behind must not survive a failure either.
        WriteTextFile(path + ".tmp", "left by a killed run");
        SetWriteFault(fault);
        errno = 0;
        EXPECT_FALSE(WriteFileAtomically(path, replacement));
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_EQ(ReadTextFile(path), old);
        EXPECT_FALSE(fs::exists(path + ".tmp"));
        EXPECT_TRUE(WriteFileAtomically(path, replacement)) << "the fault was for one write only";
        EXPECT_EQ(ReadTextFile(path), replacement);
        EXPECT_FALSE(fs::exists(path + ".tmp"));
    }
}

TEST_F(AtomicFileFaultTest, AFaultHitsOnlyTheTargetsItNamesAsOftenAsAsked) {
    const std::string slot = folder / "saves/save03.dat";
    const std::string log = folder / "debug.txt";
    fs::create_directories(folder / "saves");
    ASSERT_TRUE(WriteFileAtomically(slot, "old slot"));

    SetWriteFault(TWriteFault{TWriteStep::Write, 2, 2, "/saves/"});
    EXPECT_TRUE(WriteFileAtomically(log, "the log is elsewhere"));
    EXPECT_FALSE(WriteFileAtomically(slot, "first try"));
    EXPECT_FALSE(WriteFileAtomically(slot, "second try"));
    EXPECT_TRUE(WriteFileAtomically(slot, "third try"));
    EXPECT_EQ(ReadTextFile(slot), "third try");

    SetWriteFault(TWriteFault{TWriteStep::Sync, 0, -1, ""});
    for (int attempt = 0; attempt < 5; ++attempt) EXPECT_FALSE(WriteFileAtomically(slot, "never"));
    EXPECT_FALSE(WriteFileAtomically(log, "never"));
    EXPECT_EQ(ReadTextFile(slot), "third try");
    SetWriteFault(std::nullopt);
    EXPECT_TRUE(WriteFileAtomically(slot, "after the disk was cleared"));
    EXPECT_EQ(ReadTextFile(slot), "after the disk was cleared");
}

}  // namespace
}  // namespace vandor

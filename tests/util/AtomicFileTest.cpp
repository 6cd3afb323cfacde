#include "util/AtomicFile.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vandor

#include "shell/SystemInfo.h"

#include <gtest/gtest.h>

#include <string_view>

#include "TempFolder.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

// Four groups of digits separated by dots.
bool IsFourPartVersion(std::string_view text) {
    int parts = 1;
    bool digitSeen = false;
    for (char c : text) {
        if (c == '.' && digitSeen) {
            ++parts;
            digitSeen = false;
        } else if (c >= '0' && c <= '9') {
            digitSeen = true;
        } else {
            return false;
        }
    }
    return parts == 4 && digitSeen;
}

TEST(SystemInfoTest, ProgramVersionHasFourParts) {
    EXPECT_TRUE(IsFourPartVersion(ProgramVersion())) << ProgramVersion();
    EXPECT_FALSE(IsFourPartVersion("1.0.0"));
}

TEST(SystemInfoTest, OSNameFromDistributionAndKernel) {
    TTempFolder temp;
    const std::string osRelease = temp / "os-release";
    const std::string kernel = temp / "osrelease";
    WriteTextFile(osRelease,
                  "NAME=\"Debian GNU/Linux\"\n  PRETTY_NAME=\"Debian GNU/Linux 12 \\\"bookworm\\\"\"\nID=debian\n");
    WriteTextFile(kernel, "6.1.0-18-amd64\n");
    EXPECT_EQ(OSNameFrom(osRelease, kernel), "Debian GNU/Linux 12 \"bookworm\" Linux 6.1.0-18-amd64");
    EXPECT_EQ(OSNameFrom(temp / "missing", kernel), "Linux 6.1.0-18-amd64");
    EXPECT_EQ(OSNameFrom(osRelease, temp / "missing"), "Debian GNU/Linux 12 \"bookworm\"");
    EXPECT_EQ(OSNameFrom(temp / "missing", temp / "missing"), "OS不明");

    WriteTextFile(osRelease, "PRETTY_NAME='Arch Linux'\n");
    EXPECT_EQ(OSNameFrom(osRelease, temp / "missing"), "Arch Linux");
    WriteTextFile(osRelease, "PRETTY_NAME=Plain\n");
    EXPECT_EQ(OSNameFrom(osRelease, temp / "missing"), "Plain");
    WriteTextFile(osRelease, "NAME=NoPretty\nPRETTY_NAME=\"\"\n");
    WriteTextFile(kernel, "\n");
    EXPECT_EQ(OSNameFrom(osRelease, kernel), "OS不明") << "empty values count as unreadable";

    EXPECT_FALSE(OSName().empty());
}

}  // namespace
}  // namespace vandor

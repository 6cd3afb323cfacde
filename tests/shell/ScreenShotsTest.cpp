// Where screenshots go: the pictures folder the desktop names, and a file name of the
// time that never overwrites an older shot.

#include "shell/ScreenShots.h"

#include <gtest/gtest.h>

#include <map>

#include "TempFolder.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

TEnvironment Environment(const std::map<std::string, std::string>& variables) {
    return [variables](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    };
}

TEST(ScreenShots, ThePicturesFolderComesFromTheEnvironmentTheUserDirsOrTheHome) {
    TTempFolder temp;
    const std::string home = temp / "home";
    EXPECT_EQ(PicturesFolder(Environment({{"XDG_PICTURES_DIR", "/srv/shots"}, {"HOME", home}})), "/srv/shots/");
    EXPECT_EQ(PicturesFolder(Environment({{"HOME", home}})), home + "/Pictures/");
    EXPECT_EQ(PicturesFolder(Environment({})), "");

    WriteTextFile(home + "/.config/user-dirs.dirs",
                  "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                  "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(PicturesFolder(Environment({{"HOME", home}})), home + "/Bilder/");
    // XDG_CONFIG_HOME moves the file; one without the key falls back to ~/Pictures.
    WriteTextFile(temp / "config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    EXPECT_EQ(PicturesFolder(Environment({{"HOME", home}, {"XDG_CONFIG_HOME", temp / "config"}})), home + "/Pictures/");
    // Pictures "disabled" by pointing them at the home folder itself go to ~/Pictures.
    WriteTextFile(home + "/.config/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/\"\n");
    EXPECT_EQ(PicturesFolder(Environment({{"HOME", home}})), home + "/Pictures/");
}

TEST(ScreenShots, AShotNeverReplacesAnother) {
    TTempFolder temp;
    const std::string folder = temp / "";
    EXPECT_EQ(ScreenShotPath(folder, "20261210-091500"), folder + "20261210-091500.png");
    WriteTextFile(folder + "20261210-091500.png", "x");
    EXPECT_EQ(ScreenShotPath(folder, "20261210-091500"), folder + "20261210-091500-2.png");
    WriteTextFile(folder + "20261210-091500-2.png", "x");
    EXPECT_EQ(ScreenShotPath(folder, "20261210-091500"), folder + "20261210-091500-3.png");
}

}  // namespace
}  // namespace vandor

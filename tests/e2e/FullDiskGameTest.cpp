// The game on a disk that is really full and in a save folder that is really
// read-only, without privileges: `unshare -rm` gives the test a mount namespace of its
// own (as root of a user namespace), where a tiny tmpfs filled to the last block, or a
// read-only bind mount, stands over the save folder. The run must end normally, leave
// every old file byte for byte and no temporary file, and say in its debug log what
// failed. Skipped where user namespaces are not allowed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "TempFolder.h"
#include "campaign/SaveSlots.h"
#include "scenario/ReadPages.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::WriteTextFile;

class FullDiskGameTest : public ::testing::Test {
protected:
    FullDiskGameTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
        // A story that allows saving, with the labels that make read flags.
        WriteTextFile(game + "scenario/first.txt", "[文章枠/なし]\n[上部情報]\n[行動/進行]\n*待機\n[クリック待]\n");
        WriteTextFile(game + "scenario/行動.txt", "*行動フェイズ\n[クリック待]\n");
    }
    void SetUp() override {
        if (std::system("unshare -rm true >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "unshare -rm is not allowed here: no full or read-only file system without privileges";
        }
    }

    std::string SaveFolder() const { return documents + "クイルフェン/ヴァンドルの星砦タクティクス/"; }
    static constexpr const char* kFiles[] = {"save05.dat", "Config.ini", "save999.dat", "readpages.dat"};

    // A first run saves slot 5 and leaves settings and read flags; read pages are added.
    void MakeOldFiles() {
        WriteTextFile(temp / "input.txt", "20 menu mmSF0_5\n");
        ASSERT_EQ(RunGame(), 0);
        TReadPages pages;
        pages.Add("first.txt", 4);
        WriteReadPagesFile(SaveFolder() + kReadPagesFileName, pages);
        for (const char* name : kFiles) ASSERT_TRUE(fs::exists(SaveFolder() + name)) << name;
        // The next run saves over slot 5, at a later turn, and has new settings.
        WriteTextFile(temp / "input.txt", "5 menu mmAutoSlow\n20 answer yes\n20 menu mmSF0_5\n");
    }
    int RunGame() {
        return test::RunGame(game, documents, "--headless --frames 40 --input '" + (temp / "input.txt") + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }
    // Runs `script` in a mount namespace of its own with the paths it needs in the
    // environment; the exit status of the game is written to `temp/status`.
    int RunInNamespace(const std::string& script) {
        const std::string command = "SAVE='" + SaveFolder() + "' KEEP='" + (temp / "keep/") + "' GAME='" + game +
                                    "' DOCS='" + documents + "' INPUT='" + (temp / "input.txt") + "' OUT='" +
                                    (temp / "out.txt") + "' STATUS='" + (temp / "status") + "' unshare -rm sh -ec '" +
                                    script +
                                    "\ncd \"$GAME\" && { XDG_DATA_HOME=\"$DOCS\" ./vandor --headless --frames 40 "
                                    "--input \"$INPUT\" >\"$OUT\" 2>&1; echo $? >\"$STATUS\"; }\n"
                                    "ls -a \"$SAVE\" >\"$KEEP/listing\"\n"
                                    "for f in save05.dat Config.ini save999.dat readpages.dat; do "
                                    "cp \"$SAVE/$f\" \"$KEEP/$f\"; done'";
        return std::system(command.c_str());
    }
    void ExpectOldFilesKept(const std::string& folder) {
        for (const char* name : kFiles) {
            EXPECT_EQ(ReadTextFile(folder + name), ReadTextFile(temp / "old/" + std::string(name))) << name;
        }
        const std::string listing = ReadTextFile(temp / "keep/listing");
        EXPECT_EQ(listing.find(".tmp"), std::string::npos) << listing;
        EXPECT_EQ(ReadTextFile(temp / "status"), "0\n") << ReadTextFile(temp / "out.txt");
    }
    void KeepOldFiles() {
        fs::create_directories(temp / "old");
        fs::create_directories(temp / "keep");
        for (const char* name : kFiles) fs::copy_file(SaveFolder() + name, temp / "old/" + std::string(name));
    }
    bool LogHas(const std::string& part) const { return test::ReadDebugLog(game).find(part) != std::string::npos; }

    test::TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string documents = temp / "docs/";
};

TEST_F(FullDiskGameTest, AFullDiskKeepsEveryOldFileAndPlayGoesOn) {
    MakeOldFiles();
    KeepOldFiles();
    // The old files go onto a 256 KiB tmpfs, and a filler takes every block left.
    ASSERT_EQ(RunInNamespace("mount -t tmpfs -o size=256k tmpfs \"$SAVE\"\n"
                             "cp \"$KEEP\"/../old/* \"$SAVE\"/\n"
                             "dd if=/dev/zero of=\"$SAVE/filler\" bs=4k 2>/dev/null || true"),
              0);
    ExpectOldFilesKept(temp / "keep/");
    const std::string log = test::ReadDebugLog(game);
    EXPECT_NE(log.find("save05.dat を書き込めません (No space left on device)"), std::string::npos) << log;
    EXPECT_NE(log.find("Config.ini を書き込めません (No space left on device)"), std::string::npos) << log;
    EXPECT_NE(log.find("既読情報の保存に失敗."), std::string::npos) << log;
    EXPECT_NE(log.find("既読ページの保存に失敗."), std::string::npos) << log;
    EXPECT_NE(log.find("システム終了."), std::string::npos) << "the run went on to its end";
}

TEST_F(FullDiskGameTest, AReadOnlySaveFolderKeepsEveryOldFileAndIsLogged) {
    MakeOldFiles();
    KeepOldFiles();
    ASSERT_EQ(RunInNamespace("mount --bind \"$SAVE\" \"$SAVE\"\nmount -o remount,bind,ro \"$SAVE\""), 0);
    ExpectOldFilesKept(SaveFolder());
    EXPECT_TRUE(LogHas("セーブフォルダ " + SaveFolder() + " に書き込めません (Read-only file system)"));
    EXPECT_TRUE(LogHas("システム終了."));
    EXPECT_FALSE(LogHas("save05.dat を書き込めません")) << "the save menu was closed: no slot was tried";
}

}  // namespace
}  // namespace vandor

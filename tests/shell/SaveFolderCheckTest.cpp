// The save folder check on its own: a menu with a save item, the headless host for
// the boxes and temp folders, one of them under a file so that it cannot be made.

#include "shell/SaveFolderCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "../TempFolder.h"
#include "i18n/Catalogue.h"
#include "i18n/GameText.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "shell/MenuModel.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

constexpr const char* kUnsavedSettings =
    "設定または既読情報を保存できませんでした。\nディスクの空き容量を確認してください。";

class SaveFolderCheckTest : public ::testing::Test {
protected:
    SaveFolderCheckTest() {
        Menu.Add("", "mmSave", "セーブ(&S)");
        Log.Enabled = true;
        WriteTextFile(Folder / "file", "a file, not a folder");
    }

    bool SaveOpen() { return Menu.At("mmSave").Enabled(); }
    bool LogHas(const std::string& part) const {
        for (const std::string& line : Log.Lines()) {
            if (line.find(part) != std::string::npos) return true;
        }
        return false;
    }

    TTempFolder Folder;
    std::string SaveFolder = Folder / "save/";
    const std::string BadFolder = Folder / "file/save/";
    TMenuModel Menu;
    THeadlessWindowHost Host;
    TDebugLog Log{""};
    TSaveFolderCheck Check{Menu, Host, SaveFolder, Log};
};

TEST_F(SaveFolderCheckTest, AMissingFolderIsMadeAndOneThatCannotBeIsNamed) {
    EXPECT_EQ(SaveFolderProblem(SaveFolder), "");
    EXPECT_TRUE(std::filesystem::is_directory(SaveFolder));
    const std::string problem = SaveFolderProblem(BadFolder);
    EXPECT_NE(problem.find("セーブフォルダ " + BadFolder + " を作成できません ("), std::string::npos) << problem;
}

TEST_F(SaveFolderCheckTest, TheSaveMenuOpensWhileTheStoryAllowsItAndTheFolderWorks) {
    Check.Check();
    EXPECT_FALSE(SaveOpen()) << "the story has not allowed saving yet";
    Check.SetSaveAllowed(true);
    EXPECT_TRUE(SaveOpen());
    EXPECT_TRUE(Check.Ready());

    SaveFolder = BadFolder;  // a restart into a folder that cannot be made
    EXPECT_FALSE(Check.Ready());
    EXPECT_FALSE(SaveOpen());
    Check.SetSaveAllowed(true);
    EXPECT_FALSE(SaveOpen());

    SaveFolder = Folder / "other/";
    Check.Check();
    EXPECT_TRUE(SaveOpen());
    Check.SetSaveAllowed(false);
    EXPECT_FALSE(SaveOpen());
}

TEST_F(SaveFolderCheckTest, AFolderThatTakesNoFilesIsLoggedAndToldOnceARun) {
    SaveFolder = BadFolder;
    Check.Check();
    EXPECT_TRUE(LogHas("を作成できません"));
    EXPECT_TRUE(Host.MessageBoxes().empty()) << "told with the next frame";
    Check.TellIfDue();
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes()[0].Caption, "保存");
    EXPECT_EQ(Host.MessageBoxes()[0].Text, "セーブフォルダに書き込めません。\n" + BadFolder +
                                               "\n\nゲームはこのまま続けられますが、セーブ、設定、既読情報は保存さ"
                                               "れません。");
    EXPECT_EQ(Host.MessageBoxes()[0].Icon, TMessageIcon::Warning);

    Check.TellIfDue();
    Check.Check();
    Check.TellIfDue();
    EXPECT_FALSE(Check.Ready());
    Check.TellSettingsNotSaved();
    EXPECT_EQ(Host.MessageBoxes().size(), 1u);
}

TEST_F(SaveFolderCheckTest, UnsavedSettingsInAWorkingFolderAreToldEachTime) {
    Check.TellSettingsNotSaved();
    Check.TellSettingsNotSaved();
    ASSERT_EQ(Host.MessageBoxes().size(), 2u);
    EXPECT_EQ(Host.MessageBoxes()[1].Text, kUnsavedSettings);
    EXPECT_EQ(Host.MessageBoxes()[1].Caption, "保存");

    // A folder that went bad is told as such, not as a full disk.
    SaveFolder = BadFolder;
    Check.TellSettingsNotSaved();
    ASSERT_EQ(Host.MessageBoxes().size(), 3u);
    EXPECT_NE(Host.MessageBoxes()[2].Text.find("セーブフォルダに書き込めません。"), std::string::npos);
}

// The notice's fixed words come from the catalogue, the folder goes into them; a
// translation that would take other arguments than the folder is not used.
TEST_F(SaveFolderCheckTest, InAnotherLanguageTheNoticeTranslatesItsWordsAroundTheFolder) {
    const auto tell = [&](const std::string& translation) {
        SetGameTextCatalogue(std::make_shared<TCatalogue>(
            TCatalogue::FromText("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                                 "msgid \"セーブフォルダに書き込めません。\\n%s\\n\\n"
                                 "ゲームはこのまま続けられますが、セーブ、設定、既読情報は保存されません。\"\n"
                                 "msgstr \"" +
                                     translation + "\"\n",
                                 "en.po")));
        TSaveFolderCheck check{Menu, Host, BadFolder, Log};
        check.Ready();
        SetGameTextCatalogue(nullptr);
        return Host.MessageBoxes().back().Text;
    };
    EXPECT_EQ(tell("Cannot write to %s."), "Cannot write to " + BadFolder + ".");
    EXPECT_EQ(tell("%s%n%d"), "セーブフォルダに書き込めません。\n" + BadFolder +
                                  "\n\nゲームはこのまま続けられますが、セーブ、設定、既読情報は保存されません。");
}

}  // namespace
}  // namespace vandor

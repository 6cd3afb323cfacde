// What the player meets when the game cannot keep a file: a full disk while a slot,
// the settings or the read progress are written (made with the atomic writer's fault
// seam), and a save folder that cannot be made or written to. Old files stay byte for
// byte, no temporary file is left, the player is told once and play goes on.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "MainWindowFixture.h"
#include "campaign/CampaignCommands.h"
#include "campaign/SaveSlots.h"
#include "compositor/LayerItem.h"
#include "scenario/NovelGame.h"
#include "util/AtomicFile.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;
using test::ReadTextFile;

constexpr const char* kUnsavedSettings =
    "設定または既読情報を保存できませんでした。\nディスクの空き容量を確認してください。";

class SaveFailuresTest : public MainWindowTest {
protected:
    ~SaveFailuresTest() override { SetWriteFault(std::nullopt); }

    std::string SaveFolder() const { return UserDir("ヴァンドルの星砦タクティクス"); }
    std::string SlotPath(int slot) const { return SaveFolder() + SlotFileName(slot); }
    std::string FlagsPath() const { return SaveFolder() + kReadFlagsFileName; }
    std::string PagesPath() const { return SaveFolder() + kReadPagesFileName; }

    // A story that allows saving, reaches labels (read flags) and turns a page (read
    // pages) by itself; `label` names the label reached after the page.
    void WriteStory(const std::string& label) {
        WriteScript("first.txt", "[上部情報]\n[行動/進行]\n*始まり\n一頁目\n\n*" + label + "\n[クリック待]\n");
        WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
    }
    void TurnPage() {
        Frames(10);
        host.MoveMouse(400, 300);
        host.PressButton(TMouseButton::mbLeft);
        host.ReleaseButton(TMouseButton::mbLeft);
        Frames(4);
    }
    bool LeftoverTemporaryFiles() const {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(SaveFolder(), ignored)) {
            if (entry.path().extension() == ".tmp") return true;
        }
        return false;
    }
    bool LogHas(const std::string& part) const {
        for (const std::string& line : DebugLogLines()) {
            if (line.find(part) != std::string::npos) return true;
        }
        return false;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : host.MessageBoxes()) texts.push_back(box.Text);
        return texts;
    }
};

TEST_F(SaveFailuresTest, ASlotSavedOnAFullDiskKeepsTheOldSlotAndTellsThePlayerEachTime) {
    WriteStory("次");
    TggTDMain& main = Start();
    Frames(6);
    ASSERT_TRUE(host.ClickMenu("mmSF0_3"));
    const std::string slot = ReadTextFile(SlotPath(3));
    const std::string config = ReadTextFile(ThisConfig());
    const std::string caption = main.Menu().At("mmSF0_3").Caption();
    ASSERT_FALSE(slot.empty());

    const TWriteFault faults[] = {{TWriteStep::Open, 0, 1, SaveFolder()},
                                  {TWriteStep::Write, 100, 1, SaveFolder()},
                                  {TWriteStep::Sync, 0, 1, SaveFolder()},
                                  {TWriteStep::Rename, 0, 1, SaveFolder()}};
    int turn = 2;
    for (const TWriteFault& fault : faults) {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(fault.Step)));
        main.Campaign().SetTurn(turn++);
        const std::size_t boxes = host.MessageBoxes().size();
        SetWriteFault(fault);
        host.QueueAnswer(TMessageResult::Yes);
        ASSERT_TRUE(host.ClickMenu("mmSF0_3"));
        ASSERT_EQ(host.MessageBoxes().size(), boxes + 2) << "asked to overwrite, then told";
        EXPECT_EQ(host.MessageBoxes().back().Text, "セーブできませんでした。");
        EXPECT_EQ(host.MessageBoxes().back().Caption, "セーブ");
        EXPECT_EQ(ReadTextFile(SlotPath(3)), slot);
        EXPECT_EQ(ReadTextFile(ThisConfig()), config);
        EXPECT_EQ(main.Menu().At("mmSF0_3").Caption(), caption);
        EXPECT_FALSE(LeftoverTemporaryFiles());
        EXPECT_TRUE(main.Menu().At("mmSave").Enabled()) << "a full disk may be cleared: saving stays open";
    }

    // The slot written, its caption not: the slot holds the new save under the old
    // caption, as after a kill between the two.
    SetWriteFault(TWriteFault{TWriteStep::Write, 10, 1, kConfigFileName});
    host.QueueAnswer(TMessageResult::Yes);
    host.ClickMenu("mmSF0_3");
    EXPECT_EQ(host.MessageBoxes().back().Text, "セーブできませんでした。");
    EXPECT_NE(ReadTextFile(SlotPath(3)), slot);
    EXPECT_EQ(ReadTextFile(ThisConfig()), config);
    EXPECT_EQ(main.Menu().At("mmSF1_3").Caption(), caption);

    // Play goes on, and with room on the disk again saving works.
    TurnPage();
    EXPECT_EQ(main.Engine().LastLabel, "*次");
    host.QueueAnswer(TMessageResult::Yes);
    host.ClickMenu("mmSF0_3");
    EXPECT_EQ(host.MessageBoxes().back().Text, "上書きしますか");
    EXPECT_NE(main.Menu().At("mmSF0_3").Caption(), caption);
    Stop();
    EXPECT_TRUE(LogHas("save03.dat を書き込めません (No space left on device)"));
    EXPECT_TRUE(LogHas("Config.ini を書き込めません (No space left on device)"));
}

TEST_F(SaveFailuresTest, SettingsAndReadProgressThatCannotBeWrittenAtExitAreToldInOneBox) {
    WriteStory("一回目");
    Start();
    Frames(6);
    TurnPage();
    Stop();
    ASSERT_TRUE(host.MessageBoxes().empty());
    const std::string config = ReadTextFile(ThisConfig());
    const std::string flags = ReadTextFile(FlagsPath());
    const std::string pages = ReadTextFile(PagesPath());
    ASSERT_FALSE(config.empty() || flags.empty() || pages.empty());

    // New read flags, a new page and a new setting: all three files would change.
    WriteStory("二回目");
    TggTDMain& second = Start();
    Frames(6);
    host.ClickMenu("mmAutoSlow");
    TurnPage();
    ASSERT_TRUE(second.ReadFlags().Contains("first_二回目"));
    SetWriteFault(TWriteFault{TWriteStep::Write, 8, -1, SaveFolder()});
    Stop();
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].Text, kUnsavedSettings);
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "保存");
    EXPECT_EQ(host.MessageBoxes()[0].Icon, TMessageIcon::Warning);
    EXPECT_EQ(ReadTextFile(ThisConfig()), config);
    EXPECT_EQ(ReadTextFile(FlagsPath()), flags);
    EXPECT_EQ(ReadTextFile(PagesPath()), pages);
    EXPECT_FALSE(LeftoverTemporaryFiles());
    EXPECT_TRUE(LogHas("Config.ini を書き込めません (No space left on device)"));
    EXPECT_TRUE(LogHas("既読情報の保存に失敗."));
    EXPECT_TRUE(LogHas("既読ページの保存に失敗."));

    // Only the read pages fail: the other two are written, and the player still hears.
    SetWriteFault(TWriteFault{TWriteStep::Rename, 0, 1, kReadPagesFileName});
    TggTDMain& third = Start();
    Frames(6);
    host.ClickMenu("mmAutoSlow");
    TurnPage();
    EXPECT_TRUE(third.ReadPages().Count() > 0);
    Stop();
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[1].Text, kUnsavedSettings);
    EXPECT_EQ(ReadTextFile(PagesPath()), pages);
    EXPECT_EQ(TIniFile(ThisConfig()).ReadInteger("Comfort", "AutoSpeed", -1), 2);
    TReadFlags written;
    ReadReadFlagsFile(FlagsPath(), written);
    EXPECT_TRUE(written.Contains("first_二回目"));
    EXPECT_FALSE(LeftoverTemporaryFiles());
}

// A game ended by a signal (the desktop logging out) has nobody to click a box away:
// the failure is logged, the old files stay, and no box holds the end up.
TEST_F(SaveFailuresTest, AGameEndedWithoutThePlayerOnlyLogsWhatItCouldNotWrite) {
    WriteStory("一回目");
    Start();
    Frames(6);
    TurnPage();
    Stop();
    const std::string config = ReadTextFile(ThisConfig());
    WriteStory("二回目");
    TggTDMain& second = Start();
    Frames(6);
    host.ClickMenu("mmAutoSlow");
    TurnPage();
    SetWriteFault(TWriteFault{TWriteStep::Write, 8, -1, SaveFolder()});
    second.CloseWithoutAsking();
    Stop();
    EXPECT_TRUE(host.MessageBoxes().empty()) << host.MessageBoxes().front().Text;
    EXPECT_EQ(ReadTextFile(ThisConfig()), config);
    EXPECT_TRUE(LogHas("Config.ini を書き込めません (No space left on device)"));
    EXPECT_FALSE(LeftoverTemporaryFiles());
}

TEST_F(SaveFailuresTest, AFolderThatCannotBeMadeIsToldOnceAndPlayGoesOnWithoutSaving) {
    // A file where the maker's folder should be: no save folder can be made below it.
    test::WriteTextFile(documents + "クイルフェン", "not a folder");
    WriteStory("次");
    TggTDMain& main = Start();
    Frames(1);
    ASSERT_EQ(host.MessageBoxes().size(), 1u) << "told with the first frame";
    EXPECT_NE(host.MessageBoxes()[0].Text.find("セーブフォルダに書き込めません。"), std::string::npos);
    EXPECT_NE(host.MessageBoxes()[0].Text.find(SaveFolder()), std::string::npos);
    EXPECT_EQ(host.MessageBoxes()[0].Caption, "保存");

    Frames(10);
    ASSERT_TRUE(main.Commands().TopBar().Visible()) << "the story allows saving";
    EXPECT_FALSE(main.Menu().At("mmSave").Enabled()) << "but the folder takes no saves";
    EXPECT_FALSE(host.ClickMenu("mmSF0_0"));
    TurnPage();
    EXPECT_EQ(main.Engine().LastLabel, "*次");
    EXPECT_TRUE(main.ReadFlags().Contains("first_次"));
    Stop();
    EXPECT_EQ(host.MessageBoxes().size(), 1u) << "nothing more at exit";
    EXPECT_TRUE(LogHas("セーブフォルダ " + SaveFolder() + " を作成できません"));
    EXPECT_TRUE(LogHas("既読情報の保存に失敗."));
}

TEST_F(SaveFailuresTest, AFolderThatGoesAwayDuringPlayIsToldOnceAndClosesTheSaveMenu) {
    WriteStory("次");
    TggTDMain& main = Start();
    Frames(6);
    ASSERT_TRUE(main.Menu().At("mmSave").Enabled());
    fs::remove_all(SaveFolder());
    test::WriteTextFile(documents + "クイルフェン/ヴァンドルの星砦タクティクス", "a file now");

    ASSERT_TRUE(host.ClickMenu("mmSF0_2"));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_NE(host.MessageBoxes()[0].Text.find("セーブフォルダに書き込めません。"), std::string::npos);
    EXPECT_FALSE(main.Menu().At("mmSave").Enabled());
    EXPECT_TRUE(IsEmptySlotCaption(main.Menu().At("mmSF0_2").Caption()));
    TurnPage();
    Frames(10);
    EXPECT_EQ(main.Engine().LastLabel, "*次");
    Stop();
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
}

TEST_F(SaveFailuresTest, AReadOnlyFolderIsToldOnce) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; the game test mounts one read-only instead";
    WriteStory("次");
    fs::create_directories(SaveFolder());
    fs::permissions(SaveFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    TggTDMain& main = Start();
    Frames(3);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    TurnPage();
    Frames(10);
    EXPECT_FALSE(main.Menu().At("mmSave").Enabled());
    Stop();
    fs::permissions(SaveFolder(), fs::perms::owner_all);
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_TRUE(LogHas("に書き込めません (Permission denied)"));
}

}  // namespace
}  // namespace vandor

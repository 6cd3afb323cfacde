// The title's "continue": the condition word セーブあり tells whether any save is there
// to go on from, and [つづきから] loads the newest of the slots, the autosaves and the
// quick save as the load menu does, resuming the action phase.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "MainWindowFixture.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
#include "scenario/NovelGame.h"
#include "shell/AutoSaves.h"
#include "shell/NewestSave.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

// A title that offers to continue only when there is a save, and goes on to its own
// label when the continue found nothing after all.
constexpr const char* kTitle =
    "[文章枠/なし]\n"
    "[ジャンプ/*続き/./セーブあり]\n"
    "*新規\n[クリック待]\n"
    "*続き\n[つづきから]\n"
    "*見つからず\n[クリック待]\n";

class ContinueTest : public MainWindowTest {
protected:
    ContinueTest() {
        WriteScript("first.txt", kTitle);
        WriteScript("行動.txt", "*行動フェイズ\n[クリック待]\n");
        fs::create_directories(SaveFolder());
    }

    std::string SaveFolder() const { return UserDir("ヴァンドルの星砦タクティクス"); }
    // A save of the campaign in `turn`, written `age` seconds ago.
    void WriteSave(const std::string& fileName, int32_t turn, int age) {
        TCryptMaps store;
        TQTDGameDat campaign(store);
        campaign.SetTurn(turn);
        const std::string path = SaveFolder() + fileName;
        WriteSlotFile(path, campaign, "1.0.0.0");
        fs::last_write_time(fs::u8path(path), fs::file_time_type::clock::now() - std::chrono::seconds(age));
    }
};

TEST_F(ContinueTest, WithoutASaveTheTitleGoesOnAsANewGame) {
    EXPECT_EQ(NewestSaveFile(SaveFolder()), std::nullopt);
    TggTDMain& main = Start();
    Frames(5);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_EQ(main.Engine().LastLabel, "*新規");
}

TEST_F(ContinueTest, LoadsTheNewestSaveOfAnyKindAndResumesTheActionPhase) {
    WriteSave(SlotFileName(3), 5, 300);
    WriteSave(TAutoSaves::FileName(1), 7, 100);
    WriteSave(kQuickSaveFileName, 6, 200);
    // Files that are no save of this game do not count, however new.
    test::WriteTextFile(SaveFolder() + "save999.dat", "");
    test::WriteTextFile(SaveFolder() + "notes.dat", "");
    EXPECT_EQ(NewestSaveFile(SaveFolder()), TAutoSaves::FileName(1));

    TggTDMain& main = Start();
    Frames(5);
    EXPECT_EQ(main.Engine().ScriptName, "行動.txt");
    EXPECT_EQ(main.Engine().LastLabel, "*行動フェイズ");
    EXPECT_EQ(main.Campaign().Turn(), 7);
    Stop();

    // The slot written last wins over older autosaves and the quick save.
    WriteSave(SlotFileName(3), 5, 10);
    EXPECT_EQ(NewestSaveFile(SaveFolder()), SlotFileName(3));
    TggTDMain& again = Start();
    Frames(5);
    EXPECT_EQ(again.Engine().ScriptName, "行動.txt");
    EXPECT_EQ(again.Campaign().Turn(), 5);
}

TEST_F(ContinueTest, ADamagedNewestSaveIsToldAndTheScriptGoesOn) {
    WriteSave(kQuickSaveFileName, 6, 10);
    test::WriteTextFile(SaveFolder() + kQuickSaveFileName, "not a save");
    TggTDMain& main = Start();
    Frames(5);
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(main.Engine().ScriptName, "first.txt");
    EXPECT_EQ(main.Engine().LastLabel, "*見つからず");
    EXPECT_EQ(main.Campaign().Turn(), 0);
}

}  // namespace
}  // namespace vandor

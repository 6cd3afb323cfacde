// The slot menus on their own: a menu model, the headless host for the boxes, a temp
// save folder, and callbacks that stand for the game.

#include "shell/SlotMenus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "../TempFolder.h"
#include "campaign/CryptMaps.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "shell/DataLocations.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

class SlotMenusTest : public ::testing::Test {
protected:
    SlotMenusTest() {
        Menu.Add("", "mmSave", "セーブ(&S)");
        Menu.Add("", "mmLoad", "ロード(&L)");
        TSlotActions actions;
        actions.Write = [this](int slot, const std::string& path) {
            if (WriteFails) throw TSaveFileError("セーブデータ " + path + " を書き込めません.");
            WriteTextFile(path, "slot " + std::to_string(slot));
            return "保存" + std::to_string(slot) + "(&X)";
        };
        actions.Load = [this](const TSlotCells& cells) { Loaded.push_back(cells); };
        actions.FolderReady = [this] { return FolderReady; };
        actions.ReportError = [this](const std::string& message) { Errors.push_back(message); };
        Slots = std::make_unique<TSlotMenus>(Menu, Host, SaveFolder, std::move(actions));
        Slots->Build([this](TMenuItem& sender) { Slots->Click(sender); });
        Host.SetMenu(&Menu);
    }

    const std::string& Caption(const std::string& item) { return Menu.At(item).Caption(); }
    bool Enabled(const std::string& item) { return Menu.At(item).Enabled(); }
    std::string ConfigPath() const { return SaveFolder + kConfigFileName; }

    TTempFolder Folder;
    std::string SaveFolder = Folder / "save/";
    TMenuModel Menu;
    THeadlessWindowHost Host;
    std::unique_ptr<TSlotMenus> Slots;
    bool WriteFails = false;
    bool FolderReady = true;
    std::vector<TSlotCells> Loaded;
    std::vector<std::string> Errors;
};

TEST_F(SlotMenusTest, ItemsRunFromSlotFifteenDownAndOnlyUsedSlotsLoad) {
    for (const char* menu : {"mmSave", "mmLoad"}) {
        const auto& items = Menu.At(menu).Items();
        ASSERT_EQ(items.size(), static_cast<std::size_t>(kSlotCount));
        EXPECT_EQ(items.front()->Caption(), "データなし(&1)");
        EXPECT_EQ(items.back()->Caption(), "データなし(&Q)");
    }
    EXPECT_EQ(TSlotMenus::ItemName(false, 15), "mmSF0_15");
    EXPECT_EQ(Menu.At("mmSave").Items().front()->Name(), "mmSF0_15");
    EXPECT_EQ(Menu.At("mmLoad").Items().back()->Name(), "mmSF1_0");
    EXPECT_TRUE(Enabled("mmSF0_4"));
    EXPECT_FALSE(Enabled("mmSF1_4"));

    std::array<std::string, kSlotCount> captions;
    captions[4] = "2024/01/02 03:04:05 3ターン(&T)";
    Slots->ShowCaptions(captions);
    EXPECT_EQ(Caption("mmSF0_4"), captions[4]);
    EXPECT_EQ(Caption("mmSF1_4"), captions[4]);
    EXPECT_TRUE(Enabled("mmSF1_4"));
    EXPECT_FALSE(Enabled("mmSF1_5"));

    // Captions read again (a restart into another folder) empty a slot used before.
    Slots->ShowCaptions({});
    EXPECT_EQ(Caption("mmSF0_4"), "データなし(&T)");
    EXPECT_FALSE(Enabled("mmSF1_4"));
}

TEST_F(SlotMenusTest, SavingWritesTheSlotThenItsCaptionAndAsksBeforeOverwriting) {
    std::filesystem::create_directories(SaveFolder);
    ASSERT_TRUE(Host.ClickMenu("mmSF0_3"));
    EXPECT_TRUE(Host.MessageBoxes().empty()) << "an empty slot is saved without asking";
    EXPECT_EQ(ReadTextFile(SaveFolder + SlotFileName(3)), "slot 3");
    EXPECT_EQ(TIniFile(ConfigPath()).ReadString("Save", "Item03"), "保存3(&X)");
    EXPECT_EQ(Caption("mmSF0_3"), "保存3(&X)");
    EXPECT_EQ(Caption("mmSF1_3"), "保存3(&X)");
    EXPECT_TRUE(Enabled("mmSF1_3"));

    Slots->ShowCaptions({});  // the caption alone decides whether the player is asked
    WriteTextFile(SaveFolder + SlotFileName(3), "old");
    ASSERT_TRUE(Host.ClickMenu("mmSF0_3"));
    EXPECT_TRUE(Host.MessageBoxes().empty());

    Host.QueueAnswer(TMessageResult::No);
    WriteTextFile(SaveFolder + SlotFileName(3), "old");
    ASSERT_TRUE(Host.ClickMenu("mmSF0_3"));
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes().back().Text, "上書きしますか");
    EXPECT_EQ(Host.MessageBoxes().back().Buttons, TMessageButtons::YesNo);
    EXPECT_EQ(ReadTextFile(SaveFolder + SlotFileName(3)), "old");

    Host.QueueAnswer(TMessageResult::Yes);
    ASSERT_TRUE(Host.ClickMenu("mmSF0_3"));
    EXPECT_EQ(ReadTextFile(SaveFolder + SlotFileName(3)), "slot 3");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SlotMenusTest, AFailedSaveIsToldAndKeepsTheCaptionUnlessTheFolderIsGone) {
    std::filesystem::create_directories(SaveFolder);
    WriteFails = true;
    ASSERT_TRUE(Host.ClickMenu("mmSF0_2"));
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find(SlotFileName(2)), std::string::npos);
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes()[0].Text, "セーブできませんでした。");
    EXPECT_EQ(Host.MessageBoxes()[0].Caption, "セーブ");
    EXPECT_EQ(Caption("mmSF0_2"), "データなし(&E)");
    EXPECT_FALSE(Enabled("mmSF1_2"));
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));

    // A folder that fails after the write was tried has told the player itself.
    int readyCalls = 0;
    FolderReady = true;
    TSlotActions actions;
    actions.Write = [](int, const std::string& path) -> std::string { throw TSaveFileError(path); };
    actions.FolderReady = [&readyCalls] { return ++readyCalls == 1; };
    actions.ReportError = [this](const std::string& message) { Errors.push_back(message); };
    TMenuModel menu;
    menu.Add("", "mmSave", "");
    menu.Add("", "mmLoad", "");
    TSlotMenus slots(menu, Host, SaveFolder, std::move(actions));
    slots.Build({});
    slots.Save(2);
    EXPECT_EQ(readyCalls, 2);
    EXPECT_EQ(Errors.size(), 2u);
    EXPECT_EQ(Host.MessageBoxes().size(), 1u);

    // A folder that takes no files writes nothing and asks nothing.
    WriteFails = false;
    FolderReady = false;
    ASSERT_TRUE(Host.ClickMenu("mmSF0_2"));
    EXPECT_FALSE(std::filesystem::exists(SaveFolder + SlotFileName(2)));
    EXPECT_EQ(Host.MessageBoxes().size(), 1u);
}

TEST_F(SlotMenusTest, ACaptionThatCannotBeWrittenFailsTheSave) {
    std::filesystem::create_directories(ConfigPath());  // a folder where the file should be
    ASSERT_TRUE(Host.ClickMenu("mmSF0_5"));
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_NE(Errors[0].find("設定ファイル " + ConfigPath() + " を書き込めません"), std::string::npos) << Errors[0];
    EXPECT_EQ(Host.MessageBoxes().back().Text, "セーブできませんでした。");
    EXPECT_EQ(Caption("mmSF1_5"), "データなし(&Y)");
}

TEST_F(SlotMenusTest, OnlyASoundSlotFileIsLoaded) {
    std::array<std::string, kSlotCount> captions;
    captions[1] = "used(&W)";
    captions[6] = "used(&U)";
    Slots->ShowCaptions(captions);

    ASSERT_TRUE(Host.ClickMenu("mmSF1_1"));  // its file is missing
    EXPECT_TRUE(Loaded.empty());
    EXPECT_EQ(Errors.size(), 1u);
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes()[0].Text,
              "このセーブデータは読み込めません。\nファイルが見つからないか、壊れています。");
    EXPECT_EQ(Host.MessageBoxes()[0].Caption, "ロード");

    std::filesystem::create_directories(SaveFolder);
    TCryptMaps store;
    TQTDGameDat saved(store);
    saved.SetTurn(7);
    WriteSlotFile(SaveFolder + SlotFileName(6), saved, "1.0.0.0");
    ASSERT_TRUE(Host.ClickMenu("mmSF1_6"));
    ASSERT_EQ(Loaded.size(), 1u);
    TCryptMaps otherStore;
    TQTDGameDat loaded(otherStore);
    ApplySlot(loaded, Loaded[0]);
    EXPECT_EQ(loaded.Turn(), 7);
    EXPECT_EQ(Host.MessageBoxes().size(), 1u);
}

TEST_F(SlotMenusTest, SlotsAreCopiedIntoAnotherFolderExceptWhereItHasItsOwn) {
    const std::string target = Folder / "combined/";
    std::filesystem::create_directories(target);
    std::array<std::string, kSlotCount> captions;
    captions[0] = "mine(&Q)";
    captions[1] = "mine too(&W)";
    Slots->ShowCaptions(captions);
    WriteTextFile(SaveFolder + SlotFileName(0), "zero");
    WriteTextFile(SaveFolder + SlotFileName(1), "one");
    TIniFile targetIni(target + kConfigFileName);
    WriteSlotCaption(targetIni, 1, "theirs(&W)");
    ASSERT_TRUE(targetIni.Save());
    WriteTextFile(target + SlotFileName(1), "their one");

    TDebugLog log("");
    log.Enabled = true;
    Slots->CopyTo(target, log);
    EXPECT_EQ(ReadTextFile(target + SlotFileName(0)), "zero");
    EXPECT_EQ(ReadTextFile(target + SlotFileName(1)), "their one");
    const TIniFile copied(target + kConfigFileName);
    EXPECT_EQ(copied.ReadString("Save", "Item00"), "mine(&Q)");
    EXPECT_EQ(copied.ReadString("Save", "Item01"), "theirs(&W)");
    EXPECT_FALSE(std::filesystem::exists(target + SlotFileName(2)));
    EXPECT_TRUE(log.Lines().empty());

    // The folder itself is no target.
    Slots->CopyTo(SaveFolder, log);
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
}

}  // namespace
}  // namespace vandor

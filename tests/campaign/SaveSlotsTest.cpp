#include "campaign/SaveSlots.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "../TempFolder.h"
#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "resources/TextCompression.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Compressed(std::string_view text) {
    const TBytes bytes = CompressText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return std::string(bytes.begin(), bytes.end());
}

std::string Expanded(const std::string& stored) {
    const TBytes bytes = ExpandText(TBytes(stored.begin(), stored.end()), "test");
    return std::string(bytes.begin(), bytes.end());
}

class SaveSlotsTest : public ::testing::Test {
protected:
    TCryptMaps Store;
    TQTDGameDat Dat{Store};
    TTempFolder Folder;
};

TEST_F(SaveSlotsTest, CaptionsCarryTheSlotLetterAndTheCampaignAtSaveTime) {
    EXPECT_EQ(EmptySlotCaption(0), "データなし(&Q)");
    EXPECT_EQ(EmptySlotCaption(6), "データなし(&U)");
    EXPECT_EQ(EmptySlotCaption(7), "データなし(&9)");
    EXPECT_EQ(EmptySlotCaption(15), "データなし(&1)");
    EXPECT_TRUE(IsEmptySlotCaption(EmptySlotCaption(3)));

    Dat.SetTurn(12);
    for (int area = 1; area <= 3; ++area) Dat.SetAreaStrength(area, 0);
    Dat.SetHeroinePresent(6, true);  // heroine 1 leads from the start, heroine 6 needs no area
    const std::string caption = UsedSlotCaption(7, "2012/09/25 21:05:33", Dat);
    EXPECT_EQ(caption, "2012/09/25 21:05:33 12ターン 制圧3箇所 将軍2名(&9)");
    EXPECT_FALSE(IsEmptySlotCaption(caption));
    EXPECT_EQ(SlotFileName(3), "save03.dat");
    EXPECT_EQ(SlotFileName(15), "save15.dat");
}

TEST_F(SaveSlotsTest, SaveTextHoldsTheVersionThenEveryCellIndexByIndex) {
    Dat.SetTurn(12);
    Dat.SetAffection(1, 7);
    Dat.SetItem(64, true);
    const std::vector<std::string> lines = Lines(SlotText(Dat, "1.12.9.25"));
    ASSERT_EQ(lines.size(), 521u);
    EXPECT_EQ(lines[0], "ver=1.12.9.25");
    EXPECT_EQ(lines[1], "d0-0=0");
    EXPECT_EQ(lines[2], "d1-0=12");  // the turn
    EXPECT_EQ(lines[3], "d2-0=2");   // the actions
    EXPECT_EQ(lines[8], "d7-0=0");
    EXPECT_EQ(lines[9], "d0-1=1");  // heroine 1 has joined
    EXPECT_EQ(lines[10], "d1-1=7");
    EXPECT_EQ(lines[13], "d4-1=1");  // area 1's strength
    EXPECT_EQ(lines[520], "d7-64=1");
}

TEST_F(SaveSlotsTest, ASlotFileBringsTheWholeCampaignBack) {
    Dat.SetTurn(31);
    Dat.SetActions(3);
    Dat.SetHeroinePresent(4, true);
    Dat.SetTraining(4, 9);
    Dat.SetAreaBattles(5, 2);
    Dat.SetAreaStrength(5, 3);
    Dat.SetAreaProgress(5, 4);
    Dat.SetItem(13, true);
    Dat.SetItemUnlockFlag(true);
    Dat.SetPassFlag(3, true);
    Dat.SetBestScore(123456);
    const std::string path = Folder / SlotFileName(2);
    WriteSlotFile(path, Dat, "1.0.0.0");
    EXPECT_EQ(static_cast<unsigned char>(ReadTextFile(path)[0]), 0x78);  // a zlib stream
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    TCryptMaps otherStore;
    TQTDGameDat loaded(otherStore);
    ApplySlot(loaded, ReadSlotFile(path));
    for (int row = 0; row < TQTDGameDat::kRows; ++row) {
        for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
            EXPECT_EQ(loaded.Raw(row, index), Dat.Raw(row, index)) << row << "-" << index;
        }
    }
    EXPECT_EQ(loaded.BestScore(), 123456);

    // Saving again replaces the file whole.
    Dat.SetTurn(32);
    WriteSlotFile(path, Dat, "1.0.0.0");
    ApplySlot(loaded, ReadSlotFile(path));
    EXPECT_EQ(loaded.Turn(), 32);
}

TEST_F(SaveSlotsTest, EntriesAreMatchedIgnoringCaseAndWhatIsMissingReadsZero) {
    const TSlotCells cells = ParseSlotText(
        "VER=1.0.0.0\r\nD1-0=20000\r\nd2-0=oops\r\nd6-4=1\r\nd4-4=0\r\nd1-3=5\r\nd1-3=9\r\nnoise line\r\nx=1\r\n"
        "d5-5=+-5\r\nd5-6=+7\r\nd5-7=-7\r\nd0-2=1");
    ApplySlot(Dat, cells);
    EXPECT_EQ(Dat.Turn(), 9999);        // clamped after loading
    EXPECT_EQ(Dat.Actions(), 1);        // "oops" reads 0, clamped to 1
    EXPECT_EQ(Dat.AreaStrength(4), 3);  // from the one battle fought, not the stored 0
    EXPECT_EQ(Dat.AreaStrength(7), TQTDGameDat::InitialStrength[7]);
    EXPECT_EQ(Dat.Affection(3), 5);       // the first of two entries counts
    EXPECT_TRUE(Dat.HeroinePresent(2));   // the last line needs no line end
    EXPECT_FALSE(Dat.HeroinePresent(1));  // missing: 0
    EXPECT_EQ(Dat.AreaProgress(5), 0);    // two signs make no number
    EXPECT_EQ(Dat.AreaProgress(6), 7);
    EXPECT_EQ(Dat.AreaProgress(7), -7);
}

// The version line says which program wrote the file; loading does not need it.
TEST_F(SaveSlotsTest, ASlotFileWithoutItsVersionLineLoads) {
    Dat.SetTurn(17);
    Dat.SetAreaProgress(9, 4);
    Dat.SetItem(40, true);
    std::string text = SlotText(Dat, "1.0.0.0");
    text.erase(0, text.find("\r\n") + 2);
    ASSERT_EQ(text.find("ver"), std::string::npos);
    const std::string path = Folder / SlotFileName(4);
    WriteTextFile(path, Compressed(text));

    TCryptMaps otherStore;
    TQTDGameDat loaded(otherStore);
    ApplySlot(loaded, ReadSlotFile(path));
    EXPECT_EQ(loaded.Turn(), 17);
    EXPECT_EQ(loaded.AreaProgress(9), 4);
    EXPECT_TRUE(loaded.HasItem(40));
    EXPECT_TRUE(loaded.HeroinePresent(1));
}

TEST_F(SaveSlotsTest, MissingDamagedOrOversizedSlotFilesAreRefused) {
    const std::string path = Folder / "save05.dat";
    EXPECT_THROW(ReadSlotFile(path), TSaveFileError);

    WriteTextFile(path, "not a zlib stream at all");
    try {
        ReadSlotFile(path);
        ADD_FAILURE() << "a file that is no zlib stream is no save";
    } catch (const TSaveFileError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }

    const std::string good = Compressed(SlotText(Dat, "1.0.0.0"));
    WriteTextFile(path, good.substr(0, good.size() / 2));
    EXPECT_THROW(ReadSlotFile(path), TSaveFileError);

    WriteTextFile(path, Compressed("ver=1\r\n" + std::string(kMaxSaveTextSize, 'x')));
    EXPECT_THROW(ReadSlotFile(path), TSaveFileError);

    WriteTextFile(path, good);
    EXPECT_NO_THROW(ReadSlotFile(path));
}

TEST_F(SaveSlotsTest, ReadFlagsAreSortedDistinctCp932Lines) {
    TReadFlags flags;
    EXPECT_TRUE(flags.Add(ScriptKey("title.txt")));
    EXPECT_TRUE(flags.Add(LabelKey("title.txt", "*スタート")));
    EXPECT_FALSE(flags.Add("title"));
    EXPECT_TRUE(flags.Add("ending"));
    EXPECT_TRUE(flags.Add(ScriptKey("noextension")));
    EXPECT_EQ(flags.Keys(), (std::vector<std::string>{"ending", "noextension", "title", "title_スタート"}));
    EXPECT_TRUE(flags.Contains("title_スタート"));
    EXPECT_FALSE(flags.Contains("titl"));

    const std::string path = Folder / kReadFlagsFileName;
    WriteReadFlagsFile(path, flags);
    EXPECT_EQ(Expanded(ReadTextFile(path)), Utf8ToCp932("ending\r\nnoextension\r\ntitle\r\ntitle_スタート\r\n"));

    TReadFlags loaded;
    loaded.Add("stale");
    ReadReadFlagsFile(path, loaded);
    EXPECT_EQ(loaded.Keys(), flags.Keys());

    // Unsorted, doubled keys and LF lines from another tool read as a clean list.
    WriteTextFile(path, Compressed(Utf8ToCp932("b\na\r\nb\r\n\r\nc")));
    ReadReadFlagsFile(path, loaded);
    EXPECT_EQ(loaded.Keys(), (std::vector<std::string>{"a", "b", "c"}));

    WriteTextFile(path, "damaged");
    EXPECT_THROW(ReadReadFlagsFile(path, loaded), TSaveFileError);
    EXPECT_TRUE(loaded.Empty());
}

TEST_F(SaveSlotsTest, DamagedFilesAreKeptAsideUnderAFreeName) {
    const std::string path = Folder / kReadFlagsFileName;
    EXPECT_EQ(DamagedFileName(path), Folder / "save999.damaged.dat");
    WriteTextFile(Folder / "save999.damaged.dat", "x");
    EXPECT_EQ(DamagedFileName(path), Folder / "save999.damaged2.dat");
}

}  // namespace
}  // namespace vandor

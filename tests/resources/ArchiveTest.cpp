#include "resources/Archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "resources/ArchiveWriter.h"

namespace vandor {
namespace {

using test::Bytes;
using test::TTempFolder;

TBytes ArchiveOf(std::vector<TArchiveEntry> entries, TArchiveVersion version = {1, 0, 0, 0}) {
    return BuildArchive(entries, version);
}

uint8_t* EntryField(TBytes& archive, std::size_t index, std::size_t field) {
    return archive.data() + kArchiveHeaderSize + kArchiveEntrySize * index + field;
}

TEST(NameHashTest, WeighsUtf16UnitsByPositionAndWraps) {
    EXPECT_EQ(NameHash(""), 0);
    EXPECT_EQ(NameHash("abc"), 590);
    // Counted over UTF-16 units, not UTF-8 bytes: 地 = U+5730, 面 = U+9762.
    EXPECT_EQ(NameHash("地面.png"), 22320 + 38754 * 2 + 46 * 3 + 112 * 4 + 110 * 5 + 103 * 6);
    // The 256th unit has weight 0.
    EXPECT_EQ(NameHash(std::string(255, 'a') + "b"), 97 * 32640);
    // 300 units of U+FFFF: weights sum to 32640 + 990 = 33630; the 32-bit sum wraps.
    EXPECT_EQ(NameHash(std::u16string(300, u'\xFFFF')), static_cast<int32_t>(65535u * 33630u));
}

TEST(ArchiveTest, FindsAndReadsEntries) {
    const std::string longName = std::string(44, 'n') + ".png";  // exactly 48 units
    TggDPFile archive("mem", ArchiveOf({{"first.txt", Bytes("one")},
                                        {"地面.png", Bytes("ground")},
                                        {longName, Bytes("long")},
                                        {"dup.png", Bytes("first dup")},
                                        {"dup.png", Bytes("second dup")},
                                        {"empty.ogg", {}}},
                                       {1, 0, 2, 0}));
    EXPECT_EQ(archive.EntryCount(), 6u);
    EXPECT_EQ(archive.GetVersion(), (TArchiveVersion{1, 0, 2, 0}));
    EXPECT_EQ(archive.FindEntry("first.txt"), 0);
    EXPECT_EQ(archive.FindEntry("地面.png"), 1);
    EXPECT_EQ(archive.FindEntry(longName), 2);
    EXPECT_EQ(archive.FindEntry(longName + "x"), -1);
    EXPECT_EQ(archive.FindEntry("dup.png"), 3);  // the lower index wins
    EXPECT_EQ(archive.FindEntry("missing.png"), -1);
    EXPECT_EQ(archive.FindEntry(""), -1);

    EXPECT_EQ(*archive.ReadEntry(1), Bytes("ground"));
    EXPECT_EQ(*archive.ReadEntry(3), Bytes("first dup"));
    EXPECT_EQ(*archive.ReadEntry(4), Bytes("second dup"));
    EXPECT_TRUE(archive.ReadEntry(5)->empty());
    EXPECT_EQ(archive.ReadEntry(-1), nullptr);
    EXPECT_EQ(archive.ReadEntry(6), nullptr);
}

TEST(ArchiveTest, HashIsTakenBeforeLowerCasing) {
    TBytes bytes = ArchiveOf({{"abc.png", Bytes("x")}, {"def.png", Bytes("y")}});
    // A query differing in case is found only when its hash matches the stored one.
    TggDPFile plain("plain", bytes);
    EXPECT_EQ(plain.FindEntry("ABC.png"), -1);

    WriteLE32(EntryField(bytes, 0, kEntryHashOffset), static_cast<uint32_t>(NameHash("ABC.png")));
    // Only ASCII letters are folded: with a matching hash a full-width letter still differs.
    WriteLE32(EntryField(bytes, 1, kEntryHashOffset), static_cast<uint32_t>(NameHash("ＤEF.png")));
    TggDPFile patched("patched", bytes);
    EXPECT_EQ(patched.FindEntry("ABC.png"), 0);
    EXPECT_EQ(patched.FindEntry("abc.png"), -1);
    EXPECT_EQ(patched.FindEntry("ＤEF.png"), -1);
}

TEST(ArchiveTest, EmptyArchiveFindsNothing) {
    TggDPFile archive("empty", ArchiveOf({}));
    EXPECT_EQ(archive.EntryCount(), 0u);
    EXPECT_EQ(archive.FindEntry("first.txt"), -1);
    EXPECT_EQ(archive.ReadEntry(0), nullptr);
}

TEST(ArchiveTest, CreateModeWritesABlankTable) {
    TTempFolder dir;
    const std::string path = dir / "new.gdp";
    {
        TggDPFile created(path, 3, TggDPMode::fmCreate);
        EXPECT_EQ(created.EntryCount(), 3u);
        EXPECT_EQ(created.ReadEntry(0), nullptr);
        EXPECT_EQ(std::filesystem::file_size(path), 400u);
    }
    const TBytes file = test::ReadFile(path);
    ASSERT_EQ(file.size(), 400u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "ggDP200A");
    EXPECT_EQ(ReadLE32(file.data() + kHeaderCountOffset), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const uint8_t* entry = file.data() + kArchiveHeaderSize + kArchiveEntrySize * i;
        EXPECT_EQ(ReadLE32(entry + kEntryHashOffset), 0xFFFFFFFFu);
        EXPECT_EQ(ReadLE32(entry + kEntryOffsetOffset), 0u);
        EXPECT_EQ(ReadLE32(entry), 0u);
    }
    TggDPFile reopened(path);
    EXPECT_EQ(reopened.EntryCount(), 3u);
    EXPECT_EQ(reopened.FindEntry(""), -1);
}

void ExpectRefused(const TBytes& bytes, const std::string& why, const std::string& expectedText) {
    SCOPED_TRACE(why);
    try {
        TggDPFile archive("damaged.gdp", bytes);
        ADD_FAILURE() << "opened";
    } catch (const EggDPError& error) {
        EXPECT_NE(std::string(error.what()).find("damaged.gdp"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find(expectedText), std::string::npos) << error.what();
    }
}

TEST(ArchiveTest, RefusesDamagedAndForeignFiles) {
    const TBytes good = ArchiveOf({{"a.txt", Bytes("alpha")}, {"b.png", Bytes("bravo")}});
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{63}}) {
        ExpectRefused(TBytes(good.begin(), good.begin() + cut), "cut at " + std::to_string(cut), "too short");
    }
    for (std::size_t cut : {std::size_t{64}, std::size_t{64 + 112 * 2 - 1}}) {
        ExpectRefused(TBytes(good.begin(), good.begin() + cut), "cut at " + std::to_string(cut), "does not fit");
    }
    ExpectRefused(TBytes(good.begin(), good.end() - 1), "last data byte missing", "\"b.png\" lies beyond");

    TBytes magic = good;
    magic[0] = 'G';
    ExpectRefused(magic, "magic", "ggDP");
    TBytes format = good;
    format[7] = 'B';
    ExpectRefused(format, "format", "200A");
    TBytes huge = good;
    WriteLE32(huge.data() + kHeaderCountOffset, 0xFFFFFFFFu);
    ExpectRefused(huge, "huge count", "does not fit");
    TBytes beyond = good;
    WriteLE32(EntryField(beyond, 0, kEntryOffsetOffset), static_cast<uint32_t>(good.size()));
    ExpectRefused(beyond, "offset at end", "\"a.txt\" lies beyond");
    TBytes wrapping = good;  // offset + size wraps in 32 bits
    WriteLE32(EntryField(wrapping, 1, kEntryOffsetOffset), 0xFFFFFFF0u);
    WriteLE32(EntryField(wrapping, 1, kEntrySizeOffset), 0x20u);
    ExpectRefused(wrapping, "wrapping offset", "lies beyond");
}

TEST(ArchiveTest, FileErrorsAreReportedNotCrashed) {
    TTempFolder dir;
    try {
        TggDPFile missing(dir / "nothing.gdp");
        ADD_FAILURE() << "opened a missing file";
    } catch (const EggDPError& error) {
        EXPECT_NE(std::string(error.what()).find(dir / "nothing.gdp"), std::string::npos) << error.what();
    }

    // The file shrinks after opening: the short read is an error, not garbage.
    const std::string path = dir / "shrinks.gdp";
    test::WriteFile(path, ArchiveOf({{"a.png", Bytes("0123456789")}}));
    TggDPFile archive(path);
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 4);
    EXPECT_THROW(archive.ReadEntry(0), EggDPError);
}

TEST(ArchiveWriterTest, PreparesEntriesAsTheGameExpects) {
    const TArchiveEntry text = MakeArchiveEntry("Readme.TXT", Bytes("hello hello hello hello"));
    EXPECT_EQ(text.Name, "readme.txt");
    EXPECT_NE(text.Data, Bytes("hello hello hello hello"));  // compressed
    EXPECT_EQ(MakeArchiveEntry("Pic.PNG", Bytes("raw")).Data, Bytes("raw"));
    EXPECT_NO_THROW(MakeArchiveEntry(std::string(48, 'x'), {}));
    try {
        MakeArchiveEntry(std::string(46, 'x') + "あ.ogg", {});
        ADD_FAILURE() << "accepted a 51-unit name";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("あ.ogg"), std::string::npos);
    }
    EXPECT_THROW(MakeArchiveEntry("\xFF\xFE.png", {}), std::invalid_argument);
}

}  // namespace
}  // namespace vandor

#include "util/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TempFolder.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

TIniFile Parsed(std::string_view bytes) {
    TIniFile ini;
    ini.Parse(bytes);
    return ini;
}

TEST(IniFileTest, JapaneseValuesRoundTripAsCp932WithCrLf) {
    TTempFolder temp;
    const std::string path = temp / "Config.ini";
    {
        TIniFile ini(path);
        ini.WriteString("Save", "Item00", "第一章　星砦の灰羽～");
        ini.WriteString("Path", "Last", "/ホーム/ゲーム/");
        ini.WriteInteger("Window", "X", -120);
        ASSERT_TRUE(ini.Save());
    }
    const std::string bytes = ReadTextFile(path);
    EXPECT_EQ(bytes, Utf8ToCp932("[Save]\r\nItem00=第一章　星砦の灰羽～\r\n\r\n[Path]\r\nLast=/ホーム/ゲーム/\r\n\r\n"
                                 "[Window]\r\nX=-120\r\n"));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    const TIniFile reread(path);
    EXPECT_EQ(reread.ReadString("Save", "Item00"), "第一章　星砦の灰羽～");
    EXPECT_EQ(reread.ReadString("Path", "Last"), "/ホーム/ゲーム/");
    EXPECT_EQ(reread.ReadInteger("Window", "X", 0), -120);
}

TEST(IniFileTest, NamesCompareWithoutAsciiCaseAndKeepTheirSpelling) {
    TIniFile ini = Parsed("[PATH]\r\n  LastRun = /a/b/ \r\n[Text]\nAA=0\n");
    EXPECT_EQ(ini.ReadString("path", "lastrun"), "/a/b/");
    EXPECT_TRUE(ini.ValueExists("Path", "LASTRUN"));
    EXPECT_FALSE(ini.ValueExists("Path", "Last"));
    EXPECT_FALSE(ini.ReadBool("TEXT", "aa", true));

    ini.WriteString("path", "LASTRUN", "/c/");
    ini.WriteBool("text", "Aa", true);
    EXPECT_EQ(ini.Text(), "[PATH]\r\nLastRun=/c/\r\n[Text]\r\nAA=1\r\n");
}

TEST(IniFileTest, UnknownLinesSurviveAndNewKeysJoinTheirSection) {
    TIniFile ini = Parsed(
        "; written by hand\n"
        "[Window]\n"
        "X=10\n"
        "Y=20\n"
        "\n"
        "[Other]\n"
        "Mystery=42\n"
        "a line without equals\n"
        "[Window]\n"
        "X=999\n");
    EXPECT_EQ(ini.ReadInteger("Window", "X", 0), 10) << "the first of duplicate sections wins";
    EXPECT_EQ(ini.ReadString("Other", "Mystery"), "42");

    ini.WriteInteger("Window", "Y", 30);
    ini.WriteString("Window", "Z", "new");
    ini.WriteString("Sound", "Volume", "60");
    EXPECT_EQ(ini.Text(),
              "; written by hand\r\n"
              "[Window]\r\n"
              "X=10\r\n"
              "Y=30\r\n"
              "Z=new\r\n"
              "\r\n"
              "[Other]\r\n"
              "Mystery=42\r\n"
              "a line without equals\r\n"
              "[Window]\r\n"
              "X=999\r\n"
              "\r\n"
              "[Sound]\r\n"
              "Volume=60\r\n");
}

TEST(IniFileTest, NumbersFallBackToTheDefaultUnlessWhollyValid) {
    const TIniFile ini = Parsed(
        "[N]\nplain=123\nnegative=-32768\nhex=$1F\nhex2=0xff\nwrapped=$FFFFFFFF\n"
        "max=2147483647\nmin=-2147483648\ntoobig=2147483648\ntrailing=12ab\nempty=\nsign=-\n"
        "one=1\nzero=0\nseven=7\nword=yes\n");
    EXPECT_EQ(ini.ReadInteger("N", "plain", -1), 123);
    EXPECT_EQ(ini.ReadInteger("N", "negative", 0), -32768);
    EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", 0), 255);
    EXPECT_EQ(ini.ReadInteger("N", "wrapped", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "max", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "min", 0), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("N", "toobig", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "trailing", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "sign", 7), 7);
    EXPECT_EQ(ini.ReadInteger("N", "missing", 60), 60);
    EXPECT_EQ(ini.ReadInteger("Missing", "plain", 60), 60);

    EXPECT_TRUE(ini.ReadBool("N", "one", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "seven", false));
    EXPECT_TRUE(ini.ReadBool("N", "word", true));
    EXPECT_FALSE(ini.ReadBool("N", "word", false));
    EXPECT_EQ(ini.ReadString("N", "missing", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("N", "empty", "fallback"), "") << "an empty value is a value";
}

TEST(IniFileTest, WrittenValuesCannotBreakTheFile) {
    TIniFile ini;
    ini.WriteString("E", "S", "1,2\r\n[Path]\nLast=/evil/");
    EXPECT_FALSE(ini.ValueExists("Path", "Last"));
    const TIniFile reread = Parsed(ini.Text());
    EXPECT_FALSE(reread.ValueExists("Path", "Last"));
    EXPECT_EQ(reread.ReadString("E", "S"), ini.ReadString("E", "S"));
}

TEST(IniFileTest, EncodingsAndUnreadableFiles) {
    TTempFolder temp;
    // UTF-16LE with a byte-order mark, as a hand-edited file might be.
    const std::u16string wide = u"[Save]\r\nItem01=灰羽\r\n";
    std::string utf16("\xFF\xFE", 2);
    for (char16_t unit : wide) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    WriteTextFile(temp / "wide.ini", utf16);
    EXPECT_EQ(TIniFile(temp / "wide.ini").ReadString("Save", "Item01"), "灰羽");
    WriteTextFile(temp / "sjis.ini", Utf8ToCp932("[Save]\nItem02=ヴァンドル\n"));
    EXPECT_EQ(TIniFile(temp / "sjis.ini").ReadString("Save", "Item02"), "ヴァンドル");
    EXPECT_EQ(Parsed("\xEF\xBB\xBF\xEF\xBB\xBF[Save]\nItem03=x\n").ReadString("Save", "Item03"), "x")
        << "a doubled byte-order mark does not hide the first section";

    EXPECT_EQ(TIniFile(temp / "missing.ini").Text(), "");
    std::filesystem::create_directory(temp / "folder.ini");
    TIniFile folder(temp / "folder.ini");
    EXPECT_EQ(folder.Text(), "");
    folder.WriteString("A", "B", "C");
    EXPECT_FALSE(folder.Save()) << "a folder cannot be replaced by the file";
    EXPECT_TRUE(std::filesystem::is_directory(temp / "folder.ini"));
    EXPECT_FALSE(std::filesystem::exists(temp / "folder.ini.tmp"));

    TIniFile nowhere(temp / "no/such/folder/Config.ini");
    nowhere.WriteString("A", "B", "C");
    EXPECT_FALSE(nowhere.Save());
}

TEST(IniFileTest, ArbitraryBytesParseAndRoundTripStably) {
    std::mt19937 random(1234);
    const std::string alphabet(
        "[]=;\r\n \t\0\x82\xA0\xFF\xFE"
        "abcXYZ",
        20);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& c : bytes) c = (round % 2) ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        TIniFile ini = Parsed(bytes);
        ini.WriteString("Sec", "Key", "value");
        EXPECT_EQ(ini.ReadString("sec", "KEY"), "value");
        // What is written reads back to the same file.
        const std::string text = ini.Text();
        EXPECT_EQ(Parsed(text).Text(), text);
    }
}

}  // namespace
}  // namespace vandor

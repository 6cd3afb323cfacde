// The read-pages file: what is written comes back, and anything that is not such a
// file is refused with a message rather than half read.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "scenario/ReadPages.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

TReadPages SomePages() {
    TReadPages pages;
    pages.Add("first.txt", 12);
    pages.Add("第二章.txt", 3);
    pages.Add("first.txt", 4);
    return pages;
}

TEST(ReadPages, TheFileKeepsEveryPageIncludingJapaneseNames) {
    test::TTempFolder temp;
    const std::string path = temp / "readpages.dat";
    WriteReadPagesFile(path, SomePages());
    TReadPages read;
    ReadReadPagesFile(path, read);
    EXPECT_EQ(read.Pages(), SomePages().Pages());
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find(Utf8ToCp932("第二章.txt\t3\r\n")), std::string::npos) << "CP932 with CR LF";
}

TEST(ReadPages, DamagedTextIsRefusedAndLeavesNothing) {
    for (const char* text :
         {"", "garbage\r\n", "VandorReadPages\t1\r\nfirst.txt 3\r\n", "VandorReadPages\t1\r\n\t3\r\n",
          "VandorReadPages\t1\r\nfirst.txt\t-1\r\n", "VandorReadPages\t1\r\nfirst.txt\tx\r\n",
          "VandorReadPages\t1\r\nfirst.txt\t99999999999\r\n"}) {
        TReadPages pages = SomePages();
        EXPECT_THROW(ParseReadPagesText(text, pages), TReadPagesError) << text;
        EXPECT_TRUE(pages.Empty()) << text;
    }
}

TEST(ReadPages, AMissingFileIsAnError) {
    test::TTempFolder temp;
    TReadPages pages;
    EXPECT_THROW(ReadReadPagesFile(temp / "none.dat", pages), TReadPagesError);
}

TEST(ReadPages, AFileThatCannotBeWrittenIsAnError) {
    test::TTempFolder temp;
    EXPECT_THROW(WriteReadPagesFile(temp / "missing/folder/readpages.dat", SomePages()), TReadPagesError);
}

}  // namespace
}  // namespace vandor

#include "resources/FileCache.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "TestFiles.h"
#include "resources/ArchiveWriter.h"
#include "resources/TextCompression.h"
#include "util/Clock.h"

namespace vandor {
namespace {

using test::Bytes;
using test::TTempFolder;

class TFixedClock final : public IClock {
public:
    uint32_t Now() override { return 3909042; }
    void Sleep(uint32_t) override {}
};

class FileCacheTest : public ::testing::Test {
protected:
    FileCacheTest() { Log.Enabled = true; }
    TBytes Load(std::string_view name) {
        const TBytes* stream = Files.GetStream(name);
        if (stream == nullptr) return Bytes("<none>");
        TBytes copy = *stream;
        Files.Release(stream);
        return copy;
    }
    std::string ArchivePath(const std::string& file, std::vector<TArchiveEntry> entries,
                            TArchiveVersion version = {1, 0, 0, 0}) {
        const std::string path = Dir / file;
        test::WriteFile(path, BuildArchive(entries, version));
        return path;
    }

    TTempFolder Dir;
    TFixedClock Clock;
    TDebugLog Log{"", Clock};
    TFileCache Files{&Log};
};

TEST_F(FileCacheTest, FoldersOverrideArchivesAndLaterSourcesOverrideEarlier) {
    test::WriteFile(Dir / "scenario/a.png", Bytes("scenario a"));
    test::WriteFile(Dir / "scenario/c.png", Bytes("scenario c"));
    test::WriteFile(Dir / "patch/c.png", Bytes("patch c"));
    TggDPFile dat(ArchivePath(
        "dat.gdp", {{"a.png", Bytes("dat a")}, {"b.png", Bytes("dat b")}, {"d.png", Bytes("dat d")}}, {1, 0, 2, 0}));
    TggDPFile patch(ArchivePath("patch.gdp", {{"a.png", Bytes("patch.gdp a")}, {"d.png", Bytes("patch.gdp d")}}));
    Files.AddArchive(&dat);
    Files.AddArchive(&patch);
    Files.AddArchive(nullptr);
    Files.AddFolder(Dir / "scenario/");
    Files.AddFolder(Dir / "patch/");
    Files.AddFolder("");

    EXPECT_EQ(Load("a.png"), Bytes("scenario a"));
    EXPECT_EQ(Load("c.png"), Bytes("patch c"));
    EXPECT_EQ(Load("b.png"), Bytes("dat b"));
    EXPECT_EQ(Load("d.png"), Bytes("patch.gdp d"));
    EXPECT_EQ(Files.Item(static_cast<std::size_t>(Files.IndexOf("d.png"))).Size, 11 + 256);

    std::vector<std::string> sources{"before"};
    Files.ListSources(sources);
    EXPECT_EQ(sources, (std::vector<std::string>{"before", Dir / "dat.gdp - ver.1.0.2.0",
                                                 patch.Path() + " - ver.1.0.0.0", Dir / "scenario/", Dir / "patch/"}));

    // A restart in another mode starts from nothing: no source, no cached file.
    Files.RemoveSources();
    EXPECT_EQ(Files.Count(), 0u);
    sources.clear();
    Files.ListSources(sources);
    EXPECT_TRUE(sources.empty());
    EXPECT_EQ(Load("a.png"), Bytes("<none>"));
    Files.AddArchive(&dat);
    EXPECT_EQ(Load("a.png"), Bytes("dat a"));
}

TEST_F(FileCacheTest, TextIsExpandedFromArchivesOnly) {
    const TBytes script = Bytes("[bg image]\r\nこんにちは\r\n");
    const TBytes compressed = CompressText(script.data(), script.size());
    TggDPFile dat(ArchivePath("dat.gdp", {MakeArchiveEntry("first.txt", script), {"other.txt", compressed}}));
    Files.AddArchive(&dat);
    test::WriteFile(Dir / "scenario/other.txt", compressed);
    Files.AddFolder(Dir / "scenario/");

    EXPECT_EQ(Load("first.txt"), script);
    EXPECT_EQ(Load("other.txt"), compressed);  // folder text is returned as stored
}

TEST_F(FileCacheTest, FolderLookupIgnoresAsciiCasePreferringExactMatch) {
    test::WriteFile(Dir / "image/Title.PNG", Bytes("title"));
    test::WriteFile(Dir / "image/X.png", Bytes("upper"));
    test::WriteFile(Dir / "image/x.png", Bytes("lower"));
    test::WriteFile(Dir / "image/Ａ.png", Bytes("full-width"));
    Files.AddFolder(Dir / "image/");
    EXPECT_EQ(Load("title.png"), Bytes("title"));
    EXPECT_EQ(Load("X.png"), Bytes("upper"));
    Files.Flush();
    EXPECT_EQ(Load("x.png"), Bytes("lower"));
    EXPECT_EQ(Load("ａ.png"), Bytes("<none>"));  // only ASCII letters fold

    // Asking whether a file exists reads, caches and logs nothing.
    TggDPFile dat(ArchivePath("dat.gdp", {{"inside.png", Bytes("x")}}));
    Files.AddArchive(&dat);
    Files.Flush();
    const std::size_t logged = Log.Lines().size();
    EXPECT_TRUE(Files.Exists("TITLE.png"));
    EXPECT_TRUE(Files.Exists("inside.png"));
    EXPECT_FALSE(Files.Exists("ａ.png"));
    EXPECT_EQ(Files.Count(), 0u);
    EXPECT_EQ(Log.Lines().size(), logged);
}

TEST_F(FileCacheTest, MissingFileIsLoggedOnceAndNotCached) {
    Files.AddFolder(Dir / "empty/");
    EXPECT_EQ(Files.GetStream("nope.png"), nullptr);
    EXPECT_EQ(Files.GetStream("nope.png"), nullptr);
    EXPECT_EQ(Files.GetStream("none.ogg"), nullptr);
    EXPECT_EQ(Files.Count(), 0u);
    // Not cached: a file that appears later is found.
    test::WriteFile(Dir / "empty/nope.png", Bytes("late"));
    EXPECT_EQ(Load("nope.png"), Bytes("late"));
    const std::string prefix = TDebugLog::TimePrefix(3909042);
    EXPECT_EQ(Log.Lines(), (std::vector<std::string>{prefix + "ファイル \"nope.png\" は存在しません.",
                                                     prefix + "ファイル \"none.ogg\" は存在しません."}));
}

TEST_F(FileCacheTest, DamagedTextFailsWithItsName) {
    const TBytes script = Bytes(std::string(5000, 'x') + "0123456789");
    TBytes truncated = MakeArchiveEntry("cut.txt", script).Data;
    truncated.resize(truncated.size() / 2);
    TBytes corrupt = MakeArchiveEntry("bad.txt", script).Data;
    corrupt[0] ^= 0xFF;
    TggDPFile dat(ArchivePath("dat.gdp", {{"cut.txt", truncated}, {"bad.txt", corrupt}, {"raw.txt", script}}));
    Files.AddArchive(&dat);
    for (const char* name : {"cut.txt", "bad.txt", "raw.txt"}) {
        try {
            Files.GetStream(name);
            ADD_FAILURE() << name << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(Files.Count(), 0u);
}

// A zlib stream of `size` zero bytes, made without holding them all in memory.
TBytes CompressedZeros(std::size_t size) {
    z_stream stream{};
    deflateInit(&stream, Z_BEST_SPEED);
    TBytes zeros(1 << 20, 0), out(1 << 20);
    std::size_t written = 0;
    for (int status = Z_OK; status != Z_STREAM_END;) {
        const std::size_t chunk = std::min(zeros.size(), size);
        size -= chunk;
        stream.next_in = zeros.data();
        stream.avail_in = static_cast<uInt>(chunk);
        do {
            if (written == out.size()) out.resize(out.size() * 2);
            stream.next_out = out.data() + written;
            stream.avail_out = static_cast<uInt>(out.size() - written);
            status = deflate(&stream, size == 0 ? Z_FINISH : Z_NO_FLUSH);
            written = out.size() - stream.avail_out;
        } while (stream.avail_out == 0 || (size == 0 && status != Z_STREAM_END));
    }
    deflateEnd(&stream);
    out.resize(written);
    return out;
}

TEST(TextCompressionTest, ExpansionIsBounded) {
    const TBytes atLimit = ExpandText(CompressedZeros(kMaxExpandedTextSize), "big.txt");
    EXPECT_EQ(atLimit.size(), kMaxExpandedTextSize);
    EXPECT_EQ(std::count(atLimit.begin(), atLimit.end(), 0), static_cast<std::ptrdiff_t>(kMaxExpandedTextSize));
    try {
        ExpandText(CompressedZeros(kMaxExpandedTextSize + 1), "bomb.txt");
        ADD_FAILURE() << "expanded beyond the limit";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("bomb.txt"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(ExpandText(CompressText(nullptr, 0), "empty.txt").empty());
    EXPECT_TRUE(IsCompressedEntryName("a.b.txt"));
    EXPECT_FALSE(IsCompressedEntryName("a.TXT"));
    EXPECT_FALSE(IsCompressedEntryName("a.txt.png"));
}

}  // namespace
}  // namespace vandor

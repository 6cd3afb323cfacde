#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "resources/Archive.h"
#include "resources/ArchiveWriter.h"
#include "resources/FileCache.h"
#include "resources/TestFiles.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

using test::Bytes;

struct TRun {
    int Status = -1;  // exit code; -1 when the tool did not exit normally (a crash)
    std::string Output;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TRun Gdp(const std::vector<std::string>& args) {
    std::string command = Quote(GDP_PATH);
    for (const std::string& arg : args) command += " " + Quote(arg);
    TRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.Output.append(buffer, n);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) run.Status = WEXITSTATUS(status);
    return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(GdpToolTest, PacksListsVerifiesAndExtractsWhatTheGameReads) {
    test::TTempFolder dir;
    const TBytes scenario = Bytes(Utf8ToCp932("[背景 森]\r\n// コメント\r\n森に着いた。\r\n"));
    const TBytes first = Bytes("\xEF\xBB\xBF[jump シナリオ.txt]\r\nHello\r\n");
    TBytes picture;
    for (int i = 0; i < 3000; ++i) picture.push_back(static_cast<uint8_t>(i * 7));
    test::WriteFile(dir / "in/シナリオ.txt", scenario);
    test::WriteFile(dir / "in/First.TXT", first);
    test::WriteFile(dir / "in/地面.png", picture);
    test::WriteFile(dir / "in/empty.ogg", {});
    test::WriteFile(dir / "in/sub/ignored.png", Bytes("x"));

    TRun run = Gdp({"pack", dir / "in", dir / "dat.gdp", "--version", "1.2.3.4"});
    ASSERT_EQ(run.Status, 0) << run.Output;

    run = Gdp({"list", dir / "dat.gdp"});
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_TRUE(run.Output.starts_with("version 1.2.3.4\n")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "\t" + std::to_string(scenario.size()) + "\n")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "地面.png\t3000\n")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "empty.ogg\t0\n")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "first.txt\t")) << run.Output;
    EXPECT_FALSE(Contains(run.Output, "ignored")) << run.Output;

    run = Gdp({"verify", dir / "dat.gdp"});
    EXPECT_EQ(run.Status, 0) << run.Output;

    run = Gdp({"extract", dir / "dat.gdp", dir / "out"});
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_EQ(test::ReadFile(dir / "out/シナリオ.txt"), scenario);
    EXPECT_EQ(test::ReadFile(dir / "out/first.txt"), first);
    EXPECT_EQ(test::ReadFile(dir / "out/地面.png"), picture);
    EXPECT_TRUE(std::filesystem::exists(dir / "out/empty.ogg"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 4);

    // The game's own lookup reads the packed archive the same way.
    TggDPFile archive(dir / "dat.gdp");
    TFileCache files(nullptr);
    files.AddArchive(&archive);
    const TBytes* stream = files.GetStream("シナリオ.txt");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(*stream, scenario);
    files.Release(stream);
}

// The loose folders of debug mode pack as they lie, and a name found in several folders
// comes from the one the game reads in debug mode.
TEST(GdpToolTest, PacksTheDebugLayoutAndTellsNamesThatClash) {
    test::TTempFolder dir;
    test::WriteFile(dir / "game/scenario/first.txt", Bytes("[bg01]\r\n"));
    test::WriteFile(dir / "game/patch/first.txt", Bytes("[bg02]\r\n"));
    test::WriteFile(dir / "game/image/bg01.png", Bytes("image"));
    test::WriteFile(dir / "game/bgimage/BG01.png", Bytes("bgimage"));
    test::WriteFile(dir / "game/bgm/bgm01.ogg", Bytes("music"));
    test::WriteFile(dir / "game/notes/todo.png", Bytes("not read by the game"));

    TRun run = Gdp({"pack", dir / "game", dir / "dat.gdp"});
    ASSERT_EQ(run.Status, 0) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "packed 3 files")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "\"first.txt\" lies in scenario/, patch/; packed from patch/")) << run.Output;
    EXPECT_TRUE(Contains(run.Output, "\"bg01.png\" lies in image/, bgimage/; packed from bgimage/")) << run.Output;
    EXPECT_FALSE(Contains(run.Output, "bgm01.ogg")) << run.Output;

    ASSERT_EQ(Gdp({"extract", dir / "dat.gdp", dir / "out"}).Status, 0);
    EXPECT_EQ(test::ReadFile(dir / "out/first.txt"), Bytes("[bg02]\r\n"));
    EXPECT_EQ(test::ReadFile(dir / "out/bg01.png"), Bytes("bgimage"));
    EXPECT_EQ(test::ReadFile(dir / "out/bgm01.ogg"), Bytes("music"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out/todo.png"));
}

TEST(GdpToolTest, BadInputFailsWithAMessage) {
    test::TTempFolder dir;
    test::WriteFile(dir / "in/a.png", Bytes("a"));
    test::WriteFile(dir / "notes.txt", Bytes("not an archive at all, just some words"));
    const std::string longName = std::string(46, 'x') + "あ.ogg";
    test::WriteFile(dir / "long/" + longName, Bytes("x"));
    test::WriteFile(dir / "bad.gdp",
                    BuildArchive({{"bad.txt", Bytes("not zlib")}, {"good.png", Bytes("g")}}, {1, 0, 0, 0}));
    test::WriteFile(dir / "evil.gdp", BuildArchive({{"../evil.png", Bytes("x")}}, {1, 0, 0, 0}));
    ASSERT_EQ(Gdp({"pack", dir / "in", dir / "ok.gdp"}).Status, 0);
    TBytes cut = test::ReadFile(dir / "ok.gdp");
    cut.pop_back();
    test::WriteFile(dir / "cut.gdp", cut);

    struct TCase {
        std::vector<std::string> Args;
        int Status;
        std::string Mentions;
    };
    const std::vector<TCase> cases = {
        {{}, 2, "usage"},
        {{"unpack"}, 2, "unknown command"},
        {{"list"}, 2, "usage"},
        {{"pack", dir / "in", dir / "x.gdp", "--version", "1.2.3"}, 2, "1.2.3"},
        {{"pack", dir / "in", dir / "x.gdp", "--version", "1.2.3.70000"}, 2, "70000"},
        {{"pack", dir / "none", dir / "x.gdp"}, 1, "none"},
        {{"pack", dir / "long", dir / "x.gdp"}, 1, longName},
        {{"list", dir / "missing.gdp"}, 1, "missing.gdp"},
        {{"verify", dir / "notes.txt"}, 1, "notes.txt"},
        {{"verify", dir / "cut.gdp"}, 1, "a.png"},
        {{"verify", dir / "bad.gdp"}, 1, "bad.txt"},
        {{"list", dir / "bad.gdp"}, 1, "bad.txt"},
        {{"extract", dir / "evil.gdp", dir / "out"}, 1, "../evil.png"},
    };
    for (const TCase& c : cases) {
        const TRun run = Gdp(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Args.size() << " args: " << run.Output;
        EXPECT_TRUE(Contains(run.Output, c.Mentions)) << c.Mentions << " not in: " << run.Output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.gdp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "evil.png"));
    EXPECT_EQ(Gdp({"--help"}).Status, 0);
}

}  // namespace
}  // namespace vandor

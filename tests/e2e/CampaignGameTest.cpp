// The campaign in the real program, headless: a story that keeps its state in save
// slots and its read flags across runs, a damaged slot, and saves, settings and read
// progress that survive the program being killed in the middle of writing them.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "GameProgram.h"
#include "TempFolder.h"
#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"
#include "scenario/ReadPages.h"
#include "util/Encoding.h"
#include "util/IniFile.h"

extern char** environ;

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TTempFolder;
using test::WriteTextFile;

class CampaignGameTest : public ::testing::Test {
protected:
    CampaignGameTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
    }

    int Run(const std::string& input, int frames) {
        WriteTextFile(temp / "input.txt", input);
        for (const auto& entry : fs::directory_iterator(game)) {
            if (entry.path().filename().string().starts_with("debug")) fs::remove(entry.path());
        }
        return test::RunGame(
            game, documents,
            "--headless --frames " + std::to_string(frames) + " --input '" + (temp / "input.txt") + "'",
            temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    // Starts `./vandor ARGUMENTS` as Run does, without waiting for it; its output is dropped.
    pid_t Spawn(const std::string& arguments) const {
        const std::string command =
            "cd '" + game + "' && XDG_DATA_HOME='" + documents + "' exec ./vandor " + arguments + " >/dev/null 2>&1";
        pid_t pid = 0;
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        return posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0 ? pid : -1;
    }
    // Gives the program `wait` to end, then kills it with SIGKILL; true when it had to
    // be killed.
    static bool KillAfter(pid_t pid, std::chrono::microseconds wait) {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid, &status, WNOHANG) != 0) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (waitpid(pid, &status, WNOHANG) != 0) return false;
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return true;
    }
    // Watches for `temporary` (a file being written) and kills the program `delay`
    // after it shows; true when it was killed. Writes take a millisecond or two, so a
    // kill at a random time alone would seldom hit one.
    static bool KillWhileWriting(pid_t pid, const std::string& temporary, std::chrono::microseconds delay) {
        int status = 0;
        for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
             std::chrono::steady_clock::now() < deadline;) {
            if (waitpid(pid, &status, WNOHANG) != 0) return false;
            if (fs::exists(temporary)) return KillAfter(pid, delay);
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        return KillAfter(pid, std::chrono::microseconds(0));
    }
    // Removes what killed runs left, and tells whether there was anything.
    bool RemoveTemporaryFiles() const {
        bool left = false;
        for (const auto& entry : fs::directory_iterator(SaveFolder())) {
            if (entry.path().extension() != ".tmp") continue;
            fs::remove(entry.path());
            left = true;
        }
        return left;
    }
    std::string SaveFolder() const { return documents + "クイルフェン/ヴァンドルの星砦タクティクス/"; }
    void WriteScript(const std::string& name, const std::string& text) {
        WriteTextFile(game + "scenario/" + name, text);
    }

    TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string documents = temp / "docs/";
};

// The first run plays the campaign into turn 2 and saves; the second run knows from
// its read flags that the first got there, finds a damaged slot refused, loads the
// good one, and the action phase checks the restored state through conditions. The
// outcome shows in the debug log as the trace of an unknown command word.
TEST_F(CampaignGameTest, ASavedCampaignAndTheReadFlagsComeBackInTheNextRun) {
    WriteScript("first.txt",
                "[文章枠/なし]\n"
                "[ジャンプ/*二回目/./既読 first_準備完了]\n"
                "[上部情報]\n"
                "[行動/進行]\n"
                "[行動/進行]\n"
                "[アイテム取得/31]\n"
                "[ヒロイン登場/4]\n"
                "[行動/求愛/4]\n"
                "*準備完了\n"
                "[クリック待]\n"
                "*二回目\n"
                "[二回目の起動]\n"
                "[クリック待]\n");
    WriteScript("行動.txt",
                "*行動フェイズ\n"
                "[ジャンプ/*復元/./(ターン=2)and(アイテム31=1)and(ヒロイン4=1)and(ヒロイン愛情4=1)and(行動猶予=0)]\n"
                "[復元失敗]\n"
                "[クリック待]\n"
                "*復元\n"
                "[復元成功]\n"
                "[クリック待]\n");

    ASSERT_EQ(Run("30 menu mmSF0_0\n", 40), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");
    const std::string firstLog = test::ReadDebugLog(game);
    EXPECT_NE(firstLog.find("既読情報保存.(1)"), std::string::npos) << firstLog;
    EXPECT_EQ(firstLog.find("二回目の起動"), std::string::npos);
    ASSERT_TRUE(fs::exists(SaveFolder() + "save00.dat"));
    const std::string caption = TIniFile(SaveFolder() + "Config.ini").ReadString("Save", "Item00");
    EXPECT_NE(caption.find(" 2ターン 制圧0箇所 将軍1名(&Q)"), std::string::npos) << caption;

    WriteTextFile(SaveFolder() + "save01.dat", "damaged");
    TIniFile config(SaveFolder() + "Config.ini");
    config.WriteString("Save", "Item01", "2020/01/01 00:00:00 9ターン 制圧0箇所 将軍1名(&W)");
    ASSERT_TRUE(config.Save());
    ASSERT_EQ(Run("10 menu mmSF1_1\n20 menu mmSF1_0\n", 40), 0) << Stderr();
    EXPECT_EQ(Stderr(), "");
    const std::string log = test::ReadDebugLog(game);
    EXPECT_NE(log.find("既読情報読込.(1)"), std::string::npos) << log;
    EXPECT_NE(log.find("二回目の起動"), std::string::npos) << log;
    EXPECT_NE(log.find("save01.dat を読み込めません"), std::string::npos) << log;
    EXPECT_NE(log.find("復元成功"), std::string::npos) << log;
    EXPECT_EQ(log.find("復元失敗"), std::string::npos) << log;
    // The first run's key, first_二回目, and 行動 with its labels 行動フェイズ and 復元.
    EXPECT_NE(log.find("既読情報保存.(5)"), std::string::npos) << log;
}

// Saving again and again, the program is killed at many moments; every time, the slot
// file that is left is a whole save, and so is the settings file with its caption.
TEST_F(CampaignGameTest, AKilledProgramNeverLeavesABrokenSave) {
    WriteScript("first.txt",
                "[文章枠/なし]\n[上部情報]\n*次のターン\n[行動/進行]\n[上部情報]\n[ジャンプ/*次のターン]\n");
    std::string input;
    for (int frame = 10; frame < 20000; frame += 2) {
        input += std::to_string(frame) + " answer yes\n" + std::to_string(frame) + " menu mmSF0_5\n";
    }
    WriteTextFile(temp / "input.txt", input);
    std::mt19937 random(12345);
    int killedWhileRunning = 0;
    int32_t lastTurn = -1;
    for (int round = 0; round < 12; ++round) {
        const pid_t pid = Spawn("--headless --frames 20000 --input '" + (temp / "input.txt") + "'");
        ASSERT_GT(pid, 0);
        if (KillAfter(pid, std::chrono::milliseconds(200 + random() % 1200))) ++killedWhileRunning;

        const std::string slot = SaveFolder() + "save05.dat";
        if (!fs::exists(slot)) continue;  // killed before the first save
        TCryptMaps store;
        TQTDGameDat campaign(store);
        ASSERT_NO_THROW(ApplySlot(campaign, ReadSlotFile(slot))) << "round " << round;
        EXPECT_EQ(ReadTextFile(slot).size() > 0, true);
        // Each run plays from turn 0 again, so a save is never older than its run's start.
        EXPECT_GE(campaign.Turn(), 1) << "round " << round;
        lastTurn = campaign.Turn();
        const std::string caption = TIniFile(SaveFolder() + "Config.ini").ReadString("Save", "Item05");
        EXPECT_NE(caption.find("ターン 制圧0箇所 将軍1名(&Y)"), std::string::npos)
            << "round " << round << ": " << caption;
    }
    EXPECT_GT(killedWhileRunning, 6) << "the program must be killed mid-run for this test to mean anything";
    EXPECT_GT(lastTurn, 0) << "no round got as far as saving";
}

// The files written at exit: Config.ini, the read flags and the read pages. Every run
// reaches a script, labels and a page of its own and picks another auto speed, so
// that each of the three files changes at its exit, and is killed at a random moment:
// two runs in three while one of the files is being written, the third anywhere in
// the second half of the run. After every kill each file must be the old one byte for
// byte or the whole new one: never a mix of the two, never cut short. Long read lists
// (the player of a long story) make the writes last longer.
TEST_F(CampaignGameTest, AKilledProgramNeverLeavesBrokenSettingsOrReadProgress) {
    constexpr int kRounds = 30;
    constexpr int kFrames = 20;
    const std::string flagsPath = SaveFolder() + kReadFlagsFileName;
    const std::string pagesPath = SaveFolder() + kReadPagesFileName;
    const std::string configPath = SaveFolder() + "Config.ini";
    fs::create_directories(SaveFolder());
    {
        TReadFlags flags;
        TReadPages pages;
        for (int i = 0; i < 40000; ++i) {
            flags.Add("昔の章" + std::to_string(i) + "_見出し");
            pages.Add("昔の章" + std::to_string(i) + ".txt", i);
        }
        WriteReadFlagsFile(flagsPath, flags);
        WriteReadPagesFile(pagesPath, pages);
    }

    const char* speedItems[] = {"mmAutoFast", "mmAutoNormal", "mmAutoSlow"};
    const auto prepare = [&](int round) {
        const std::string script = "回" + std::to_string(round);
        WriteScript("first.txt", "[ジャンプ/" + script + ".txt/*始まり]\n");
        WriteScript(script + ".txt", "*始まり\n頁\n\n*読了\n[クリック待]\n");
        WriteTextFile(temp / "input.txt",
                      "1 menu " + std::string(speedItems[round % 3]) + "\n10 move 400 300\n11 down left\n12 up left\n");
    };
    const std::string arguments =
        "--headless --frames " + std::to_string(kFrames) + " --input '" + (temp / "input.txt") + "'";
    const auto readFlags = [&] {
        TReadFlags flags;
        ReadReadFlagsFile(flagsPath, flags);
        return std::set<std::string>(flags.Keys().begin(), flags.Keys().end());
    };
    const auto readPages = [&] {
        TReadPages pages;
        ReadReadPagesFile(pagesPath, pages);
        return pages.Pages();
    };

    // A run left to its end: the settings file exists from then on, every file takes
    // the run's news, and its length tells when to kill the others.
    prepare(0);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_FALSE(KillAfter(Spawn(arguments), std::chrono::seconds(10))) << "a run of " << kFrames << " frames hung";
    const auto runLength =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    std::set<std::string> flags = readFlags();
    auto pages = readPages();
    std::string config = ReadTextFile(configPath);
    ASSERT_TRUE(flags.contains("回0_読了"));
    ASSERT_TRUE(pages.contains({"回0.txt", 2}));
    ASSERT_EQ(TIniFile(configPath).ReadInteger("Comfort", "AutoSpeed", -1), 0);

    std::mt19937 random(4242);
    int killedWhileRunning = 0;
    int killedWhileWriting = 0;  // a temporary file was left: the kill came between open and rename
    int roundsWritten = 0;
    for (int round = 1; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        prepare(round);
        const pid_t pid = Spawn(arguments);
        ASSERT_GT(pid, 0);
        const std::string watched[] = {configPath, flagsPath, pagesPath};
        const bool killed = round % 3 == 0 ? KillAfter(pid, runLength * (50 + static_cast<int>(random() % 65)) / 100)
                                           : KillWhileWriting(pid, watched[random() % 3] + ".tmp",
                                                              std::chrono::microseconds(random() % 2500));
        if (killed) ++killedWhileRunning;
        if (RemoveTemporaryFiles()) ++killedWhileWriting;

        const std::string script = "回" + std::to_string(round);
        const std::set<std::string> roundKeys = {script, script + "_始まり", script + "_読了"};
        std::set<std::string> nowFlags;
        ASSERT_NO_THROW(nowFlags = readFlags()) << "a cut or mixed read-flags file";
        for (const std::string& key : flags) ASSERT_TRUE(nowFlags.contains(key)) << key << " was lost";
        for (const std::string& key : nowFlags) ASSERT_TRUE(flags.contains(key) || roundKeys.contains(key)) << key;

        decltype(pages) nowPages;
        ASSERT_NO_THROW(nowPages = readPages()) << "a cut or mixed read-pages file";
        for (const auto& page : pages) ASSERT_TRUE(nowPages.contains(page)) << page.first << " was lost";
        for (const auto& page : nowPages) {
            const bool roundPage = page.first == script + ".txt" && page.second == 2;
            ASSERT_TRUE(pages.contains(page) || roundPage) << page.first;
        }

        const std::string nowConfig = ReadTextFile(configPath);
        if (nowConfig != config) {
            TIniFile expected;
            expected.Parse(config);
            expected.WriteInteger("Comfort", "AutoSpeed", round % 3);
            ASSERT_EQ(nowConfig, Utf8ToCp932(expected.Text())) << "Config.ini is neither the old nor the new file";
        }

        if (nowFlags != flags || nowPages != pages || nowConfig != config) ++roundsWritten;
        flags = std::move(nowFlags);
        pages = std::move(nowPages);
        config = nowConfig;
    }
    std::printf("%d runs of %lld ms: %d killed, %d of them while a file was being written, %d wrote new files\n",
                kRounds - 1, static_cast<long long>(runLength.count() / 1000), killedWhileRunning, killedWhileWriting,
                roundsWritten);
    EXPECT_GT(killedWhileRunning, kRounds / 3) << "the program must be killed mid-run for this test to mean anything";
    EXPECT_GT(roundsWritten, 0) << "no killed run got as far as writing its files";
    EXPECT_GT(killedWhileWriting, kRounds / 10) << "too few kills hit a file being written";
}

// Autosaving at every turn's action phase, the program is killed again and again, most
// times while an autosave is being written: every autosave left is a whole save,
// and the captions Config.ini keeps for them are whole.
TEST_F(CampaignGameTest, AKilledProgramNeverLeavesABrokenAutosave) {
    WriteScript("first.txt",
                "[文章枠/なし]\n*次のターン\n[上部情報]\n[行動/進行]\n[上部情報/消]\n[ジャンプ/*次のターン]\n");
    const std::string arguments = "--headless --frames 20000";
    std::mt19937 random(2828);
    int killedWhileRunning = 0;
    int killedWhileWriting = 0;
    // An autosave is written in about a millisecond, so a kill aimed at one can miss it:
    // more rounds are played until two kills have hit one.
    for (int round = 0; round < 12 || (killedWhileWriting < 2 && round < 36); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t pid = Spawn(arguments);
        ASSERT_GT(pid, 0);
        const std::string watched = SaveFolder() + "autosave" + std::to_string(1 + random() % 3) + ".dat.tmp";
        if (round % 4 == 3 ? KillAfter(pid, std::chrono::milliseconds(100 + random() % 900))
                           : KillWhileWriting(pid, watched, std::chrono::microseconds(random() % 2500))) {
            ++killedWhileRunning;
        }
        if (RemoveTemporaryFiles()) ++killedWhileWriting;

        for (int file = 1; file <= 3; ++file) {
            const std::string path = SaveFolder() + "autosave" + std::to_string(file) + ".dat";
            if (!fs::exists(path)) continue;
            TCryptMaps store;
            TQTDGameDat campaign(store);
            ASSERT_NO_THROW(ApplySlot(campaign, ReadSlotFile(path))) << path;
        }
        const TIniFile config(SaveFolder() + "Config.ini");
        for (int file = 0; file < 3; ++file) {
            const std::string caption = config.ReadString("AutoSave", "Item0" + std::to_string(file));
            if (!caption.empty()) {
                EXPECT_NE(caption.find("ターン 制圧0箇所 将軍"), std::string::npos) << caption;
            }
        }
    }
    EXPECT_GT(killedWhileRunning, 6) << "the program must be killed mid-run for this test to mean anything";
    EXPECT_GT(killedWhileWriting, 1) << "too few kills hit an autosave being written";
    for (int file = 1; file <= 3; ++file) {
        EXPECT_TRUE(fs::exists(SaveFolder() + "autosave" + std::to_string(file) + ".dat")) << "no rotation";
    }
}

// Autosaves write files and change no play: the same input with them on (as a player
// who never touched the switch has them) and off shows the same pictures and writes
// the same slot.
TEST_F(CampaignGameTest, AutosavesChangeNoPlay) {
    WriteScript("first.txt",
                "[文章枠/なし]\n*次のターン\n[上部情報]\n[行動/進行]\nターンが進みました。\n[クリック待]\n"
                "[上部情報/消]\n[ジャンプ/*次のターン]\n");
    std::string input = "5 move 400 300\n";
    for (int frame = 10; frame < 200; frame += 20) {
        input += std::to_string(frame) + " down left\n" + std::to_string(frame + 1) + " up left\n";
        input += std::to_string(frame + 5) + " shot " + (temp / "PASS/") + std::to_string(frame) + ".png\n";
    }
    input += "205 menu mmSF0_2\n";
    std::map<std::string, std::string> seen[2];
    for (const int pass : {0, 1}) {
        fs::remove_all(documents);
        fs::create_directories(temp / ("pass" + std::to_string(pass)));
        if (pass == 1) WriteTextFile(SaveFolder() + "Config.ini", "[Comfort]\r\nAutoSave=0\r\n");
        std::string passInput = input;
        for (std::size_t at; (at = passInput.find("PASS/")) != std::string::npos;) {
            passInput.replace(at, 5, "pass" + std::to_string(pass) + "/");
        }
        ASSERT_EQ(Run(passInput, 220), 0) << Stderr();
        for (const auto& entry : fs::directory_iterator(temp / ("pass" + std::to_string(pass)))) {
            seen[pass][entry.path().filename().string()] = ReadTextFile(entry.path().string());
        }
        seen[pass]["save02.dat"] = ReadTextFile(SaveFolder() + "save02.dat");
        EXPECT_EQ(fs::exists(SaveFolder() + "autosave1.dat"), pass == 0);
    }
    EXPECT_EQ(seen[0].size(), 11u);
    EXPECT_FALSE(seen[0]["save02.dat"].empty());
    EXPECT_TRUE(seen[0] == seen[1]) << "autosaving changed what the game showed or saved";
}

// Every file below `folder` with its bytes and time, to show that nothing was written.
std::map<std::string, std::string> Tree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const auto time = fs::last_write_time(entry.path()).time_since_epoch().count();
        tree[entry.path().string()] =
            std::to_string(time) + ":" + (entry.is_regular_file() ? ReadTextFile(entry.path()) : "");
    }
    return tree;
}

// A player's saves of the Windows game in a Wine prefix are offered once at the first
// start and copied: the slots that read whole, their captions from that Config.ini
// in CP932 (or, for a slot it names none for, formed from the save), the read flags;
// a damaged slot is left out and named. The prefix stays exactly as it was.
TEST_F(CampaignGameTest, SavesFromAWinePrefixAreCopiedOnceAndThePrefixIsLeftAlone) {
    const std::string prefix = temp / "prefix/";
    const std::string windows = prefix + "drive_c/users/steamuser/Documents/クイルフェン/ヴァンドルの星砦タクティクス/";
    fs::create_directories(windows);
    TCryptMaps store;
    TQTDGameDat campaign(store);
    campaign.SetTurn(7);
    WriteSlotFile(windows + "save02.dat", campaign, "1.12.9.25");
    campaign.SetTurn(3);
    WriteSlotFile(windows + "save09.dat", campaign, "1.12.9.25");
    WriteTextFile(windows + "save05.dat", "damaged");
    const std::string caption = "2012/09/25 21:05:33 7ターン 制圧0箇所 将軍1名(&E)";
    TIniFile windowsConfig(windows + "Config.ini");
    windowsConfig.WriteString("Save", "Item02", caption);
    windowsConfig.WriteString("Save", "Item05", "2012/09/26 10:00:00 8ターン 制圧0箇所 将軍1名(&Y)");
    ASSERT_TRUE(windowsConfig.Save());
    ASSERT_NE(ReadTextFile(windows + "Config.ini").find(Utf8ToCp932("7ターン")), std::string::npos) << "CP932";
    TReadFlags windowsFlags;
    windowsFlags.Add("窓辺");
    windowsFlags.Add("窓辺_夜明け");
    WriteReadFlagsFile(windows + "save999.dat", windowsFlags);
    const auto before = Tree(prefix);

    WriteScript("first.txt", "[文章枠/なし]\n[クリック待]\n");
    setenv("WINEPREFIX", prefix.c_str(), 1);
    const int status = Run("0 answer yes\n", 5);
    const std::string log = test::ReadDebugLog(game);
    const int second = Run("", 5);
    unsetenv("WINEPREFIX");
    ASSERT_EQ(status, 0) << Stderr();
    ASSERT_EQ(second, 0) << Stderr();

    EXPECT_EQ(ReadTextFile(SaveFolder() + "save02.dat"), ReadTextFile(windows + "save02.dat"));
    EXPECT_EQ(ReadTextFile(SaveFolder() + "save09.dat"), ReadTextFile(windows + "save09.dat"));
    EXPECT_FALSE(fs::exists(SaveFolder() + "save05.dat"));
    const TIniFile config(SaveFolder() + "Config.ini");
    EXPECT_EQ(config.ReadString("Save", "Item02"), caption);
    EXPECT_NE(config.ReadString("Save", "Item09").find(" 3ターン 制圧0箇所 "), std::string::npos);
    EXPECT_TRUE(config.ReadString("Save", "Item09").ends_with("(&7)")) << config.ReadString("Save", "Item09");
    EXPECT_EQ(config.ReadString("Save", "Item05"), "");
    TReadFlags flags;
    ReadReadFlagsFile(SaveFolder() + kReadFlagsFileName, flags);
    EXPECT_TRUE(flags.Contains("窓辺") && flags.Contains("窓辺_夜明け"));
    EXPECT_NE(log.find("壊れているためコピーしません: " + windows + "save05.dat"), std::string::npos) << log;
    EXPECT_NE(log.find("(セーブ2個, 既読2件)"), std::string::npos) << log;
    EXPECT_EQ(test::ReadDebugLog(game).find("Windows版"), std::string::npos) << "offered once only";
    EXPECT_TRUE(Tree(prefix) == before) << "something was written into the prefix";
}

}  // namespace
}  // namespace vandor

// The campaign in the real program, headless: a story that keeps its state in save
// slots and its read flags across runs, a damaged slot, and saves that survive the
// program being killed in the middle of writing them.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "GameProgram.h"
#include "TempFolder.h"
#include "campaign/GameDat.h"
#include "campaign/SaveSlots.h"
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
        return test::RunGame(game, documents,
                             "--headless --frames " + std::to_string(frames) + " --input '" + (temp / "input.txt") + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }
    std::string SaveFolder() const { return documents + "クイルフェン/ヴァンドルの星砦タクティクス/"; }
    void WriteScript(const std::string& name, const std::string& text) { WriteTextFile(game + "scenario/" + name, text); }

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
    const std::string command = "cd '" + game + "' && XDG_DATA_HOME='" + documents +
                                "' exec ./vandor --headless --frames 20000 --input '" + (temp / "input.txt") +
                                "' >/dev/null 2>&1";
    std::mt19937 random(12345);
    int killedWhileRunning = 0;
    int32_t lastTurn = -1;
    for (int round = 0; round < 12; ++round) {
        pid_t pid = 0;
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        ASSERT_EQ(posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(200 + random() % 1200));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            ++killedWhileRunning;
        }
        waitpid(pid, &status, 0);

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
        EXPECT_NE(caption.find("ターン 制圧0箇所 将軍1名(&Y)"), std::string::npos) << "round " << round << ": " << caption;
    }
    EXPECT_GT(killedWhileRunning, 6) << "the program must be killed mid-run for this test to mean anything";
    EXPECT_GT(lastTurn, 0) << "no round got as far as saving";
}

}  // namespace
}  // namespace vandor

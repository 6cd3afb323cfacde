// The support and survey forms in the game program, headless: the input file fills
// and sends them to a small server on 127.0.0.1 named in "Config.ini", and what the
// server received is checked; with nothing listening, the form reports the server
// unreachable and the player saves the report instead.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "GameProgram.h"
#include "LoopbackHttpServer.h"
#include "TempFolder.h"
#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::ReadTextFile;
using test::TLoopbackHttpServer;
using test::WriteTextFile;

class SupportFormGameTest : public ::testing::Test {
protected:
    SupportFormGameTest() {
        fs::create_directories(game);
        fs::copy_file(VANDOR_PATH, game + "vandor");
        WriteTextFile(game + "scenario/first.txt", "[文章枠/なし]\n*待つ\n[クリック待]\n[ジャンプ/*待つ]\n");
        // A player who has read this far is asked for the survey.
        TReadFlags flags;
        for (int i = 0; i < 101; ++i) flags.Add("scene" + std::to_string(i));
        fs::create_directories(saves);
        WriteReadFlagsFile(saves + kReadFlagsFileName, flags);
    }

    void Configure(const std::string& server, const std::string& probe) {
        WriteTextFile(saves + "Config.ini", "[Support]\r\nServer=" + server + "\r\nProbe=" + probe + "\r\n");
    }
    int Play(const std::string& input) {
        WriteTextFile(temp / "input.txt", input);
        return test::RunGame(game, documents, "--headless --frames 20 --input '" + (temp / "input.txt") + "'",
                             temp / "stdout.txt", temp / "stderr.txt");
    }
    std::string Stderr() const { return ReadTextFile(temp / "stderr.txt"); }

    test::TTempFolder temp;
    const std::string game = temp / "game/";
    const std::string documents = temp / "docs/";
    const std::string saves = documents + "クイルフェン/ヴァンドルの星砦タクティクス/";
};

TEST_F(SupportFormGameTest, BothFormsAreFilledAndSentToTheConfiguredServer) {
    TLoopbackHttpServer server;
    Configure(server.Url("/support"), server.Url("/probe"));
    ASSERT_EQ(Play("5 field name 山田 太郎\n"
                   "5 field mail taro@example.jp\n"
                   "5 field message 音が出ません。\\n二行目です。\n"
                   "5 press send\n"
                   "5 menu mmSuport\n"
                   "10 choose rating 1\n"
                   "10 choose difficulty 2\n"
                   "10 choose favourite 3\n"
                   "10 choose source 4\n"
                   "10 field comment 楽しかった\n"
                   "10 press send\n"
                   "10 menu mmEnq\n"),
              0)
        << Stderr();
    EXPECT_EQ(Stderr(), "");

    std::vector<test::THttpRequest> posts;
    int probes = 0;
    for (const test::THttpRequest& request : server.Requests()) {
        if (request.Method == "POST") posts.push_back(request);
        probes += request.Method == "GET";
    }
    EXPECT_EQ(probes, 4) << "the server and the public site, for each form";
    ASSERT_EQ(posts.size(), 2u);
    for (const test::THttpRequest& post : posts) {
        EXPECT_EQ(post.Path, "/support");
        EXPECT_EQ(post.ContentType, "application/x-www-form-urlencoded");
    }
    const std::string& support = posts[0].Body;
    EXPECT_EQ(support.find("form=support&"), 0u) << support;
    EXPECT_NE(support.find("&name=%E5%B1%B1%E7%94%B0+%E5%A4%AA%E9%83%8E&"), std::string::npos) << support;
    EXPECT_NE(support.find("&mail=taro%40example.jp&"), std::string::npos) << support;
    EXPECT_NE(support.find("%E3%80%82%0A%E4%BA%8C"), std::string::npos) << "the line break arrives: " << support;
    EXPECT_NE(support.find("&monitor=%E3%83%A2%E3%83%8B%E3%82%BF%E8%A7%A3%E5%83%8F%E5%BA%A6+1920+x+1080"),
              std::string::npos)
        << support;
    const std::string& survey = posts[1].Body;
    EXPECT_EQ(survey.find("form=survey&"), 0u) << survey;
    EXPECT_NE(survey.find("&comment=%E6%A5%BD%E3%81%97%E3%81%8B%E3%81%A3%E3%81%9F"), std::string::npos) << survey;
    EXPECT_NE(survey.find("&install="), std::string::npos) << survey;

    // The survey's answers are kept for the next time.
    EXPECT_EQ(TIniFile(saves + "Config.ini").ReadString("E", "S"), "0,1,2,3");
}

TEST_F(SupportFormGameTest, AClosedPortIsReportedUnreachableAndTheReportIsSaved) {
    const std::string closed = TLoopbackHttpServer::ClosedUrl();
    Configure(closed, closed);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Play("5 field message 接続できない場合の報告\n"
                   "5 press send\n"
                   "5 press save\n"
                   "5 menu mmSuport\n"),
              0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << "far beyond the time-outs";
    EXPECT_NE(Stderr().find("line 4: ユーザーサポート: cannot send now"), std::string::npos) << Stderr();
    const std::string log = test::ReadDebugLog(game);
    EXPECT_NE(log.find("ユーザーサポート サポートサーバー: 接続できません インターネット: 接続できません"),
              std::string::npos)
        << log;
    const std::string report = ReadTextFile(saves + "support-report.txt");
    EXPECT_NE(report.find("接続できない場合の報告"), std::string::npos) << report;
    EXPECT_NE(report.find("送信先: " + closed), std::string::npos) << report;
}

}  // namespace
}  // namespace vandor

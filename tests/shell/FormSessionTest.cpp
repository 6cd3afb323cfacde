// A showing of the support form against a small server on 127.0.0.1: the probes, what
// is sent and when, and what the player is told when nothing can be sent.

#include <gtest/gtest.h>

#include <chrono>

#include "LoopbackHttpServer.h"
#include "TempFolder.h"
#include "shell/FormSession.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

using test::TLoopbackHttpServer;

TForm FilledSupport() {
    TForm form = MakeSupportForm({"タイトル", "1.0.0.0", "OS", 800, 600});
    form.Find("message")->Value = "音が出ません";
    return form;
}

class FormSessionTest : public ::testing::Test {
protected:
    test::TTempFolder saves;
};

TEST_F(FormSessionTest, TheAddressesComeFromTheirOwnSection) {
    TIniFile ini;
    ini.Parse("[Support]\nServer=http://127.0.0.1:1/post\nProbe=http://127.0.0.1:2/\n[Path]\nServer=x\n");
    const TSupportAddresses addresses = ReadSupportAddresses(ini);
    EXPECT_EQ(addresses.Server, "http://127.0.0.1:1/post");
    EXPECT_EQ(addresses.Probe, "http://127.0.0.1:2/");
    EXPECT_EQ(ReadSupportAddresses(TIniFile()).Server, "");
}

TEST_F(FormSessionTest, ProbesTellAServerThatAnswersFromAClosedPort) {
    TLoopbackHttpServer server;
    TFormSession session(FilledSupport(), {server.Url("/support"), TLoopbackHttpServer::ClosedUrl()}, saves.Folder());
    EXPECT_EQ(session.ServerState(), TProbeState::Pending);
    EXPECT_FALSE(session.CanSend()) << "not before the server has answered";
    session.WaitForWorkers();
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(session.ServerState(), TProbeState::Reachable);
    EXPECT_EQ(session.PublicSiteState(), TProbeState::Unreachable);
    EXPECT_EQ(session.ProbeText(), "サポートサーバー: 接続できます\nインターネット: 接続できません");
    EXPECT_TRUE(session.CanSend());
    ASSERT_EQ(server.Requests().size(), 1u) << "the probe only; nothing is sent unasked";
    EXPECT_EQ(server.Requests()[0].Method, "GET");
}

TEST_F(FormSessionTest, SendPostsTheFormAndEndsTheSession) {
    TLoopbackHttpServer server;
    TFormSession session(FilledSupport(), {server.Url("/support"), ""}, saves.Folder());
    session.WaitForWorkers();
    session.Press(TFormButton::Send);
    EXPECT_FALSE(session.CanSend()) << "one post at a time";
    session.WaitForWorkers();
    EXPECT_TRUE(session.Sent());
    EXPECT_TRUE(session.Done());
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].Method, "POST");
    EXPECT_EQ(requests[1].Path, "/support");
    EXPECT_EQ(requests[1].ContentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(requests[1].Body, FilledSupport().PostBody());
}

TEST_F(FormSessionTest, AnIncompleteFormIsNotSent) {
    TLoopbackHttpServer server;
    TForm form = FilledSupport();
    form.Find("message")->Value = "";
    TFormSession session(std::move(form), {server.Url(), ""}, saves.Folder());
    session.WaitForWorkers();
    EXPECT_FALSE(session.CanSend());
    session.Press(TFormButton::Send);
    session.WaitForWorkers();
    EXPECT_NE(session.Status().find("お問い合わせ内容"), std::string::npos);
    EXPECT_FALSE(session.Done());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(FormSessionTest, ARefusedPostKeepsTheFormOpenAndOffersTheReport) {
    TLoopbackHttpServer server(500);
    TFormSession session(FilledSupport(), {server.Url(), ""}, saves.Folder());
    session.WaitForWorkers();
    EXPECT_EQ(session.ServerState(), TProbeState::Reachable) << "any answer shows the server is there";
    session.Press(TFormButton::Send);
    session.WaitForWorkers();
    EXPECT_FALSE(session.Sent());
    EXPECT_FALSE(session.Done());
    EXPECT_NE(session.Status().find("HTTP 500"), std::string::npos) << session.Status();
    EXPECT_NE(session.Status().find("報告を保存"), std::string::npos);
    EXPECT_TRUE(session.CanSend()) << "the player may try again";
}

TEST_F(FormSessionTest, WithoutAnAddressTheFormSaysSoAndSavesTheReport) {
    TFormSession session(FilledSupport(), {}, saves.Folder());
    EXPECT_FALSE(session.Busy());
    EXPECT_EQ(session.ServerState(), TProbeState::NotSet);
    EXPECT_NE(session.Status().find("送信先が設定されていない"), std::string::npos);
    session.Press(TFormButton::Send);
    EXPECT_FALSE(session.Done());
    session.Press(TFormButton::Save);
    EXPECT_EQ(session.ReportPath(), saves / "support-report.txt");
    EXPECT_EQ(test::ReadTextFile(session.ReportPath()), FilledSupport().ReportText(""));
    EXPECT_FALSE(session.Done()) << "saving leaves the form open";
    session.Press(TFormButton::Close);
    EXPECT_TRUE(session.Done());
    EXPECT_FALSE(session.Sent());
}

TEST_F(FormSessionTest, AnUnreachableServerIsReportedWithinTheTimeOut) {
    const auto start = std::chrono::steady_clock::now();
    TFormSession session(FilledSupport(), {TLoopbackHttpServer::ClosedUrl(), TLoopbackHttpServer::ClosedUrl()},
                         saves.Folder());
    session.WaitForWorkers();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3 * TFormSession::kProbeTimeoutMs));
    EXPECT_EQ(session.ServerState(), TProbeState::Unreachable);
    EXPECT_NE(session.Status().find("接続できない"), std::string::npos);
    EXPECT_FALSE(session.CanSend());
}

// The settings file is the player's to edit: an address of another kind reads nothing.
TEST_F(FormSessionTest, OnlyWebAddressesAreFollowed) {
    TFormSession session(FilledSupport(), {"file:///etc/hostname", "gopher://127.0.0.1/"}, saves.Folder());
    session.WaitForWorkers();
    EXPECT_EQ(session.ServerState(), TProbeState::Unreachable);
    EXPECT_EQ(session.PublicSiteState(), TProbeState::Unreachable);
    EXPECT_FALSE(session.CanSend());
}

TEST_F(FormSessionTest, AReportThatCannotBeWrittenIsSaidSo) {
    TFormSession session(FilledSupport(), {}, saves / "missing/folder/");
    session.Press(TFormButton::Save);
    EXPECT_EQ(session.ReportPath(), "");
    EXPECT_NE(session.Status().find("保存できませんでした"), std::string::npos);
}

}  // namespace
}  // namespace vandor

// The help forms on their own: the headless host fills and sends them, a loopback
// server takes them, and the addresses come from the save folder's Config.ini.

#include "shell/HelpForms.h"

#include <gtest/gtest.h>

#include "../TempFolder.h"
#include "LoopbackHttpServer.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "shell/DataLocations.h"
#include "shell/FormSession.h"
#include "util/DebugLog.h"

namespace vandor {
namespace {

using test::TLoopbackHttpServer;
using test::TTempFolder;
using test::WriteTextFile;

class HelpFormsTest : public ::testing::Test {
protected:
    HelpFormsTest() { Log.Enabled = true; }

    bool LogHas(const std::string& part) const {
        for (const std::string& line : Log.Lines()) {
            if (line.find(part) != std::string::npos) return true;
        }
        return false;
    }
    void Address(const TLoopbackHttpServer& server) {
        WriteTextFile(SaveFolder + kConfigFileName,
                      "[Support]\nServer=" + server.Url("/post") + "\nProbe=" + server.Url("/") + "\n");
    }

    TTempFolder Folder;
    std::string SaveFolder = Folder.Folder();
    std::string Title = "ヴァンドルの星砦タクティクス";
    THeadlessWindowHost Host;
    TDebugLog Log{""};
    THelpForms Help{Host, Log, Title, SaveFolder, "1.2.3.4", "Linux"};
};

TEST_F(HelpFormsTest, TheAboutBoxNamesTheTitleTheVersionAndTheDataFolders) {
    Title = "星砦の灰羽 増羽";  // after a restart into the companion
    Help.ShowAbout({"/data/dat.gdp", "/data/plus/"});
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes()[0].Text, "星砦の灰羽 増羽\nVer. 1.2.3.4\n\n/data/dat.gdp\n/data/plus/\n");
    EXPECT_EQ(Host.MessageBoxes()[0].Caption, "バージョン情報");
}

TEST_F(HelpFormsTest, ASupportFormClosedUnsentOnlyLogsTheProbes) {
    Help.RunSupport();
    EXPECT_TRUE(Host.MessageBoxes().empty());
    const std::string caption = MakeSupportForm({}).Caption;
    ASSERT_EQ(Log.Lines().size(), 1u);
    EXPECT_NE(Log.Lines()[0].find(caption + " "), std::string::npos) << Log.Lines()[0];
    EXPECT_EQ(Log.Lines()[0].find('\n'), std::string::npos) << "the probes on one line";
}

TEST_F(HelpFormsTest, ASentSurveyIsToldAndItsAnswersAreKept) {
    TLoopbackHttpServer server;
    Address(server);
    const TForm blank = MakeSurveyForm({}, 77, "");
    for (const TFormField& field : blank.Fields) {
        if (field.Kind == TFieldKind::Choice) Host.QueueFormInput({TFormInputKind::Choose, field.Name, "", 2});
    }
    Host.QueueFormInput({TFormInputKind::Press, "", "", 0, TFormButton::Send});

    std::string answers = "";
    Help.RunSurvey(77, answers);
    EXPECT_TRUE(Host.TakeFormProblems().empty());
    int posts = 0;
    for (const auto& request : server.Requests()) {
        if (request.Method == "POST" && request.Path == "/post") ++posts;
    }
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(answers.substr(0, 6), "1,1,1,");
    ASSERT_EQ(Host.MessageBoxes().size(), 1u);
    EXPECT_EQ(Host.MessageBoxes()[0].Caption, blank.Caption);
    EXPECT_TRUE(LogHas(blank.Caption + "を送信."));

    // Closed unsent, the answers stay those sent last.
    Help.RunSurvey(77, answers);
    EXPECT_EQ(answers.substr(0, 6), "1,1,1,");
    EXPECT_EQ(Host.MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace vandor

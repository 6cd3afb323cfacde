// The forms in a headless run: the input file fills them and presses their buttons,
// the host gives the input to the next form shown and reports what it cannot do.

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/ReplayInput.h"
#include "shell/MenuModel.h"

namespace vandor {
namespace {

TEST(FormReplayTest, ParsesFieldsChoicesAndButtons) {
    const TReplayInput input = TReplayInput::Parse(
        "1 field message  二行の\\n本文 \\\\ と空白  \n"
        "1 field name\n"
        "2 choose rating 3\n"
        "2 press send\n"
        "3 press save\n"
        "3 press close\n");
    ASSERT_TRUE(input.Errors().empty()) << input.Errors().front();
    const auto& events = input.Events();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].Kind, TReplayEventKind::Form);
    EXPECT_EQ(events[0].FormInput.Kind, TFormInputKind::Field);
    EXPECT_EQ(events[0].FormInput.Name, "message");
    EXPECT_EQ(events[0].FormInput.Text, "二行の\n本文 \\ と空白");
    EXPECT_EQ(events[1].FormInput.Text, "") << "a field may be emptied";
    EXPECT_EQ(events[2].FormInput.Kind, TFormInputKind::Choose);
    EXPECT_EQ(events[2].FormInput.Choice, 3);
    EXPECT_EQ(events[3].FormInput.Button, TFormButton::Send);
    EXPECT_EQ(events[4].FormInput.Button, TFormButton::Save);
    EXPECT_EQ(events[5].FormInput.Button, TFormButton::Close);
}

TEST(FormReplayTest, RejectsMalformedFormLines) {
    const TReplayInput input = TReplayInput::Parse(
        "1 field\n"
        "2 choose rating\n"
        "3 choose rating -1\n"
        "4 press\n"
        "5 press submit\n"
        "6 press send now\n");
    EXPECT_TRUE(input.Events().empty());
    ASSERT_EQ(input.Errors().size(), 6u);
    EXPECT_NE(input.Errors()[4].find("send, save or close"), std::string::npos);
}

class FormHostTest : public ::testing::Test {
protected:
    FormHostTest() {
        menu.Add("", "mmSuport", "ユーザーサポート(&S)...", 0, 0, [this](TMenuItem&) {
            TFormSession session(MakeSupportForm({"t", "1", "os", 800, 600}), {}, saves.Folder());
            host.ShowForm(session);
            reportPath = session.ReportPath();
        });
        host.SetMenu(&menu);
    }

    test::TTempFolder saves;
    TMenuModel menu;
    THeadlessWindowHost host;
    std::string reportPath;
};

TEST_F(FormHostTest, TheNextFormTakesTheInputUpToItsEndAndLeavesTheRest) {
    const TReplayInput input = TReplayInput::Parse(
        "1 field mail taro@example.jp\n"
        "1 field message 画面が黒い\n"
        "1 press save\n"
        "1 press close\n"
        "1 field message 次のフォームへ\n"
        "1 menu mmSuport\n"
        "2 menu mmSuport\n");
    EXPECT_TRUE(input.ApplyEvents(1, host).empty());
    ASSERT_EQ(host.Forms().size(), 1u);
    const TShownForm& shown = host.Forms()[0];
    EXPECT_EQ(shown.Caption, "ユーザーサポート");
    EXPECT_EQ(shown.Server, TProbeState::NotSet);
    ASSERT_EQ(shown.Statuses.size(), 2u);
    EXPECT_NE(shown.Statuses[0].find("保存しました"), std::string::npos);
    EXPECT_NE(shown.Preview.find("メールアドレス: taro@example.jp"), std::string::npos);
    EXPECT_NE(test::ReadTextFile(reportPath).find("画面が黒い"), std::string::npos);

    // The input after the close is the next form's; without a button it is closed.
    EXPECT_TRUE(input.ApplyEvents(2, host).empty());
    ASSERT_EQ(host.Forms().size(), 2u);
    EXPECT_NE(host.Forms()[1].Preview.find("次のフォームへ"), std::string::npos);
    EXPECT_TRUE(host.Forms()[1].Statuses.empty());
}

TEST_F(FormHostTest, InputTheFormCannotTakeIsReportedWithItsLine) {
    const TReplayInput input = TReplayInput::Parse(
        "1 field os Windows\n"
        "1 field nickname x\n"
        "1 choose message 1\n"
        "1 press send\n"
        "1 menu mmSuport\n");
    const std::vector<std::string> problems = input.ApplyEvents(1, host);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0], "line 5: ユーザーサポート: no text field \"os\"");
    EXPECT_NE(problems[1].find("\"nickname\""), std::string::npos);
    EXPECT_NE(problems[2].find("no question \"message\""), std::string::npos);
    EXPECT_NE(problems[3].find("cannot send now"), std::string::npos);
    EXPECT_NE(host.Forms()[0].Preview.find("OS: os"), std::string::npos) << "facts stay as they are";
}

}  // namespace
}  // namespace vandor

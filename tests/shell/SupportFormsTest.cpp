// The support and survey forms as data: what makes them complete, the exact form
// post, and the report a player sends by other means.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "shell/SupportForms.h"

namespace vandor {
namespace {

const TSupportFacts kFacts{"ヴァンドルの星砦タクティクス", "1.0.0.0", "Debian GNU/Linux 12 Linux 6.1", 1920, 1080};

int HexDigit(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// What a server makes of a form post.
std::map<std::string, std::string> Decode(const std::string& body) {
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        const std::size_t end = std::min(body.find('&', start), body.size());
        const std::string pair = body.substr(start, end - start);
        const auto unescape = [](const std::string& text) {
            std::string out;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '+') {
                    out += ' ';
                } else if (text[i] == '%' && i + 2 < text.size()) {
                    out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
                    i += 2;
                } else {
                    out += text[i];
                }
            }
            return out;
        };
        const auto equals = pair.find('=');
        fields[unescape(pair.substr(0, equals))] = unescape(pair.substr(equals + 1));
        start = end + 1;
    }
    return fields;
}

TForm FilledSupport() {
    TForm form = MakeSupportForm(kFacts);
    form.Find("name")->Value = "山田 太郎";
    form.Find("mail")->Value = "taro@example.jp";
    form.Find("message")->Value = "起動すると&画面が=黒い\n二行目 100%";
    return form;
}

TEST(SupportFormsTest, EncodingKeepsOnlyUnreservedBytesAsTheyAre) {
    EXPECT_EQ(FormUrlEncode("a b&c=d/e~-._"), "a+b%26c%3Dd%2Fe~-._");
    EXPECT_EQ(FormUrlEncode("é\n+"), "%C3%A9%0A%2B");
}

TEST(SupportFormsTest, ThePostCarriesEveryFieldAndTheFactsUnchanged) {
    const TForm form = FilledSupport();
    const auto fields = Decode(form.PostBody());
    EXPECT_EQ(fields.at("form"), "support");
    EXPECT_EQ(fields.at("name"), "山田 太郎");
    EXPECT_EQ(fields.at("mail"), "taro@example.jp");
    EXPECT_EQ(fields.at("message"), "起動すると&画面が=黒い\n二行目 100%");
    EXPECT_EQ(fields.at("os"), kFacts.OSName);
    EXPECT_EQ(fields.at("monitor"), "モニタ解像度 1920 x 1080");
    EXPECT_EQ(fields.at("version"), "1.0.0.0");
    EXPECT_EQ(fields.size(), 8u);
}

TEST(SupportFormsTest, TheSupportRequestNeedsAMessageAndAWellFormedAddress) {
    TForm form = FilledSupport();
    EXPECT_EQ(form.Problem(), "");
    form.Find("message")->Value = " 　\n";
    EXPECT_NE(form.Problem().find("お問い合わせ内容"), std::string::npos);
    form.Find("message")->Value = "質問";
    for (const char* bad :
         {"taro", "@example.jp", "taro@example", "taro@@example.jp", "ta ro@example.jp", "taro@example."}) {
        form.Find("mail")->Value = bad;
        EXPECT_NE(form.Problem().find("メールアドレス"), std::string::npos) << bad;
    }
    form.Find("mail")->Value = "";
    EXPECT_EQ(form.Problem(), "") << "the address is optional";
}

TEST(SupportFormsTest, LengthsAreCountedInCharactersAndBrokenTextIsRefused) {
    TForm form = FilledSupport();
    std::string name;
    for (int i = 0; i < 64; ++i) name += "名";
    form.Find("name")->Value = name;
    EXPECT_EQ(form.Problem(), "") << "64 characters, 192 bytes";
    form.Find("name")->Value = name + "前";
    EXPECT_NE(form.Problem().find("64文字以内"), std::string::npos);
    form.Find("name")->Value = "\xFF\xFE";
    EXPECT_NE(form.Problem().find("使えない文字"), std::string::npos);
    form.Find("name")->Value = "";
    form.Find("os")->Value = "\xFF";
    EXPECT_EQ(form.Problem(), "") << "a fact the player cannot change never blocks the form";
}

TEST(SupportFormsTest, TheSurveyNeedsEveryQuestionAnsweredAndRemembersTheAnswers) {
    TForm survey = MakeSurveyForm(kFacts, 12345, "");
    EXPECT_EQ(Decode(survey.PostBody()).at("install"), "12345");
    EXPECT_NE(survey.Problem().find("選んでください"), std::string::npos);
    int question = 0;
    for (TFormField& field : survey.Fields) {
        if (field.Kind == TFieldKind::Choice) field.Chosen = question++ % 2;
    }
    ASSERT_GE(question, 3);
    EXPECT_EQ(survey.Problem(), "") << "the comment is optional";
    const std::string answers = SurveyAnswers(survey);
    EXPECT_EQ(answers.substr(0, 6), "0,1,0,");

    const TForm again = MakeSurveyForm(kFacts, 12345, answers);
    EXPECT_EQ(SurveyAnswers(again), answers);
    EXPECT_EQ(Decode(again.PostBody()).at("rating"), again.Find("rating")->Choices[0]);
}

TEST(SupportFormsTest, StoredAnswersThatMakeNoSenseLeaveQuestionsUnanswered) {
    const TForm survey = MakeSurveyForm(kFacts, 1, "x,99,-5,2,7,7,7");
    EXPECT_EQ(SurveyAnswers(survey), "-1,-1,-1,2");
    EXPECT_EQ(Decode(survey.PostBody()).at("rating"), "");
}

TEST(SupportFormsTest, TheReportHoldsWhatWouldBeSentWithCrLfLines) {
    const TForm form = FilledSupport();
    const std::string report = form.ReportText("http://support.example/post");
    EXPECT_NE(report.find("送信先: http://support.example/post\r\n"), std::string::npos);
    EXPECT_NE(report.find("お問い合わせ内容: \r\n起動すると&画面が=黒い\r\n二行目 100%\r\n"), std::string::npos)
        << "a text of several lines starts on its own line";
    EXPECT_NE(report.find("OS: " + kFacts.OSName + "\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\nモニタ解像度 1920 x 1080\r\n"), std::string::npos) << "the text says what it is";
    for (std::size_t at = report.find('\n'); at != std::string::npos; at = report.find('\n', at + 1)) {
        ASSERT_EQ(report[at - 1], '\r') << at;
    }
    EXPECT_EQ(form.ReportFileName(), "support-report.txt");
    EXPECT_EQ(MakeSurveyForm(kFacts, 1, "").ReportFileName(), "survey-report.txt");
    EXPECT_EQ(form.ReportText("").find("送信先"), std::string::npos);
}

}  // namespace
}  // namespace vandor

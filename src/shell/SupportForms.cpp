#include "shell/SupportForms.h"

#include <cstdlib>
#include <sstream>

#include "util/Encoding.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr std::size_t kNameLength = 64;
constexpr std::size_t kMailLength = 254;
constexpr std::size_t kMessageLength = 4000;
constexpr std::size_t kCommentLength = 2000;

struct TQuestion {
    const char* Name;
    const char* Label;
    std::vector<std::string> Choices;
};

// The survey's questions; their answer numbers are what the settings file keeps, so
// answers are only ever added at the end.
const std::vector<TQuestion>& SurveyQuestions() {
    static const std::vector<TQuestion> questions = {
        {"rating", "ゲームの満足度", {"とても満足", "満足", "普通", "不満", "とても不満"}},
        {"difficulty", "戦闘の難しさ", {"易しい", "ちょうど良い", "難しい", "戦闘はしていない"}},
        {"favourite", "好きなキャラクター", {"リゼット", "ミオ", "ノエル", "セツナ", "カナエ", "その他"}},
        {"source", "このゲームを知ったきっかけ", {"ウェブサイト", "友人・知人", "雑誌・記事", "その他"}},
    };
    return questions;
}

TFormField Fact(const char* name, const char* label, std::string value) {
    TFormField field;
    field.Name = name;
    field.Label = label;
    field.Kind = TFieldKind::Fact;
    field.Value = std::move(value);
    return field;
}

TFormField Input(const char* name, const char* label, TFieldKind kind, bool required, std::size_t maxLength) {
    TFormField field;
    field.Name = name;
    field.Label = label;
    field.Kind = kind;
    field.Required = required;
    field.MaxLength = maxLength;
    return field;
}

void AddFacts(TForm& form, const TSupportFacts& facts) {
    form.Fields.push_back(Fact("title", "タイトル", facts.Title));
    form.Fields.push_back(Fact("version", "バージョン", facts.Version));
    form.Fields.push_back(Fact("os", "OS", facts.OSName));
    // The text says what it is: it needs no caption of its own.
    form.Fields.push_back(Fact("monitor", "", MonitorText(facts.ScreenWidth, facts.ScreenHeight)));
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n　") == std::string_view::npos; }

// Enough to catch a typing slip; the server is the judge of the rest.
bool LooksLikeMailAddress(std::string_view text) {
    const auto at = text.find('@');
    if (at == std::string_view::npos || at == 0 || text.find('@', at + 1) != std::string_view::npos) return false;
    const std::string_view domain = text.substr(at + 1);
    const auto dot = domain.find('.');
    if (dot == std::string_view::npos || dot == 0 || domain.back() == '.') return false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) return false;
    }
    return true;
}

}  // namespace

std::string TFormField::SentValue() const {
    if (Kind != TFieldKind::Choice) return Value;
    return Chosen >= 0 && Chosen < static_cast<int>(Choices.size()) ? Choices[static_cast<std::size_t>(Chosen)]
                                                                    : std::string();
}

TFormField* TForm::Find(std::string_view name) {
    for (TFormField& field : Fields) {
        if (field.Name == name) return &field;
    }
    return nullptr;
}

const TFormField* TForm::Find(std::string_view name) const { return const_cast<TForm*>(this)->Find(name); }

std::string TForm::Problem() const {
    for (const TFormField& field : Fields) {
        // The facts are the game's own: nothing the player could correct.
        if (field.Kind == TFieldKind::Fact) continue;
        if (field.Kind == TFieldKind::Choice) {
            if (field.Required && field.SentValue().empty()) return "「" + field.Label + "」を選んでください。";
            continue;
        }
        if (field.Required && IsBlank(field.Value)) return "「" + field.Label + "」を入力してください。";
        if (!IsValidUtf8(field.Value)) return "「" + field.Label + "」に使えない文字が含まれています。";
        if (field.MaxLength > 0 && CodePointCount(field.Value) > field.MaxLength) {
            return "「" + field.Label + "」は" + std::to_string(field.MaxLength) + "文字以内でお願いします。";
        }
        if (field.Name == "mail" && !IsBlank(field.Value) && !LooksLikeMailAddress(field.Value)) {
            return "メールアドレスの形が正しくありません。";
        }
    }
    return {};
}

std::string TForm::PostBody() const {
    std::string body = "form=" + std::string(Kind == TFormKind::Support ? "support" : "survey");
    for (const TFormField& field : Fields)
        body += "&" + FormUrlEncode(field.Name) + "=" + FormUrlEncode(field.SentValue());
    return body;
}

std::string TForm::Preview() const {
    std::string text;
    for (const TFormField& field : Fields) {
        const std::string value = field.SentValue();
        if (!field.Label.empty()) text += field.Label + ": ";
        // A text of several lines starts on a line of its own, so that it reads as written.
        text += value.find('\n') == std::string::npos ? value : "\n" + value;
        text += "\n";
    }
    return text;
}

std::string TForm::ReportText(const std::string& serverUrl) const {
    std::string text = Caption + "\n";
    text += "このファイルの内容をメールなどでお送りください。\n";
    if (!serverUrl.empty()) text += "送信先: " + serverUrl + "\n";
    text += "\n" + Preview();
    // CR LF throughout: the file is for any mail program or editor the player has.
    std::string crlf;
    for (const char c : text) {
        if (c == '\r') continue;
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

std::string TForm::ReportFileName() const {
    return Kind == TFormKind::Support ? "support-report.txt" : "survey-report.txt";
}

TForm MakeSupportForm(const TSupportFacts& facts) {
    TForm form;
    form.Kind = TFormKind::Support;
    form.Caption = "ユーザーサポート";
    form.Intro = "不具合やご質問をお寄せください。\n返信をご希望の方はメールアドレスもご記入ください。";
    AddFacts(form, facts);
    form.Fields.push_back(Input("name", "お名前", TFieldKind::Line, false, kNameLength));
    form.Fields.push_back(Input("mail", "メールアドレス", TFieldKind::Line, false, kMailLength));
    form.Fields.push_back(Input("message", "お問い合わせ内容", TFieldKind::Text, true, kMessageLength));
    return form;
}

TForm MakeSurveyForm(const TSupportFacts& facts, int installId, const std::string& lastAnswers) {
    TForm form;
    form.Kind = TFormKind::Survey;
    form.Caption = "ユーザーアンケート";
    form.Intro = "ここまで遊んでいただき、ありがとうございます。\nよろしければ、ご意見をお聞かせください。";
    AddFacts(form, facts);
    form.Fields.push_back(Fact("install", "識別番号", std::to_string(installId)));
    std::istringstream last(lastAnswers);
    for (const TQuestion& question : SurveyQuestions()) {
        TFormField field = Input(question.Name, question.Label, TFieldKind::Choice, true, 0);
        field.Choices = question.Choices;
        std::string number;
        if (std::getline(last, number, ',')) {
            char* end = nullptr;
            const long chosen = std::strtol(number.c_str(), &end, 10);
            if (end != number.c_str() && chosen >= 0 && chosen < static_cast<long>(field.Choices.size())) {
                field.Chosen = static_cast<int>(chosen);
            }
        }
        form.Fields.push_back(std::move(field));
    }
    form.Fields.push_back(Input("comment", "ご意見・ご感想", TFieldKind::Text, false, kCommentLength));
    return form;
}

std::string SurveyAnswers(const TForm& survey) {
    std::string answers;
    for (const TFormField& field : survey.Fields) {
        if (field.Kind != TFieldKind::Choice) continue;
        if (!answers.empty()) answers += ",";
        answers += std::to_string(field.Chosen);
    }
    return answers;
}

std::string MonitorText(int width, int height) { return Format("モニタ解像度 %d x %d", width, height); }

std::string FormUrlEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
        if (plain) {
            encoded += c;
        } else if (byte == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    return encoded;
}

}  // namespace vandor

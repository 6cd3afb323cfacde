#pragma once
// The support request and the survey as the player fills them in: their fields, what
// makes them complete, the form post that goes to the maker's server, the preview the
// player sees before sending, and the text of the report file for those who send it
// by other means. Toolkit-free: a window host only shows a form and writes its values.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vandor {

enum class TFieldKind {
    Fact,    // shown and sent, not edited (version, operating system, ...)
    Line,    // one line of text
    Text,    // several lines of text
    Choice,  // one of a list of answers
};

struct TFormField {
    std::string Name;   // the field's name in the form post, e.g. "mail"
    std::string Label;  // its caption in the form; empty for a fact whose text says what it is
    TFieldKind Kind = TFieldKind::Line;
    std::vector<std::string> Choices;  // Choice only
    bool Required = false;
    std::size_t MaxLength = 0;  // in characters (code points); 0: no limit
    std::string Value;          // Fact, Line, Text
    int Chosen = -1;            // Choice: index into Choices, -1 while unanswered

    bool Editable() const { return Kind != TFieldKind::Fact; }
    // What is sent: the text, or the chosen answer ("" while unanswered).
    std::string SentValue() const;
};

enum class TFormKind { Support, Survey };

// What every form reports about the player's copy of the game.
struct TSupportFacts {
    std::string Title;
    std::string Version;
    std::string OSName;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
};

class TForm {
public:
    TFormKind Kind = TFormKind::Support;
    std::string Caption;  // the dialog's title
    std::string Intro;    // a few lines above the fields
    std::vector<TFormField> Fields;

    TFormField* Find(std::string_view name);
    const TFormField* Find(std::string_view name) const;

    // The first reason the form cannot be sent yet, as the player reads it; empty when
    // it is complete.
    std::string Problem() const;
    // The form post: every field as name=value, UTF-8, percent-encoded.
    std::string PostBody() const;
    // What the post says, one "label: value" block per field, for the player to read.
    std::string Preview() const;
    // The report file: a heading, the server's address when there is one, the preview.
    std::string ReportText(const std::string& serverUrl) const;
    // Its name in the save folder.
    std::string ReportFileName() const;
};

// The support request: the facts of the game and the system, the player's name, mail
// address and message.
TForm MakeSupportForm(const TSupportFacts& facts);
// The survey: the facts, a few questions with answers to choose, and a free comment.
// `installId` tells one installation's answers from another's; `lastAnswers` (as
// SurveyAnswers wrote them) chooses the answers the player sent last time.
TForm MakeSurveyForm(const TSupportFacts& facts, int installId, const std::string& lastAnswers);
// The survey's chosen answers as the settings file keeps them: the answer numbers of
// the questions, comma-separated, -1 for unanswered.
std::string SurveyAnswers(const TForm& survey);

// "モニタ解像度 %d x %d".
std::string MonitorText(int width, int height);

// application/x-www-form-urlencoded: letters, digits and "-._~" as they are, a space
// as "+", every other byte as %XX.
std::string FormUrlEncode(std::string_view text);

}  // namespace vandor

#include "shell/HelpForms.h"

#include <algorithm>

#include "shell/DataLocations.h"
#include "shell/FormSession.h"
#include "shell/WindowHost.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {

THelpForms::THelpForms(IWindowHost& host, TDebugLog& log, const std::string& title, const std::string& saveFolder,
                       std::string version, std::string osName)
    : Host_(host),
      Log_(log),
      Title_(title),
      SaveFolder_(saveFolder),
      Version_(std::move(version)),
      OSName_(std::move(osName)) {}

void THelpForms::ShowAbout(const std::vector<std::string>& sources) {
    std::string text = Title_ + "\nVer. " + Version_ + "\n\n";
    for (const std::string& source : sources) text += source + "\n";
    Host_.MessageBox(text, "バージョン情報", TMessageButtons::OK, TMessageIcon::Information);
}

TSupportFacts THelpForms::Facts() const {
    const TSize screen = Host_.ScreenSize();
    return {Title_, Version_, OSName_, screen.Width, screen.Height};
}

void THelpForms::RunSupport() {
    TForm support = MakeSupportForm(Facts());
    Run(support);
}

void THelpForms::RunSurvey(int installId, std::string& answers) {
    TForm survey = MakeSurveyForm(Facts(), installId, answers);
    if (Run(survey)) answers = SurveyAnswers(survey);
}

// The addresses are read at each opening, so that a player who was told a new
// address can enter it in the settings file without restarting the game.
bool THelpForms::Run(TForm& form) {
    TFormSession session(std::move(form), ReadSupportAddresses(TIniFile(SaveFolder_ + kConfigFileName)), SaveFolder_);
    Host_.ShowForm(session);
    form = session.Form();
    // What the probes found is the first thing to know about a player who could not send.
    std::string probes = session.ProbeText();
    std::replace(probes.begin(), probes.end(), '\n', ' ');
    Log_.Add(session.Form().Caption + " " + probes);
    if (!session.ReportPath().empty()) Log_.Add(session.Form().Caption + "の報告を保存: " + session.ReportPath());
    if (!session.Sent()) return false;
    Log_.Add(session.Form().Caption + "を送信.");
    Host_.MessageBox(session.Status(), session.Form().Caption, TMessageButtons::OK, TMessageIcon::Information);
    return true;
}

}  // namespace vandor

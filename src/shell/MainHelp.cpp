// The help menu: the version box, and the support and survey forms with their probes.

#include <algorithm>
#include <vector>

#include "resources/FileCache.h"
#include "shell/FormSession.h"
#include "shell/MainWindow.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {

void TggTDMain::mmAboutClick() {
    std::string text = Title_ + "\nVer. " + Version_ + "\n\n";
    std::vector<std::string> sources;
    Files_->ListSources(sources);
    for (const std::string& source : sources) text += source + "\n";
    Host_.MessageBox(text, "バージョン情報", TMessageButtons::OK, TMessageIcon::Information);
}

TSupportFacts TggTDMain::SupportFacts() const {
    const TSize screen = Host_.ScreenSize();
    return {Title_, Version_, OSName_, screen.Width, screen.Height};
}

void TggTDMain::mmSuportClick() {
    TForm support = MakeSupportForm(SupportFacts());
    RunForm(support);
}

// The answers sent last are kept, so that the next survey starts from them.
void TggTDMain::mmEnqClick() {
    TForm survey = MakeSurveyForm(SupportFacts(), InstallId_, SurveyAnswer_);
    if (RunForm(survey)) SurveyAnswer_ = SurveyAnswers(survey);
}

// The addresses are read at each opening, so that a player who was told a new
// address can enter it in the settings file without restarting the game.
bool TggTDMain::RunForm(TForm& form) {
    TFormSession session(std::move(form), ReadSupportAddresses(TIniFile(ConfigPath())), Locations_.SaveFolder);
    Host_.ShowForm(session);
    form = session.Form();
    // What the probes found is the first thing to know about a player who could not send.
    std::string probes = session.ProbeText();
    std::replace(probes.begin(), probes.end(), '\n', ' ');
    Log_->Add(session.Form().Caption + " " + probes);
    if (!session.ReportPath().empty()) Log_->Add(session.Form().Caption + "の報告を保存: " + session.ReportPath());
    if (!session.Sent()) return false;
    Log_->Add(session.Form().Caption + "を送信.");
    Host_.MessageBox(session.Status(), session.Form().Caption, TMessageButtons::OK, TMessageIcon::Information);
    return true;
}

}  // namespace vandor

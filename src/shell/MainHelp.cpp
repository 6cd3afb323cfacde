// The help menu's entries: the boxes and forms of THelpForms, fed with what the
// window knows (where the data was found, the survey identity and answers).

#include <vector>

#include "resources/FileCache.h"
#include "shell/HelpForms.h"
#include "shell/MainWindow.h"

namespace vandor {

void TggTDMain::mmAboutClick() {
    std::vector<std::string> sources;
    Files_->ListSources(sources);
    Help_->ShowAbout(sources);
}

void TggTDMain::mmSuportClick() { Help_->RunSupport(); }

// The answers sent last are kept, so that the next survey starts from them.
void TggTDMain::mmEnqClick() { Help_->RunSurvey(InstallId_, SurveyAnswer_); }

}  // namespace vandor

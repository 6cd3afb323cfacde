#pragma once
// The help menu's boxes and forms: the version box, and the support and survey forms
// with their probes, addressed by the settings file of the save folder.

#include <string>
#include <vector>

#include "shell/SupportForms.h"

namespace vandor {

class IWindowHost;
class TDebugLog;

class THelpForms {
public:
    // `title` and `saveFolder` (ending with '/') are read at every opening: a restart
    // may change them.
    THelpForms(IWindowHost& host, TDebugLog& log, const std::string& title, const std::string& saveFolder,
               std::string version, std::string osName);

    // The title, the version and where the data was found.
    void ShowAbout(const std::vector<std::string>& sources);
    void RunSupport();
    // `answers` are the survey answers sent last: the survey starts from them, and
    // they become the new ones once the survey is sent.
    void RunSurvey(int installId, std::string& answers);

private:
    TSupportFacts Facts() const;
    // Shows the form; true when it was sent. The form comes back as the player left it.
    bool Run(TForm& form);

    IWindowHost& Host_;
    TDebugLog& Log_;
    const std::string& Title_;
    const std::string& SaveFolder_;
    std::string Version_;
    std::string OSName_;
};

}  // namespace vandor

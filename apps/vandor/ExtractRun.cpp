// vandor --extract-text FILE.pot: the template of every text a translator may
// translate, from the scripts the game can reach (the lint's walk), the game's own
// names and descriptions, and the captions of its menus.

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <iostream>

#include "GameData.h"
#include "GameRuns.h"
#include "i18n/Template.h"
#include "lint/GameLint.h"
#include "lint/TranslationLint.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/SimulatedClock.h"
#include "shell/MainWindow.h"

namespace vandor {
namespace {

// A folder of its own for the run, removed with everything in it at the end.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vandor-extract-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch folder");
        Path_ = pattern + "/";
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    const std::string& Path() const { return Path_; }

private:
    std::string Path_;
};

// The menus are built by the main window itself: one is made, headless, on empty
// scratch folders (it finds no data and plays nothing), and its menu model read.
void AddMenuCaptions(TTranslationTemplate& pot) {
    TScratchFolder scratch;
    TSimulatedClock clock;
    THeadlessWaveDevice device(clock);
    THeadlessWindowHost host;
    TggTDMain window(
        {host, clock, device, scratch.Path() + "game/", scratch.Path() + "docs/", "vandor", 1, "", false, ""});
    const std::function<void(const TMenuItem&)> add = [&](const TMenuItem& item) {
        for (const auto& child : item.Items()) {
            if (!child->IsSeparator()) pot.AddGameText(child->Caption());
            add(*child);
        }
    };
    add(window.Menu().Bar());
}

}  // namespace

int RunExtractText(const TRunFolders& folders, const std::string& path) {
    TGameData data(folders);
    if (!data.Error().empty()) {
        std::cout << data.Error() << "\n";
        return 1;
    }
    TGameLint lint(data.Files());
    lint.Run();
    TTranslationTemplate pot;
    for (const auto& [name, script] : lint.ReachedScripts()) pot.AddScript(name, *script);
    for (const std::string& text : GameTexts()) pot.AddGameText(text);
    for (const std::string& format : GameFormats()) pot.AddGameFormat(format);
    AddMenuCaptions(pot);
    try {
        pot.Write(path);
    } catch (const std::exception& error) {
        std::cerr << "vandor: " << error.what() << "\n";
        return 1;
    }
    std::cout << path << ": " << pot.Entries().size() << " texts\n";
    return 0;
}

}  // namespace vandor

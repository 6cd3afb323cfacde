#pragma once
// The campaign's script commands: the words the scenario engine does not know itself
// and hands to the main window ("初期化", "戦闘開始", "アイテム取得", "行動", ...). Each
// word has one handler in one table. The commands change the campaign state, draw the
// status bar and the information screens on two layers of the stage, and ask the
// window for what only it can do (start a battle, the save menu, closing).

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>

#include "util/Fields.h"

namespace vandor {

class TDebugLog;
class TLayerItem;
class TLayerList;
class TQTDGameDat;

// What the commands ask of the window.
struct TCampaignHooks {
    // A battle on `area` whose enemies come with `strength`; the window starts it.
    std::function<void(int area, int32_t strength)> StartBattle;
    // Saving is possible exactly while the status bar shows.
    std::function<void(bool enabled)> EnableSave;
    // Close the window, with the usual confirmation.
    std::function<void()> Shutdown;
    // Load the newest save as the load menu does; nothing when there is none.
    std::function<void()> Continue;
};

class TCampaignCommands {
public:
    // Adds the status bar and the information layer, both hidden, to `stage`.
    TCampaignCommands(TQTDGameDat& campaign, TLayerList& stage, std::mt19937& random, TDebugLog* log);
    TCampaignCommands(const TCampaignCommands&) = delete;
    TCampaignCommands& operator=(const TCampaignCommands&) = delete;

    // Runs the command that word 0 names; false when it is none of the campaign's.
    // A recognised word first takes back the log line of the engine's failed picture
    // lookup for it; an unknown word leaves that line as a trace.
    bool Run(TFields& fields);
    // [戦闘開始/area/defeat script/defeat label]; also the way an author's command line
    // starts a battle without a script.
    void StartBattle(TFields& fields);
    // Whether the word (as the engine hands it over, letters lower-cased) is a command.
    static bool IsCommand(std::string_view word);
    // The word that makes a screen command hide its screen: "消" or "消去".
    static bool IsHideWord(std::string_view word);

    // Where a lost battle leads when its command names neither script nor label.
    static constexpr const char* kDefaultDefeatScript = "敗北.txt";
    static constexpr const char* kDefaultDefeatLabel = "*スタート";

    // Once a frame: while the item list shows, the item under the pointer becomes
    // CurrentItem and its description shows below the list.
    void UpdateItemHover(int mouseX, int mouseY);
    // Loading a slot and returning to the title hide both screens.
    void HideScreens();

    TLayerItem& TopBar() { return TopBar_; }
    TLayerItem& InfoLayer() { return InfoLayer_; }

    TCampaignHooks Hooks;
    // The item a command or the pointer last named; -1 none. Scripts read it through
    // the condition word "予約アイテム".
    int CurrentItem = 0;
    bool InfoShown = false;
    // Where the story goes after a lost battle.
    std::string DefeatScript;
    std::string DefeatLabel;

private:
    // --- commands (CampaignCommands.cpp)
    void Initialize(TFields& fields);
    void ResetCycle(TFields& fields);
    void SetRoute(TFields& fields);
    void ConsumeItem(TFields& fields);
    void GainItem(TFields& fields);
    void DrawRandomItem(TFields& fields);
    void HeroineEnters(TFields& fields);
    void HeroineLeaves(TFields& fields);
    void SetPassFlag(TFields& fields);
    void Act(TFields& fields);
    void Shutdown(TFields& fields);
    void Continue(TFields& fields);

    // --- screens (CampaignScreens.cpp)
    void ItemList(TFields& fields);
    void AreaStrengths(TFields& fields);
    void StatusBar(TFields& fields);
    void DrawItemList();
    void DrawItemDescription(int item);
    void DrawAreaStrengths();
    void DrawStatusBar();

    TQTDGameDat& Campaign_;
    TLayerList& Stage_;
    std::mt19937& Random_;
    TDebugLog* Log_;
    TLayerItem& TopBar_;
    TLayerItem& InfoLayer_;

    struct TCommand;
    static const TCommand kCommands[];
};

}  // namespace vandor

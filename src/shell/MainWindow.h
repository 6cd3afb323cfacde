#pragma once
// TggTDMain: the game's main window as logic without a toolkit. It creates every
// long-lived object, finds the data, runs the frame loop from the host's idle and
// timer events, presents the stage picture letterboxed and scaled, routes the input,
// keeps the menus and the settings, restarts for another data mode and shuts down in
// order. A window host (GTK on the desktop, an in-memory one for the headless replay)
// shows it and hands it the events.
//
// The class is split by concern: MainWindow.cpp (creation, sessions, settings,
// shutdown), MainWindowEvents.cpp (frame loop, painting, input, closing, errors),
// MainMenus.cpp (the menu tree and its handlers), MainHelp.cpp (the help entries, their
// boxes and forms in THelpForms), MainCommands.cpp (the campaign's script commands,
// conditions and read flags), MainSlots.cpp (the save slots of TSlotMenus joined to the
// campaign, the autosaves and the quick save), MainImport.cpp (saves brought over from
// Windows), MainScreenShot.cpp (the picture kept as PNG), MainComfort.cpp (the player
// options of TPlayerOptions joined to the engine, and the read pages),
// MainOverlays.cpp (the quick menu and the auto/skip mark over the picture),
// MainSaveFailures.cpp (settings that could not be written, told through
// TSaveFolderCheck), MainSpeech.cpp (self-voicing) and MainPad.cpp (the controller, the keys that stand in for the
// mouse, and the game menu in the picture). How a battle starts, ends and takes the
// input meanwhile is TBattleSession's (BattleSession.h).

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"
#include "compositor/Bitmap32.h"
#include "compositor/DirtyRegion.h"
#include "input/StickDirections.h"
#include "input/StickPointer.h"
#include "input/StoryControls.h"
#include "scenario/ReadPages.h"
#include "shell/DataLocations.h"
#include "shell/GameMenu.h"
#include "shell/MenuModel.h"
#include "shell/ModeIndicator.h"
#include "shell/PictureLayout.h"
#include "shell/PlayerOptions.h"
#include "shell/QuickMenu.h"
#include "shell/ScreenNotice.h"
#include "shell/Settings.h"
#include "shell/WindowHost.h"
#include "util/Fields.h"

namespace vandor {

class IClock;
class IGameMode;
class IWaveDevice;
class TAImageCache;
class TAutoSaves;
class TCatalogue;
class TBattleSession;
class TCampaignCommands;
class TDebugLog;
class TFileCache;
class TFPSControl;
class TFolderWatch;
class TggDPFile;
class TNovelGame;
class TQTDGame;
class TQTDGameDat;
struct TBattleRecord;
class TRTextRender;
class TScriptCache;
class THelpForms;
class TSaveFolderCheck;
class TSelfVoicing;
class TSlotMenus;
class TSoundPlayer;

// What the main window runs on; everything here must outlive it.
struct TMainWindowPlatform {
    IWindowHost& Host;
    IClock& Clock;
    IWaveDevice& WaveDevice;
    std::string ExeFolder;        // ends with '/'
    std::string DocumentsFolder;  // ends with '/'
    std::string ProgramFileName;  // the program file's own name, e.g. "vandor"
    uint32_t RandomSeed = 0;
    // When set, one line is appended here for every wave closed and every battle lost.
    std::string BattleLogPath;
    // The player runs the game on a Steam Deck (its environment says SteamDeck=1).
    bool SteamDeck = false;
    // When set, settings, saves and read flags live here instead of the player's folder.
    std::string SaveFolder;
    // While a frame would change nothing, the window asks not to be called for it
    // (FramesCanRest). Replays run every frame, as they always have.
    bool RestStillFrames = false;
};

// Which language the window starts in, besides the one kept in the settings.
struct TLanguageChoice {
    // A language for this run only ("--lang"); empty: as the settings say.
    std::string RunLanguage;
    // On the first start, play in the desktop's language when there is a catalogue for it.
    bool FollowDesktop = false;
};

class TggTDMain {
public:
    static constexpr const char* kThisTitle = "ヴァンドルの星砦タクティクス";
    static constexpr const char* kCompanionTitle = "星砦の灰羽 増羽";
    static constexpr const char* kCombinedTitle = "ヴァンドルの星砦プラス（結合版）";
    static constexpr TPoint kDesignPosition{192, 114};
    static constexpr int kFrameRate = 50;
    static constexpr int kIdlePumpInterval = 64;
    // Frames that must change nothing in a row before the next ones may rest, and how
    // often a resting window still looks in (termination, a second start).
    static constexpr int kQuietFramesBeforeRest = 3;
    static constexpr int kRestMilliseconds = 250;

    // FormCreate: creates everything in order, reads the settings and starts the sound.
    explicit TggTDMain(TMainWindowPlatform platform, TLanguageChoice language = {});
    // FormDestroy: stops the sound, writes the settings, frees everything in order and
    // writes the debug log last.
    ~TggTDMain();
    TggTDMain(const TggTDMain&) = delete;
    TggTDMain& operator=(const TggTDMain&) = delete;

    // --- window and application events (MainWindowEvents.cpp)
    void FormShow();
    void FormResize();
    // Presents the whole picture (a new size, an uncovered window).
    void FormPaint();
    // Anything drawn over the presented picture marks here what it covers when it
    // appears, changes or goes, so that the next present paints that part anew.
    void MarkPictureChanged(const TRect& rect) { PictureChanged_.Add(rect); }
    void FormDeactivate();
    bool FormCloseQuery();
    void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TShiftState shift, int x, int y);
    void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseWheel(int notch);
    void FormKeyDown(int key, TShiftState shift);
    void FormKeyUp(int key, TShiftState shift);
    void FormKeyPress(int character);
    // --- the controller and the game menu (MainPad.cpp)
    void FormPadButton(const std::string& name, bool down);
    void FormPadAxis(const std::string& name, int value);
    void FormPadConnected(bool connected);
    void OpenGameMenu();
    const TGameMenu& GameMenu() const { return GameMenu_; }
    // While a battle runs, the controller's buttons go here (the start and guide buttons
    // excepted, which open the game menu everywhere); true when the battle took one. It
    // is the battle session's TBattleSession::PadButton; tests may listen in its place.
    // A button the battle does not take leaves an ended battle when it is a.
    std::function<bool(const std::string& button, bool down)> BattlePadButton;
    // Returns whether the host should call again at once.
    bool AppEventsIdle();
    // Milliseconds the next idle call can wait: until the next frame is due, or a rest
    // while frames would change nothing (the host calls at once on any event).
    int IdleDelay();
    // Nothing a frame does would change anything: the story waits for a click with
    // nothing moving, sounding or counting down, no input came since the last frame,
    // and the last frames changed nothing either. Frames are then passed over.
    bool FramesCanRest() const;
    void AppEventsActivate();
    void AppEventsDeactivate();
    // Every exception that escapes an event handler ends here: logged and written, and
    // play goes on.
    void AppEventsException(const std::string& message);
    void SubTimerTimer();
    void SaveDebugLog();

    // Closes the window as a confirmed close does, without asking (the termination
    // signals use this).
    void CloseWithoutAsking();
    // The data could not be read: the program must end. Set during creation or a restart,
    // with the reason as the log has it.
    bool Terminating() const { return !TerminationReason_.empty(); }
    const std::string& TerminationReason() const { return TerminationReason_; }
    // Frames run so far; the headless replay steps by them.
    uint64_t FrameCount() const { return FrameCount_; }

    // Saves made on Windows in `folder` (--import-saves) are offered with the first frame,
    // besides those of the Wine and Proton prefixes.
    void SetImportSavesFolder(std::string folder) { ImportSavesFolder_ = std::move(folder); }

    // --- the author's shortcuts (MainStart.cpp); both return what kept them from starting,
    // or nothing
    // The story starts at `label` of `script` (written as in scripts, "*中庭"; empty: the
    // script's top) instead of the first script.
    std::string StartAt(const std::string& script, const std::string& label);
    // The battle of `area` starts at once, on the campaign of a new game; the story goes
    // on from the first script afterwards.
    std::string StartInBattle(int area);

    // Called after every frame, for the program's own polling (signals, a second start).
    std::function<void()> OnAfterFrame;

    // --- state the tests and the program read
    const TDataLocations& Locations() const { return Locations_; }
    const std::string& Title() const { return Title_; }
    const TPictureLayout& Layout() const { return Layout_; }
    int MouseX() const { return MouseX_; }
    int MouseY() const { return MouseY_; }
    bool CtrlHeld() const { return CtrlHeld_; }
    bool RestartPending() const { return RestartPending_; }
    TMenuModel& Menu() { return Menu_; }
    TNovelGame& Engine() { return *Engine_; }
    TQTDGame& Battle() { return *Battle_; }
    TBattleSession& BattleSession() { return *Session_; }
    TQTDGameDat& Campaign() { return *Campaign_; }
    TCampaignCommands& Commands() { return *Commands_; }
    const std::string& DefeatScript() const;
    const std::string& DefeatLabel() const;
    const TReadFlags& ReadFlags() const { return ReadFlags_; }
    const TReadPages& ReadPages() const { return ReadPages_; }
    bool SkippingToChoice() const { return Options_.SkippingToChoice(); }
    const TScreenNotice& Notice() const { return Notice_; }
    const TQuickMenu& QuickMenu() const { return QuickMenu_; }
    const TModeIndicator& ModeIndicator() const { return Indicator_; }
    TSoundPlayer& Sound() { return *Sound_; }
    TDebugLog& Log() { return *Log_; }
    const std::vector<std::unique_ptr<TggDPFile>>& Archives() const { return Archives_; }

private:
    // --- creation, sessions and settings (MainWindow.cpp)
    void StartSession(bool combine);
    void ShowModeMenus(bool combine, bool unCombine);
    void OpenArchive(const std::string& path);
    void CloseSources();
    void Terminate(const std::string& reason);
    void LoadSettings();
    // Config.ini, the read flags and the read pages; false when one of them could not
    // be written (each one is tried).
    bool SaveSettings();
    void Restart();
    std::string ConfigPath() const { return Locations_.SaveFolder + kConfigFileName; }

    // Runs an event or menu handler; whatever escapes it goes to AppEventsException and
    // the window goes on. A handler that answers (close query, idle) answers `failed`.
    template <typename Action>
    bool Guarded(Action&& action, bool failed = false);

    // --- events (MainWindowEvents.cpp)
    void ConnectEvents();
    // Ctrl (skip), Up and Down (backlog) act while they are held. Held during a battle,
    // they act once the story is back.
    void SetKeyHeld(int key, bool held);
    // The pointer, in picture coordinates, as the mouse and the controller move it.
    void MovePointer(TPoint picture);
    // What the frame, the picture and the pointer and typed input go to.
    IGameMode& ActiveMode();
    void PresentPicture();
    void FrameTick();
    // The scene has come to rest (MainRest.cpp).
    void BeginRest();
    void LayoutPicture();

    // --- the controller and the game menu (MainPad.cpp)
    friend class TMainPointerActions;
    void CreateControls();
    void PadButton(TPadButton button, bool down);
    void MenuPadButton(TPadButton button);
    void MenuKeyDown(int key, TShiftState shift);
    void ShowGameMenuChange();
    // The picture behind, dimmed, with the game menu drawn on it.
    const TBitmap32& GameMenuPicture();
    // Where the pointer goes to reach a focused target.
    TPoint AimPoint(const TFocusTarget& target);
    void HoldKeyFromPad(int key, bool held);
    // The choices and buttons on screen, for the focus.
    void SyncFocusTargets();
    void StepStickPointer();

    // --- campaign commands (MainCommands.cpp)
    void CreateBattle();
    void CreateCampaign();
    void DoCommand(TFields& fields);
    void StartBattle(int area, int32_t strength);
    void WriteBattleRecord(const TBattleRecord& record);
    bool EvaluateCondition(const std::string& text);
    void MarkScriptRead();
    void MarkLabelRead();
    // The read-flags file of the save folder; a damaged one is kept aside and the
    // game starts with none.
    void LoadReadFlags();
    bool SaveReadFlags();
    // Runs `read` on a file of the save folder that exists; when it throws, the file is
    // kept aside under a name of its own (DamagedFileName) and the failure logged.
    void ReadKeepingDamagedAside(const std::string& path, const std::function<void()>& read);
    // Runs `write`; when it throws, the failure goes to the log under `failureLine` and
    // the answer is false.
    bool WriteLoggingFailure(const std::string& failureLine, const std::function<void()>& write);

    // --- seeing an edit at once, in debug mode (MainReload.cpp)
    void WatchDataFolders();
    // Once a frame: what the watch saw written.
    void ReloadChangedData();
    // Shift+R: everything in the data folders, as if all of it had been written.
    void ReloadAllData();
    // The files are read afresh from now on; the current script starts its page again,
    // pictures shown change where they are, and a battle in preparation starts again on
    // its new map and waves. One log line names what was read again.
    void ReloadData(const std::vector<std::string>& names, const std::string& what);

    // --- comfort (MainComfort.cpp)
    // The player options act on the engine once it is made.
    void AttachPlayerOptions();
    // The read pages of the save folder; a damaged file is kept aside and the game
    // starts with none.
    void LoadReadPages();
    bool SaveReadPages();

    // --- over the picture (MainOverlays.cpp)
    // Once a frame: the quick menu and the auto/skip mark follow the story; true when
    // the presented picture must be made again.
    bool StepOverlays();
    // The picture as presented: with the overlays and the notice over it, when shown.
    const TBitmap32& WithOverlays(const TBitmap32& picture);
    // True when the quick menu took the press or its release.
    bool QuickMenuMouseDown(TMouseButton button);
    bool QuickMenuMouseUp(TMouseButton button);
    void QuickMenuAction(TQuickAction action);

    // --- language (MainLanguage.cpp)
    // Before anything loads a picture (the battle's interface is made at once): the
    // pictures of the language the game starts in.
    void PrepareLanguagePictures();
    // The run's language, else the saved one, else on the first start the desktop's.
    std::string StartLanguage(const std::optional<std::string>& saved);
    // After the settings are read: the language chosen, applied.
    void ChooseLanguage(const std::optional<std::string>& saved);
    void ApplyLanguage(const std::string& code);
    void UseLanguagePictures(const std::string& code);
    std::shared_ptr<const TCatalogue> LoadCatalogue(const std::string& code);
    void BuildLanguageMenu();
    void mmLanguageClick(TMenuItem& sender);

    // --- self-voicing (MainSpeech.cpp)
    void CreateSelfVoicing();
    // V switches self-voicing; I tells the battle's state.
    void SelfVoicingKey(int key);
    // Once a frame: the story's pages and focus, or the game menu's focused item.
    void StepSelfVoicing();

    // --- save slots (MainSlots.cpp)
    void CreateSlotMenus();
    // The action phase opened the save menu: the campaign goes into the next autosave.
    void AutoSave();
    // F5: the campaign into the quick save, where a slot could be saved.
    void QuickSave();
    // F9: the quick save back, where a slot could be loaded, after asking when the
    // progress since would be lost.
    void QuickLoad();
    // Progress is lost by loading the save file at `path` when a battle is being fought,
    // or when the campaign moved on both from that save and from the last one written
    // or read (KeptCells_).
    bool LoadLosesProgress(const std::string& path);
    // With the confirmations on: asks before a load from the menus that loses progress;
    // true when the load may go on.
    bool MayLoad(const std::string& fileName);
    // The campaign as it is now is in a save file.
    void KeepProgress();
    // [つづきから]: the newest save of any kind, loaded at the start of the next frame,
    // outside the script line that asked for it.
    void ContinueFromNewestSave();

    // --- saves from Windows (MainImport.cpp)
    // With the first frame, when the save folder holds no slot yet and they were never
    // offered: Windows saves found are offered, copied and told.
    void OfferWindowsSaves();

    // --- screenshots (MainScreenShot.cpp)
    // F12 and the menu: the picture as the stage shows it, as PNG.
    void TakeScreenShot();

    // --- save failures (MainSaveFailures.cpp)
    // SaveSettings at exit and before a restart: a file that could not be written is
    // told in one box, before the program goes on or ends.
    void SaveSettingsTellingFailure();

    // --- menus (MainMenus.cpp)
    void BuildMenus();
    void BuildVolumeMenus();
    // The check marks of text speed, anti-aliasing and volumes from the current values,
    // and the survey item for players who have read far enough.
    void ShowSettingsInMenus();
    void CheckTextSpeedItem();
    void CheckVolumeItem(int submenu, int percent);
    int ShownVolume(int submenu);
    void mmTitleClick();
    void mmCombineClick();
    void mmUnCombineClick();
    void mmExitClick();
    void mmCSpeedClick(TMenuItem& sender);
    void mmCAAClick();
    void VolumeMenuClick(TMenuItem& sender);

    // --- help (MainHelp.cpp)
    void mmAboutClick();
    void mmSuportClick();
    void mmEnqClick();
    void StopForRestart();
    void CloseChannels();

    TMainWindowPlatform Platform_;
    TLanguageChoice LanguageChoice_;
    IWindowHost& Host_;
    TMenuModel Menu_;
    TPlayerOptions Options_{Menu_, Host_};
    TDataLocations Locations_;
    std::string Version_;
    std::string OSName_;
    std::string Title_;
    std::mt19937 Random_;

    std::unique_ptr<TDebugLog> Log_;
    std::unique_ptr<TRTextRender> Renderer_;
    std::unique_ptr<TFileCache> Files_;
    std::unique_ptr<TScriptCache> Scripts_;
    std::vector<std::unique_ptr<TggDPFile>> Archives_;
    std::unique_ptr<TAImageCache> Images_;
    std::unique_ptr<TSoundPlayer> Sound_;
    std::unique_ptr<TFPSControl> Pacer_;
    std::unique_ptr<TNovelGame> Engine_;
    std::unique_ptr<TQTDGame> Battle_;
    std::unique_ptr<TBattleSession> Session_;
    std::unique_ptr<TQTDGameDat> Campaign_;
    std::unique_ptr<TCampaignCommands> Commands_;
    std::unique_ptr<TSlotMenus> Slots_;
    std::unique_ptr<TAutoSaves> AutoSaves_;
    std::unique_ptr<TSelfVoicing> SelfVoicing_;
    std::unique_ptr<TSaveFolderCheck> SaveFolderCheck_;
    std::unique_ptr<THelpForms> Help_;
    std::unique_ptr<TFolderWatch> Watch_;  // debug mode only
    TReadFlags ReadFlags_;
    TReadPages ReadPages_;
    // The campaign as last written to or read from a save file, or as it started.
    TSlotCells KeptCells_{};
    // The language saved in the settings; unset while nobody chose one.
    std::optional<std::string> Language_;
    std::vector<std::string> LanguagesFound_;
    // "lang/LL/" while a language is chosen: its pictures come before the game's own.
    std::string LanguagePictures_;
    bool CatalogueProblemTold_ = false;
    // The catalogue PrepareLanguagePictures read, by language, until it is applied.
    std::pair<std::string, std::shared_ptr<const TCatalogue>> StartCatalogue_;

    TPictureLayout Layout_;
    TScreenNotice Notice_;
    TQuickMenu QuickMenu_;
    std::optional<TQuickAction> QuickMenuPressed_;
    TModeIndicator Indicator_;
    TBitmap32 Overlaid_;
    TBandResampler Resampler_;

    TGameMenu GameMenu_{Menu_};
    TBitmap32 GameMenuPicture_;
    std::unique_ptr<IPointerActions> PointerActions_;
    std::unique_ptr<TStoryControls> Controls_;
    TStickDirections StickDirections_;
    TStickPointer StickPointer_;

    int MouseX_ = 0;
    int MouseY_ = 0;
    bool CtrlHeld_ = false;
    // The press that ended auto mode was for that alone: its release does nothing more
    // (a press on a choice or a button is not, see TPlayerOptions::EndByClick).
    bool SwallowRelease_ = false;
    // The key held down last was a battle's controller key (BattleSession.h).
    bool BattleTookKey_ = false;
    int IdleCount_ = 0;
    bool RestartPending_ = false;
    bool ContinuePending_ = false;
    std::string TerminationReason_;  // set when the data cannot be read and the program must end
    bool CloseConfirmed_ = false;
    bool Destroying_ = false;
    bool ScaledStale_ = true;  // the scaled picture must be made again before presenting
    // What changed in the picture since it was last presented, and which picture that was.
    TDirtyRegion PictureChanged_;
    const TBitmap32* LastPresented_ = nullptr;
    bool NoticePresented_ = false;
    uint64_t FrameCount_ = 0;
    // What FramesCanRest goes by besides the scene itself.
    int QuietFrames_ = 0;
    bool InputSinceFrame_ = false;
    bool Resting_ = false;
    uint64_t MenuClicksSeen_ = 0;
    int InstallId_ = 0;
    std::string ImportSavesFolder_;
    bool WindowsSavesLooked_ = false;
    std::string SurveyAnswer_;
};

template <typename Action>
bool TggTDMain::Guarded(Action&& action, bool failed) {
    try {
        if constexpr (std::is_void_v<decltype(action())>) {
            action();
            return true;
        } else {
            return action();
        }
    } catch (const std::exception& error) {
        AppEventsException(error.what());
    } catch (...) {
        AppEventsException("不明なエラー");
    }
    return failed;
}

}  // namespace vandor

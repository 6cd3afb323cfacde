#pragma once
// TNovelGame: the scenario engine. It runs one script at a time, line by line, and
// drives everything a story scene shows and plays: text revealed character by
// character, backgrounds, faces and standing pictures, colour fades, sounds,
// choices and buttons. It is the game mode the main window drives while no battle
// runs, and its layer list is what the window then presents. Game-specific commands
// and conditions go to the main window through the On... hooks.
//
// The class is split by concern: NovelGame.cpp (construction, the run loop, input,
// jumps), NovelCommands.cpp (dispatch and the built-in commands), NovelStage.cpp
// (pictures and fades), NovelChoices.cpp (choices and buttons) and NovelAssists.cpp
// (what the player may turn on: skipping read text only, auto mode, voices again
// from the backlog) and NovelTranslation.cpp (pages in the chosen language).

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compositor/GameMode.h"
#include "compositor/LayerButton.h"
#include "compositor/LayerList.h"
#include "scenario/PageEndMark.h"
#include "scenario/ScriptCommands.h"
#include "scenario/ScriptFields.h"
#include "sound/SoundChannels.h"
#include "text/LayerBackLog.h"
#include "text/LayerLabel.h"
#include "text/LayerMessage.h"
#include "text/NGText.h"
#include "text/TextRender.h"

namespace vandor {

class IPictureSource;
class TCatalogue;
class TDebugLog;
class TReadPages;
class TScriptCache;
class TSoundPlayer;

// Scene settings: the defaults set by "初期値" and the values the commands use.
struct TNovelProperty {
    int BgFade = 1000;
    int FontSize = 22;
    int LineHeight = 28;
    int FaceFade = 100;
    int FaceY = 480;
    int StandFade = 400;
    std::array<int, 7> Positions{100, 200, 300, 400, 500, 600, 700};
    std::string FontName = "ＭＳ Ｐ明朝";
};

// One picture place of the stage. Saved, First, Second and Sound drive the
// background's flash sequence only.
struct TLayerState {
    std::string Name;
    std::string Saved;
    std::string First;
    std::string Second;
    std::string Sound;
    bool Used = false;
    bool Busy = false;
    int32_t Step = -1;
    TLayerItem* Layer = nullptr;
};

// How long auto mode lets a finished page stand: Base plus PerCharacter for each
// character of the page, in milliseconds.
struct TAutoTiming {
    int Base = 800;
    int PerCharacter = 50;
};

// The objects the engine draws on and plays through; all outlive it.
struct TNovelServices {
    TScriptCache& Scripts;
    IPictureSource& Pictures;
    TRTextRender& Renderer;
    TSoundPlayer& Sound;
    TDebugLog* Log = nullptr;
};

class TNovelGame final : public IGameMode {
public:
    static constexpr int kStageWidth = 800;
    // The message window's frame until a script sets one: the width of the stage, this high.
    static constexpr int kMessageFrameHeight = 120;
    static constexpr int kStageHeight = 600;
    static constexpr int kMaxChoices = 32;
    static constexpr int kMaxButtons = 32;
    static constexpr int kStandingSlots = 8;
    static constexpr int kFinishTransitions = 20000;
    static constexpr std::string_view kBackLogFont = "ＭＳ Ｐ明朝";
    // A script that jumps in a circle without ever waiting must not freeze the game:
    // one frame runs at most this many steps and the rest follows in the next.
    static constexpr int kMaxStepsPerFrame = 10000;

    TNovelGame(const std::string& startScript, TNovelServices services);
    ~TNovelGame() override;
    TNovelGame(const TNovelGame&) = delete;
    TNovelGame& operator=(const TNovelGame&) = delete;

    // One frame: runs the script as far as it may, counts waits and the reveal down,
    // steps the transitions and redraws; true when the stage picture changed.
    bool Update(int elapsed) override;
    const TBitmap32& BackSurface() const override { return Layers.Surface; }
    TDirtyRegion TakeChanged() override { return std::exchange(Layers.Dirty, {}); }
    void MouseMove(int x, int y) override { Layers.MouseMove(x, y); }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Enter advances, Space hides or shows the message window; other characters do nothing.
    void KeyPress(int character) override;
    void Advance();
    void ToggleHide();
    void Wheel(int direction);
    void Reset();
    void Jump(const std::string& script, const std::string& label);
    // Reads the current script again (the caches must have let go of its file) and
    // starts the current page again from its beginning: the page found as the same
    // page after the same label, else that label, else the script's top.
    void ReloadScript();
    void SetAntiAlias(bool antiAlias);

    // Fields the main window writes.
    int TextSpeed = 10;
    bool Skip = false;
    bool UpHeld = false;
    bool DownHeld = false;
    // Where pages are marked read at their end; none marks nothing.
    TReadPages* ReadPages = nullptr;
    // Skip passes only pages in ReadPages; an unread page shows as without skip.
    bool SkipReadOnly = false;
    // Click waits end by themselves after AutoTiming, once no voice plays.
    bool AutoMode = false;
    TAutoTiming AutoTiming;
    // The backlog marks voiced pages; a click on a mark plays the voice again.
    bool ReplayVoices = false;
    // The caption of a clicked choice goes to the backlog as a line of its own.
    bool ChoiceToBackLog = false;

    // --- the chosen language (NovelTranslation.cpp)
    // Pages and choices come from this catalogue (none: as the scripts have them) from
    // the next page on; its font, when it names one, replaces the scripts' fonts.
    void SetCatalogue(std::shared_ptr<const TCatalogue> catalogue);

    // --- the player's assists (NovelAssists.cpp)
    // Whether skip is in effect now: held, and not held back by an unread page.
    bool Skipping() const;
    // Whether the page being shown (or about to be) is in ReadPages.
    bool CurrentPageRead() const;
    // The time auto mode waits on the current page.
    int AutoDelay() const;
    // A click wait the player could end with a click, with nothing else on top.
    bool AwaitingClick() const;
    // A click wait with nothing running, drawing or counting down: frames until the next
    // input would pass without changing anything.
    bool AtRest() const;
    bool VoicePlaying() const;

    // Hooks; an unset hook is skipped.
    std::function<void(TFields& fields)> OnCommand;
    std::function<void(const std::string& condition, bool& result)> OnCondition;
    std::function<void()> OnScriptLoaded;
    std::function<void()> OnLabel;
    // The first character of a page is about to appear, Line and Column on it.
    std::function<void()> OnPageStart;

    // State the main window and the tests read.
    TLayerList Layers{kStageWidth, kStageHeight};
    std::string ScriptName;
    std::string LastLabel;
    int Line = 0;
    int Column = 1;
    bool Waiting = false;
    int WaitLeft = -1;
    int RevealDelay = 0;
    bool ShowRest = false;
    bool NoSkip = false;
    bool IgnoreTransitions = false;
    bool Hidden = false;
    bool AntiAlias = true;
    std::string ReturnScript;
    std::string ReturnLabel;
    std::string RightClickScript;
    std::string RightClickLabel;
    std::array<int, SoundChannel::StoredVolumes> VoiceVolume{};
    TNovelProperty InitialProperty;
    TNovelProperty CurrentProperty;

    TLayerMessage& Message() { return *Message_; }
    TLayerBackLog& BackLog() { return *BackLog_; }
    TNGText& Store() { return Store_; }
    TLayerItem* MessageFrame() const { return MessageFrame_; }
    const TPageEndMark& PageEndMark() const { return PageEndMark_; }
    const TLayerState& Background() const { return Background_; }
    const TLayerState& Face() const { return Face_; }
    const TLayerState& Standing(int slot) const { return Standing_.at(static_cast<std::size_t>(slot)); }
    const std::vector<TLayerLabel*>& Choices() const { return Choices_; }
    const std::vector<TLayerButton*>& Buttons() const { return Buttons_; }
    TLayerItem* ChoiceFrame() const { return ChoiceFrame_ ? ChoiceFrame_ : DefaultChoiceFrame_; }
    int LineCount() const;
    // The current script's line, or null past its end.
    const std::string* LineAt(int index) const;
    // Whether the current script has a line that is exactly this label.
    bool HasLabel(const std::string& label) const;

private:
    // The command table names the handlers below.
    friend std::span<const TScriptCommand> ScriptCommands();

    // --- run loop (NovelGame.cpp)
    bool ExecuteStep();
    bool RunText(const std::string& line);
    bool RunCommand(const std::string& line);
    bool EndTextLine();
    void PageEnd();
    void StartClickWaitIfPageEnds();
    void StartAtLineBeginning();
    void Unhide();
    void HideWindow();
    void OpenBackLog();
    bool TransitionsRunning() const { return Layers.Transitions.Busy(); }
    void FinishTransitions(int ms = kFinishTransitions) { Layers.Transitions.Step(ms); }
    void Log(const std::string& text);
    bool Condition(const std::string& condition);
    void LayOutMessageWindow();
    void ApplyFont(const TNovelProperty& property);

    // --- commands (NovelCommands.cpp); the handlers of the command table take the
    // fields and the text after the command, and say whether the next line follows
    // in the same frame.
    bool Dispatch(TFields& fields, const std::string& trailing);
    bool ClickWaitCommand(TFields& fields, const std::string& trailing);
    bool WaitCommand(TFields& fields, const std::string& trailing);
    bool StopMusicCommand(TFields& fields, const std::string& trailing);
    bool SilenceCommand(TFields& fields, const std::string& trailing);
    bool JumpCommand(TFields& fields, const std::string& trailing);
    bool ReturnCommand(TFields& fields, const std::string& trailing);
    bool ReturnPointCommand(TFields& fields, const std::string& trailing);
    bool RightClickCommand(TFields& fields, const std::string& trailing);
    bool MessageFrameCommand(TFields& fields, const std::string& trailing);
    bool FontCommand(TFields& fields, const std::string& trailing);
    bool InitialValueCommand(TFields& fields, const std::string& trailing);
    bool ResourceCommand(TFields& fields);
    void PlaySound(const TFields& fields, const std::string& name);
    void StopVoices();
    void PlayEffect(const std::string& name);
    void SetReturnPoint(const TFields& fields, std::string& script, std::string& label);
    void FadeSounds(int first, int last, int ms);

    // --- stage (NovelStage.cpp)
    bool PictureCommand(TLayerItem& layer, bool loadedNow, const TFields& fields);
    void ShowBackground(TLayerItem* layer, int time);
    void ColorFade(TColor32 colour, int time);
    void ShowFace(TLayerItem* layer, int time);
    void PlaceStanding(TLayerItem& layer, int time, const std::string& position, bool loadedNow);
    void ClearStanding(int time);
    bool FadeToBlackCommand(TFields& fields, const std::string& trailing);
    bool FadeToWhiteCommand(TFields& fields, const std::string& trailing);
    bool ColorFadeCommand(const TFields& fields, TColor32 colour);
    bool StartVariant(TFields& fields, const std::string& trailing);
    bool ClearStandingCommand(TFields& fields, const std::string& trailing);
    bool ClearFaceCommand(TFields& fields, const std::string& trailing);
    void RemoveStagePictures();
    int StageTime(int time) const { return Skipping() ? 1 : time; }
    TLayerItem* FindOrLoadPicture(const std::string& name, bool& loadedNow);
    TLayerItem* LoadStagePicture(const std::string& name);
    TLayerItem* BackgroundPicture(const std::string& name);
    bool OnStage(const TLayerItem& layer) const;
    void BackgroundCommand(TLayerItem& layer, const TFields& fields);
    void FaceCommand(TLayerItem& layer, const TFields& fields);
    void StandingCommand(TLayerItem& layer, const TFields& fields, bool loadedNow);
    void StepFlash();
    void RepeatLine();

    // --- the chosen language (NovelTranslation.cpp)
    void ApplyPendingCatalogue();
    void TranslateScript();
    const std::string& ShownFont(const std::string& scriptFont) const;

    // --- the player's assists (NovelAssists.cpp)
    void MarkPageRead();
    void StepAuto(int elapsed);
    // The author's page-end mark shows while a click would end the wait.
    void StepPageEndMark(int elapsed);
    // Plays the voice of the backlog page under the point; false when there is none.
    bool ReplayVoiceAt(int x, int y);

    // --- choices and buttons (NovelChoices.cpp)
    bool ChoiceCommand(TFields& fields, const std::string& caption);
    void AddChoice(const std::string& caption, const std::string& script, const std::string& label, bool enabled);
    void LayOutChoices();
    void ClearChoices();
    bool ButtonCommand(TFields& fields, const std::string& trailing);
    TLayerButton* AddButton(const std::string& picture, const std::string& script, const std::string& label, int x,
                            int y);
    bool RemoveButtonsCommand(TFields& fields, const std::string& trailing);
    bool RemoveButtons(int time, const std::string& direction);
    bool ChoiceFrameCommand(TFields& fields, const std::string& trailing);
    void DefaultChoiceFrameSetting(TFields& fields);
    TLayerItem* LoadChoiceFrame(const TFields& fields, std::size_t first);
    void OnChoiceClicked(TLayerLabel& choice);
    // With ChoiceToBackLog: the caption as a page of its own in the text store.
    void KeepChoiceInBackLog(const std::string& caption);
    void OnButtonClicked(TLayerButton& button);
    bool ChoicesOrButtonsShown() const { return !Choices_.empty() || !Buttons_.empty(); }

    TNovelServices Services_;
    const std::vector<std::string>* Script_ = nullptr;
    // The script in the chosen language, line for line; empty while none is chosen.
    std::vector<std::string> Translated_;
    std::shared_ptr<const TCatalogue> Catalogue_;
    std::shared_ptr<const TCatalogue> PendingCatalogue_;
    bool CataloguePending_ = false;
    std::string FontOverride_;
    // Index of the line whose command is being dispatched; commands that must run
    // again after their transitions (colour fades, the flash) set Line back to it.
    int CommandLine_ = -1;
    TNGText Store_{4096};
    TLayerMessage* Message_ = nullptr;
    TLayerBackLog* BackLog_ = nullptr;
    TLayerItem* MessageFrame_ = nullptr;

    TLayerState Background_;
    TLayerState Face_;
    std::array<TLayerState, kStandingSlots> Standing_;
    std::array<std::string, 26> VariantSounds_;
    std::vector<std::pair<std::string, int>> VoiceChannels_;  // lower-cased key -> channel

    std::vector<TLayerLabel*> Choices_;
    std::vector<TLayerButton*> Buttons_;
    TLayerItem* DefaultChoiceFrame_ = nullptr;
    int DefaultChoiceColumns_ = 1;
    TLayerItem* ChoiceFrame_ = nullptr;  // the per-choice frame, for the next choices only
    int ChoiceColumns_ = 1;
    std::string ClickSound_;
    std::string HoverSound_;
    int AutoWaited_ = 0;  // ms the current click wait has stood in auto mode
    TPageEndMark PageEndMark_{Layers};
};

}  // namespace vandor

#include "shell/MainWindow.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include "battle/QTDGame.h"
#include "campaign/CampaignCommands.h"
#include "campaign/GameDat.h"
#include "resources/Archive.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "resources/ScriptCache.h"
#include "scenario/NovelGame.h"
#include "shell/AutoSaves.h"
#include "shell/BattleSession.h"
#include "shell/FPSControl.h"
#include "shell/FolderWatch.h"
#include "shell/Handheld.h"
#include "shell/HelpForms.h"
#include "shell/SaveFolderCheck.h"
#include "shell/SelfVoicing.h"
#include "shell/Settings.h"
#include "shell/SlotMenus.h"
#include "shell/SystemInfo.h"
#include "sound/SoundChannels.h"
#include "sound/SoundPlayer.h"
#include "text/TextRender.h"
#include "util/Clock.h"
#include "util/DebugLog.h"
#include "util/IniFile.h"

namespace vandor {
namespace {

constexpr int32_t kFileCacheLimit = 25165824;
constexpr int32_t kScriptCacheLimit = 1048576;
constexpr int32_t kDebugScriptCacheLimit = 2097152;
constexpr int32_t kImageCacheLimit = 25165824;
constexpr int32_t kDebugImageCacheLimit = 33554432;
constexpr const char* kRule = "--------------------";

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

TggTDMain::TggTDMain(TMainWindowPlatform platform, TLanguageChoice language)
    : Platform_(std::move(platform)),
      LanguageChoice_(std::move(language)),
      Host_(Platform_.Host),
      Random_(Platform_.RandomSeed) {
    BuildMenus();
    Host_.SetClientSize({TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight});
    Host_.SetPosition(kDesignPosition);

    Version_ = ProgramVersion();
    OSName_ = OSName();
    Log_ =
        std::make_unique<TDebugLog>(Platform_.ExeFolder + "debug" + LocalTime("%Y%m%d%H%M") + ".txt", Platform_.Clock);
    Locations_ = Discover(Platform_.ExeFolder, Platform_.DocumentsFolder, Log_.get(), {Platform_.SaveFolder});
    CreateSelfVoicing();
    SaveFolderCheck_ = std::make_unique<TSaveFolderCheck>(Menu_, Host_, Locations_.SaveFolder, *Log_);
    Help_ = std::make_unique<THelpForms>(Host_, *Log_, Title_, Locations_.SaveFolder, Version_, OSName_);

    Renderer_ = std::make_unique<TRTextRender>();
    // The caches live as long as the window; a restart empties them and changes their sources.
    Files_ = std::make_unique<TFileCache>(Log_.get(), kFileCacheLimit);
    Scripts_ = std::make_unique<TScriptCache>(*Files_, kScriptCacheLimit);
    Sound_ = std::make_unique<TSoundPlayer>(Platform_.WaveDevice, Files_.get(), Log_.get());
    Sound_->LoadLibraries(Platform_.ExeFolder);
    Sound_->WaveOut().OnDeviceError = [this](const std::string& text) {
        Host_.MessageBox(text, TRWaveOut::kDeviceErrorCaption, TMessageButtons::OK, TMessageIcon::Error);
    };

    Pacer_ = std::make_unique<TFPSControl>(kFrameRate, Platform_.Clock);
    Pacer_->OnTick = [this](TFPSControl&) { FrameTick(); };

    StartSession(!Locations_.Separate);
    PrepareLanguagePictures();

    Images_ = std::make_unique<TAImageCache>(*Files_, Log_.get(),
                                             Locations_.DebugMode ? kDebugImageCacheLimit : kImageCacheLimit);
    Engine_ = std::make_unique<TNovelGame>(kFirstScript,
                                           TNovelServices{*Scripts_, *Images_, *Renderer_, *Sound_, Log_.get()});
    Engine_->ReadPages = &ReadPages_;
    AttachPlayerOptions();
    Engine_->Layers.OnItemEnter = [this](TLayerItem&) { Host_.SetCursor(TCursorShape::HandPoint); };
    Engine_->Layers.OnItemLeave = [this](TLayerItem&) { Host_.SetCursor(TCursorShape::Default); };
    CreateBattle();
    SelfVoicing_->Attach(*Engine_, *Battle_);
    CreateCampaign();

    InstallId_ = 0;
    CreateSlotMenus();
    LoadSettings();
    BuildVolumeMenus();
    ShowSettingsInMenus();

    Sound_->Start();
    // The host gets the menu and the events only now: should anything above throw, it
    // holds nothing of a window that never came to be.
    Host_.SetMenu(&Menu_);
    CreateControls();
    ConnectEvents();
}

TggTDMain::~TggTDMain() {
    Destroying_ = true;
    Host_.SetEvents({});
    Host_.SetMenu(nullptr);
    // Each step on its own: a failure in one must not keep the settings or the log
    // from being written.
    Guarded([&] { Sound_->Stop(); });
    // Closed by a signal (or by unreadable data) nobody is there to click a box away:
    // a failure is only logged then.
    Guarded([&] {
        if (CloseConfirmed_) {
            SaveSettings();
        } else {
            SaveSettingsTellingFailure();
        }
    });
    SelfVoicing_.reset();
    Commands_.reset();
    Campaign_.reset();
    Session_.reset();
    Battle_.reset();
    Engine_.reset();
    Pacer_.reset();
    Sound_.reset();
    Renderer_.reset();
    CloseSources();
    Images_.reset();
    Scripts_.reset();
    Files_.reset();
    Log_->Add(kRule, false);
    Log_->Add(LocalTime("%Y/%m/%d %H:%M:%S システム終了."), false);
    SaveDebugLog();
}

// ---------------------------------------------------------------- sessions

void TggTDMain::StartSession(bool combine) {
    RestartPending_ = false;
    ShowModeMenus(false, false);
    if (combine && Locations_.Combinable) {
        Title_ = kCombinedTitle;
        Locations_.SaveFolder = Locations_.CombinedSaveFolder;
        Locations_.Separate = false;
        if (Locations_.DebugMode) ShowModeMenus(false, true);
    } else if (Locations_.CompanionPresent) {
        Title_ = kCompanionTitle;
        Locations_.SaveFolder = Locations_.CompanionSaveFolder;
        Locations_.Separate = true;
        if (Locations_.Combinable) ShowModeMenus(true, false);
    } else {
        Title_ = kThisTitle;
        Locations_.SaveFolder = Locations_.ThisSaveFolder;
        Locations_.Separate = true;
    }
    Host_.SetTitle(Title_);

    // The engine is made after the first session: with one, this is a restart.
    if (Engine_) {
        CloseSources();
        Log_->Add(LocalTime("%Y/%m/%d %H:%M:%S システム終了."), false);
        Log_->Add(kRule, false);
        Log_->Add("再起動します...", false);
        Log_->Add(kRule, false);
    }
    Log_->Add(LocalTime("%Y/%m/%d %H:%M:%S システム起動."), false);
    Log_->Add("Ver. " + Version_, false);
    Log_->Add("OS: " + OSName_, false);
    Log_->Add(Title_);
    Log_->Add(kRule, false);

    Files_->SetLimit(kFileCacheLimit);
    Scripts_->SetLimit(Locations_.DebugMode ? kDebugScriptCacheLimit : kScriptCacheLimit);
    for (const TDataSource& source : DataSources(Locations_)) {
        if (source.IsArchive) {
            OpenArchive(source.Path);
        } else {
            Files_->AddFolder(source.Path);
        }
    }
    WatchDataFolders();
    Files_->AddFolder(LanguagePictures_);
}

void TggTDMain::ShowModeMenus(bool combine, bool unCombine) {
    Menu_.At("mmCombine").SetVisible(combine);
    Menu_.At("mmUnCombine").SetVisible(unCombine);
    Menu_.At("mmFileLine2").SetVisible(combine || unCombine);
}

void TggTDMain::OpenArchive(const std::string& path) {
    if (Terminating()) return;
    try {
        auto archive = std::make_unique<TggDPFile>(path);
        Files_->AddArchive(archive.get());
        Log_->Add(FileNameOf(path) + "読み込み " + std::to_string(archive->EntryCount()) + "個のデータ");
        Archives_.push_back(std::move(archive));
    } catch (const std::exception&) {
        Locations_.DebugMode = true;
        Log_->Enabled = true;
        const std::string reason = "ゲームデータ " + path + " にアクセスできなかったため、終了します";
        Log_->Add(reason, false);
        SaveDebugLog();
        Terminate(reason);
    }
}

void TggTDMain::CloseSources() {
    // Nothing may hold a script or a file now: the engine was reset before a restart,
    // and at shutdown it is gone.
    if (Scripts_) Scripts_->Clear();
    if (Files_) Files_->RemoveSources();
    Archives_.clear();
}

void TggTDMain::Terminate(const std::string& reason) {
    TerminationReason_ = reason;
    CloseConfirmed_ = true;
    Host_.Close();
}

void TggTDMain::Restart() {
    Session_->Abandon();
    StartSession(Locations_.Separate);
    LoadSettings();
    ShowSettingsInMenus();
    Sound_->Start();
    Engine_->Jump(kFirstScript, "");
    Engine_->Advance();
}

// ---------------------------------------------------------------- settings

void TggTDMain::LoadSettings() {
    ReadFlags_.Clear();
    const TIniFile ini(ConfigPath());
    TSettings settings = ReadSettings(ini);
    // A handheld starts in full screen until the player chooses otherwise.
    if (!ini.ValueExists("Comfort", "FullScreen") && IsHandheld(Platform_.SteamDeck, Host_.ScreenSize())) {
        settings.Comfort.FullScreen = true;
    }

    // The whole window must keep a corner on the screen, frame and menu bar included.
    const TSize window = Host_.WindowSize();
    const TPoint current = Host_.Position();
    const TSize screen = Host_.ScreenSize();
    Host_.SetPosition(ClampWindowPosition(settings.WindowX, settings.WindowY, window.Width, window.Height, current.X,
                                          current.Y, screen.Width, screen.Height));

    Sound_->ApplyVolumes(settings.MasterVolume, settings.ChannelVolumes);
    Engine_->SetAntiAlias(settings.AntiAlias);
    Engine_->TextSpeed = settings.TextSpeed;
    if (InstallId_ == 0) {
        InstallId_ = settings.InstallId;
        SurveyAnswer_ = settings.SurveyAnswer;
    }
    Slots_->ShowCaptions(settings.SlotCaptions);
    AutoSaves_->ShowCaptions(ini);
    AutoSaves_->SetOn(settings.Comfort.AutoSave);
    Options_.Apply(settings.Comfort);
    ChooseLanguage(settings.Language);
    SelfVoicing_->Apply(settings.Comfort);
    SaveFolderCheck_->Check();
    Log_->Add("システム情報読込.");
    if (InstallId_ == 0) {
        const uint32_t first = Random_() % 256;
        const uint32_t second = Random_() % 256;
        InstallId_ = NewInstallId(first, second, Platform_.Clock.Now());
    }
    LoadReadFlags();
    LoadReadPages();
}

bool TggTDMain::SaveSettings() {
    TIniFile ini(ConfigPath());
    TSettings settings;
    const TPoint position = Host_.FullScreen() ? Options_.WindowedPosition() : Host_.NormalPosition();
    settings.WindowX = position.X;
    settings.WindowY = position.Y;
    settings.MasterVolume = Sound_->Channel(SoundChannel::Music).GetMasterVolume();
    for (int i = 0; i < SoundChannel::StoredVolumes; ++i) {
        settings.ChannelVolumes[static_cast<std::size_t>(i)] = Sound_->Channel(i).GetVolume();
    }
    settings.AntiAlias = Engine_->AntiAlias;
    settings.TextSpeed = Engine_->TextSpeed;
    settings.InstallId = InstallId_;
    settings.SurveyAnswer = SurveyAnswer_;
    settings.Comfort = Options_.Settings();
    settings.Comfort.AutoSave = AutoSaves_->On();
    settings.Language = Language_;
    SelfVoicing_->Store(settings.Comfort);

    TSettingsWriteContext context{Locations_.ExeFolder, Platform_.ProgramFileName, Version_, {}, {}, {}};
    const auto versionOf = [this](const std::string& path) -> std::optional<TVersionNumbers> {
        for (const auto& archive : Archives_) {
            if (!path.empty() && archive->Path() == path) return archive->GetVersion();
        }
        return std::nullopt;
    };
    context.DataVersion = versionOf(Locations_.DatPath);
    context.PatchVersion = versionOf(Locations_.PatchPath);
    context.PlusVersion = versionOf(Locations_.PlusPath);
    WriteSettings(ini, settings, context);
    const bool settingsSaved = ini.Save();
    if (!settingsSaved) {
        const std::string reason = std::strerror(errno);
        Log_->Add("設定ファイル " + ConfigPath() + " を書き込めません (" + reason + ").");
    }
    Log_->Add("システム情報保存.");
    const bool flagsSaved = SaveReadFlags();
    const bool pagesSaved = SaveReadPages();
    return settingsSaved && flagsSaved && pagesSaved;
}

void TggTDMain::SaveDebugLog() {
    if (Log_) Log_->Save();
}

}  // namespace vandor

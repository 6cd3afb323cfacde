#pragma once
// The player's settings as kept in "Config.ini" of the save folder: window position,
// volumes, text options, the survey identity and the save slot captions. Reading and
// writing are separate from applying them, so the rules can be checked without a
// window, a sound device or a scenario engine.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sound/SoundChannels.h"
#include "util/Geometry.h"
#include "util/IniFile.h"

namespace vandor {

inline constexpr int kSlotCount = 16;
inline constexpr int kNoWindowPosition = -32768;

// What the player turned on for comfort, section "Comfort": each off by default but
// the autosaves.
struct TComfortSettings {
    static constexpr int kAutoSpeeds = 3;  // fast, normal, slow
    bool SkipReadOnly = false;
    int AutoSpeed = 1;
    bool BackLogVoice = false;
    bool FullScreen = false;
    // The one option on by default: it changes no play, it only writes files. Written
    // to Config.ini only once it is or was turned off, so that a player who never
    // touches it keeps the settings file as it was.
    bool AutoSave = true;
    // Self-voicing, and its page text read while the page's own voice plays. Written
    // only once turned on, so that a player who never touches them keeps the file as it was.
    bool SelfVoicing = false;
    bool SpeakOverVoice = false;
    // A question before タイトルに戻る and before loading over unsaved progress, and a
    // notice after a save; the chosen caption of a choice kept in the backlog. Written
    // only once turned on, as the two above.
    bool Confirm = false;
    bool ChoiceToBackLog = false;
    // The quick menu's buttons on the message window, and the mark that shows auto or
    // skip running. Written only once turned on, as above.
    bool QuickMenu = false;
    bool ModeIndicator = false;
    // Pips at each tower's foot that show its level in a battle. Written only once turned on.
    bool TowerLevels = false;
    // Whole-number enlargement by nearest pixels instead of the smooth scaling; written
    // only once turned on.
    bool SharpScaling = false;

    friend bool operator==(const TComfortSettings&, const TComfortSettings&) = default;
};

struct TSettings {
    int WindowX = kNoWindowPosition;
    int WindowY = kNoWindowPosition;
    int MasterVolume = 60;
    std::array<int, SoundChannel::StoredVolumes> ChannelVolumes = Filled(60);
    bool AntiAlias = true;
    int TextSpeed = 30;
    int InstallId = 0;
    std::string SurveyAnswer;
    std::array<std::string, kSlotCount> SlotCaptions;
    TComfortSettings Comfort;
    // "Language" of section "Comfort": the catalogue chosen, empty for the original.
    // Unset until the player (or the first start) chose, and then not written at all.
    std::optional<std::string> Language;

    friend bool operator==(const TSettings&, const TSettings&) = default;

private:
    static constexpr std::array<int, SoundChannel::StoredVolumes> Filled(int value) {
        std::array<int, SoundChannel::StoredVolumes> values{};
        values.fill(value);
        return values;
    }
};

// Four version numbers in archive header order; the same array the archive reports.
using TVersionNumbers = std::array<uint16_t, 4>;

// What the shell writes about the program and its data besides the settings.
struct TSettingsWriteContext {
    std::string ExeFolder;        // ends with '/'
    std::string ProgramFileName;  // the program file's own name, e.g. "vandor"
    std::string Version;          // e.g. "1.12.9.25"
    // The versions of the archives that are open; unset for those that are not.
    std::optional<TVersionNumbers> DataVersion;   // "dat.gdp"
    std::optional<TVersionNumbers> PatchVersion;  // "patch.gdp"
    std::optional<TVersionNumbers> PlusVersion;   // "plus.gdp"
};

// Every setting, with the defaults for keys that are missing or not numbers.
TSettings ReadSettings(const TIniFile& ini);

// Writes the survey identity, the install folders, the program and data versions,
// the window position, the volumes and the text options. Slot captions are left
// alone: they are written when a slot is saved (WriteSlotCaption), and writing a
// copy kept since start-up here could undo a caption written in between.
void WriteSettings(TIniFile& ini, const TSettings& settings, const TSettingsWriteContext& context);

// "Item00" .. "Item15" of section "Save".
std::string SlotCaptionKey(int slot);
void WriteSlotCaption(TIniFile& ini, int slot, const std::string& caption);

// "%d.%d.%d.%d".
std::string FormatVersion(const TVersionNumbers& version);

// Where the window goes for a stored position: a coordinate is taken only when the
// window would reach more than 64 pixels into the screen from that side, then pulled
// back so that at least 64 pixels stay on the screen at the right and bottom. The
// default position (-32768) therefore leaves the window where it is.
TPoint ClampWindowPosition(int storedX, int storedY, int windowWidth, int windowHeight, int currentLeft, int currentTop,
                           int screenWidth, int screenHeight);

// A fresh number identifying this installation: (random1 + 1) * (clock | 0x71) +
// random2 + 113 in wrapping 32-bit arithmetic, with random1 and random2 each drawn
// from 0..255.
int32_t NewInstallId(uint32_t random1, uint32_t random2, uint32_t clock);

}  // namespace vandor

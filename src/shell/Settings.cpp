#include "shell/Settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vandor {
namespace {

std::string VolumeKey(int channel) { return "Volume" + std::to_string(channel); }

// The folder part of a stored path: its text up to and including the last '/'.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// "Path" remembers the first install folder for as long as the program is still
// there; once it has been moved away, the folder it runs from now takes over.
void WriteFirstInstallFolder(TIniFile& ini, const TSettingsWriteContext& context) {
    const std::string folder = FolderOf(ini.ReadString("Path", "Path"));
    std::error_code ignored;
    const bool stillThere = !folder.empty() && std::filesystem::is_directory(folder, ignored) &&
                            std::filesystem::is_regular_file(folder + context.ProgramFileName, ignored);
    if (!stillThere) ini.WriteString("Path", "Path", context.ExeFolder);
}

std::string VersionKey(std::string version) {
    for (char& c : version) {
        if (c == '.') c = '_';
    }
    return "VER_" + version;
}

void WriteArchiveVersion(TIniFile& ini, const char* key, const std::optional<TVersionNumbers>& version) {
    if (version) ini.WriteString("Ver", key, FormatVersion(*version));
}

// A comfort switch is written once it differs from its default, or was written before,
// so that the settings file of a player who never touched it stays as it was.
void WriteBoolOnceUsed(TIniFile& ini, const char* key, bool on, bool byDefault = false) {
    if (on != byDefault || ini.ValueExists("Comfort", key)) ini.WriteBool("Comfort", key, on);
}

}  // namespace

TSettings ReadSettings(const TIniFile& ini) {
    TSettings s;
    s.WindowX = ini.ReadInteger("Window", "X", s.WindowX);
    s.WindowY = ini.ReadInteger("Window", "Y", s.WindowY);
    s.MasterVolume = ini.ReadInteger("Sound", "Volume", s.MasterVolume);
    for (int i = 0; i < SoundChannel::StoredVolumes; ++i) {
        s.ChannelVolumes[i] = ini.ReadInteger("Sound", VolumeKey(i), s.ChannelVolumes[i]);
    }
    s.AntiAlias = ini.ReadBool("Text", "AA", s.AntiAlias);
    s.TextSpeed = ini.ReadInteger("Text", "Speed", s.TextSpeed);
    s.InstallId = ini.ReadInteger("E", "D", s.InstallId);
    s.SurveyAnswer = ini.ReadString("E", "S");
    for (int i = 0; i < kSlotCount; ++i) s.SlotCaptions[i] = ini.ReadString("Save", SlotCaptionKey(i));
    TComfortSettings& comfort = s.Comfort;
    comfort.SkipReadOnly = ini.ReadBool("Comfort", "SkipReadOnly", comfort.SkipReadOnly);
    const int speed = ini.ReadInteger("Comfort", "AutoSpeed", comfort.AutoSpeed);
    if (speed >= 0 && speed < TComfortSettings::kAutoSpeeds) comfort.AutoSpeed = speed;
    comfort.BackLogVoice = ini.ReadBool("Comfort", "BackLogVoice", comfort.BackLogVoice);
    comfort.FullScreen = ini.ReadBool("Comfort", "FullScreen", comfort.FullScreen);
    comfort.AutoSave = ini.ReadBool("Comfort", "AutoSave", comfort.AutoSave);
    if (ini.ValueExists("Comfort", "Language")) s.Language = ini.ReadString("Comfort", "Language");
    comfort.SelfVoicing = ini.ReadBool("Comfort", "SelfVoicing", comfort.SelfVoicing);
    comfort.SpeakOverVoice = ini.ReadBool("Comfort", "SpeakOverVoice", comfort.SpeakOverVoice);
    comfort.Confirm = ini.ReadBool("Comfort", "Confirm", comfort.Confirm);
    comfort.ChoiceToBackLog = ini.ReadBool("Comfort", "ChoiceToBackLog", comfort.ChoiceToBackLog);
    comfort.QuickMenu = ini.ReadBool("Comfort", "QuickMenu", comfort.QuickMenu);
    comfort.ModeIndicator = ini.ReadBool("Comfort", "ModeIndicator", comfort.ModeIndicator);
    comfort.TowerLevels = ini.ReadBool("Comfort", "TowerLevels", comfort.TowerLevels);
    comfort.SharpScaling = ini.ReadBool("Comfort", "SharpScaling", comfort.SharpScaling);
    return s;
}

void WriteSettings(TIniFile& ini, const TSettings& s, const TSettingsWriteContext& context) {
    ini.WriteInteger("E", "D", s.InstallId);
    ini.WriteString("E", "S", s.SurveyAnswer);

    WriteFirstInstallFolder(ini, context);
    ini.WriteString("Path", VersionKey(context.Version), context.ExeFolder);
    ini.WriteString("Path", "Last", context.ExeFolder);

    ini.WriteString("Ver", "Exe", context.Version);
    WriteArchiveVersion(ini, "Data", context.DataVersion);
    WriteArchiveVersion(ini, "Patch", context.PatchVersion);
    WriteArchiveVersion(ini, "Plus", context.PlusVersion);

    ini.WriteInteger("Window", "X", s.WindowX);
    ini.WriteInteger("Window", "Y", s.WindowY);

    ini.WriteInteger("Sound", "Volume", s.MasterVolume);
    for (int i = 0; i < SoundChannel::StoredVolumes; ++i) ini.WriteInteger("Sound", VolumeKey(i), s.ChannelVolumes[i]);

    ini.WriteBool("Text", "AA", s.AntiAlias);
    ini.WriteInteger("Text", "Speed", s.TextSpeed);

    ini.WriteBool("Comfort", "SkipReadOnly", s.Comfort.SkipReadOnly);
    ini.WriteInteger("Comfort", "AutoSpeed", s.Comfort.AutoSpeed);
    ini.WriteBool("Comfort", "BackLogVoice", s.Comfort.BackLogVoice);
    ini.WriteBool("Comfort", "FullScreen", s.Comfort.FullScreen);
    WriteBoolOnceUsed(ini, "AutoSave", s.Comfort.AutoSave, true);
    if (s.Language) ini.WriteString("Comfort", "Language", *s.Language);
    WriteBoolOnceUsed(ini, "SelfVoicing", s.Comfort.SelfVoicing);
    WriteBoolOnceUsed(ini, "SpeakOverVoice", s.Comfort.SpeakOverVoice);
    WriteBoolOnceUsed(ini, "Confirm", s.Comfort.Confirm);
    WriteBoolOnceUsed(ini, "ChoiceToBackLog", s.Comfort.ChoiceToBackLog);
    WriteBoolOnceUsed(ini, "QuickMenu", s.Comfort.QuickMenu);
    WriteBoolOnceUsed(ini, "ModeIndicator", s.Comfort.ModeIndicator);
    WriteBoolOnceUsed(ini, "TowerLevels", s.Comfort.TowerLevels);
    WriteBoolOnceUsed(ini, "SharpScaling", s.Comfort.SharpScaling);
}

std::string SlotCaptionKey(int slot) {
    char key[24];
    std::snprintf(key, sizeof key, "Item%.2d", slot);
    return key;
}

void WriteSlotCaption(TIniFile& ini, int slot, const std::string& caption) {
    ini.WriteString("Save", SlotCaptionKey(slot), caption);
}

std::string FormatVersion(const TVersionNumbers& v) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
    return text;
}

TPoint ClampWindowPosition(int storedX, int storedY, int windowWidth, int windowHeight, int currentLeft, int currentTop,
                           int screenWidth, int screenHeight) {
    // 64-bit sums: a stored coordinate may be anything a hand-edited file holds.
    int64_t left = currentLeft;
    int64_t top = currentTop;
    if (int64_t{storedX} + windowWidth > 64) left = storedX;
    if (int64_t{storedY} + windowHeight > 64) top = storedY;
    if (screenWidth < left + 64) left = int64_t{screenWidth} - 64;
    if (screenHeight < top + 64) top = int64_t{screenHeight} - 64;
    return {static_cast<int>(left), static_cast<int>(top)};
}

int32_t NewInstallId(uint32_t random1, uint32_t random2, uint32_t clock) {
    return static_cast<int32_t>((random1 + 1u) * (clock | 0x71u) + random2 + 113u);
}

}  // namespace vandor

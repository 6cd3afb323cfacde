#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "TempFolder.h"

namespace vandor {
namespace {

using test::TTempFolder;
using test::WriteTextFile;

TEST(SettingsTest, MissingOrBadKeysReadAsDefaults) {
    TIniFile ini;
    ini.Parse("[Window]\nX=abc\n[Sound]\nVolume3=25\nVolume9=\n[Text]\nAA=\n");
    const TSettings s = ReadSettings(ini);
    EXPECT_EQ(s.WindowX, -32768);
    EXPECT_EQ(s.WindowY, -32768);
    EXPECT_EQ(s.MasterVolume, 60);
    for (int i = 0; i < SoundChannel::StoredVolumes; ++i) EXPECT_EQ(s.ChannelVolumes[i], i == 3 ? 25 : 60) << i;
    EXPECT_TRUE(s.AntiAlias);
    EXPECT_EQ(s.TextSpeed, 30);
    EXPECT_EQ(s.InstallId, 0);
    EXPECT_EQ(s.SurveyAnswer, "");
    for (const std::string& caption : s.SlotCaptions) EXPECT_EQ(caption, "");
}

TEST(SettingsTest, SettingsRoundTripThroughTheFile) {
    TTempFolder temp;
    const std::string path = temp / "Config.ini";
    TSettings s;
    s.WindowX = -300;
    s.WindowY = 40;
    s.MasterVolume = 85;
    for (int i = 0; i < SoundChannel::StoredVolumes; ++i) s.ChannelVolumes[i] = 5 * i;
    s.AntiAlias = false;
    s.TextSpeed = 0;
    s.InstallId = NewInstallId(200, 17, 0xDEADBEEF);
    s.SurveyAnswer = "1,3,はい";
    {
        TIniFile ini(path);
        WriteSettings(ini, s, {temp / "game/", "vandor", "1.0.0.0", {}, {}, {}});
        WriteSlotCaption(ini, 3, "第三話　灰羽");
        WriteSlotCaption(ini, 15, "最終話");
        ASSERT_TRUE(ini.Save());
    }
    s.SlotCaptions[3] = "第三話　灰羽";
    s.SlotCaptions[15] = "最終話";
    const TIniFile reread(path);
    EXPECT_EQ(ReadSettings(reread), s);
    EXPECT_EQ(reread.ReadString("Text", "AA"), "0");
    EXPECT_EQ(reread.ReadString("Sound", "Volume15"), "75");
    EXPECT_EQ(reread.ReadString("Save", "Item03"), "第三話　灰羽");
}

TEST(SettingsTest, ComfortItemsRoundTripAndAnUnknownAutoSpeedReadsAsNormal) {
    TSettings s;
    s.Comfort = {true, 2, true, true};
    TIniFile ini;
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ReadSettings(ini).Comfort, s.Comfort);
    EXPECT_EQ(ini.ReadString("Comfort", "SkipReadOnly"), "1");

    TIniFile bad;
    bad.Parse("[Comfort]\nAutoSpeed=3\nSkipReadOnly=x\n");
    EXPECT_EQ(ReadSettings(bad).Comfort, TComfortSettings{});
    bad.Parse("[Comfort]\nAutoSpeed=-1\n");
    EXPECT_EQ(ReadSettings(bad).Comfort.AutoSpeed, 1);
}

TEST(SettingsTest, ConfirmAndChoiceToBackLogAreWrittenOnceTurnedOn) {
    TSettings s;
    TIniFile ini;
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_FALSE(ini.ValueExists("Comfort", "Confirm"));
    EXPECT_FALSE(ini.ValueExists("Comfort", "ChoiceToBackLog"));

    s.Comfort.Confirm = true;
    s.Comfort.ChoiceToBackLog = true;
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ini.ReadString("Comfort", "Confirm"), "1");
    EXPECT_EQ(ini.ReadString("Comfort", "ChoiceToBackLog"), "1");
    EXPECT_EQ(ReadSettings(ini).Comfort, s.Comfort);

    // Turned off again, they stay written, as off.
    s.Comfort = {};
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ini.ReadString("Comfort", "Confirm"), "0");
    EXPECT_EQ(ini.ReadString("Comfort", "ChoiceToBackLog"), "0");
    EXPECT_EQ(ReadSettings(ini).Comfort, TComfortSettings{});
}

TEST(SettingsTest, TowerLevelsAreWrittenOnlyOnceTurnedOn) {
    TSettings s;
    TIniFile ini;
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_FALSE(ini.ValueExists("Comfort", "TowerLevels"));
    s.Comfort.TowerLevels = true;
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ini.ReadString("Comfort", "TowerLevels"), "1");
    EXPECT_TRUE(ReadSettings(ini).Comfort.TowerLevels);
    s.Comfort.TowerLevels = false;  // turned off again, the choice stays written
    WriteSettings(ini, s, {"/game/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ini.ReadString("Comfort", "TowerLevels"), "0");
    EXPECT_FALSE(ReadSettings(ini).Comfort.TowerLevels);
}

TEST(SettingsTest, WritingSettingsLeavesSlotCaptionsAlone) {
    TIniFile ini;
    WriteSlotCaption(ini, 0, "saved during play");
    TSettings stale;  // read before the slot was saved: no caption
    WriteSettings(ini, stale, {"/g/", "vandor", "1.0.0.0", {}, {}, {}});
    EXPECT_EQ(ini.ReadString("Save", "Item00"), "saved during play");
}

TEST(SettingsTest, VersionsOfProgramAndOpenArchives) {
    TIniFile ini;
    WriteSettings(ini, TSettings{},
                  {"/opt/vandor/", "vandor", "1.12.9.25", TVersionNumbers{1, 0, 2, 0}, std::nullopt,
                   TVersionNumbers{2, 10, 65535, 7}});
    EXPECT_EQ(ini.ReadString("Ver", "Exe"), "1.12.9.25");
    EXPECT_EQ(ini.ReadString("Ver", "Data"), "1.0.2.0");
    EXPECT_FALSE(ini.ValueExists("Ver", "Patch"));
    EXPECT_EQ(ini.ReadString("Ver", "Plus"), "2.10.65535.7");
    EXPECT_EQ(ini.ReadString("Path", "VER_1_12_9_25"), "/opt/vandor/");
    EXPECT_EQ(ini.ReadString("Path", "Last"), "/opt/vandor/");
}

TEST(SettingsTest, PathKeepsTheFirstInstallWhileTheProgramIsThere) {
    TTempFolder temp;
    const std::string first = temp / "first/";
    const std::string second = temp / "second/";
    WriteTextFile(first + "vandor", "program");
    TIniFile ini;
    const auto save = [&](const std::string& exe, const char* version) {
        WriteSettings(ini, TSettings{}, {exe, "vandor", version, {}, {}, {}});
    };

    save(first, "1.0.0.0");
    EXPECT_EQ(ini.ReadString("Path", "Path"), first);

    save(second, "1.1.0.0");
    EXPECT_EQ(ini.ReadString("Path", "Path"), first);
    EXPECT_EQ(ini.ReadString("Path", "Last"), second);
    EXPECT_EQ(ini.ReadString("Path", "VER_1_0_0_0"), first);
    EXPECT_EQ(ini.ReadString("Path", "VER_1_1_0_0"), second);

    std::filesystem::remove(first + "vandor");
    save(second, "1.1.0.0");
    EXPECT_EQ(ini.ReadString("Path", "Path"), second);

    ini.WriteString("Path", "Path", temp / "gone/");
    save(first, "1.1.0.0");
    EXPECT_EQ(ini.ReadString("Path", "Path"), first);

    // Another program file of a different name does not hold the install.
    WriteTextFile(second + "other", "program");
    ini.WriteString("Path", "Path", second);
    save(first, "1.1.0.0");
    EXPECT_EQ(ini.ReadString("Path", "Path"), first);
}

TEST(SettingsTest, StoredWindowPositionNeverPutsTheWindowOffScreen) {
    // Current window at (192, 114), 816 x 639 outer size, on a 1920 x 1080 screen.
    const auto clamp = [](int x, int y) { return ClampWindowPosition(x, y, 816, 639, 192, 114, 1920, 1080); };
    EXPECT_EQ(clamp(-32768, -32768), (TPoint{192, 114})) << "the default leaves the window where it is";
    EXPECT_EQ(clamp(-2000, -2000), (TPoint{192, 114}));
    EXPECT_EQ(clamp(-752, -575), (TPoint{192, 114})) << "exactly 64 pixels on screen is not enough";
    EXPECT_EQ(clamp(-751, -574), (TPoint{-751, -574}));
    EXPECT_EQ(clamp(100, 50), (TPoint{100, 50}));
    EXPECT_EQ(clamp(1856, 1016), (TPoint{1856, 1016}));
    EXPECT_EQ(clamp(1857, 3000), (TPoint{1856, 1016}));
    EXPECT_EQ(clamp(INT_MAX, INT_MAX), (TPoint{1856, 1016}));
    EXPECT_EQ(ClampWindowPosition(0, 0, 816, 639, 192, 114, 40, 30), (TPoint{-24, -34}));
}

TEST(SettingsTest, InstallIdWrapsIn32Bits) {
    EXPECT_EQ(NewInstallId(0, 0, 0), 226);  // 1 * 0x71 + 0 + 113
    EXPECT_EQ(NewInstallId(2, 5, 0x12345678), 0x369D03E1);
    EXPECT_EQ(NewInstallId(255, 255, 0xFFFFFFFF), 112);  // 256 * (2^32 - 1) wraps to -256
    EXPECT_EQ(NewInstallId(255, 0, 0x00800000), static_cast<int32_t>(0x80007171u));
}

}  // namespace
}  // namespace vandor

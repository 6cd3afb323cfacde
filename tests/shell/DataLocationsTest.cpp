#include "shell/DataLocations.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/headless/SimulatedClock.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using test::TTempFolder;
using test::WriteTextFile;

class DataLocationsTest : public ::testing::Test {
protected:
    DataLocationsTest() : exe(temp / "game/"), documents(temp / "docs/"), log("", clock) {
        fs::create_directories(exe);
        log.Enabled = true;
    }

    std::string UserDir(const char* title) const { return documents + "クイルフェン/" + title + "/"; }
    void Touch(const std::string& path) const { WriteTextFile(path, "data"); }
    void MakeFolder(const std::string& path) const { fs::create_directories(path); }
    TDataLocations Run() { return Discover(exe, documents, &log); }

    TTempFolder temp;
    const std::string exe;
    const std::string documents;
    TSimulatedClock clock{1500};
    TDebugLog log;
};

TDataSource Archive(const std::string& path) { return {true, path}; }
TDataSource Folder(const std::string& path) { return {false, path}; }

TEST_F(DataLocationsTest, ThisTitleBesideTheProgram) {
    Touch(exe + "dat.gdp");
    TDataLocations d = Run();
    EXPECT_EQ(d.ExeFolder, exe);
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦タクティクス"));
    EXPECT_EQ(d.ThisSaveFolder, d.SaveFolder);
    EXPECT_TRUE(fs::is_directory(d.SaveFolder));
    EXPECT_FALSE(fs::exists(UserDir("星砦の灰羽"))) << "title folders are made only when used";
    EXPECT_FALSE(d.DebugMode || d.CompanionPresent || d.Combinable);
    EXPECT_TRUE(d.Separate);
    EXPECT_EQ(d.PlusPath, "");
    EXPECT_FALSE(log.Enabled);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(DataSources(d), std::vector<TDataSource>{Archive(exe + "dat.gdp")});

    Touch(exe + "patch.gdp");
    EXPECT_EQ(DataSources(d), (std::vector<TDataSource>{Archive(exe + "dat.gdp"), Archive(exe + "patch.gdp")}));
}

TEST_F(DataLocationsTest, BothArchivesBesideTheProgramStartCombined) {
    Touch(exe + "dat.gdp");
    Touch(exe + "plus.gdp");
    Touch(exe + "patch2.gdp");
    const TDataLocations d = Run();
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦プラス"));
    EXPECT_EQ(d.CombinedSaveFolder, d.SaveFolder);
    EXPECT_TRUE(fs::is_directory(d.SaveFolder));
    EXPECT_FALSE(d.Separate);
    EXPECT_TRUE(d.Combinable && d.CompanionPresent);
    EXPECT_FALSE(d.DebugMode);
    EXPECT_EQ(DataSources(d), (std::vector<TDataSource>{Archive(exe + "dat.gdp"), Archive(exe + "plus.gdp"),
                                                        Archive(exe + "patch2.gdp")}));
}

TEST_F(DataLocationsTest, CompanionBesideTheProgramFindsThisTitleThroughItsSettings) {
    const std::string other = temp / "elsewhere/";
    Touch(other + "dat.gdp");
    Touch(exe + "plus.gdp");
    // "Last" wins over "Path"; a folder without its trailing slash still works.
    WriteTextFile(UserDir("ヴァンドルの星砦タクティクス") + "Config.ini",
                  "[Path]\r\nPath=/nowhere/\r\nLast=" + other.substr(0, other.size() - 1) + "\r\n");

    TDataLocations d = Run();
    EXPECT_EQ(d.ThisInstallFolder, other);
    EXPECT_EQ(d.DatPath, other + "dat.gdp");
    EXPECT_EQ(d.PatchPath, other + "patch.gdp");
    EXPECT_TRUE(d.CompanionPresent && d.Combinable && d.Separate);
    EXPECT_EQ(d.SaveFolder, UserDir("星砦の灰羽"));
    EXPECT_TRUE(fs::is_directory(UserDir("ヴァンドルの星砦プラス")));
    EXPECT_EQ(DataSources(d), (std::vector<TDataSource>{Archive(other + "dat.gdp"), Archive(exe + "plus.gdp")}));

    // Once combined, the combined folder holds settings and later starts go there.
    WriteTextFile(UserDir("ヴァンドルの星砦プラス") + "Config.ini", "[Window]\r\nX=1\r\n");
    d = Run();
    EXPECT_FALSE(d.Separate);
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦プラス"));

    // The other install was removed: nothing to combine with.
    fs::remove(other + "dat.gdp");
    d = Run();
    EXPECT_FALSE(d.Combinable);
    EXPECT_TRUE(d.Separate);
    EXPECT_EQ(d.DatPath, "");
    EXPECT_EQ(d.SaveFolder, UserDir("星砦の灰羽"));
}

TEST_F(DataLocationsTest, ThisTitleFindsTheCompanionThroughPathWhenLastIsEmpty) {
    const std::string other = temp / "haneplus/";
    Touch(other + "plus.gdp");
    Touch(exe + "dat.gdp");
    WriteTextFile(UserDir("星砦の灰羽") + "Config.ini", "[path]\nlast=\npath=" + other + "\n");
    const TDataLocations d = Run();
    EXPECT_EQ(d.CompanionInstallFolder, other);
    EXPECT_EQ(d.PlusPath, other + "plus.gdp");
    EXPECT_EQ(d.Patch2Path, other + "patch2.gdp");
    EXPECT_TRUE(d.Combinable);
    EXPECT_FALSE(d.CompanionPresent) << "found through its settings the companion only makes the titles combinable";
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦タクティクス"));
}

TEST_F(DataLocationsTest, ScenarioFolderMeansDebugMode) {
    MakeFolder(exe + "scenario");
    TDataLocations d = Run();
    EXPECT_TRUE(d.DebugMode);
    EXPECT_TRUE(log.Enabled);
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[0], TDebugLog::TimePrefix(1500) + "デバッグモード");
    EXPECT_EQ(log.Lines()[1], TDebugLog::TimePrefix(1500) + "ヴァンドル");
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦タクティクス"));
    EXPECT_FALSE(d.CompanionPresent);
    EXPECT_EQ(DataSources(d),
              (std::vector<TDataSource>{Folder(exe + "scenario/"), Folder(exe + "image/"), Folder(exe + "fgimage/"),
                                        Folder(exe + "bgimage/"), Folder(exe + "sound/"), Folder(exe + "bgm/"),
                                        Folder(exe + "patch/")}));

    MakeFolder(exe + "plus");
    log.Enabled = true;
    d = Run();
    EXPECT_EQ(log.Lines().back(), TDebugLog::TimePrefix(1500) + "灰羽プラス");
    EXPECT_TRUE(d.DebugMode && d.CompanionPresent);
    EXPECT_EQ(d.SaveFolder, UserDir("星砦の灰羽"));
    const std::vector<TDataSource> sources = DataSources(d);
    ASSERT_EQ(sources.size(), 8u);
    EXPECT_EQ(sources[6], Folder(exe + "plus/"));
    EXPECT_EQ(sources[7], Folder(exe + "patch/"));
}

TEST_F(DataLocationsTest, CombinedWhileDevelopingTheCompanionUsesThisTitlesLooseFolders) {
    const std::string other = temp / "vandor-dev/";
    MakeFolder(other + "scenario");
    MakeFolder(exe + "scenario");
    MakeFolder(exe + "plus");
    WriteTextFile(UserDir("ヴァンドルの星砦タクティクス") + "Config.ini", "[Path]\nLast=" + other + "\n");
    TDataLocations d = Run();
    EXPECT_TRUE(d.Combinable);
    EXPECT_TRUE(d.Separate) << "debug mode never starts combined on its own";

    d.Separate = false;  // the player chose to combine
    const std::vector<TDataSource> sources = DataSources(d);
    ASSERT_EQ(sources.size(), 15u);
    EXPECT_EQ(sources[0], Folder(other + "scenario/"));
    EXPECT_EQ(sources[6], Folder(other + "patch/"));
    EXPECT_EQ(sources[7], Folder(exe + "scenario/"));

    Touch(other + "dat.gdp");
    d = Run();
    d.Separate = false;
    EXPECT_EQ(DataSources(d).front(), Archive(other + "dat.gdp"));
    EXPECT_EQ(DataSources(d).size(), 9u) << "the archive replaces the loose folders";
}

TEST_F(DataLocationsTest, NoDataAnywhereRunsInDebugModeWithThisTitlesFolder) {
    const TDataLocations d = Run();
    EXPECT_TRUE(d.DebugMode);
    EXPECT_TRUE(log.Enabled);
    EXPECT_EQ(d.SaveFolder, UserDir("ヴァンドルの星砦タクティクス"));
    EXPECT_TRUE(fs::is_directory(d.SaveFolder));
    EXPECT_EQ(d.DatPath, "");
    EXPECT_EQ(d.PlusPath, "");
    for (const TDataSource& source : DataSources(d)) EXPECT_FALSE(source.IsArchive) << source.Path;
    EXPECT_TRUE(fs::is_directory(documents + "クイルフェン"));
    EXPECT_FALSE(fs::exists(UserDir("星砦の灰羽")));
}

TEST(DataLocationsPlatformTest, DocumentsAndProgramFolders) {
    TTempFolder temp;
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_DATA_HOME", (temp / "data").c_str(), 1);
    EXPECT_EQ(DocumentsFolder(), temp / "data/");
    setenv("XDG_DATA_HOME", "relative/path", 1);
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        std::string expected = home;
        if (expected.back() != '/') expected += '/';
        EXPECT_EQ(DocumentsFolder(), expected + ".local/share/");
    }
    if (saved) {
        setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }

    const std::string folder = ExeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::is_regular_file(folder + "vandor_shell_tests"));
}

}  // namespace
}  // namespace vandor

#pragma once
// A battle on a temporary data folder: the test writes map, wave and picture files,
// the battle reads them through the game's own caches and plays sound on the headless
// device. Without sound files no voice plays, so a voice never holds a caption.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "BattlePictures.h"
#include "TempFolder.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "resources/PictureCodec.h"
#include "sound/SoundPlayer.h"

namespace vandor::test {

// The keys of enemy i of wave 0: start cell, durability, pace, time and reward.
inline std::string EnemyLines(int i, int x, int y, int hp, int pace = 1, int time = 0, int reward = 1) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "E_00_%.2d_PX=%d\nE_00_%.2d_PY=%d\nE_00_%.2d_HP=%d\nE_00_%.2d_SP=%d\n"
                  "E_00_%.2d_TM=%d\nE_00_%.2d_MN=%d\n",
                  i, x, i, y, i, hp, i, pace, i, time, i, reward);
    return text;
}

inline void SavePicture(const std::string& path, int width, int height) {
    ASSERT_TRUE(SaveGreyPicture(path, width, height));
}

// The data folder and the file lookup on it, made before the battle: `prepare` writes
// the files the battle reads when it is made (its field and button pictures).
class TBattleFolder {
protected:
    explicit TBattleFolder(void (*prepare)(const TTempFolder&)) {
        if (prepare) prepare(Folder);
        Files.AddFolder(Folder.Folder());
    }

    TTempFolder Folder;
    TFileCache Files{nullptr};
};

class BattleTest : public ::testing::Test, protected TBattleFolder {
protected:
    BattleTest() : BattleTest(nullptr) {}
    explicit BattleTest(void (*prepare)(const TTempFolder&)) : TBattleFolder(prepare) { Game.Campaign = &Dat; }

    void Write(const std::string& name, const std::string& text) { WriteTextFile(Folder / name, text); }
    void Picture(const std::string& name, int width, int height) { SavePicture(Folder / name, width, height); }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) Game.Update(20);
    }
    // StartBattle and the ten frames of the area title.
    void Start(int area = 1, int32_t strength = 0) {
        Game.StartBattle(area, strength);
        Frames(10);
    }
    // A battle whose wave 0 holds `count` enemies described by EnemyLines; each area
    // has its own file, since the file cache keeps what it read once.
    void Load(int count, const std::string& enemies, int area = 1) {
        char name[16];
        std::snprintf(name, sizeof name, "bt%.2d-00.txt", area);
        Write(name, "WEC_00=" + std::to_string(count) + "\n" + enemies);
        Start(area);
    }
    // The start button, and the frame that the wave-start cut-in's missing voice takes.
    void Begin() {
        Game.StartWave();
        if (Game.VoiceChannel >= 0) Frames(1);
    }
    // Frames until the wave has run `tick` ticks; frames held by a caption run none.
    void RunTo(int tick) {
        for (int guard = 0; Game.Ticks < tick && guard < 100000; ++guard) Game.Update(20);
    }
    void NextTick() { RunTo(Game.Ticks + 1); }

    TSimulatedClock Clock;
    TAImageCache Images{Files, nullptr, TAImageCache::kDebugLimit};
    THeadlessWaveDevice Device{Clock};
    TSoundPlayer Sound{Device, &Files};
    std::mt19937 Random{20240611};
    TQTDGame Game{TBattleServices{Images, Files, Sound, Random}};
    TQTDGameDat Dat{Game.Store()};  // freed before the battle that owns its store
};

}  // namespace vandor::test

#pragma once
// A real scenario engine on a temporary data folder: scripts, pictures and sounds
// are written by the test, read through the game's own caches, and the sound player
// runs on the headless device.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "PageText.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "resources/PictureCodec.h"
#include "resources/ScriptCache.h"
#include "scenario/NovelGame.h"
#include "sound/OggTone.h"
#include "sound/SoundPlayer.h"
#include "util/DebugLog.h"

namespace vandor::testing {

class ScenarioTest : public ::testing::Test {
protected:
    ScenarioTest()
        : Dir(std::filesystem::temp_directory_path() /
              ("vandor_scenario_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
        Files.AddFolder(Dir.string() + "/");
    }
    ~ScenarioTest() override {
        Game.reset();
        std::filesystem::remove_all(Dir);
    }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream out(Dir / name, std::ios::binary);
        out << bytes;
    }
    // Scripts are written as UTF-8 text, lines separated by "\n".
    void WriteScript(const std::string& name, const std::string& text) { WriteFile(name, text); }
    void MakePicture(const std::string& name, int width, int height, TColor32 colour = 0xFF808080) {
        TBitmap32 picture(width, height);
        picture.Clear(colour);
        ASSERT_TRUE(SavePng(picture, (Dir / name).string()));
    }
    void MakeSound(const std::string& name, int milliseconds = 300, int channels = 2) {
        const TBytes bytes = test::MakeToneOgg(channels, milliseconds);
        WriteFile(name, std::string(bytes.begin(), bytes.end()));
    }
    // Creates the engine on the start script and lets it run its first frame.
    void Start(const std::string& script = "first.txt", int firstFrame = 20) {
        Game = std::make_unique<TNovelGame>(script, TNovelServices{Scripts, Images, Renderer, Sound, &Log});
        Game->TextSpeed = 0;
        if (firstFrame > 0) Game->Update(firstFrame);
    }
    void Frames(int count, int elapsed = 20) {
        for (int i = 0; i < count; ++i) Game->Update(elapsed);
    }
    // A left click as the player makes it: press and release at a point.
    void Click(int x = 400, int y = 300) {
        Game->MouseDown(TMouseButton::mbLeft, 0, x, y);
        Game->MouseUp(TMouseButton::mbLeft, 0, x, y);
    }
    bool LogHas(const std::string& text) const {
        for (const std::string& line : Log.Lines()) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }
    // The text the message window holds on its current page.
    std::string PageText() { return test::PageText(Game->Store()); }

    std::filesystem::path Dir;
    TSimulatedClock Clock;
    TDebugLog Log{(Dir / "debug.txt").string(), Clock};
    TFileCache Files{&Log};
    TScriptCache Scripts{Files, 2097152};
    TAImageCache Images{Files, &Log, 33554432};
    THeadlessWaveDevice Device{Clock};
    TSoundPlayer Sound{Device, &Files, &Log};
    TRTextRender Renderer;
    std::unique_ptr<TNovelGame> Game;
};

}  // namespace vandor::testing

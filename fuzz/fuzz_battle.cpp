// Arbitrary bytes as a battle's map and wave files: a whole battle plays on them
// without crashing, reading out of bounds or losing count of its enemies.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/FileCache.h"
#include "resources/ImageCache.h"
#include "sound/SoundPlayer.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("vandor-fuzz-battle-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    return folder;
}

void Write(const std::string& name, std::string_view bytes) {
    std::ofstream(Folder() + name, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vandor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    Write("st01.txt", bytes.substr(0, split));
    Write("bt00-00.txt", split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1));

    // One battle object plays every input, as the game's one battle plays every battle
    // of a campaign; the file cache forgets the last input's files.
    static TSimulatedClock clock;
    static THeadlessWaveDevice device(clock);
    static TFileCache files(nullptr);
    static TAImageCache images(files, nullptr, 1 << 20);
    static TSoundPlayer sound(device, &files);
    static std::mt19937 random(1);
    static TQTDGame battle({images, files, sound, random});
    static TQTDGameDat campaign(battle.Store());
    battle.Campaign = &campaign;
    files.RemoveSources();
    files.AddFolder(Folder());

    battle.StartBattle(1);
    for (int wave = 0; wave < 3 && !battle.Lost() && battle.WaveIndex < battle.WaveCount; ++wave) {
        battle.CaptionTimer = -1;
        battle.StartWave();
        battle.Speed = TQTDGame::kFastSpeed;
        for (int frame = 0; frame < 8 && !battle.Prep; ++frame) {
            battle.VoiceChannel = -1;
            battle.Update(20);
            if (battle.EnemiesLeft() < 0 || battle.EnemiesLeft() > 250 + TQTDGame::kMaxEnemies) __builtin_trap();
        }
    }
    return 0;
}

// demodata: makes the bundled demo's content. Reads the plain-text scripts of
// DATA_DIR/scenario and writes the loose data folders the game reads in debug mode:
//
//   demodata DATA_DIR OUT_DIR              this title's demo
//   demodata --companion DATA_DIR OUT_DIR  the companion title's demo (no fgimage, no icons)
//
// OUT_DIR/scenario  the scripts, copied, the ones made from the item table, and the
//                   battles' maps and wave tables
// OUT_DIR/bgimage   backgrounds             OUT_DIR/fgimage  standing and face pictures
// OUT_DIR/image     title, buttons, frames  OUT_DIR/bgm      looping music
//                   and the battle's pictures
// OUT_DIR/sound     effects and voices
// OUT_DIR/icons     the game's desktop icon, one NxN.png per size (not game data: the
//                   build installs it beside the program and into the icon theme)
//
// Everything is drawn and synthesised here from fixed seeds, so the same inputs give
// the same bytes. The folders are emptied first: a picture dropped from the generator
// must not live on in them (and in the archive packed from them).

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <vector>

#include "Battle.h"
#include "BattleData.h"
#include "BattleSounds.h"
#include "Campaign.h"
#include "CampaignScripts.h"
#include "Characters.h"
#include "Companion.h"
#include "HowTo.h"
#include "Icon.h"
#include "Interface.h"
#include "Music.h"
#include "ReportScripts.h"
#include "SoundEffects.h"
#include "resources/PictureCodec.h"
#include "sound/OggEncoder.h"
#include "util/AtomicFile.h"

namespace fs = std::filesystem;
using namespace vandor;
using namespace vandor::demo;

namespace {

const std::vector<const char*> kFolders = {"scenario", "bgimage", "fgimage", "image", "bgm", "sound", "icons", "lang"};
const std::vector<const char*> kCompanionFolders = {"scenario", "bgimage", "image", "bgm", "sound"};

void Write(const fs::path& path, std::string_view bytes) {
    if (!WriteFileAtomically(path.string(), bytes)) throw std::runtime_error("cannot write \"" + path.string() + "\"");
}

void Write(const fs::path& path, const TBytes& bytes) {
    Write(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int CopyScripts(const fs::path& from, const fs::path& to) {
    if (!fs::is_directory(from)) throw std::runtime_error("no script folder \"" + from.string() + "\"");
    std::vector<fs::path> scripts;
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    for (const fs::path& script : scripts) {
        std::ifstream in(script, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) throw std::runtime_error("cannot read \"" + script.string() + "\"");
        Write(to / script.filename(), text.str());
    }
    return static_cast<int>(scripts.size());
}

void WriteTexts(const std::vector<TTextFile>& files, const fs::path& folder) {
    for (const TTextFile& file : files) Write(folder / file.Name, file.Text);
}

void WritePictures(const std::vector<TPicture>& pictures, const fs::path& folder, TPngAlpha alpha) {
    for (const TPicture& picture : pictures) {
        const TBytes png = EncodePng(picture.Bitmap, alpha);
        if (png.empty()) throw std::runtime_error("cannot encode " + picture.Name);
        Write(folder / picture.Name, png);
    }
}

void WriteSounds(const std::vector<TPiece>& pieces, const fs::path& folder, float quality) {
    for (const TPiece& piece : pieces) {
        const std::vector<int16_t> pcm = ToPcm(piece.Sound);
        Write(folder / piece.Name, EncodeOgg(1, pcm, quality));
    }
}

void WriteThisTitle(const fs::path& data, const fs::path& out) {
    // The English pictures name areas as the English catalogue beside the demos does.
    const TCatalogue english = TCatalogue::FromFile((data / ".." / "lang" / "en.po").string());
    WriteTexts(MakeBattleMaps(), out / "scenario");
    WriteTexts(MakeWaveTables(), out / "scenario");
    WriteTexts(MakeCampaignScripts(), out / "scenario");
    WriteTexts(MakeReportScripts(), out / "scenario");
    WriteTexts({MakeBriefings()}, out / "scenario");
    WritePictures(MakeBackgrounds(), out / "bgimage", TPngAlpha::Opaque);
    WritePictures(MakeCampaignBackgrounds(kJapaneseCampaignWords), out / "bgimage", TPngAlpha::Opaque);
    WritePictures(MakeCharacters(), out / "fgimage", TPngAlpha::Keep);
    WritePictures(MakeInterface(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeHowToPages(), out / "bgimage", TPngAlpha::Opaque);
    fs::create_directories(out / "lang" / "en");
    WritePictures(MakeEnglishInterface(), out / "lang" / "en", TPngAlpha::Keep);
    WritePictures(MakeEnglishHowToPages(), out / "lang" / "en", TPngAlpha::Opaque);
    WritePictures(MakeEnglishBattleInterface(english), out / "lang" / "en", TPngAlpha::Keep);
    WritePictures(MakeEnglishCampaignButtons(), out / "lang" / "en", TPngAlpha::Keep);
    WritePictures(MakeCampaignBackgrounds(kEnglishCampaignWords), out / "lang" / "en", TPngAlpha::Opaque);
    // lang/ lies beside the one program both titles run on: the companion's words go there too.
    WritePictures(MakeEnglishCompanionButtons(), out / "lang" / "en", TPngAlpha::Keep);
    WritePictures(MakeBattleField(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeObstacles(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeTowers(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeEnemies(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeBattleInterface(), out / "image", TPngAlpha::Keep);
    WritePictures(MakePortraits(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeHeroineButtons(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeCampaignButtons(), out / "image", TPngAlpha::Keep);
    WritePictures(MakeIcons(), out / "icons", TPngAlpha::Keep);
    WriteSounds(MakeEffects(), out / "sound", 0.3f);
    WriteSounds(MakeBattleEffects(), out / "sound", 0.3f);
    WriteSounds(MakeVoices(), out / "sound", 0.3f);
}

void WriteCompanion(const fs::path& out) {
    WritePictures(MakeCompanionBackgrounds(), out / "bgimage", TPngAlpha::Opaque);
    WritePictures(MakeCompanionInterface(), out / "image", TPngAlpha::Keep);
    WriteSounds(MakeCompanionSounds(), out / "sound", 0.3f);
}

void Generate(const fs::path& data, const fs::path& out, bool companion) {
    for (const char* folder : companion ? kCompanionFolders : kFolders) {
        fs::remove_all(out / folder);
        fs::create_directories(out / folder);
    }
    const int scripts = CopyScripts(data / "scenario", out / "scenario");

    // The music, the costliest part to encode, is made beside everything else (the
    // text renderer the pictures use is not shared across threads, so they stay here).
    std::exception_ptr musicError;
    std::thread music([&] {
        try {
            WriteSounds(companion ? MakeCompanionMusic() : MakeMusic(), out / "bgm", 0.3f);
        } catch (...) {
            musicError = std::current_exception();
        }
    });
    std::exception_ptr error;
    try {
        if (companion) {
            WriteCompanion(out);
        } else {
            WriteThisTitle(data, out);
        }
    } catch (...) {
        error = std::current_exception();
    }
    music.join();
    if (error) std::rethrow_exception(error);
    if (musicError) std::rethrow_exception(musicError);
    std::cout << "demodata: " << scripts << " scripts, the battle data and the pictures and sounds written to "
              << out.string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    const bool companion = argc == 4 && std::string_view(argv[1]) == "--companion";
    if (argc != 3 && !companion) {
        std::cerr << "usage: demodata [--companion] DATA_DIR OUT_DIR\n"
                     "reads DATA_DIR/scenario/*.txt and writes the demo's loose data folders into OUT_DIR\n"
                     "(--companion: the companion title's demo)\n";
        return 2;
    }
    try {
        Generate(argv[argc - 2], argv[argc - 1], companion);
    } catch (const std::exception& error) {
        std::cerr << "demodata: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

#pragma once
// A small game written into a scratch folder by a test, and the lint's findings on it
// as the lines `vandor --lint` prints.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "lint/GameLint.h"
#include "resources/FileCache.h"
#include "resources/PictureCodec.h"
#include "sound/OggEncoder.h"

namespace vandor::test {

class GameLintTest : public ::testing::Test {
protected:
    void Write(const std::string& name, const std::string& text) { WriteTextFile(Folder / name, text); }
    void WritePicture(const std::string& name, int width = 8, int height = 8) {
        TBitmap32 picture(width, height);
        picture.Clear(0xFF808080);
        ASSERT_TRUE(SavePng(picture, Folder / name));
    }
    void WriteSound(const std::string& name) {
        const std::vector<int16_t> silence(4410, 0);
        const TBytes bytes = EncodeOgg(1, silence);
        WriteTextFile(Folder / name, std::string(bytes.begin(), bytes.end()));
    }

    std::vector<std::string> Lint() {
        Files.AddFolder(Folder.Folder());
        TGameLint lint(Files);
        lint.Run();
        std::vector<std::string> lines;
        for (const TLintFinding& finding : lint.Findings()) lines.push_back(FormatFinding(finding));
        HasErrors = lint.HasErrors();
        Searched = lint.SearchedSources();
        return lines;
    }

    TTempFolder Folder;
    TFileCache Files{nullptr};
    bool HasErrors = false;
    std::vector<std::string> Searched;
};

}  // namespace vandor::test

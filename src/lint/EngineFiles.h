#pragma once
// The files the engine itself asks for, by the feature that asks: the battle's
// pictures, sounds, voices and music, and the fonts of the story, the campaign's
// screens and the battle. docs/engine-files.md shows the same table to authors (a
// test keeps the two alike); the lint checks a battle's files from it.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vandor {

enum class TEngineFileUse {
    Battle,         // every battle
    BattleArea,     // every battle of an area: the name holds the area's number or name
    BattleEnemy,    // the enemies a wave table sends: the name holds the picture number
    BattleHeroine,  // only while heroines lead towers or the base
    Fonts,          // a font name, not a file
};

struct TEngineFile {
    TEngineFileUse Use;
    // A file name; with a "%" in it, a pattern for the numbers First..Last ("%.2d" in
    // two digits) or, for "%s", an area's name.
    std::string_view Name;
    int First = 0;
    int Last = 0;
    std::string_view Kind;  // picture, sound, voice, music or font
    std::string_view Form;  // its size and frames, and what it is for
};

std::span<const TEngineFile> EngineFiles();

// The names a row stands for in a battle of `area` (1..14): the row's name, its
// pattern for each of its numbers, or for a row of the area the area's file.
std::vector<std::string> EngineFileNames(const TEngineFile& file, int area);

}  // namespace vandor

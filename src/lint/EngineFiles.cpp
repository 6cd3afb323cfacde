#include "lint/EngineFiles.h"

#include "campaign/WorldNames.h"
#include "util/Format.h"

namespace vandor {
namespace {

using enum TEngineFileUse;

// Sizes are those the battle cuts frames at; a picture may be larger where only its
// first frames are read. Buttons hold three frames stacked: normal, under the
// pointer, pressed.
constexpr TEngineFile kEngineFiles[] = {
    {Battle, "bgi戦闘.png", 0, 0, "picture", "800 × 600, behind the field"},
    {Battle, "地面.png", 0, 0, "picture",
     "frames of 32 × 16 in one row: column g (32 g) is the ground of the area (areas 1, 2, 8, 9: 4; 3: 5; "
     "4–6: 6; 7: 7; 10, 11: 8; 12: 9; 13: 11; 14: 10), column 2 the marker of cells where a tower would block "
     "the way, and (0, 0)–(32, 17) the frame round the cell under the pointer; 384 × 17 at least"},
    {Battle, "城.png", 0, 0, "picture", "the base on cell (0, 0): frame (0, 0)–(48, 46)"},
    {Battle, "城壁.png", 0, 0, "picture",
     "the eight walls round the base, 192 × 32: x 64–96, 96–128, 128–160, 160–192 for the walls on "
     "(−1, 0), (0, 1), (1, 0), (0, −1); x 4–28 for (1, −1) and (−1, 1), 32–56 for (−1, −1), 40–64 for (1, 1)"},
    {Battle, "マップチップ.png", 0, 0, "picture",
     "the map's obstacles: tiles of 32 × 32, 16 to a row; tile n at column n mod 16, row n div 16"},
    {Battle, "塔%d.png", 1, 8, "picture", "the built tower of type t, standing on its cell"},
    {Battle, "btn塔%d.png", 1, 8, "picture",
     "build button of type t, three frames of 48 × 48 stacked (48 × 144), at x = 48 × ((t + 7) mod 4), "
     "y = 504 + 48 × ((t − 1) div 4)"},
    {Battle, "btn戦闘開始.png", 0, 0, "picture", "start button, three frames stacked, at (671, 504)"},
    {Battle, "btn高速モード.png", 0, 0, "picture", "fast-mode button, three frames stacked, at (671, 536)"},
    {Battle, "btn一時停止.png", 0, 0, "picture", "pause button, three frames stacked, at (671, 568)"},
    {Battle, "btn汎用.png", 0, 0, "picture",
     "the tower pop-up's three buttons (raise, cancel, remove), three frames stacked"},
    {Battle, "frm戦場.png", 0, 0, "picture", "frame of the status panel, its top right corner at (800, 0)"},
    {Battle, "frm耐久ゲージ.png", 0, 0, "picture",
     "the base's durability gauge at (364, 485), cut to the share of durability left"},
    {Battle, "frmメニュー.png", 0, 0, "picture", "frame of the tower pop-up (its panel is 142 × 94)"},
    {Battle, "弾丸.png", 0, 0, "picture",
     "shots, 32 × 32: (0, 16)–(16, 32) the shot of the base and type 7 with its trail (8, 8)–(16, 16), "
     "(16, 16)–(32, 32) type 8 with (16, 8)–(24, 16), (0, 8)–(8, 16) the stone of type 4"},
    {Battle, "ci殲滅.png", 0, 0, "picture",
     "caption of a cleared wave; captions slide in from the right to y = (600 − height) × 3 / 8"},
    {Battle, "ci撃破.png", 0, 0, "picture", "caption of a won battle"},
    {Battle, "ci敗北.png", 0, 0, "picture", "caption of a lost battle"},
    {Battle, "bgm003.ogg", 0, 0, "music", "played, looping, while a battle runs"},
    {Battle, "bgm012.ogg", 0, 0, "music", "once after a cleared wave, then the battle music goes on"},
    {Battle, "bgm013.ogg", 0, 0, "music", "once when the battle is won"},
    {Battle, "bgm014.ogg", 0, 0, "music", "once when the battle is lost"},
    {Battle, "cv001-sys-0%d.ogg", 29, 30, "voice", "029 when the battle is won, 030 when it is lost"},
    {Battle, "se-b-09.ogg", 0, 0, "sound", "a tower built"},
    {Battle, "se-b-10.ogg", 0, 0, "sound", "a tower removed"},
    {Battle, "se-t-02.ogg", 0, 0, "sound", "a tower raised"},
    {Battle, "se-b-00.ogg", 0, 0, "sound", "an enemy falls"},
    {Battle, "se-b-01.ogg", 0, 0, "sound", "shot of types 1, 2 and 5"},
    {Battle, "se-b-03.ogg", 0, 0, "sound", "shot of type 3"},
    {Battle, "se-b-04.ogg", 0, 0, "sound", "shot of type 4"},
    {Battle, "se-b-07.ogg", 0, 0, "sound", "shot of the base and of types 7 and 8"},
    {BattleArea, "fi戦場%.2d.png", 1, 14, "picture",
     "the area's title, at (0, 0) at the start of its battles until a click or 10 frames"},
    {BattleArea, "btn%s.png", 0, 0, "picture",
     "the enemy's banner, frame (0, 0)–(139, 44) at (604, 4): btn + the area's name (area 1: + 国革命軍)"},
    {BattleEnemy, "敵ユニット%.2d.png", 1, 60, "picture",
     "enemy picture II of the wave table's E_WW_NN_ID: 3 columns × 8 rows of equal frames, a row per "
     "walking direction, the columns its steps"},
    {BattleHeroine, "マスター%.2d.png", 1, 8, "picture",
     "portrait of the heroine leading the type under the pointer, its bottom right corner at (670, 600)"},
    {BattleHeroine, "ci攻撃0.png", 0, 0, "picture", "cut-in of the base's heroine (heroine 1)"},
    {BattleHeroine, "ci攻撃0f.png", 0, 0, "picture", "the same while the route flag is set"},
    {BattleHeroine, "ci攻撃%d.png", 2, 5, "picture", "cut-in of the heroine leading tower type 2..5"},
    {BattleHeroine, "ci被撃%d.png", 1, 3, "picture", "the base hit: first hit, at 60 % and at 30 % durability"},
    {BattleHeroine, "cv00%d-sys-026.ogg", 1, 5, "voice", "heroine v's cut-in when a wave starts"},
    {BattleHeroine, "cv001-sys-0%d.ogg", 31, 40, "voice",
     "heroine 1: 031–035 her mid-wave cut-in, 036–040 the base hit"},
    {BattleHeroine, "cv002-sys-0%d.ogg", 31, 35, "voice", "heroine 2's mid-wave cut-in"},
    {BattleHeroine, "cv003-sys-0%d.ogg", 31, 35, "voice", "heroine 3's mid-wave cut-in"},
    {BattleHeroine, "cv004-sys-0%d.ogg", 31, 35, "voice", "heroine 4's mid-wave cut-in"},
    {BattleHeroine, "cv005-sys-0%d.ogg", 31, 35, "voice", "heroine 5's mid-wave cut-in"},
    {Fonts, "ＭＳ Ｐ明朝", 0, 0, "font", "the message window and the backlog until a script sets another"},
    {Fonts, "ＭＳ Ｐゴシック", 0, 0, "font", "the item list and the battle's panels"},
    {Fonts, "ＭＳ ゴシック", 0, 0, "font", "the status bar and the battle's panels"},
};

}  // namespace

std::span<const TEngineFile> EngineFiles() { return kEngineFiles; }

std::vector<std::string> EngineFileNames(const TEngineFile& file, int area) {
    if (file.Name.find('%') == std::string_view::npos) return {std::string(file.Name)};
    const std::string pattern(file.Name);
    if (file.Use == BattleArea) {
        return {pattern.find("%s") != std::string::npos ? AreaBannerName(area) : Format(pattern.c_str(), area)};
    }
    std::vector<std::string> names;
    for (int number = file.First; number <= file.Last; ++number) names.push_back(Format(pattern.c_str(), number));
    return names;
}

}  // namespace vandor

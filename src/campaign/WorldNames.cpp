#include "campaign/WorldNames.h"

#include <array>

namespace vandor {
namespace {

// Heroine h speaks on voice entry h, so these follow the order of the voice volumes.
constexpr std::array<const char*, 11> kHeroineNames{"",       "リゼット", "ミオ",     "ノエル", "セツナ", "カナエ",
                                                    "ヒバリ", "アマネ",   "ユズリハ", "ガルド", "ベルン"};

constexpr std::array<const char*, 15> kAreaNames{"",       "ヴァンドル", "霜の角", "暁の角",   "灯の角",
                                                 "宵の角", "崩れ角",     "霧の森", "銀の湖",   "風見ヶ丘",
                                                 "古鉱山", "白砂浜",     "灰の谷", "星見の塔", "霧の王城"};

template <std::size_t N>
const char* NameAt(const std::array<const char*, N>& names, int number) {
    return number >= 1 && number < static_cast<int>(N) ? names[static_cast<std::size_t>(number)] : "";
}

}  // namespace

const char* HeroineName(int heroine) { return NameAt(kHeroineNames, heroine); }

const char* AreaName(int area) { return NameAt(kAreaNames, area); }

std::string AreaButtonName(int area) { return std::string("btn") + AreaName(area) + ".png"; }

std::string AreaBannerName(int area) {
    if (area == 1) return std::string("btn") + AreaName(1) + "国革命軍.png";
    return AreaButtonName(area);
}

}  // namespace vandor

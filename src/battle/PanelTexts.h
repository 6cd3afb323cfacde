#pragma once
// The words and number formats the battle panels draw, named once so that the panels
// and the translation template list the very same texts.

#include <string_view>
#include <vector>

namespace vandor::panel_text {

// Formats, translated with their conversions kept (see GameFormat).
inline constexpr std::string_view kKeepingPeace = "治安維持戦 全%d波";
inline constexpr std::string_view kStronghold = "第%d要害戦 全%d波";
inline constexpr std::string_view kNextWave = "次回攻撃 第%d波";
inline constexpr std::string_view kComing = "敵%d体 %sより";
inline constexpr std::string_view kFighting = "現在 敵第%d波と戦闘中";
inline constexpr std::string_view kEnemiesLeft = "敵 のこり%d体";
inline constexpr std::string_view kTowerLevel = "%s Lv%d";

// Fixed words.
inline constexpr std::string_view kPreparing = "現在 戦闘準備中";
inline constexpr std::string_view kAffection = "純愛度";
inline constexpr std::string_view kTraining = "奴隷度";
inline constexpr std::string_view kDurability = "耐久";
inline constexpr std::string_view kStrengthen = "強化";
inline constexpr std::string_view kAttack = "攻撃";
inline constexpr std::string_view kPrice = "価格";
inline constexpr std::string_view kSpeed = "速度";
inline constexpr std::string_view kRange = "射程";
inline constexpr std::string_view kAreaAttack = "範囲攻撃";
inline constexpr std::string_view kLastingDamage = "持続ダメージ";
inline constexpr std::string_view kSlowingDamage = "速度ダメージ";
inline constexpr std::string_view kLevelUp = "レベルアップ";
inline constexpr std::string_view kCancel = "キャンセル";
inline constexpr std::string_view kRemove = "撤去";

// Every format above, and every fixed word with the wave directions.
std::vector<std::string_view> Formats();
std::vector<std::string_view> Words();

}  // namespace vandor::panel_text

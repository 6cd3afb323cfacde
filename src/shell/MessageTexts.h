#pragma once
// The texts of the game's message boxes and of the notices over the picture, named
// once so that they and the translation template list the very same texts. The window
// host and the notice show fixed texts in the chosen language; a text with a runtime
// part (a folder, a count) is a format, translated before the part goes in (see
// GameFormat).

#include <string_view>
#include <vector>

namespace vandor::message_text {

inline constexpr const char* kConfirm = "確認";
inline constexpr const char* kQuit = "終了しますか";
inline constexpr const char* kOverwrite = "上書きしますか";
inline constexpr const char* kSaveCaption = "セーブ";
inline constexpr const char* kSaveFailed = "セーブできませんでした。";
inline constexpr const char* kLoadCaption = "ロード";
inline constexpr const char* kUnreadableSave =
    "このセーブデータは読み込めません。\nファイルが見つからないか、壊れています。";
inline constexpr const char* kQuickLoad = "クイックセーブした時点に戻りますか？\n今の進行は失われます。";
inline constexpr const char* kReturnToTitle = "タイトルに戻りますか？";
inline constexpr const char* kLoadOverProgress = "ロードしますか？\nセーブしていない進行は失われます。";
inline constexpr const char* kCombine =
    "『ヴァンドルの星砦タクティクス』 と 『星砦の灰羽 増羽』 を結合し\n"
    "『ヴァンドルの星砦＋』 とします。\n"
    "\n"
    "結合後は両タイトルの全てのシナリオに加え\n"
    "結合特典シナリオがプレイ可能となりますが\n"
    "『星砦の灰羽 増羽』 単体でのプレイはできなくなります。\n"
    "\n"
    "結合してよろしいですか？";
inline constexpr const char* kOkButton = "&OK";
inline constexpr const char* kCancelButton = "キャンセル(&C)";
inline constexpr const char* kCopyCaption = "セーブデータのコピー";
inline constexpr const char* kCopyFailed = "セーブデータをコピーできませんでした。";
inline constexpr const char* kDamagedNotCopied = "壊れているためコピーしなかったファイル:";
inline constexpr const char* kSaveFolderCaption = "保存";
inline constexpr const char* kUnsavedSettings =
    "設定または既読情報を保存できませんでした。\n"
    "ディスクの空き容量を確認してください。";
inline constexpr const char* kLanguageCaption = "言語";
inline constexpr const char* kQuickSaved = "クイックセーブしました";
inline constexpr const char* kNoQuickSave = "クイックセーブがありません";
inline constexpr const char* kQuickLoaded = "クイックロードしました";
inline constexpr const char* kSaved = "セーブしました";
inline constexpr const char* kShotSaved = "スクリーンショットを保存しました";
inline constexpr const char* kShotFailed = "スクリーンショットを保存できませんでした";
// The quick menu's buttons, in their order on the message window, and the auto/skip mark.
inline constexpr const char* kButtonBackLog = "ログ";
inline constexpr const char* kButtonAuto = "オート";
inline constexpr const char* kButtonSkip = "スキップ";
inline constexpr const char* kButtonQSave = "Qセーブ";
inline constexpr const char* kButtonQLoad = "Qロード";
inline constexpr const char* kButtonMenu = "メニュー";
inline constexpr const char* kQuickMenuCaptions[] = {kButtonBackLog, kButtonAuto,  kButtonSkip,
                                                     kButtonQSave,   kButtonQLoad, kButtonMenu};
inline constexpr const char* kAutoRunning = "オートモード中";
inline constexpr const char* kSkipRunning = "スキップ中";

// Formats: %s a folder or a reason, %d a count.
inline constexpr const char* kWindowsSavesFound =
    "Windows版のセーブデータが見つかりました。\n%s\n\nセーブデータと既読情報をコピーしますか？\n"
    "(元のファイルはそのまま残ります)";
inline constexpr const char* kSavesCopied = "セーブデータを%d個コピーしました。";
inline constexpr const char* kSaveFolderNotice =
    "セーブフォルダに書き込めません。\n%s\n\n"
    "ゲームはこのまま続けられますが、セーブ、設定、既読情報は保存されません。";
inline constexpr const char* kDamagedCatalogue = "翻訳ファイルが壊れているため、原文で表示します。\n%s";

std::vector<std::string_view> Texts();
std::vector<std::string_view> Formats();

}  // namespace vandor::message_text

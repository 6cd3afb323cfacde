#include "shell/MessageTexts.h"

namespace vandor::message_text {

std::vector<std::string_view> Texts() {
    return {kConfirm,
            kQuit,
            kOverwrite,
            kSaveCaption,
            kSaveFailed,
            kLoadCaption,
            kUnreadableSave,
            kQuickLoad,
            kCombine,
            kOkButton,
            kCancelButton,
            kCopyCaption,
            kCopyFailed,
            kDamagedNotCopied,
            kSaveFolderCaption,
            kUnsavedSettings,
            kLanguageCaption,
            kQuickSaved,
            kNoQuickSave,
            kQuickLoaded,
            kShotSaved,
            kShotFailed,
            kReturnToTitle,
            kLoadOverProgress,
            kSaved,
            kButtonBackLog,
            kButtonAuto,
            kButtonSkip,
            kButtonQSave,
            kButtonQLoad,
            kButtonMenu,
            kAutoRunning,
            kSkipRunning};
}

std::vector<std::string_view> Formats() {
    return {kWindowsSavesFound, kSavesCopied, kSaveFolderNotice, kDamagedCatalogue};
}

}  // namespace vandor::message_text

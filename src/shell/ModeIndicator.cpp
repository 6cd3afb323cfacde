#include "shell/ModeIndicator.h"

#include "i18n/GameText.h"
#include "shell/MessageTexts.h"
#include "shell/PictureLayout.h"

namespace vandor {
namespace {

constexpr int kMargin = 12;
constexpr int kPaddingX = 8;
constexpr int kPaddingY = 3;
constexpr TColor32 kBackground = 0xA0000000;
constexpr TColor32 kAutoColour = 0xFF80E0FF;
constexpr TColor32 kSkipColour = 0xFFFFD040;

}  // namespace

bool TModeIndicator::Update(TStoryMode mode) {
    // Called every frame: the words are looked up again only for another mode or language.
    std::shared_ptr<const TCatalogue> language = mode == TStoryMode::None ? nullptr : GameTextCatalogue();
    if (mode == Mode_ && language == Language_) return false;
    Mode_ = mode;
    Language_ = std::move(language);
    Text_ = mode == TStoryMode::Auto   ? GameText(message_text::kAutoRunning)
            : mode == TStoryMode::Skip ? GameText(message_text::kSkipRunning)
                                       : std::string();
    if (Visible()) {
        Label_.Font.Height = -14;
        Label_.Font.Bold = true;
        const TSize extent = Label_.TextExtent(Text_);
        Label_.SetSize(extent.Width + 2 * kPaddingX, extent.Height + 2 * kPaddingY);
        Label_.Clear(kBackground);
        Label_.DrawText(kPaddingX, kPaddingY, Text_, 0, mode == TStoryMode::Auto ? kAutoColour : kSkipColour);
        Label_.SetDrawMode(TDrawMode::dmBlend);
    }
    return true;
}

TRect TModeIndicator::Rect() const {
    if (!Visible()) return {};
    return MakeRect(TPictureLayout::kPictureWidth - kMargin - Label_.Width(), kMargin, Label_.Width(), Label_.Height());
}

void TModeIndicator::DrawOn(TBitmap32& picture) const {
    if (!Visible()) return;
    const TRect rect = Rect();
    picture.DrawAt(rect.Left, rect.Top, Label_);
}

}  // namespace vandor

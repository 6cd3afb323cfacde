// Text appearing in the message window redraws only the characters' cells, and the
// picture stays exactly what a redraw of everything gives.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "compositor/ChangedAreaCheck.h"
#include "compositor/LayerList.h"
#include "text/LayerMessage.h"
#include "util/Encoding.h"

namespace vandor {
namespace {

using testing::CheckedFrame;

class MessageChangedArea : public ::testing::Test {
protected:
    MessageChangedArea() {
        std::mt19937 random{30};
        auto back = std::make_unique<TBitmap32>(320, 240);
        for (int i = 0; i < back->Width() * back->Height(); ++i) back->Bits()[i] = random() | 0xFF000000u;
        list.AddBitmap(std::move(back), 0, 0, 100, kAnchorTopLeft);
        auto frame = std::make_unique<TBitmap32>(300, 110);
        frame->FillRect(frame->BoundsRect(), 0x80203060u);
        frame->SetDrawMode(TDrawMode::dmBlend);
        list.AddBitmap(std::move(frame), 10, 120, 81, kAnchorTopLeft);
        message = &list.Add(std::make_unique<TLayerMessage>(store, renderer));
        message->SetBitmapSize(300, 110);
        message->Surface().Font.Name = "ＭＳ ゴシック";
        message->Surface().Font.Height = 20;
        message->LineHeight = 24;
        message->Position.SetAnchor(kAnchorTopLeft);
        message->SetPosition(10, 120, 80);
        message->Clear();
        list.Render(0);
        list.Dirty.Clear();
    }

    // Writes `text` as the engine does, one character a frame, checking every frame.
    void WriteChecked(const std::string& text) {
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t start = pos;
            NextCodePoint(text, pos);
            message->AddChar(std::string_view(text).substr(start, pos - start), std::string_view(text).substr(pos));
            const TRect dirty = CheckedFrame(list, 16, frames++);
            if (::testing::Test::HasFailure()) return;
            if (dirty.IsEmpty()) continue;  // a space that broke the line shows nothing
            const TRect window = message->DstRect();
            EXPECT_EQ(Intersect(dirty, window), dirty) << "frame " << frames;
            EXPECT_LT(dirty.Width() * dirty.Height() * 8, window.Width() * window.Height())
                << "more than a character's cell redrawn, frame " << frames;
            ++cells;
        }
    }

    TNGText store{4096};
    TRTextRender renderer;
    TLayerList list{320, 240};
    TLayerMessage* message = nullptr;
    int frames = 0;
    int cells = 0;
};

TEST_F(MessageChangedArea, CharactersRedrawOnlyTheirCellsWithShadowsBreaksAndHangingPunctuation) {
    // Anti-aliased with its wide shadow, then the plain one; brackets indent, closing
    // punctuation hangs past the limit, words in spaced scripts move down whole.
    WriteChecked("「星の砦に夜が来る。見張りの灯が一つずつともり、風が城壁をなでていく。」");
    ASSERT_FALSE(HasFailure());
    EXPECT_GE(cells, 30);

    // A new page clears all of the window.
    message->Clear();
    EXPECT_EQ(CheckedFrame(list, 16, frames++), message->DstRect());
    message->AntiAlias = false;
    WriteChecked("The lamps of the watch are lit, one by one, gW!");
    EXPECT_GE(cells, 60);
}

}  // namespace
}  // namespace vandor

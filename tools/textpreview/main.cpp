// Developer program, not part of the game: renders the text machinery to PNG files so
// that a change to fonts, line breaking or the renderer can be judged by eye.
//
//   textpreview OUTPUT_FOLDER
//
// Writes message.png (a page with hanging punctuation and a bracket indent, with and
// without anti-aliasing), frames.png (the three frames of a choice label and of a
// picture button, side by side) and backlog.png (a backlog page over a stage).

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "compositor/LayerButton.h"
#include "compositor/LayerList.h"
#include "resources/PictureCodec.h"
#include "text/LayerBackLog.h"
#include "text/LayerLabel.h"
#include "text/LayerMessage.h"
#include "util/Encoding.h"

namespace {

using namespace vandor;

void Write(TLayerMessage& message, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        NextCodePoint(text, pos);
        // As the engine does: the rest of the line tells how long a word starting here is.
        message.AddChar(text.substr(start, pos - start), text.substr(pos));
    }
    message.NewLine();
}

// Writes text up to the first place where the next character would cross the limit and
// puts a "。" there, which may not start a line and so hangs into the margin.
void WriteWithHangingStop(TLayerMessage& message, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        NextCodePoint(text, pos);
        const std::string_view character = text.substr(start, pos - start);
        if (message.X + message.Advance(character) > message.Limit()) {
            message.AddChar("。");
            break;
        }
        message.AddChar(character);
    }
    message.NewLine();
}

std::unique_ptr<TBitmap32> Gradient(int width, int height) {
    auto picture = std::make_unique<TBitmap32>(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            *picture->PixelPtr(x, y) = 0xFF000000u | static_cast<TColor32>((40 + y * 80 / height) << 16) |
                                       static_cast<TColor32>((60 + x * 90 / width) << 8) | 140u;
        }
    }
    return picture;
}

// A translucent message frame with a light border.
std::unique_ptr<TBitmap32> MessageFrame(int width, int height) {
    auto frame = std::make_unique<TBitmap32>(width, height);
    frame->Clear(0xA0101830);
    frame->FrameRect(frame->BoundsRect(), 0xFFB0C0E0);
    frame->SetDrawMode(TDrawMode::dmBlend);
    return frame;
}

TLayerMessage& AddMessageWindow(TLayerList& list, TNGText& store, TRTextRender& renderer, int y, bool antiAlias) {
    list.AddBitmap(MessageFrame(800, 140), 0, y, 90, kAnchorTopLeft);
    auto window = std::make_unique<TLayerMessage>(store, renderer);
    window->SetBitmapSize(800, 140);
    window->Surface().Font.Name = "ＭＳ ゴシック";
    window->Surface().Font.Height = 22;
    window->AntiAlias = antiAlias;
    window->Position.SetAnchor(kAnchorTopLeft);
    window->SetPosition(0, y, 80);
    window->Clear();
    return list.Add(std::move(window));
}

// A three-frame button picture drawn in code: normal, hover (lighter), pressed (darker).
class ButtonPictures : public IPictureSource {
public:
    ButtonPictures() : Picture_(160, 3 * 40) {
        const TColor32 fills[3] = {0xFF304070, 0xFF5070B0, 0xFF203050};
        for (int frame = 0; frame < 3; ++frame) {
            const TRect rect{0, frame * 40, 160, (frame + 1) * 40};
            Picture_.FillRect(rect, fills[frame]);
            Picture_.FrameRect(rect, 0xFFE0E8FF);
            Picture_.Font = {"ＭＳ Ｐゴシック", 20, 0xFFFFFFFF, true};
            Picture_.DrawText(40 + (frame == 2 ? 1 : 0), rect.Top + 9 + (frame == 2 ? 1 : 0), "はじめる", 1,
                              0xFFFFFFFF);
        }
    }
    TBitmap32* GetImage(std::string_view) override { return &Picture_; }
    void Release(TBitmap32*) override {}

private:
    TBitmap32 Picture_;
};

bool Save(const TBitmap32& picture, const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name;
    if (!SavePng(picture, path, TPngAlpha::Opaque)) {
        std::fprintf(stderr, "textpreview: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

bool RenderMessage(const std::string& folder) {
    TNGText store(4096);
    TRTextRender renderer;
    TLayerList list(800, 600);
    list.AddBitmap(Gradient(800, 600), 0, 0, 10000, kAnchorTopLeft);
    TLayerMessage& smooth = AddMessageWindow(list, store, renderer, 160, true);
    WriteWithHangingStop(
        smooth, "朝霧の立ちこめる港町に一隻の古い帆船が静かに入ってきて甲板に立つ少女は遠くの灯台を見つめていた");
    Write(smooth, "「ねえ、あの灯台の光は、昔からずっと同じ色なの？　わたし、子どものころに見た気がするの」");
    TLayerMessage& plain = AddMessageWindow(list, store, renderer, 320, false);
    Write(plain, "アンチエイリアスなしの文章。ｇｙｐ、gyp、（括弧）と【見出し】。");
    Write(plain, "『長い台詞が続くときも、字下げは最初の文字の位置にそろい、閉じ括弧のあとは元に戻る』");
    list.Render(0);
    return Save(list.Surface, folder, "message.png");
}

bool RenderFrames(const std::string& folder) {
    TRTextRender renderer;
    TLayerLabel label(renderer);
    label.Bitmap()->Font.Name = "ＭＳ ゴシック";
    label.Bitmap()->Font.Height = 22;
    label.SetCaption("霧の向こうへ進む");
    ButtonPictures pictures;
    TLayerButton button(pictures, "button.png");

    const TBitmap32& labelFrames = *label.Bitmap();
    const TBitmap32& buttonFrames = *button.Bitmap();
    TBitmap32 sheet(labelFrames.Width() + buttonFrames.Width() + 30,
                    std::max(labelFrames.Height(), buttonFrames.Height()) + 20);
    sheet.DrawAt(0, 0, *Gradient(sheet.Width(), sheet.Height()));
    sheet.DrawAt(10, 10, labelFrames);
    sheet.DrawAt(labelFrames.Width() + 20, 10, buttonFrames);
    return Save(sheet, folder, "frames.png");
}

bool RenderBacklog(const std::string& folder) {
    TNGText store(4096);
    TRTextRender renderer;
    TLayerList list(800, 600);
    list.AddBitmap(Gradient(800, 600), 0, 0, 10000, kAnchorTopLeft);
    TLayerMessage& window = AddMessageWindow(list, store, renderer, 460, true);
    const char* pages[] = {
        "港に着いたのは、日が沈むすこし前のことだった。",
        "「ここが、あなたの生まれた町？」と少女は尋ねた。",
        "古い石畳の坂道を、二人はゆっくりと登っていった。途中で何度も振り返り、海の色が変わっていくのを眺めた。",
        "灯台守の老人は、二人を見るなり目を細めた。",
    };
    for (const char* page : pages) {
        window.Clear();
        Write(window, page);
    }
    auto backlog = std::make_unique<TLayerBackLog>(store, renderer);
    backlog->SetBitmapSize(800, 600);
    backlog->Bitmap()->Font.Name = "ＭＳ Ｐ明朝";
    backlog->Position.SetAnchor(kAnchorTopLeft);
    backlog->SetPosition(0, 0, 70);
    TLayerBackLog& shown = list.Add(std::move(backlog));
    shown.Rebuild();
    shown.SetVisible(true);
    list.Render(0);
    return Save(list.Surface, folder, "backlog.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: textpreview OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    return RenderMessage(folder) && RenderFrames(folder) && RenderBacklog(folder) ? 0 : 1;
}

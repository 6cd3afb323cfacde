// Opens the GTK game window with a small menu and a test picture, and prints every
// event it receives as one line on stdout, for scripts/gtk-smoke to drive with
// xdotool under Xvfb and to check. Its idle handler asks to wait kIdleDelay between
// calls, as the game does until its next frame is due. Options: --seconds N (give up after N seconds),
// --title TEXT.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "compositor/Bitmap32.h"
#include "platform/gtk/GtkWindowHost.h"
#include "shell/MenuModel.h"
#include "shell/PictureLayout.h"

using namespace vandor;

namespace {

constexpr int kIdleDelay = 10;  // ms

const char* ButtonName(TMouseButton button) {
    switch (button) {
        case TMouseButton::mbLeft: return "left";
        case TMouseButton::mbRight: return "right";
        case TMouseButton::mbMiddle: return "middle";
    }
    return "?";
}

const char* ResultName(TMessageResult result) {
    switch (result) {
        case TMessageResult::OK: return "ok";
        case TMessageResult::Cancel: return "cancel";
        case TMessageResult::Yes: return "yes";
        case TMessageResult::No: return "no";
    }
    return "?";
}

// A red-green gradient with a white square in the middle: every pixel of the
// gradient differs from its neighbours, so blurring shows.
TBitmap32 TestPicture() {
    TBitmap32 picture(TPictureLayout::kPictureWidth, TPictureLayout::kPictureHeight);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const auto red = static_cast<TColor32>(x * 255 / (picture.Width() - 1));
            const auto green = static_cast<TColor32>(y * 255 / (picture.Height() - 1));
            // An alpha of 0 must not matter: the window ignores it.
            *picture.PixelPtr(x, y) = (red << 16) | (green << 8) | 0x80;
        }
    }
    picture.FillRect({300, 200, 500, 400}, 0xFFFFFFFF);
    return picture;
}

void BuildMenu(TMenuModel& menu, TGtkWindowHost& host) {
    const auto speed = [](TMenuItem& item) {
        std::printf("menu %s\n", item.Name().c_str());
        item.SetChecked(true);
    };
    menu.Add("", "mmFile", "ファイル(&F)");
    menu.Add("mmFile", "mmSpeed1", "遅い(&S)", 50, 1, speed);
    menu.Add("mmFile", "mmSpeed2", "普通(&N)", 30, 1, speed).SetChecked(true);
    menu.Add("mmFile", "mmSpeed3", "速い(&F)", 10, 1, speed);
    menu.AddSeparator("mmFile", "mmFileLine1");
    // Becomes a check item only when first checked.
    menu.Add("mmFile", "mmAA", "アンチエイリアス", 0, 0,
             [](TMenuItem& item) {
                 std::printf("menu %s\n", item.Name().c_str());
                 item.SetChecked(!item.Checked());
             })
        .SetChecked(true);
    menu.Add("mmFile", "mmHidden", "隠し項目(&H)").SetVisible(false);
    menu.Add("mmFile", "mmDisabled", "使えない_項目(&D)").SetEnabled(false);
    menu.AddSeparator("mmFile", "mmFileLine2");
    menu.Add("mmFile", "mmExit", "終了(&X)", 0, 0, [&host](TMenuItem& item) {
        std::printf("menu %s\n", item.Name().c_str());
        host.Close();
    });
    menu.Add("", "mmHelp", "ヘルプ(&H)");
    menu.Add("mmHelp", "mmAbout", "バージョン情報(&A)...");
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int seconds = 30;
    std::string title = "Vandor GTK smoke test";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seconds") seconds = std::atoi(argv[i + 1]);
        if (option == "--title") title = argv[i + 1];
    }

    TGtkWindowHost host;
    TMenuModel menu;
    BuildMenu(menu, host);
    const TBitmap32 picture = TestPicture();
    const auto start = std::chrono::steady_clock::now();
    bool timedOut = false;
    long idleCalls = 0;
    long timerCalls = 0;

    const auto present = [&] {
        const TSize client = host.ClientSize();
        const TPictureLayout layout = LayoutPicture(client.Width, client.Height);
        host.Present(picture, layout.PictureRect, picture.BoundsRect(), picture.BoundsRect());
    };
    // The game's pattern: run flat out while active, on the timer while not.
    const auto tick = [&] {
        if (!timedOut && std::chrono::steady_clock::now() - start > std::chrono::seconds(seconds)) {
            timedOut = true;
            std::printf("timeout\n");
            host.Close();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const bool active = host.IsActive();
        host.SetTimerEnabled(!active);
        return active;
    };

    TWindowEvents events;
    events.OnResize = [&] {
        const TSize client = host.ClientSize();
        std::printf("resize %d %d\n", client.Width, client.Height);
        present();
    };
    events.OnPaint = [&] {
        std::printf("paint\n");
        present();
    };
    events.OnMouseDown = [](TMouseButton button, TShiftState shift, int x, int y) {
        std::printf("mouse down %s %d %d shift %d\n", ButtonName(button), x, y, shift);
    };
    events.OnMouseUp = [](TMouseButton button, TShiftState shift, int x, int y) {
        std::printf("mouse up %s %d %d shift %d\n", ButtonName(button), x, y, shift);
    };
    events.OnMouseWheel = [](int notch) { std::printf("wheel %+d\n", notch); };
    events.OnKeyDown = [](int key, TShiftState shift) { std::printf("key down %d shift %d\n", key, shift); };
    events.OnKeyUp = [](int key, TShiftState shift) { std::printf("key up %d shift %d\n", key, shift); };
    events.OnKeyPress = [](int character) { std::printf("char %d\n", character); };
    events.OnActivate = [] { std::printf("activate\n"); };
    events.OnDeactivate = [] { std::printf("deactivate\n"); };
    events.OnCloseQuery = [&] {
        std::printf("close-query\n");
        if (timedOut) return true;
        const long idleBefore = idleCalls;
        const TMessageResult answer =
            host.MessageBox("終了しますか", "確認", TMessageButtons::OKCancel, TMessageIcon::Question);
        std::printf("message-box %s\n", ResultName(answer));
        // The game keeps running behind its boxes.
        std::printf("idle-during-box %ld\n", idleCalls - idleBefore);
        return answer == TMessageResult::OK;
    };
    events.OnIdle = [&] {
        ++idleCalls;
        return tick();
    };
    events.IdleDelay = [] { return kIdleDelay; };
    events.OnTimer = [&] {
        ++timerCalls;
        tick();
    };
    host.SetEvents(std::move(events));
    host.SetMenu(&menu);
    host.SetTitle(title);
    host.SetPosition({30, 20});
    host.SetClientSize({800, 600});
    host.Show();
    const TSize screen = host.ScreenSize();
    std::printf("screen %d %d\n", screen.Width, screen.Height);
    host.Run();
    const TPoint position = host.Position();
    std::printf("position %d %d\n", position.X, position.Y);
    const auto ran = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    std::printf("idle-calls %ld\ntimer-calls %ld\nran-ms %lld\nidle-delay-ms %d\nclosed\n", idleCalls, timerCalls,
                static_cast<long long>(ran.count()), kIdleDelay);
    host.SetMenu(nullptr);
    return timedOut ? 2 : 0;
}

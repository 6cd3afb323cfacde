#include "platform/headless/HeadlessWindowHost.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DecodeFile.h"
#include "shell/MenuModel.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

// A picture whose every pixel differs, with alpha that presenting must ignore.
TBitmap32 Pattern(int width, int height) {
    TBitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto alpha = static_cast<TColor32>((x + y) % 3 * 0x7F);
            *picture.PixelPtr(x, y) = alpha << 24 | static_cast<TColor32>(x * 7 % 256) << 16 |
                                      static_cast<TColor32>(y * 5 % 256) << 8 | static_cast<TColor32>((x ^ y) & 0xFF);
        }
    }
    return picture;
}

TColor32 Opaque(TColor32 colour) { return colour | 0xFF000000; }

TEST(HeadlessWindowHostTest, PresentsOneToOneFillingTheClientArea) {
    THeadlessWindowHost host;
    EXPECT_EQ(host.ClientSize(), (TSize{800, 600}));
    EXPECT_EQ(host.ScreenSize(), (TSize{1920, 1080}));
    const TBitmap32 picture = Pattern(800, 600);
    host.Present(picture, {0, 0, 800, 600}, {0, 0, 800, 600}, {0, 0, 800, 600});
    const TBitmap32& client = host.ClientPicture();
    ASSERT_EQ(client.Width(), 800);
    ASSERT_EQ(client.Height(), 600);
    for (int y = 0; y < 600; y += 7) {
        for (int x = 0; x < 800; ++x) {
            ASSERT_EQ(*client.PixelPtr(x, y), Opaque(*picture.PixelPtr(x, y))) << x << "," << y;
        }
    }
}

TEST(HeadlessWindowHostTest, PresentsTwoToOneWithBlackMargins) {
    THeadlessWindowHost host;
    std::string events;
    host.SetEvents({.OnResize = [&] { events += "resize "; }, .OnPaint = [&] { events += "paint "; }});
    host.Show();
    EXPECT_TRUE(host.Shown());
    host.SetClientSize({20, 10});
    host.SetClientSize({20, 10});  // no change, no event
    EXPECT_EQ(events, "resize paint resize paint ");

    const TBitmap32 picture = Pattern(4, 3);
    const TRect dst{6, 2, 14, 8};
    host.Present(picture, dst, picture.BoundsRect(), picture.BoundsRect());
    const TBitmap32& client = host.ClientPicture();
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const TColor32 expected =
                dst.Contains({x, y}) ? Opaque(*picture.PixelPtr((x - 6) / 2, (y - 2) / 2)) : 0xFF000000;
            ASSERT_EQ(*client.PixelPtr(x, y), expected) << x << "," << y;
        }
    }

    // A smaller picture later leaves no trace of the larger one in the margins, and a
    // source rectangle picks its part of the picture.
    host.Present(picture, {0, 0, 2, 1}, {2, 1, 4, 2}, {2, 1, 4, 2});
    EXPECT_EQ(*client.PixelPtr(0, 0), Opaque(*picture.PixelPtr(2, 1)));
    EXPECT_EQ(*client.PixelPtr(1, 0), Opaque(*picture.PixelPtr(3, 1)));
    EXPECT_EQ(*client.PixelPtr(8, 4), 0xFF000000u);

    // Rectangles reaching outside the client area or the picture are clipped, not trusted.
    host.Present(picture, {-2, -2, 26, 12}, {-1, 0, 6, 3}, {-1, 0, 6, 3});
    EXPECT_EQ(*client.PixelPtr(0, 0), 0xFF000000u);   // source column -1
    EXPECT_EQ(*client.PixelPtr(19, 9), 0xFF000000u);  // source column 4
    EXPECT_EQ(*client.PixelPtr(10, 5), Opaque(*picture.PixelPtr(2, 1)));
    host.Present(TBitmap32(), {0, 0, 20, 10}, {0, 0, 800, 600}, {0, 0, 800, 600});
    EXPECT_EQ(*client.PixelPtr(10, 5), 0xFF000000u);
}

TEST(HeadlessWindowHostTest, ScaledPresentationReplicatesPixelsAsDrawingBetweenSurfacesDoes) {
    THeadlessWindowHost host;
    host.SetClientSize({960, 720});
    const TBitmap32 picture = Pattern(800, 600);
    host.Present(picture, {0, 0, 960, 720}, picture.BoundsRect(), picture.BoundsRect());
    TBitmap32 drawn(960, 720);
    drawn.Draw(drawn.BoundsRect(), picture.BoundsRect(), picture);
    const TBitmap32& client = host.ClientPicture();
    ASSERT_EQ(client.Width(), 960);
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 960; ++x) {
            ASSERT_EQ(*client.PixelPtr(x, y), Opaque(*drawn.PixelPtr(x, y))) << x << "," << y;
        }
    }
}

TEST(HeadlessWindowHostTest, MessageBoxesTakeQueuedAnswersInOrder) {
    THeadlessWindowHost host;
    host.QueueAnswer(TMessageResult::Cancel);
    host.QueueAnswer(TMessageResult::OK);
    host.QueueAnswer(TMessageResult::Yes);  // not on an OK / Cancel box: as if closed
    EXPECT_EQ(host.MessageBox("終了しますか", "確認", TMessageButtons::OKCancel, TMessageIcon::Question),
              TMessageResult::Cancel);
    EXPECT_EQ(host.MessageBox("two", "c2", TMessageButtons::OKCancel, TMessageIcon::Question), TMessageResult::OK);
    EXPECT_EQ(host.MessageBox("three", "c3", TMessageButtons::OKCancel, TMessageIcon::None), TMessageResult::Cancel);
    // Nothing queued: the first button.
    EXPECT_EQ(host.MessageBox("four", "c4", TMessageButtons::OKCancel, TMessageIcon::None), TMessageResult::OK);
    EXPECT_EQ(host.MessageBox("five", "c5", TMessageButtons::YesNo, TMessageIcon::None), TMessageResult::Yes);
    host.QueueAnswer(TMessageResult::No);
    EXPECT_EQ(host.MessageBox("six", "c6", TMessageButtons::YesNoCancel, TMessageIcon::Warning), TMessageResult::No);

    const auto& shown = host.MessageBoxes();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].Text, "終了しますか");
    EXPECT_EQ(shown[0].Caption, "確認");
    EXPECT_EQ(shown[0].Icon, TMessageIcon::Question);
    EXPECT_EQ(shown[5].Caption, "c6");
    EXPECT_EQ(shown[5].Buttons, TMessageButtons::YesNoCancel);
    EXPECT_EQ(shown[5].Result, TMessageResult::No);
}

TEST(HeadlessWindowHostTest, ShotDecodesToThePresentedPixels) {
    const fs::path file = fs::temp_directory_path() / ("vandor_shot_" + std::to_string(::getpid()) + ".png");
    THeadlessWindowHost host;
    host.SetClientSize({64, 40});
    const TBitmap32 picture = Pattern(16, 12);
    host.Present(picture, {8, 2, 56, 38}, picture.BoundsRect(), picture.BoundsRect());
    ASSERT_TRUE(host.SaveShot(file.string()));

    std::string error;
    const TBitmap32 decoded = DecodeFile(file.string(), &error);
    fs::remove(file);
    ASSERT_EQ(decoded.Width(), 64) << error;
    ASSERT_EQ(decoded.Height(), 40);
    const TBitmap32& client = host.ClientPicture();
    EXPECT_TRUE(std::equal(decoded.Bits(), decoded.Bits() + 64 * 40, client.Bits()));
    EXPECT_EQ(*decoded.PixelPtr(8 + 3 * 3, 2 + 3 * 5), Opaque(*picture.PixelPtr(3, 5)));

    EXPECT_FALSE(host.SaveShot((fs::temp_directory_path() / "no such folder" / "x.png").string()));
}

TEST(HeadlessWindowHostTest, InputCarriesPositionAndHeldKeysAndButtons) {
    THeadlessWindowHost host;
    std::vector<std::string> log;
    int closeQueries = 0;
    const auto text = [](auto... values) { return ((std::to_string(values) + " ") + ...); };
    host.SetEvents({
        .OnMouseMove = [&](TShiftState s, int x, int y) { log.push_back("move " + text(s, x, y)); },
        .OnMouseDown = [&](TMouseButton b, TShiftState s, int x,
                           int y) { log.push_back("down " + text(static_cast<int>(b), s, x, y)); },
        .OnMouseUp = [&](TMouseButton b, TShiftState s, int x,
                         int y) { log.push_back("up " + text(static_cast<int>(b), s, x, y)); },
        .OnKeyDown = [&](int key, TShiftState s) { log.push_back("keydown " + text(key, s)); },
        .OnKeyUp = [&](int key, TShiftState s) { log.push_back("keyup " + text(key, s)); },
        .OnActivate = [&] { log.push_back("activate"); },
        .OnDeactivate = [&] { log.push_back("deactivate"); },
        .OnCloseQuery =
            [&] {
                log.push_back("closequery");
                return ++closeQueries == 2;  // the second request is confirmed
            },
    });
    host.MoveMouse(-3, 700);
    host.PressButton(TMouseButton::mbRight);
    host.ReleaseButton(TMouseButton::mbRight);
    host.PressKey(vkShift);
    host.PressKey(vkControl);
    host.ReleaseKey('Q');
    host.ReleaseKey(vkShift);
    host.SetActive(true);  // already active: nothing
    host.SetActive(false);
    EXPECT_FALSE(host.IsActive());
    host.BringToFront();
    host.Close();
    EXPECT_FALSE(host.Closed());
    host.Close();
    EXPECT_TRUE(host.Closed());

    const std::vector<std::string> expected = {
        "move 0 -3 700 ", "down 1 16 -3 700 ", "up 1 0 -3 700 ", "keydown 16 1 ", "keydown 17 5 ", "keyup 81 5 ",
        "keyup 16 4 ",    "deactivate",        "activate",       "closequery",    "closequery",
    };
    EXPECT_EQ(log, expected);
}

TEST(HeadlessWindowHostTest, MenuClicksReachTheModel) {
    THeadlessWindowHost host;
    EXPECT_FALSE(host.ClickMenu("mmExit"));  // no menu yet
    TMenuModel menu;
    int exits = 0;
    menu.Add("", "mmFile", "ファイル(&F)");
    menu.Add("mmFile", "mmExit", "終了(&X)", 0, 0, [&](TMenuItem&) { ++exits; });
    host.SetMenu(&menu);
    EXPECT_TRUE(host.ClickMenu("mmExit"));
    menu.At("mmExit").SetEnabled(false);
    EXPECT_FALSE(host.ClickMenu("mmExit"));
    EXPECT_FALSE(host.ClickMenu("mmSave"));
    EXPECT_EQ(exits, 1);
}

}  // namespace
}  // namespace vandor

#include "platform/headless/ReplayInput.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/DecodeFile.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "shell/MenuModel.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;
using enum TReplayEventKind;

TEST(ReplayInputTest, ParsesEveryEvent) {
    const TReplayInput input = TReplayInput::Parse(
        "\xEF\xBB\xBF# a whole-line comment\r\n"
        "\n"
        "  1 move 400 -20   # trailing comment\r\n"
        "1 down left\n"
        "2\tup middle\n"
        "2 down right\n"
        "3 wheel +1\n"
        "3 wheel -1\n"
        "4 keydown Control\n"
        "4 keyup q\n"
        "5 char Return\n"
        "5 char Space\n"
        "6 menu mmSF0_3\n"
        "6 answer cancel\n"
        "7 answer yes\n"
        "7 resize 1024 600\n"
        "8 shot out/my shots/title.png  \n"
        "9 close");
    EXPECT_TRUE(input.Errors().empty()) << input.Errors().front();
    const auto& e = input.Events();
    ASSERT_EQ(e.size(), 16u);

    EXPECT_EQ(e[0].Kind, Move);
    EXPECT_EQ(e[0].Frame, 1u);
    EXPECT_EQ(e[0].Line, 3);
    EXPECT_EQ(e[0].Position, (TPoint{400, -20}));
    EXPECT_EQ(e[1].Kind, Down);
    EXPECT_EQ(e[1].Button, TMouseButton::mbLeft);
    EXPECT_EQ(e[2].Kind, Up);
    EXPECT_EQ(e[2].Button, TMouseButton::mbMiddle);
    EXPECT_EQ(e[3].Button, TMouseButton::mbRight);
    EXPECT_EQ(e[4].Kind, Wheel);
    EXPECT_EQ(e[4].Notch, 1);
    EXPECT_EQ(e[5].Notch, -1);
    EXPECT_EQ(e[6].Kind, KeyDown);
    EXPECT_EQ(e[6].Key, vkControl);
    EXPECT_EQ(e[7].Kind, KeyUp);
    EXPECT_EQ(e[7].Key, 81);
    EXPECT_EQ(e[8].Kind, Char);
    EXPECT_EQ(e[8].Key, 13);
    EXPECT_EQ(e[9].Key, 32);
    EXPECT_EQ(e[10].Kind, Menu);
    EXPECT_EQ(e[10].Text, "mmSF0_3");
    EXPECT_EQ(e[11].Kind, Answer);
    EXPECT_EQ(e[11].Answer, TMessageResult::Cancel);
    EXPECT_EQ(e[12].Answer, TMessageResult::Yes);
    EXPECT_EQ(e[13].Kind, Resize);
    EXPECT_EQ(e[13].Size, (TSize{1024, 600}));
    EXPECT_EQ(e[14].Kind, Shot);
    EXPECT_EQ(e[14].Text, "out/my shots/title.png");
    EXPECT_EQ(e[15].Kind, Close);
    EXPECT_EQ(e[15].Frame, 9u);
    EXPECT_EQ(e[15].Line, 18);
}

TEST(ReplayInputTest, NamesKeysAndCharacters) {
    EXPECT_EQ(KeyFromName("Control"), 17);
    EXPECT_EQ(KeyFromName("shift"), 16);
    EXPECT_EQ(KeyFromName("Up"), 38);
    EXPECT_EQ(KeyFromName("Down"), 40);
    EXPECT_EQ(KeyFromName("Return"), 13);
    EXPECT_EQ(KeyFromName("Space"), 32);
    EXPECT_EQ(KeyFromName("Q"), 81);
    EXPECT_EQ(KeyFromName("q"), 81);
    EXPECT_EQ(KeyFromName("7"), '7');
    EXPECT_EQ(KeyFromName("F1"), 112);
    EXPECT_EQ(KeyFromName("F12"), 123);
    EXPECT_EQ(KeyFromName("F13"), -1);
    EXPECT_EQ(KeyFromName("Ctrlx"), -1);
    EXPECT_EQ(KeyFromName("!"), -1);

    EXPECT_EQ(CharacterFromName("Return"), 13);
    EXPECT_EQ(CharacterFromName("space"), 32);
    EXPECT_EQ(CharacterFromName("a"), 'a');
    EXPECT_EQ(CharacterFromName("あ"), 0x3042);
    EXPECT_EQ(CharacterFromName("ab"), -1);
    EXPECT_EQ(CharacterFromName("\x7F"), -1);
    EXPECT_EQ(CharacterFromName("\xE3\x81"), -1);  // cut UTF-8
}

TEST(ReplayInputTest, ReportsBadLinesByNumberAndKeepsTheGoodOnes) {
    const TReplayInput input = TReplayInput::Parse(
        "x move 1 2\n"            // 1
        "-1 close\n"              // 2
        "3\n"                     // 3
        "3 jump 4\n"              // 4
        "3 move 1\n"              // 5
        "3 move 1 2 3\n"          // 6
        "3 down both\n"           // 7
        "3 up\n"                  // 8
        "3 wheel 2\n"             // 9
        "3 keydown Hyper\n"       // 10
        "3 char Enterr\n"         // 11
        "3 menu\n"                // 12
        "3 answer maybe\n"        // 13
        "3 resize 0 600\n"        // 14
        "3 resize 4000 600\n"     // 15
        "3 shot   # no path\n"    // 16
        "3 close now\n"           // 17
        "3 move 99999999999 0\n"  // 18
        "4294967296 close\n"      // 19
        "5 MOVE 1 2\n"            // 20
        "4294967295 close\n");    // 21: the last frame there is
    ASSERT_EQ(input.Events().size(), 1u);
    EXPECT_EQ(input.Events()[0].Frame, 4294967295u);
    EXPECT_EQ(input.Events()[0].Line, 21);

    const std::vector<std::string>& errors = input.Errors();
    ASSERT_EQ(errors.size(), 20u);
    for (std::size_t i = 0; i < errors.size(); ++i) {
        EXPECT_TRUE(errors[i].starts_with("line " + std::to_string(i + 1) + ": ")) << errors[i];
    }
    EXPECT_EQ(errors[0], "line 1: the line must start with a frame number, not \"x\"");
    EXPECT_EQ(errors[2], "line 3: no event after the frame number");
    EXPECT_EQ(errors[3], "line 4: unknown event \"jump\"");
    EXPECT_EQ(errors[5], "line 6: too many arguments for \"move\"");
    EXPECT_EQ(errors[6], "line 7: unknown button \"both\" (left, right or middle)");
    EXPECT_EQ(errors[7], "line 8: \"up\" needs an argument");
    EXPECT_EQ(errors[9], "line 10: unknown key \"Hyper\"");
    EXPECT_EQ(errors[14], "line 15: size 4000 x 600 is outside 1 x 1 .. 3200 x 2400");
    EXPECT_EQ(errors[15], "line 16: \"shot\" needs a file path");
}

TEST(ReplayInputTest, SortsByFrameKeepingFileOrderWithinAFrame) {
    const TReplayInput input = TReplayInput::Parse(
        "20 keydown A\n"
        "10 keydown B\n"
        "20 keydown C\n"
        "0 keydown D\n"
        "10 keydown E\n"
        "20 keydown F\n");
    std::string order;
    for (const TReplayEvent& event : input.Events()) order += static_cast<char>(event.Key);
    EXPECT_EQ(order, "DBEACF");
}

TEST(ReplayInputTest, AppliesTheEventsOfAFrameToTheHost) {
    const fs::path shot = fs::temp_directory_path() / ("vandor_replay_" + std::to_string(::getpid()) + ".png");
    const TReplayInput input = TReplayInput::Parse(
        "5 move 30 40\n"
        "5 keydown Control\n"
        "5 down left\n"
        "5 wheel -1\n"
        "5 char Space\n"
        "5 keyup Control\n"
        "6 up left\n"
        "7 answer cancel\n"
        "7 menu mmExit\n"
        "7 menu mmMissing\n"
        "8 answer ok\n"
        "8 resize 8 6\n"
        "8 shot " +
        shot.string() +
        "\n"
        "8 shot " +
        (fs::temp_directory_path() / "no such folder" / "x.png").string() +
        "\n"
        "9 close\n");
    ASSERT_TRUE(input.Errors().empty());

    THeadlessWindowHost host;
    TMenuModel menu;
    std::vector<std::string> log;
    menu.Add("", "mmFile", "ファイル(&F)");
    menu.Add("mmFile", "mmExit", "終了(&X)", 0, 0, [&](TMenuItem&) {
        log.push_back("exit");
        host.Close();
    });
    host.SetMenu(&menu);
    TBitmap32 picture(4, 3);
    picture.Clear(0x00123456);
    host.SetEvents({
        .OnMouseMove = [&](TShiftState, int x,
                           int y) { log.push_back("move " + std::to_string(x) + " " + std::to_string(y)); },
        .OnMouseDown =
            [&](TMouseButton, TShiftState s, int x, int y) {
                log.push_back("down " + std::to_string(s) + " " + std::to_string(x) + " " + std::to_string(y));
            },
        .OnMouseUp = [&](TMouseButton, TShiftState s, int, int) { log.push_back("up " + std::to_string(s)); },
        .OnMouseWheel = [&](int notch) { log.push_back("wheel " + std::to_string(notch)); },
        .OnKeyDown = [&](int key, TShiftState) { log.push_back("keydown " + std::to_string(key)); },
        .OnKeyUp = [&](int key, TShiftState) { log.push_back("keyup " + std::to_string(key)); },
        .OnKeyPress = [&](int c) { log.push_back("char " + std::to_string(c)); },
        .OnResize =
            [&] {
                log.push_back("resize");
                host.Present(picture, {2, 0, 6, 3}, picture.BoundsRect(), picture.BoundsRect());
            },
        .OnCloseQuery =
            [&] {
                log.push_back("closequery");
                return host.MessageBox("終了しますか", "確認", TMessageButtons::OKCancel, TMessageIcon::Question) ==
                       TMessageResult::OK;
            },
    });

    EXPECT_TRUE(input.ApplyEvents(4, host).empty());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(input.ApplyEvents(5, host).empty());
    EXPECT_EQ(log, (std::vector<std::string>{"move 30 40", "keydown 17", "down 12 30 40", "wheel -1", "char 32",
                                             "keyup 17"}));
    log.clear();
    EXPECT_TRUE(input.ApplyEvents(6, host).empty());
    EXPECT_EQ(log, std::vector<std::string>{"up 0"});
    log.clear();

    const std::vector<std::string> menuProblems = input.ApplyEvents(7, host);
    ASSERT_EQ(menuProblems.size(), 1u);
    EXPECT_EQ(menuProblems[0], "line 10: menu item \"mmMissing\" is missing, hidden, disabled or does nothing");
    EXPECT_EQ(log, (std::vector<std::string>{"exit", "closequery"}));
    EXPECT_FALSE(host.Closed());  // the answer was cancel
    log.clear();

    const std::vector<std::string> shotProblems = input.ApplyEvents(8, host);
    ASSERT_EQ(shotProblems.size(), 1u);
    EXPECT_TRUE(shotProblems[0].starts_with("line 14: cannot write \"")) << shotProblems[0];
    EXPECT_EQ(host.ClientSize(), (TSize{8, 6}));
    std::string error;
    const TBitmap32 written = DecodeFile(shot.string(), &error);
    fs::remove(shot);
    ASSERT_EQ(written.Width(), 8) << error;
    EXPECT_EQ(*written.PixelPtr(0, 0), 0xFF000000u);
    EXPECT_EQ(*written.PixelPtr(2, 0), 0xFF123456u);
    EXPECT_EQ(*written.PixelPtr(5, 2), 0xFF123456u);
    EXPECT_EQ(*written.PixelPtr(6, 2), 0xFF000000u);
    EXPECT_EQ(*written.PixelPtr(2, 3), 0xFF000000u);

    EXPECT_TRUE(input.ApplyEvents(9, host).empty());
    EXPECT_TRUE(host.Closed());
    ASSERT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_EQ(host.MessageBoxes()[0].Result, TMessageResult::Cancel);
    EXPECT_EQ(host.MessageBoxes()[1].Result, TMessageResult::OK);
}

TEST(ReplayInputTest, ControllerEventsReachTheHostBySdlsNamesAndBadOnesAreReported) {
    const TReplayInput input = TReplayInput::Parse(
        "0 pad connect\n"
        "1 pad down a\n"
        "1 pad up dpleft\n"
        "2 pad axis lefty -32768\n"
        "2 pad axis righttrigger 32767\n"
        "3 pad disconnect\n"
        "4 pad down A\n"
        "4 pad down lefttrigger\n"
        "4 pad axis leftx 32768\n"
        "4 pad axis leftx\n"
        "4 pad axis a 0\n"
        "4 pad press a\n"
        "4 pad connect now\n");
    ASSERT_EQ(input.Events().size(), 6u);
    EXPECT_EQ(input.Events()[1].Kind, PadDown);
    EXPECT_EQ(input.Events()[2].Kind, PadUp);
    EXPECT_EQ(input.Events()[3].Kind, PadAxis);
    EXPECT_EQ(input.Events()[3].AxisValue, -32768);
    const std::vector<std::string> errors = {
        "line 7: unknown controller button \"A\"",
        "line 8: unknown controller button \"lefttrigger\"",
        "line 9: an axis value is a whole number from -32768 to 32767, not \"32768\"",
        "line 10: an axis value is a whole number from -32768 to 32767, not \"\"",
        "line 11: unknown controller axis \"a\"",
        "line 12: \"pad\" needs down, up, axis, connect or disconnect, not \"press\"",
        "line 13: too many arguments for \"pad\""};
    EXPECT_EQ(input.Errors(), errors);

    THeadlessWindowHost host;
    std::vector<std::string> heard;
    TWindowEvents events;
    events.OnPadButton = [&](const std::string& button, bool down) {
        heard.push_back(button + (down ? " down" : " up"));
    };
    events.OnPadAxis = [&](const std::string& axis, int value) { heard.push_back(axis + " " + std::to_string(value)); };
    events.OnPadConnected = [&](bool connected) { heard.push_back(connected ? "connected" : "gone"); };
    host.SetEvents(events);
    for (uint32_t frame = 0; frame <= 4; ++frame) EXPECT_TRUE(input.ApplyEvents(frame, host).empty());
    EXPECT_EQ(heard, (std::vector<std::string>{"connected", "a down", "dpleft up", "lefty -32768", "righttrigger 32767",
                                               "gone"}));
}

TEST(ReplayInputTest, AnUnreadableFileIsAnError) {
    const TReplayInput input = TReplayInput::LoadFromFile("/nonexistent/vandor/input.txt");
    EXPECT_TRUE(input.Events().empty());
    ASSERT_EQ(input.Errors().size(), 1u);
    EXPECT_EQ(input.Errors()[0], "cannot read the input file \"/nonexistent/vandor/input.txt\"");
}

}  // namespace
}  // namespace vandor

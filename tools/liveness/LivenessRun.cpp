#include "LivenessRun.h"

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "BattlePictures.h"
#include "platform/headless/HeadlessWaveDevice.h"
#include "platform/headless/HeadlessWindowHost.h"
#include "platform/headless/ReplayInput.h"
#include "platform/headless/SimulatedClock.h"
#include "resources/PictureCodec.h"
#include "scenario/NovelGame.h"
#include "shell/BattleSession.h"
#include "shell/MainWindow.h"
#include "util/Format.h"

namespace vandor::liveness {
namespace {

namespace fs = std::filesystem;

// Frames the rescue may take: enough for every block's longest wait or fade that no
// click may cut short, and for the clicks between them.
uint32_t RescueBudget(const TLivenessCase& liveCase) { return 1500 + 250 * static_cast<uint32_t>(liveCase.Blocks); }

void WritePicture(const fs::path& path, int width, int height, TColor32 colour) {
    TBitmap32 picture(width, height);
    picture.Clear(colour);
    if (!SavePng(picture, path.string())) throw std::runtime_error("cannot write " + path.string());
}

// The main window on the headless host, stepped frame by frame as the headless replay
// steps it, with the events it was given kept in the replay's format.
class TSession {
public:
    TSession(const std::string& exeFolder, const std::string& documentsFolder)
        : Window_({Host_, Clock_, Device_, exeFolder, documentsFolder, "vandor", 1, "", false, ""}) {
        Host_.Show();
    }

    bool Reached() { return Window_.Engine().LastLabel == kEndLabel; }

    // Runs frames until `frames` have run in all or the end label is passed.
    void RunTo(uint32_t frames) {
        while (Frame_ < frames && !Reached() && !Host_.Closed()) {
            const uint64_t done = Window_.FrameCount();
            while (Window_.FrameCount() == done && !Host_.Closed()) {
                if (Host_.TimerEnabled() && Host_.Events().OnTimer) {
                    Host_.Events().OnTimer();
                } else {
                    Host_.Events().OnIdle();
                }
                Device_.Update();
            }
            ++Frame_;
        }
    }

    // Plays a replay input: each frame's events, then that frame.
    void Play(const std::string& input, uint32_t lastFrame) {
        const TReplayInput replay = TReplayInput::Parse(input);
        const std::vector<TReplayEvent>& events = replay.Events();
        std::size_t next = 0;  // the events come sorted by frame
        for (uint32_t frame = 0; frame <= lastFrame && !Reached() && !Host_.Closed(); ++frame) {
            replay.ApplyEvents(frame, Host_);
            for (; next < events.size() && events[next].Frame == frame; ++next) NoteHeld(events[next]);
            RunTo(frame + 1);
        }
    }

    // One rescue event, delivered now and written down.
    void Rescue(const std::string& event) {
        const std::string line = std::to_string(Frame_) + " " + event + "\n";
        RescueInput_ += line;
        TReplayInput::Parse(line).ApplyEvents(Frame_, Host_);
    }
    void RescueClickAt(TPoint picture) {
        const TRect& rect = Window_.Layout().PictureRect;
        const int x = rect.Left + picture.X * rect.Width() / TPictureLayout::kPictureWidth;
        const int y = rect.Top + picture.Y * rect.Height() / TPictureLayout::kPictureHeight;
        Rescue(Format("move %d %d", x, y));
        Rescue("down left");
        Rescue("up left");
    }

    // What a player does who wants the game to go on: let go of everything, then keep
    // clicking, pressing Enter and turning the wheel down.
    void RunRescue(uint32_t budget) {
        const uint32_t end = Frame_ + budget;
        for (const std::string& release : std::exchange(Held_, {})) Rescue(release);
        while (Frame_ < end && !Reached() && !Host_.Closed()) {
            if (Window_.BattleSession().Running()) {
                for (const char* key :
                     {"keydown Shift", "keydown Control", "keydown Q", "keyup Q", "keyup Control", "keyup Shift"}) {
                    Rescue(key);
                }
            }
            RescueClickAt({400, 300});
            RunTo(Frame_ + 3);
            for (TPoint middle : ClickablesMiddles()) {
                RescueClickAt(middle);
                RunTo(Frame_ + 3);
            }
            Rescue("char Return");
            RunTo(Frame_ + 2);
            Rescue("wheel +1");
            RunTo(Frame_ + 10);
        }
    }

    // The middles of the buttons and choices shown, in picture coordinates.
    std::vector<TPoint> ClickablesMiddles() {
        std::vector<TPoint> middles;
        auto add = [&](const TLayerItem& layer) {
            if (!layer.Visible()) return;
            const TRect& r = layer.DstRect();
            middles.push_back({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
        };
        for (const TLayerButton* button : Window_.Engine().Buttons()) add(*button);
        for (const TLayerLabel* choice : Window_.Engine().Choices()) add(*choice);
        return middles;
    }

    std::string Where() {
        TNovelGame& engine = Window_.Engine();
        auto flag = [](const char* name, bool on) { return std::string(", ") + name + (on ? " yes" : " no"); };
        return engine.ScriptName + " line " + std::to_string(engine.Line + 1) + " column " +
               std::to_string(engine.Column) + ", label " + engine.LastLabel + ", wait left " +
               std::to_string(engine.WaitLeft) + ", reveal delay " + std::to_string(engine.RevealDelay) +
               flag("waiting", engine.Waiting) + flag("no skip", engine.NoSkip) + flag("hidden", engine.Hidden) +
               flag("backlog", engine.BackLog().Visible()) + flag("battle", Window_.BattleSession().Running()) +
               flag("closed", Host_.Closed()) + ", " + std::to_string(engine.Buttons().size()) + " buttons, " +
               std::to_string(engine.Choices().size()) + " choices";
    }

    uint32_t Frame() const { return Frame_; }

private:
    // Keeps, for each button and key the input holds down, the event that lets it go.
    void NoteHeld(const TReplayEvent& event) {
        std::string release;
        if (event.Kind == TReplayEventKind::Down || event.Kind == TReplayEventKind::Up) {
            release = "up " + std::string(kPointerButtons[static_cast<std::size_t>(event.Button)]);
        } else if (event.Kind == TReplayEventKind::KeyDown || event.Kind == TReplayEventKind::KeyUp) {
            for (std::string_view name : kHeldKeys) {
                if (KeyFromName(name) == event.Key) release = "keyup " + std::string(name);
            }
            if (release.empty()) return;
        } else {
            return;
        }
        std::erase(Held_, release);
        if (event.Kind == TReplayEventKind::Down || event.Kind == TReplayEventKind::KeyDown) Held_.push_back(release);
    }

public:
    std::string TakeRescueInput() { return std::exchange(RescueInput_, {}); }

private:
    TSimulatedClock Clock_;
    THeadlessWaveDevice Device_{Clock_};
    THeadlessWindowHost Host_;
    TggTDMain Window_;
    uint32_t Frame_ = 0;
    std::string RescueInput_;
    std::vector<std::string> Held_;
};

}  // namespace

TLivenessRunner::TLivenessRunner(std::string folder)
    : Folder_(std::move(folder)), ExeFolder_(Folder_ + "/game/"), DocumentsFolder_(Folder_ + "/documents/") {
    fs::create_directories(ExeFolder_ + "scenario");
    fs::create_directories(ExeFolder_ + "image");
    // The title, which the menu returns to, starts the case's script again.
    std::ofstream(ExeFolder_ + "scenario/title.txt", std::ios::binary) << "*スタート\n[ジャンプ/first.txt/*L0]\n";
    const fs::path images = ExeFolder_ + "image";
    WritePicture(images / "bg1.png", 800, 600, 0xFF204060);
    WritePicture(images / "bg2.png", 800, 600, 0xFF604020);
    WritePicture(images / "chara.png", 200, 400, 0xFFC08080);
    WritePicture(images / "face.png", 120, 120, 0xFF80C080);
    WritePicture(images / "btn.png", 100, 40, 0xFFE0E0E0);
    // A battle on an open field whose one slow wave the base outlasts for a while: the
    // player's clicks may build, start, speed up or pause it, and the rescue abandons it.
    if (!test::SaveBattlePointerPictures(images.string() + "/") ||
        !test::SaveGreyPicture((images / "マップチップ.png").string(), 512, 64) ||
        !test::SaveGreyPicture((images / "敵ユニット01.png").string(), 72, 256)) {
        throw std::runtime_error("cannot write the battle's pictures into " + images.string());
    }
    std::ofstream(ExeFolder_ + "scenario/st01.txt", std::ios::binary) << "MAP_20_20=1\n";
    std::ofstream(ExeFolder_ + "scenario/bt00-00.txt", std::ios::binary)
        << "WC=2\nWEC_00=2\nWED_00=8\nE_00_00_HP=5\nE_00_00_SP=20\nE_00_01_HP=50\nE_00_01_SP=10\n"
           "WEC_01=1\nE_01_00_HP=900\nE_01_00_SP=300\n";
}

TLivenessResult TLivenessRunner::Run(const TLivenessCase& liveCase) const {
    // Every run starts as a new player: no settings, read flags or saves of the last one.
    fs::remove_all(DocumentsFolder_);
    fs::create_directories(DocumentsFolder_);
    std::ofstream(ExeFolder_ + "scenario/first.txt", std::ios::binary | std::ios::trunc) << liveCase.Script;

    TSession session(ExeFolder_, DocumentsFolder_);
    session.Play(liveCase.Input, liveCase.InputFrames);
    session.RunRescue(RescueBudget(liveCase));
    TLivenessResult result;
    result.Reached = session.Reached();
    result.Frames = session.Frame();
    result.RescueInput = session.TakeRescueInput();
    result.Where = session.Where();
    return result;
}

std::string TLivenessRunner::Report(const TLivenessCase& liveCase, const TLivenessResult& result) {
    return "The game got stuck: the script never reached " + std::string(kEndLabel) + " in " +
           std::to_string(result.Frames) + " frames.\nAt the end: " + result.Where + "\n\n== first.txt\n" +
           liveCase.Script + "\n== input (the player's, then the rescue's)\n" + liveCase.Input + result.RescueInput;
}

}  // namespace vandor::liveness

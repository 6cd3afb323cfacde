#include "LivenessCase.h"

#include <array>
#include <span>
#include <string_view>

#include "util/Format.h"

namespace vandor::liveness {
namespace {

// The input's bytes front to back; past the end every byte reads as 0.
class TBytes {
public:
    TBytes(const uint8_t* data, std::size_t size) : Data_(data, size) {}
    int Next() { return At_ < Data_.size() ? Data_[At_++] : 0; }
    int Below(int limit) { return Next() % limit; }
    int Next16() { return Next() << 8 | Next(); }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }
    bool Done() const { return At_ >= Data_.size(); }

private:
    std::span<const uint8_t> Data_;
    std::size_t At_ = 0;
};

constexpr std::array<int, 8> kTimes{0, 1, 20, 150, 500, 1000, 1999, 3000};
constexpr std::array<std::string_view, 5> kConditions{"ターン>=1", "ターン=0", "アイテム3=1", "", "(ターン+1)*2>1"};
constexpr std::array<std::string_view, 7> kPositions{"左端", "左", "中左", "中右", "右", "右端", "250"};
// Characters of every width class the line breaker knows: kana, kanji, brackets that
// may not start or end a line, Latin letters and a long-vowel mark.
constexpr std::array<std::string_view, 12> kCharacters{"あ", "い", "漢", "字", "「", "」",
                                                       "、", "。", "ー", "…",  "A",  "z"};
// The action phase's screens and the campaign values its conditions read; closing the
// game ("シャットダウン") is left out, since a closed game reaches nothing.
constexpr std::array<std::string_view, 11> kCampaignCommands{
    "[上部情報]",       "[上部情報/消]",      "[アイテム情報]", "[アイテム情報/消去]", "[戦場情報]", "[戦場情報/消]",
    "[アイテム取得/3]", "[取得アイテム選定]", "[行動/進行]",    "[行動/調教/1]",       "[初期化]"};
constexpr std::array<int, 3> kButtonX{100, 350, 600};
constexpr std::array<int, 3> kButtonY{60, 180, 300};

// Writes the script block by block. Labels *L0 .. *LN stand before the blocks and at
// the end; every target is a later label, so the script only ever moves forward.
class TScriptWriter {
public:
    TScriptWriter(TBytes& bytes, int blocks) : Bytes_(bytes), Blocks_(blocks), ClearsAt_(blocks + 1, false) {}

    std::string Write() {
        for (Block_ = 0; Block_ < Blocks_; ++Block_) {
            Label(Block_);
            WriteBlock();
        }
        Label(Blocks_);
        Line(kEndLabel);
        Line("おわり");
        Line("");
        return std::move(Text_);
    }

private:
    void Line(std::string_view line) {
        Text_ += line;
        Text_ += '\n';
    }
    // Buttons and the right click jump from wherever the script waits, so their
    // targets take the buttons away and end the right-click target, as real scenes do.
    void Label(int index) {
        Line(Format("*L%d", index));
        if (ClearsAt_[static_cast<std::size_t>(index)]) {
            Line("[ボタン消]");
            Line("[右クリック]");
        }
    }
    int LaterLabel() { return Block_ + 1 + Bytes_.Below(Blocks_ - Block_); }
    std::string Text() {
        std::string text;
        const int length = 1 + Bytes_.Below(70);
        for (int i = 0; i < length; ++i) text += Bytes_.Pick(kCharacters);
        return text;
    }
    std::string Time() { return std::to_string(Bytes_.Pick(kTimes)); }
    std::string NoSkip() { return Bytes_.Below(2) ? "/禁スキップ" : ""; }

    void WriteBlock() {
        switch (Bytes_.Below(16)) {
            case 0: Page(); break;
            case 1: Line(Text()); break;
            case 2: Line("[待/" + Time() + NoSkip() + "]"); break;
            case 3: Line(Bytes_.Below(2) ? "[クリック待]" : "[クリック待/" + Time() + "]"); break;
            case 4:
                Line("[" + std::string(Bytes_.Pick(std::array<std::string_view, 3>{"暗転", "白転", "明転"})) + "/" +
                     Time() + NoSkip() + "]");
                break;
            case 5: Line("[bg" + std::to_string(1 + Bytes_.Below(2)) + "/" + Time() + NoSkip() + "]"); break;
            case 6: Standing(); break;
            case 7: Line(Bytes_.Below(2) ? "[face]" : "[顔消]"); break;
            case 8: Choices(); break;
            case 9: Buttons(); break;
            case 10: Jump(); break;
            case 11: ReturnPoint(); break;
            case 12: RightClick(); break;
            case 13: Line(Format("[戦闘開始/1/first.txt/*L%d]", LaterLabel())); break;
            case 14: Line(std::string(Bytes_.Pick(kCampaignCommands))); break;
            default: Line("[" + std::string(Bytes_.Below(2) ? "se01" : "cv_a_001") + "]" + Text()); break;
        }
    }
    void Page() {
        const int lines = 1 + Bytes_.Below(3);
        for (int i = 0; i < lines; ++i) Line(Text());
        Line("");
    }
    void Standing() {
        switch (Bytes_.Below(3)) {
            case 0: Line("[chara/" + std::string(Bytes_.Pick(kPositions)) + "]"); break;
            case 1: Line("[chara/" + std::string(Bytes_.Pick(kPositions)) + "/" + Time() + NoSkip() + "]"); break;
            default: Line("[立消/" + Time() + "]"); break;
        }
    }
    // One to four choices; the first always holds, so one can always be taken.
    void Choices() {
        if (Bytes_.Below(2)) Line(Text());
        const int count = 1 + Bytes_.Below(4);
        for (int i = 0; i < count; ++i) {
            std::string fields = Format("*L%d", LaterLabel());
            if (i > 0 && Bytes_.Below(2)) {
                fields += "/./" + std::string(Bytes_.Pick(kConditions)) + "/" + (Bytes_.Below(2) ? "閉" : " ");
            }
            Line("[選択/" + fields + "]選択肢" + std::to_string(i));
        }
        Line("");
    }
    // One to three buttons; the first is always shown, so one can always be clicked.
    void Buttons() {
        const int count = 1 + Bytes_.Below(3);
        for (int i = 0; i < count; ++i) {
            const int target = LaterLabel();
            ClearsAt_[static_cast<std::size_t>(target)] = true;
            const std::string condition = i > 0 ? std::string(Bytes_.Pick(kConditions)) : "";
            std::string line = Format("[ボタン/btn.png/%s/./*L%d/%d/%d", condition.c_str(), target,
                                      kButtonX[static_cast<std::size_t>(i)], Bytes_.Pick(kButtonY));
            if (Bytes_.Below(2)) line += "/-100/ /" + Time();
            Line(line + "]");
        }
        if (Bytes_.Below(2)) Line(Text());
        Line("");
    }
    void Jump() {
        std::string line = Format("[ジャンプ/*L%d", LaterLabel());
        if (Bytes_.Below(2)) line += "/./" + std::string(Bytes_.Pick(kConditions));
        Line(line + "]");
    }
    // A return point ahead and, a page later, the return to it.
    void ReturnPoint() {
        Line(Format("[戻/*L%d]", LaterLabel()));
        Page();
        Line("[終了]");
    }
    void RightClick() {
        if (Bytes_.Below(3) == 0) {
            Line("[右クリック]");
            return;
        }
        const int target = LaterLabel();
        ClearsAt_[static_cast<std::size_t>(target)] = true;
        Line(Format("[右クリック/*L%d]", target));
    }

    TBytes& Bytes_;
    const int Blocks_;
    std::vector<bool> ClearsAt_;
    int Block_ = 0;
    std::string Text_;
};

// What the pointer goes to: the buttons' places, the choices' rows, the message
// window, or anywhere in the client area.
std::string PointerTarget(TBytes& bytes) {
    switch (bytes.Below(4)) {
        case 0:
            return Format("%d %d", kButtonX[static_cast<std::size_t>(bytes.Below(3))] + 50, bytes.Pick(kButtonY) + 20);
        case 1: return Format("%d %d", 300 + bytes.Below(200), 240 + bytes.Below(220));
        case 2: return Format("%d %d", bytes.Below(800), 480 + bytes.Below(120));
        default: return Format("%d %d", bytes.Next16() % 820 - 10, bytes.Next16() % 620 - 10);
    }
}

constexpr std::array<std::string_view, 15> kMenuItems{
    "mmCSMax", "mmCSFast",   "mmCSNormal", "mmCSSlow",       "mmCSPage", "mmCAA",  "mmSkipRead", "mmSkipChoice",
    "mmAuto",  "mmAutoFast", "mmAutoSlow", "mmBackLogVoice", "mmTitle",  "mmV0_0", "mmV0_10"};

std::string MakeInput(TBytes& bytes, uint32_t& frame) {
    std::string input;
    auto event = [&](const std::string& text) { input += std::to_string(frame) + " " + text + "\n"; };
    const int events = bytes.Below(80);
    for (int i = 0; i < events && !bytes.Done(); ++i) {
        switch (bytes.Below(12)) {
            case 0:
            case 1: event("move " + PointerTarget(bytes)); break;
            case 2:
                event(std::string(bytes.Below(2) ? "down " : "up ") + std::string(bytes.Pick(kPointerButtons)));
                break;
            case 3:
                event("down left");
                event("up left");
                break;
            case 4: event(bytes.Below(2) ? "wheel +1" : "wheel -1"); break;
            case 5:
                event(std::string(bytes.Below(2) ? "keydown " : "keyup ") + std::string(bytes.Pick(kHeldKeys)));
                break;
            case 6: event(bytes.Below(2) ? "char Return" : "char Space"); break;
            case 7: event("menu " + std::string(bytes.Pick(kMenuItems))); break;
            case 8:
                event("down right");
                event("up right");
                break;
            default: frame += static_cast<uint32_t>(1 + bytes.Below(40)); break;
        }
    }
    return input;
}

}  // namespace

TLivenessCase MakeLivenessCase(const uint8_t* data, std::size_t size) {
    TBytes bytes(data, size);
    TLivenessCase result;
    result.Blocks = 1 + bytes.Below(16);
    result.Script = TScriptWriter(bytes, result.Blocks).Write();
    result.Input = MakeInput(bytes, result.InputFrames);
    return result;
}

}  // namespace vandor::liveness

#include "platform/headless/ReplayInput.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <tuple>
#include <utility>

#include "input/PadNames.h"
#include "util/Encoding.h"

namespace vandor {

namespace {

// Pointer positions beyond this are typing errors, and would overflow the main
// window's scaling arithmetic.
constexpr int kMaxCoordinate = 100000;

struct TNamedCode {
    std::string_view Name;  // lower case
    int Code;
};

constexpr TNamedCode kKeys[] = {
    {"backspace", vkBack}, {"tab", vkTab},       {"return", vkReturn}, {"shift", vkShift},  {"control", vkControl},
    {"alt", vkMenu},       {"escape", vkEscape}, {"space", vkSpace},   {"pageup", vkPrior}, {"pagedown", vkNext},
    {"end", vkEnd},        {"home", vkHome},     {"left", vkLeft},     {"up", vkUp},        {"right", vkRight},
    {"down", vkDown},      {"insert", vkInsert}, {"delete", vkDelete},
};

constexpr TNamedCode kCharacters[] = {
    {"backspace", 8}, {"tab", 9}, {"return", 13}, {"escape", 27}, {"space", 32},
};

int LookUp(std::string_view name, std::span<const TNamedCode> table) {
    const std::string lower = AsciiLower(name);
    for (const TNamedCode& entry : table) {
        if (entry.Name == lower) return entry.Code;
    }
    return -1;
}

// A carriage return is space too, so CR LF files read like LF ones.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Splits off the first word of text; text keeps the rest.
std::string_view NextWord(std::string_view& text) {
    text = Trim(text);
    std::size_t end = 0;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view word) {
    Number value{};
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (word.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

struct TByFrame {
    bool operator()(const TReplayEvent& event, uint32_t frame) const { return event.Frame < frame; }
    bool operator()(uint32_t frame, const TReplayEvent& event) const { return frame < event.Frame; }
};

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

// One line's event, or the reason it is not one.
class TLineParser {
public:
    // word: the event's name; rest: its arguments.
    TLineParser(std::string_view word, std::string_view rest, TReplayEvent& event)
        : Word_(word), Rest_(rest), Event_(event) {}

    // Empty on success, else what is wrong.
    std::string Parse() {
        using K = TReplayEventKind;
        if (Word_ == "move") return Pointer();
        if (Word_ == "down") return Button(K::Down);
        if (Word_ == "up") return Button(K::Up);
        if (Word_ == "wheel") return Wheel();
        if (Word_ == "keydown") return Key(K::KeyDown);
        if (Word_ == "keyup") return Key(K::KeyUp);
        if (Word_ == "char") return Character();
        if (Word_ == "menu") return MenuItem();
        if (Word_ == "answer") return Answer();
        if (Word_ == "field") return Field();
        if (Word_ == "choose") return Choose();
        if (Word_ == "press") return Press();
        if (Word_ == "resize") return Size();
        if (Word_ == "shot") return Shot();
        if (Word_ == "close") return Done(K::Close);
        if (Word_ == "pad") return Pad();
        if (Word_ == "wait") return Wait();
        return "unknown event " + Quoted(Word_);
    }

private:
    std::string NeedsArgument() const { return Quoted(Word_) + " needs an argument"; }

    std::string Done(TReplayEventKind kind) {
        Event_.Kind = kind;
        if (!Trim(Rest_).empty()) return "too many arguments for " + Quoted(Word_);
        return {};
    }

    std::string Pointer() {
        const std::string_view xWord = NextWord(Rest_);
        const std::string_view yWord = NextWord(Rest_);
        const auto x = ParseNumber<int>(xWord);
        const auto y = ParseNumber<int>(yWord);
        if (!x || !y) return "\"move\" needs two whole numbers X Y";
        if (*x < -kMaxCoordinate || *x > kMaxCoordinate || *y < -kMaxCoordinate || *y > kMaxCoordinate) {
            return "position " + std::string(xWord) + " " + std::string(yWord) + " is out of range";
        }
        Event_.Position = {*x, *y};
        return Done(TReplayEventKind::Move);
    }

    std::string Button(TReplayEventKind kind) {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        if (word == "left") {
            Event_.Button = TMouseButton::mbLeft;
        } else if (word == "right") {
            Event_.Button = TMouseButton::mbRight;
        } else if (word == "middle") {
            Event_.Button = TMouseButton::mbMiddle;
        } else {
            return "unknown button " + Quoted(word) + " (left, right or middle)";
        }
        return Done(kind);
    }

    std::string Wheel() {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        if (word == "+1" || word == "1") {
            Event_.Notch = 1;
        } else if (word == "-1") {
            Event_.Notch = -1;
        } else {
            return "the wheel turns by +1 or -1, not " + Quoted(word);
        }
        return Done(TReplayEventKind::Wheel);
    }

    std::string Key(TReplayEventKind kind) {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        Event_.Key = KeyFromName(word);
        if (Event_.Key < 0) return "unknown key " + Quoted(word);
        return Done(kind);
    }

    std::string Character() {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        Event_.Key = CharacterFromName(word);
        if (Event_.Key < 0) return "unknown character " + Quoted(word);
        return Done(TReplayEventKind::Char);
    }

    std::string MenuItem() {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        Event_.Text = std::string(word);
        return Done(TReplayEventKind::Menu);
    }

    std::string Answer() {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        if (word == "ok") {
            Event_.Answer = TMessageResult::OK;
        } else if (word == "cancel") {
            Event_.Answer = TMessageResult::Cancel;
        } else if (word == "yes") {
            Event_.Answer = TMessageResult::Yes;
        } else if (word == "no") {
            Event_.Answer = TMessageResult::No;
        } else {
            return "unknown answer " + Quoted(word) + " (ok, cancel, yes or no)";
        }
        return Done(TReplayEventKind::Answer);
    }

    // The text is the rest of the line, so that it may hold spaces.
    std::string Field() {
        const std::string_view name = NextWord(Rest_);
        if (name.empty()) return "\"field\" needs a field name and its text";
        Event_.FormInput.Kind = TFormInputKind::Field;
        Event_.FormInput.Name = std::string(name);
        Event_.FormInput.Text = Unescape(Trim(Rest_));
        Event_.Kind = TReplayEventKind::Form;
        return {};
    }

    std::string Choose() {
        const std::string_view name = NextWord(Rest_);
        const auto number = ParseNumber<int>(NextWord(Rest_));
        if (name.empty() || !number || *number < 0) return "\"choose\" needs a question name and an answer number";
        Event_.FormInput.Kind = TFormInputKind::Choose;
        Event_.FormInput.Name = std::string(name);
        Event_.FormInput.Choice = *number;
        return Done(TReplayEventKind::Form);
    }

    std::string Press() {
        const std::string_view word = NextWord(Rest_);
        if (word.empty()) return NeedsArgument();
        Event_.FormInput.Kind = TFormInputKind::Press;
        if (word == "send") {
            Event_.FormInput.Button = TFormButton::Send;
        } else if (word == "save") {
            Event_.FormInput.Button = TFormButton::Save;
        } else if (word == "close") {
            Event_.FormInput.Button = TFormButton::Close;
        } else {
            return "unknown button " + Quoted(word) + " (send, save or close)";
        }
        return Done(TReplayEventKind::Form);
    }

    std::string Pad() {
        using K = TReplayEventKind;
        const std::string_view action = NextWord(Rest_);
        if (action == "connect") return Done(K::PadConnect);
        if (action == "disconnect") return Done(K::PadDisconnect);
        if (action == "down" || action == "up") {
            const std::string_view name = NextWord(Rest_);
            if (!PadButtonFromName(name)) return "unknown controller button " + Quoted(name);
            Event_.Text = std::string(name);
            return Done(action == "down" ? K::PadDown : K::PadUp);
        }
        if (action == "axis") {
            const std::string_view name = NextWord(Rest_);
            const std::string_view valueWord = NextWord(Rest_);
            if (!PadAxisFromName(name)) return "unknown controller axis " + Quoted(name);
            const auto value = ParseNumber<int>(valueWord);
            if (!value || *value < kPadAxisMin || *value > kPadAxisMax) {
                return "an axis value is a whole number from -32768 to 32767, not " + Quoted(valueWord);
            }
            Event_.Text = std::string(name);
            Event_.AxisValue = *value;
            return Done(K::PadAxis);
        }
        return "\"pad\" needs down, up, axis, connect or disconnect, not " + Quoted(action);
    }

    static std::string Unescape(std::string_view text) {
        std::string result;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
                result += text[++i] == 'n' ? '\n' : '\\';
            } else {
                result += text[i];
            }
        }
        return result;
    }

    std::string Size() {
        const std::string_view wWord = NextWord(Rest_);
        const std::string_view hWord = NextWord(Rest_);
        const auto w = ParseNumber<int>(wWord);
        const auto h = ParseNumber<int>(hWord);
        if (!w || !h) return "\"resize\" needs two whole numbers W H";
        const TSize max = TReplayInput::kMaxClientSize;
        if (*w < 1 || *h < 1 || *w > max.Width || *h > max.Height) {
            return "size " + std::string(wWord) + " x " + std::string(hWord) + " is outside 1 x 1 .. " +
                   std::to_string(max.Width) + " x " + std::to_string(max.Height);
        }
        Event_.Size = {*w, *h};
        return Done(TReplayEventKind::Resize);
    }

    // A path may hold spaces: it is the rest of the line.
    std::string Shot() {
        const std::string_view path = Trim(Rest_);
        if (path.empty()) return "\"shot\" needs a file path";
        Event_.Kind = TReplayEventKind::Shot;
        Event_.Text = std::string(path);
        return {};
    }

    std::string Wait() {
        constexpr std::string_view kUsage =
            "\"wait\" needs label NAME, choices, buttons, battle or page, and may end "
            "with a frame limit";
        const std::string_view what = NextWord(Rest_);
        using W = TReplayWaitFor;
        if (what == "label") {
            Event_.WaitFor = W::Label;
            Event_.Text = std::string(NextWord(Rest_));
            if (Event_.Text.empty()) return std::string(kUsage);
        } else if (what == "choices") {
            Event_.WaitFor = W::Choices;
        } else if (what == "buttons") {
            Event_.WaitFor = W::Buttons;
        } else if (what == "battle") {
            Event_.WaitFor = W::Battle;
        } else if (what == "page") {
            Event_.WaitFor = W::Page;
        } else {
            return std::string(kUsage);
        }
        const std::string_view limitWord = NextWord(Rest_);
        if (!limitWord.empty()) {
            const auto limit = ParseNumber<uint32_t>(limitWord);
            if (!limit || *limit == 0)
                return "the frame limit of \"wait\" is a whole number from 1, not " + Quoted(limitWord);
            Event_.WaitLimit = *limit;
        }
        return Done(TReplayEventKind::Wait);
    }

    std::string_view Word_;
    std::string_view Rest_;
    TReplayEvent& Event_;
};

}  // namespace

int KeyFromName(std::string_view name) {
    const int named = LookUp(name, kKeys);
    if (named >= 0) return named;
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= '0' && c <= '9') return c;
        if (c >= 'A' && c <= 'Z') return c;
        if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    }
    // F1 .. F12
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        const auto number = ParseNumber<int>(name.substr(1));
        if (number && *number >= 1 && *number <= 12) return vkF1 + *number - 1;
    }
    return -1;
}

int CharacterFromName(std::string_view name) {
    const int named = LookUp(name, kCharacters);
    if (named >= 0) return named;
    // Any other single character stands for itself.
    if (name.empty() || !IsValidUtf8(name)) return -1;
    std::size_t pos = 0;
    const char32_t codePoint = NextCodePoint(name, pos);
    if (pos != name.size() || codePoint < 0x20 || codePoint == 0x7F) return -1;
    return static_cast<int>(codePoint);
}

TReplayInput TReplayInput::Parse(std::string_view text) {
    TReplayInput input;
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());

    int lineNumber = 0;
    int segment = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = line.substr(0, line.find('#'));
        if (Trim(line).empty()) continue;

        const auto fail = [&](const std::string& why) {
            input.Errors_.push_back("line " + std::to_string(lineNumber) + ": " + why);
        };
        const std::string_view frameWord = NextWord(line);
        const auto frame = ParseNumber<uint32_t>(frameWord);
        if (!frame) {
            fail("the line must start with a frame number, not " + Quoted(frameWord));
            continue;
        }
        const std::string_view eventWord = NextWord(line);
        if (eventWord.empty()) {
            fail("no event after the frame number");
            continue;
        }
        TReplayEvent event;
        event.Frame = *frame;
        event.Line = lineNumber;
        event.Segment = segment;
        const std::string error = TLineParser(eventWord, line, event).Parse();
        if (!error.empty()) {
            fail(error);
            continue;
        }
        if (event.Kind == TReplayEventKind::Wait) ++segment;
        input.Events_.push_back(std::move(event));
    }
    // A segment's wait begins once the segment's other events are out.
    const auto order = [](const TReplayEvent& event) {
        return std::tuple(event.Segment, event.Kind == TReplayEventKind::Wait, event.Frame);
    };
    std::stable_sort(input.Events_.begin(), input.Events_.end(),
                     [&](const TReplayEvent& a, const TReplayEvent& b) { return order(a) < order(b); });
    return input;
}

TReplayInput TReplayInput::LoadFromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    if (file) bytes << file.rdbuf();
    if (!file) {
        TReplayInput input;
        input.Errors_.push_back("cannot read the input file " + Quoted(path));
        return input;
    }
    return Parse(bytes.str());
}

std::vector<std::string> TReplayInput::ApplyEvents(uint32_t frame, THeadlessWindowHost& host) const {
    std::vector<std::string> problems;
    // The events before the first wait come first, by frame (see Parse).
    const auto timed = std::partition_point(Events_.begin(), Events_.end(), [](const TReplayEvent& event) {
        return event.Segment == 0 && event.Kind != TReplayEventKind::Wait;
    });
    const auto [first, last] = std::equal_range(Events_.begin(), timed, frame, TByFrame{});
    for (auto it = first; it != last; ++it) {
        for (std::string& problem : Apply(*it, host)) problems.push_back(std::move(problem));
    }
    return problems;
}

std::vector<std::string> TReplayInput::Apply(const TReplayEvent& event, THeadlessWindowHost& host) {
    std::vector<std::string> problems;
    const auto problem = [&](const std::string& what) {
        problems.push_back("line " + std::to_string(event.Line) + ": " + what);
    };
    switch (event.Kind) {
        case TReplayEventKind::Move: host.MoveMouse(event.Position.X, event.Position.Y); break;
        case TReplayEventKind::Down: host.PressButton(event.Button); break;
        case TReplayEventKind::Up: host.ReleaseButton(event.Button); break;
        case TReplayEventKind::Wheel: host.TurnWheel(event.Notch); break;
        case TReplayEventKind::KeyDown: host.PressKey(event.Key); break;
        case TReplayEventKind::KeyUp: host.ReleaseKey(event.Key); break;
        case TReplayEventKind::Char: host.TypeCharacter(event.Key); break;
        case TReplayEventKind::Menu:
            if (!host.ClickMenu(event.Text)) {
                problem("menu item " + Quoted(event.Text) + " is missing, hidden, disabled or does nothing");
            }
            for (const std::string& formProblem : host.TakeFormProblems()) problem(formProblem);
            break;
        case TReplayEventKind::Answer: host.QueueAnswer(event.Answer); break;
        case TReplayEventKind::Form: host.QueueFormInput(event.FormInput); break;
        case TReplayEventKind::Resize: host.SetClientSize(event.Size); break;
        case TReplayEventKind::Shot:
            if (!host.SaveShot(event.Text)) problem("cannot write " + Quoted(event.Text));
            break;
        case TReplayEventKind::Close: host.Close(); break;
        case TReplayEventKind::PadDown: host.PressPadButton(event.Text, true); break;
        case TReplayEventKind::PadUp: host.PressPadButton(event.Text, false); break;
        case TReplayEventKind::PadAxis: host.MovePadAxis(event.Text, event.AxisValue); break;
        case TReplayEventKind::PadConnect: host.ConnectPad(true); break;
        case TReplayEventKind::PadDisconnect: host.ConnectPad(false); break;
        case TReplayEventKind::Wait: break;  // the run's schedule waits, not the host
    }
    return problems;
}

}  // namespace vandor

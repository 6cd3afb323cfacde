// Choices and buttons: text labels laid out in a frame in the middle of the stage,
// and picture buttons placed anywhere, both leading to a script position when clicked.

#include <algorithm>
#include <stdexcept>

#include "scenario/NovelGame.h"
#include "util/Encoding.h"

namespace vandor {

namespace {

constexpr int kChoiceDepth = 40;
constexpr int kFrameDepth = 60;
constexpr int kDefaultSlideTime = 100;
constexpr int kInstantRemoval = 10;

// Field `index`, or an empty one when the list is shorter.
std::string FieldAt(const TFields& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

}  // namespace

bool TNovelGame::ChoiceCommand(TFields& fields, const std::string& caption) {
    if (!caption.empty()) {
        // The caption belongs to the choice, not to the message window.
        Line = CommandLine_ + 1;
        Column = 1;
        // The condition counts once both its fields are written, even blank ones.
        const bool conditional = fields.size() >= 5;
        PadFields(fields, 5);
        const std::string& first = fields[1];
        const std::string& second = fields[2];
        if (!first.empty() || !second.empty()) {
            const bool both = !first.empty() && !second.empty();
            const TScriptTarget target = ReadTarget(first.empty() ? second : first, second, both);
            bool enabled = true;
            std::string shown = caption;
            if (conditional && OnCondition && !Condition(fields[3])) {
                shown = fields[4];
                enabled = false;
            }
            AddChoice(shown, target.Script, target.Label, enabled);
        }
    }
    StartClickWaitIfPageEnds();
    return true;
}

void TNovelGame::AddChoice(const std::string& caption, const std::string& script, const std::string& label,
                           bool enabled) {
    if (static_cast<int>(Choices_.size()) >= kMaxChoices) return;
    auto choice = std::make_unique<TLayerLabel>(Services_.Renderer);
    choice->Bitmap()->Font.Name = ShownFont(CurrentProperty.FontName);
    choice->Bitmap()->Font.Height = CurrentProperty.FontSize;
    choice->AntiAlias = AntiAlias;
    choice->Enabled = enabled;
    // A disabled choice is shown but never reacts: no hover, no click.
    if (!enabled) choice->HitAlpha = kHitNever;
    choice->JumpScript = script;
    choice->JumpLabel = label;
    choice->ClickSound = ClickSound_;
    choice->HoverSound = HoverSound_;
    choice->SetCaption(caption);
    choice->OnClick = [this](TLayerItem& item) { OnChoiceClicked(static_cast<TLayerLabel&>(item)); };
    choice->OnMouseEnter = [this](TLayerItem& item) {
        const auto& hovered = static_cast<TLayerLabel&>(item);
        if (hovered.Enabled) PlayEffect(hovered.HoverSound);
    };
    Choices_.push_back(&Layers.Add(std::move(choice)));
    LayOutChoices();
}

void TNovelGame::LayOutChoices() {
    TLayerItem* frame = ChoiceFrame();
    if (!frame || Choices_.empty()) return;
    const int columns = std::clamp(ChoiceFrame_ ? ChoiceColumns_ : DefaultChoiceColumns_, 1, 4);
    const int count = static_cast<int>(Choices_.size());
    const int rows = (count + columns - 1) / columns;
    const int height = Choices_.back()->Height();
    const int gap = (frame->Height() - rows * height - 2) / (rows + 1);
    const int columnWidth = frame->Width() / columns;
    const int left = frame->Position.X;
    const int top = frame->Position.Y;
    for (int i = 0; i < count; ++i) {
        const int column = i % columns;
        const int x = left + column * columnWidth + 16 - 4 * column;
        const int y = top + gap + 1 + (i / columns) * (height + gap);
        Choices_[static_cast<std::size_t>(i)]->SetPosition(x, y, kChoiceDepth);
    }
    frame->SetVisible(true);
}

void TNovelGame::ClearChoices() {
    Message().Clear();
    for (TLayerLabel* choice : Choices_) Layers.Remove(*choice);
    Choices_.clear();
    if (DefaultChoiceFrame_) DefaultChoiceFrame_->SetVisible(false);
    if (ChoiceFrame_) {
        Layers.Remove(*ChoiceFrame_);
        ChoiceFrame_ = nullptr;
        ChoiceColumns_ = 1;
    }
}

void TNovelGame::OnChoiceClicked(TLayerLabel& choice) {
    if (!choice.Enabled) return;
    // ClearChoices frees the clicked label, so everything needed is copied first.
    const std::string script = choice.JumpScript;
    const std::string label = choice.JumpLabel;
    const std::string sound = choice.ClickSound;
    KeepChoiceInBackLog(choice.Caption());
    PlayEffect(sound);
    Jump(script, label);
    Waiting = false;
    ClearChoices();
}

bool TNovelGame::ButtonCommand(TFields& fields, const std::string&) {
    const std::size_t given = fields.size();
    PadFields(fields, 13);
    // The condition comes first: an empty one still goes to the hook.
    const bool shown = !OnCondition || Condition(fields[2]);
    if (shown && given >= 7) {
        const int x = ToNumber(fields[5], 0);
        const int y = ToNumber(fields[6], 0);
        if (TLayerButton* button = AddButton(fields[1], fields[3], fields[4], x, y)) {
            if (given >= 10) {
                // Slides keep their time in skip mode, and the script goes on meanwhile.
                button->SetPosition(ToNumber(fields[7], x), ToNumber(fields[8], y), button->Position.Z);
                Layers.Transitions.MoveTo(*button, ToNumber(fields[9], kDefaultSlideTime), x, y, false);
                IgnoreTransitions = true;
            }
            if (given >= 12) {
                button->ClickSound = AsciiLower(fields[10]);
                button->HoverSound = AsciiLower(fields[11]);
            }
            if (given >= 13) button->SpokenCaption = fields[12];
        }
    }
    StartClickWaitIfPageEnds();
    return true;
}

TLayerButton* TNovelGame::AddButton(const std::string& picture, const std::string& script, const std::string& label,
                                    int x, int y) {
    if (static_cast<int>(Buttons_.size()) >= kMaxButtons) return nullptr;
    std::unique_ptr<TLayerButton> button;
    try {
        button = std::make_unique<TLayerButton>(Services_.Pictures, picture);
    } catch (const std::runtime_error& error) {
        Log(error.what());
        return nullptr;
    }
    button->JumpScript = script;
    button->JumpLabel = label;
    button->ClickSound = ClickSound_;
    button->HoverSound = HoverSound_;
    button->OnClick = [this](TLayerItem& item) { OnButtonClicked(static_cast<TLayerButton&>(item)); };
    button->OnMouseEnter = [this](TLayerItem& item) { PlayEffect(static_cast<TLayerButton&>(item).HoverSound); };
    // Buttons further down are drawn in front.
    button->SetPosition(x, y, kChoiceDepth - y / 20);
    Buttons_.push_back(&Layers.Add(std::move(button)));
    return Buttons_.back();
}

void TNovelGame::OnButtonClicked(TLayerButton& button) {
    // Copies: the jump may let the host act on the stage while the button is in use.
    const std::string script = button.JumpScript;
    const std::string label = button.JumpLabel;
    Message().Clear();
    PlayEffect(button.ClickSound);
    Jump(script, label);
    Waiting = false;
}

bool TNovelGame::RemoveButtonsCommand(TFields& fields, const std::string&) {
    PadFields(fields, 3);
    return RemoveButtons(ToNumber(fields[1], 0), fields[2]);
}

bool TNovelGame::RemoveButtons(int time, const std::string& direction) {
    for (TLayerButton* button : Buttons_) {
        // A slide-in that still runs would fight the way out.
        Layers.Transitions.Forget(*button);
        if (time <= kInstantRemoval) {
            Layers.Remove(*button);
        } else if (direction == "右") {
            Layers.Transitions.MoveTo(*button, time, kStageWidth, button->Position.Y, true);
        } else if (direction == "左") {
            Layers.Transitions.MoveTo(*button, time, -button->Width(), button->Position.Y, true);
        } else if (direction == "上") {
            Layers.Transitions.MoveTo(*button, time, button->Position.X, -button->Height(), true);
        } else if (direction == "下") {
            Layers.Transitions.MoveTo(*button, time, button->Position.X, kStageHeight, true);
        } else {
            Layers.Transitions.FadeTo(*button, time, 0, true);
        }
    }
    // The transitions delete the buttons that move out; none may be touched any more.
    Buttons_.clear();
    return false;
}

bool TNovelGame::ChoiceFrameCommand(TFields& fields, const std::string&) {
    PadFields(fields, 5);
    if (fields[1].empty()) return true;
    if (ChoiceFrame_) {
        Layers.Remove(*ChoiceFrame_);
        ChoiceFrame_ = nullptr;
    }
    ChoiceFrame_ = LoadChoiceFrame(fields, 1);
    ChoiceColumns_ = ChoiceFrame_ ? ToNumber(fields[4], 1) : 1;
    return true;
}

void TNovelGame::DefaultChoiceFrameSetting(TFields& fields) {
    // The new picture is loaded before the old frame goes, so that a missing picture
    // leaves the old frame in use rather than no frame at all.
    TLayerItem* frame = LoadChoiceFrame(fields, 2);
    if (!frame) return;
    if (DefaultChoiceFrame_) Layers.Remove(*DefaultChoiceFrame_);
    DefaultChoiceFrame_ = frame;
    DefaultChoiceColumns_ = ToNumber(FieldAt(fields, 5), 1);
}

TLayerItem* TNovelGame::LoadChoiceFrame(const TFields& fields, std::size_t first) {
    const std::string picture = FieldAt(fields, first);
    if (picture.empty()) return nullptr;
    TLayerItem* frame = Layers.AddImage(Services_.Pictures, picture, ToNumber(FieldAt(fields, first + 1), 0),
                                        ToNumber(FieldAt(fields, first + 2), 0), kFrameDepth, kAnchorTopLeft);
    if (!frame) return nullptr;
    frame->HitAlpha = kHitNever;
    // Shown only while choices are laid out in it.
    frame->SetVisible(false);
    return frame;
}

}  // namespace vandor

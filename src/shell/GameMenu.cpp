#include "shell/GameMenu.h"

#include <string>

#include "shell/MenuModel.h"

namespace vandor {

void TGameMenu::Open() {
    Open_ = true;
    Path_.clear();
    FocusFirst();
}

void TGameMenu::Close() {
    Open_ = false;
    Path_.clear();
    Focused_ = -1;
    Changed();
}

std::vector<const TMenuItem*> TGameMenu::Rows() const {
    const TMenuItem& level = Path_.empty() ? Model_.Bar() : *Path_.back();
    std::vector<const TMenuItem*> rows;
    for (const auto& item : level.Items()) {
        if (item->Visible()) rows.push_back(item.get());
    }
    return rows;
}

bool TGameMenu::Choosable(int row) const {
    const auto rows = Rows();
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    const TMenuItem& item = *rows[static_cast<std::size_t>(row)];
    return !item.IsSeparator() && item.Enabled();
}

void TGameMenu::FocusFirst() {
    Focused_ = -1;
    const int count = static_cast<int>(Rows().size());
    for (int row = 0; row < count; ++row) {
        if (Choosable(row)) {
            Focused_ = row;
            break;
        }
    }
    Changed();
}

void TGameMenu::Step(int direction) {
    const int count = static_cast<int>(Rows().size());
    if (!Open_ || count == 0) return;
    const int step = direction < 0 ? -1 : 1;
    int row = Focused_ < 0 ? (step > 0 ? -1 : count) : Focused_;
    for (int tried = 0; tried < count; ++tried) {
        row = ((row + step) % count + count) % count;
        if (Choosable(row)) {
            Focused_ = row;
            Changed();
            return;
        }
    }
}

bool TGameMenu::EnterSubmenu() {
    if (!Open_ || !Choosable(Focused_)) return false;
    const TMenuItem* item = Rows()[static_cast<std::size_t>(Focused_)];
    if (item->Items().empty()) return false;
    Path_.push_back(item);
    FocusFirst();
    return true;
}

void TGameMenu::Choose() {
    if (!Open_ || !Choosable(Focused_) || EnterSubmenu()) return;
    // The model's click runs after the menu has gone: it may show a box, load a slot or
    // change the screen, and must find the game as the menu bar would leave it.
    const std::string name = Rows()[static_cast<std::size_t>(Focused_)]->Name();
    Close();
    Model_.Click(name);
}

void TGameMenu::Back() {
    if (!Open_) return;
    if (Path_.empty()) {
        Close();
        return;
    }
    const TMenuItem* left = Path_.back();
    Path_.pop_back();
    const auto rows = Rows();
    Focused_ = -1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows[row] == left) Focused_ = static_cast<int>(row);
    }
    if (Focused_ < 0) FocusFirst();
    Changed();
}

void TGameMenu::PointAt(TPoint picture) {
    const int row = RowAt(picture);
    if (row == Focused_ || !Choosable(row)) return;
    Focused_ = row;
    Changed();
}

void TGameMenu::ClickAt(TPoint picture, bool left) {
    if (!left || !PanelRect().Contains(picture)) {
        Back();
        return;
    }
    const int row = RowAt(picture);
    if (!Choosable(row)) return;
    Focused_ = row;
    Choose();
}

int TGameMenu::RowAt(TPoint picture) const {
    const int count = static_cast<int>(Rows().size());
    for (int row = 0; row < count; ++row) {
        if (RowRect(row).Contains(picture)) return row;
    }
    return -1;
}

std::string PlainMenuCaption(std::string_view caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            plain += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            plain += '&';
            ++i;
        }
    }
    return plain;
}

}  // namespace vandor

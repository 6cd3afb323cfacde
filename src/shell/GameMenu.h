#pragma once
// TGameMenu: the menu bar drawn inside the picture, for full screen (where the menu bar
// is gone) and for players with a controller or the keyboard alone. It shows the very
// items of the menu model, with their captions, check marks and enabled states, and a
// chosen item runs the model's own click; nothing is listed twice.
//
// One level shows at a time: the menu bar's menus first, then the items of the submenu
// entered. The focused row is highlighted; a choice closes the menu before the item's
// handler runs, as the menu bar closes before its item acts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/Geometry.h"

namespace vandor {

class TBitmap32;
class TMenuItem;
class TMenuModel;

class TGameMenu {
public:
    static constexpr int kPictureWidth = 800;
    static constexpr int kPictureHeight = 600;

    explicit TGameMenu(TMenuModel& model) : Model_(model) {}

    bool IsOpen() const { return Open_; }
    // Opens on the menu bar's menus, the first one focused.
    void Open();
    void Close();

    // +1 to the next item that can be chosen, -1 to the previous one, going round.
    void Step(int direction);
    // Enters the focused submenu, or closes the menu and clicks the focused item.
    void Choose();
    // Enters the focused item when it is a submenu; false otherwise.
    bool EnterSubmenu();
    // Back to the menu above; on the menu bar's level, closes the menu.
    void Back();

    // The mouse: the row under the pointer is focused, a left click chooses it, and a
    // click outside the menu or a right click goes back.
    void PointAt(TPoint picture);
    void ClickAt(TPoint picture, bool left);

    // The rows shown now (separators included) and the focused one, -1 for none.
    std::vector<const TMenuItem*> Rows() const;
    int Focused() const { return Focused_; }
    // The caption of the submenu shown; the menu bar has none.
    const TMenuItem* Level() const { return Path_.empty() ? nullptr : Path_.back(); }
    // Changes with every step, choice and level, so that the picture is made again.
    uint64_t Revision() const { return Revision_; }

    // The picture behind, dimmed, with the menu on it (GameMenuPicture.cpp).
    void Draw(TBitmap32& target) const;
    TRect RowRect(int row) const;
    TRect PanelRect() const;

private:
    bool Choosable(int row) const;
    int PanelWidth() const;
    void FocusFirst();
    int RowAt(TPoint picture) const;
    void Changed() { ++Revision_; }

    TMenuModel& Model_;
    bool Open_ = false;
    std::vector<const TMenuItem*> Path_;  // the submenus entered, innermost last
    int Focused_ = -1;
    uint64_t Revision_ = 0;
    // The panel's width, measured again when the menu or the model changed.
    mutable int PanelWidth_ = 0;
    mutable uint64_t WidthFor_ = 0;
};

// A caption as the in-picture menu shows it: "&" marks no mnemonic there ("(&F)" reads
// "(F)"), and "&&" is one ampersand.
std::string PlainMenuCaption(std::string_view caption);

}  // namespace vandor

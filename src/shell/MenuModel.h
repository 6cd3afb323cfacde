#pragma once
// The main window's menu bar as plain data: a tree of named items that the game
// logic reads and changes, and that a window host shows and keeps up to date through
// OnChange. The model is deliberately dumb: a click only runs the item's handler;
// handlers set check marks themselves, as the game's menus expect.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vandor {

class TMenuItem;
class TMenuModel;

using TMenuClick = std::function<void(TMenuItem& sender)>;

enum class TMenuChange { Added, Caption, Checked, Enabled, Visible };

class TMenuItem {
public:
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    const std::string& Name() const { return Name_; }
    // With its "(&F)" mnemonic, as the game writes it.
    const std::string& Caption() const { return Caption_; }
    int Tag() const { return Tag_; }
    // 0: not a radio item. Radio items share a group with the siblings of the same number.
    int RadioGroup() const { return RadioGroup_; }
    bool IsSeparator() const { return IsSeparator_; }
    bool Checked() const { return Checked_; }
    bool Enabled() const { return Enabled_; }
    bool Visible() const { return Visible_; }

    void SetCaption(std::string caption);
    // Checking a radio item unchecks the other items of its group under the same parent.
    void SetChecked(bool checked);
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);

    TMenuItem* Parent() const { return Parent_; }
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return Items_; }

    TMenuClick OnClick;

private:
    friend class TMenuModel;
    TMenuItem(TMenuModel& model, TMenuItem* parent, std::string name, std::string caption);
    void Changed(TMenuChange change);

    TMenuModel& Model_;
    TMenuItem* Parent_;
    std::string Name_;
    std::string Caption_;
    int Tag_ = 0;
    int RadioGroup_ = 0;
    bool IsSeparator_ = false;
    bool Checked_ = false;
    bool Enabled_ = true;
    bool Visible_ = true;
    std::vector<std::unique_ptr<TMenuItem>> Items_;
};

class TMenuModel {
public:
    TMenuModel();
    TMenuModel(const TMenuModel&) = delete;
    TMenuModel& operator=(const TMenuModel&) = delete;

    // The menu bar itself: unnamed, its items are the top-level menus.
    TMenuItem& Bar() { return *Bar_; }
    const TMenuItem& Bar() const { return *Bar_; }

    // Appends an item under the item named parent ("" for the menu bar). Names are
    // unique and not empty; a duplicate name or an unknown parent throws
    // std::invalid_argument.
    TMenuItem& Add(std::string_view parent, std::string name, std::string caption, int tag = 0, int radioGroup = 0,
                   TMenuClick onClick = {});
    TMenuItem& AddSeparator(std::string_view parent, std::string name);

    TMenuItem* Find(std::string_view name);
    const TMenuItem* Find(std::string_view name) const;
    // Like Find, but an unknown name throws std::out_of_range.
    TMenuItem& At(std::string_view name);

    // Runs the item's handler as a click by the user would: only when the item exists,
    // is no separator, and it and every menu above it are visible and enabled.
    // False when nothing ran.
    bool Click(std::string_view name);
    // Handlers run by Click so far: the window's frames rest only while no click came.
    uint64_t Clicks() const { return Clicks_; }

    // Tells the host every caption anew, for when the language they are shown in changed.
    void RefreshCaptions();
    // Counts every change, so that a host can tell whether it is up to date.
    uint64_t Revision() const { return Revision_; }
    // Called after each change, once per item changed (a radio check may change several).
    std::function<void(TMenuItem& item, TMenuChange change)> OnChange;

private:
    friend class TMenuItem;
    TMenuItem& Append(std::string_view parent, std::string name, std::string caption,
                      const std::function<void(TMenuItem&)>& setUp);
    void Notify(TMenuItem& item, TMenuChange change);

    std::unique_ptr<TMenuItem> Bar_;
    uint64_t Revision_ = 0;
    uint64_t Clicks_ = 0;
};

// The caption as a GTK mnemonic label: "&" marks the mnemonic ("_" in GTK), "&&" is a
// literal ampersand, and a literal "_" must be doubled. A lone "&" at the very end
// marks nothing and is dropped.
std::string GtkMnemonicLabel(std::string_view caption);

}  // namespace vandor

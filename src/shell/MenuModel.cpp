#include "shell/MenuModel.h"

#include <stdexcept>

namespace vandor {

TMenuItem::TMenuItem(TMenuModel& model, TMenuItem* parent, std::string name, std::string caption)
    : Model_(model), Parent_(parent), Name_(std::move(name)), Caption_(std::move(caption)) {}

void TMenuItem::Changed(TMenuChange change) { Model_.Notify(*this, change); }

void TMenuItem::SetCaption(std::string caption) {
    if (caption == Caption_) return;
    Caption_ = std::move(caption);
    Changed(TMenuChange::Caption);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked && RadioGroup_ != 0 && Parent_ != nullptr) {
        for (const auto& sibling : Parent_->Items_) {
            if (sibling.get() != this && sibling->RadioGroup_ == RadioGroup_ && sibling->Checked_) {
                sibling->Checked_ = false;
                sibling->Changed(TMenuChange::Checked);
            }
        }
    }
    if (checked == Checked_) return;
    Checked_ = checked;
    Changed(TMenuChange::Checked);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == Enabled_) return;
    Enabled_ = enabled;
    Changed(TMenuChange::Enabled);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == Visible_) return;
    Visible_ = visible;
    Changed(TMenuChange::Visible);
}

TMenuModel::TMenuModel() : Bar_(new TMenuItem(*this, nullptr, "", "")) {}

TMenuItem& TMenuModel::Add(std::string_view parent, std::string name, std::string caption, int tag, int radioGroup,
                           TMenuClick onClick) {
    TMenuItem& item = Append(parent, std::move(name), std::move(caption), [&](TMenuItem& added) {
        added.Tag_ = tag;
        added.RadioGroup_ = radioGroup;
        added.OnClick = std::move(onClick);
    });
    return item;
}

TMenuItem& TMenuModel::AddSeparator(std::string_view parent, std::string name) {
    return Append(parent, std::move(name), "-", [](TMenuItem& added) { added.IsSeparator_ = true; });
}

TMenuItem& TMenuModel::Append(std::string_view parent, std::string name, std::string caption,
                              const std::function<void(TMenuItem&)>& setUp) {
    if (name.empty()) throw std::invalid_argument("A menu item needs a name");
    if (Find(name) != nullptr) throw std::invalid_argument("Duplicate menu item name: " + name);
    TMenuItem* owner = parent.empty() ? Bar_.get() : Find(parent);
    if (owner == nullptr) {
        throw std::invalid_argument("No menu item \"" + std::string(parent) + "\" to add \"" + name + "\" to");
    }
    // Private constructor: make_unique cannot reach it.
    std::unique_ptr<TMenuItem> item(new TMenuItem(*this, owner, std::move(name), std::move(caption)));
    // Set up before anyone hears of the item, so that a host builds it complete.
    setUp(*item);
    TMenuItem& added = *owner->Items_.emplace_back(std::move(item));
    Notify(added, TMenuChange::Added);
    return added;
}

namespace {

template <typename Item>
Item* FindIn(Item& item, std::string_view name) {
    for (const auto& child : item.Items()) {
        if (child->Name() == name) return child.get();
        if (Item* found = FindIn<Item>(*child, name)) return found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenuModel::Find(std::string_view name) { return name.empty() ? nullptr : FindIn<TMenuItem>(*Bar_, name); }

const TMenuItem* TMenuModel::Find(std::string_view name) const {
    return name.empty() ? nullptr : FindIn<const TMenuItem>(*Bar_, name);
}

TMenuItem& TMenuModel::At(std::string_view name) {
    TMenuItem* item = Find(name);
    if (item == nullptr) throw std::out_of_range("No menu item \"" + std::string(name) + "\"");
    return *item;
}

bool TMenuModel::Click(std::string_view name) {
    TMenuItem* item = Find(name);
    if (item == nullptr || item->IsSeparator()) return false;
    for (const TMenuItem* step = item; step != Bar_.get(); step = step->Parent()) {
        if (!step->Visible() || !step->Enabled()) return false;
    }
    if (!item->OnClick) return false;
    ++Clicks_;
    item->OnClick(*item);
    return true;
}

void TMenuModel::RefreshCaptions() {
    const std::function<void(TMenuItem&)> refresh = [&](TMenuItem& item) {
        for (const auto& child : item.Items_) {
            if (!child->IsSeparator_) Notify(*child, TMenuChange::Caption);
            refresh(*child);
        }
    };
    refresh(*Bar_);
}

void TMenuModel::Notify(TMenuItem& item, TMenuChange change) {
    ++Revision_;
    if (OnChange) OnChange(item, change);
}

std::string GtkMnemonicLabel(std::string_view caption) {
    std::string label;
    label.reserve(caption.size() + 2);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '_') {
            label += "__";
        } else if (c != '&') {
            label += c;
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            label += '&';
            ++i;
        } else if (i + 1 < caption.size()) {
            label += '_';
        }
    }
    return label;
}

}  // namespace vandor

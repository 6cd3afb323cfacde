#include "platform/gtk/GtkMenuBar.h"

#include <algorithm>

#include "i18n/GameText.h"

namespace vandor {

namespace {

constexpr const char* kItemKey = "vandor-menu-item";

const TMenuItem* ItemOf(GtkMenuItem* widget) {
    return static_cast<const TMenuItem*>(g_object_get_data(G_OBJECT(widget), kItemKey));
}

}  // namespace

TGtkMenuBar::TGtkMenuBar(TMenuModel& model, std::function<void(const std::string& name)> onClick)
    : Model_(model), OnClick_(std::move(onClick)), Bar_(gtk_menu_bar_new()) {
    g_object_ref_sink(Bar_);
    for (const auto& item : Model_.Bar().Items()) AddToBar(*item);
    Model_.OnChange = [this](TMenuItem& item, TMenuChange change) { Changed(item, change); };
}

TGtkMenuBar::~TGtkMenuBar() {
    Model_.OnChange = nullptr;
    gtk_widget_destroy(Bar_);
    g_object_unref(Bar_);
}

TGtkMenuBar::TKind TGtkMenuBar::KindOf(const TMenuItem& item) {
    if (item.IsSeparator()) return TKind::Separator;
    if (item.RadioGroup() != 0) return TKind::Radio;
    return item.Checked() ? TKind::Check : TKind::Plain;
}

void TGtkMenuBar::AddToBar(const TMenuItem& item) {
    gtk_menu_shell_append(GTK_MENU_SHELL(Bar_), CreateWidget(item));
    if (!item.Items().empty()) AddPendingMenu(item);
}

void TGtkMenuBar::AddPendingMenu(const TMenuItem& item) {
    GtkWidget* menu = gtk_menu_new();
    g_object_set_data(G_OBJECT(menu), kItemKey, const_cast<TMenuItem*>(&item));
    // "show" comes as the menu pops up, before it is measured and drawn.
    g_signal_connect(menu, "show", G_CALLBACK(MenuShown), this);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(Widgets_.at(&item)), menu);
}

void TGtkMenuBar::MenuShown(GtkWidget* menu, gpointer self) {
    auto& bar = *static_cast<TGtkMenuBar*>(self);
    const auto* item = static_cast<const TMenuItem*>(g_object_get_data(G_OBJECT(menu), kItemKey));
    if (item != nullptr && bar.BuiltMenus_.insert(item).second) bar.Build(*item);
}

const TMenuItem& TGtkMenuBar::BarItemOf(const TMenuItem& item) const {
    const TMenuItem* top = &item;
    while (top->Parent() != nullptr && top->Parent() != &Model_.Bar()) top = top->Parent();
    return *top;
}

void TGtkMenuBar::Build(const TMenuItem& item) {
    for (const auto& child : item.Items()) {
        gtk_menu_shell_append(ShellOf(*child), CreateWidget(*child));
        Build(*child);
    }
}

GtkWidget* TGtkMenuBar::CreateWidget(const TMenuItem& item) {
    const TKind kind = KindOf(item);
    const std::string label = GtkMnemonicLabel(GameText(item.Caption()));
    GtkWidget* widget = nullptr;
    switch (kind) {
        case TKind::Separator: widget = gtk_separator_menu_item_new(); break;
        case TKind::Plain: widget = gtk_menu_item_new_with_mnemonic(label.c_str()); break;
        case TKind::Check:
        case TKind::Radio:
            widget = gtk_check_menu_item_new_with_mnemonic(label.c_str());
            gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(widget), kind == TKind::Radio);
            break;
    }
    g_object_set_data(G_OBJECT(widget), kItemKey, const_cast<TMenuItem*>(&item));
    Widgets_[&item] = widget;
    Kinds_[&item] = kind;
    SyncChecked(item);
    gtk_widget_set_sensitive(widget, item.Enabled());
    gtk_widget_set_visible(widget, item.Visible());
    g_signal_connect(widget, "activate", G_CALLBACK(Activated), this);
    return widget;
}

GtkMenuShell* TGtkMenuBar::ShellOf(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (parent == &Model_.Bar()) return GTK_MENU_SHELL(Bar_);
    GtkMenuItem* owner = GTK_MENU_ITEM(Widgets_.at(parent));
    GtkWidget* submenu = gtk_menu_item_get_submenu(owner);
    if (submenu == nullptr) {
        submenu = gtk_menu_new();
        gtk_menu_item_set_submenu(owner, submenu);
    }
    return GTK_MENU_SHELL(submenu);
}

void TGtkMenuBar::Changed(TMenuItem& item, TMenuChange change) {
    if (change == TMenuChange::Added) {
        const TMenuItem& barItem = BarItemOf(item);
        if (&barItem == &item) {
            AddToBar(item);
        } else if (BuiltMenus_.contains(&barItem)) {
            gtk_menu_shell_append(ShellOf(item), CreateWidget(item));
        } else if (gtk_menu_item_get_submenu(GTK_MENU_ITEM(Widgets_.at(&barItem))) == nullptr) {
            // The first item of a menu that had none: made with the rest when it opens.
            AddPendingMenu(barItem);
        }
        return;
    }
    const auto found = Widgets_.find(&item);
    if (found == Widgets_.end()) return;
    GtkWidget* widget = found->second;
    switch (change) {
        case TMenuChange::Added: break;
        case TMenuChange::Caption:
            if (!item.IsSeparator()) {
                gtk_menu_item_set_label(GTK_MENU_ITEM(widget), GtkMnemonicLabel(GameText(item.Caption())).c_str());
            }
            break;
        case TMenuChange::Checked:
            // The model has no separate notion of a check item: a plain item that gets
            // checked becomes one.
            if (Kinds_.at(&item) == TKind::Plain && item.Checked() && item.Items().empty()) {
                Recreate(item);
            } else {
                SyncChecked(item);
            }
            break;
        case TMenuChange::Enabled: gtk_widget_set_sensitive(widget, item.Enabled()); break;
        case TMenuChange::Visible: gtk_widget_set_visible(widget, item.Visible()); break;
    }
}

void TGtkMenuBar::Recreate(const TMenuItem& item) {
    GtkMenuShell* shell = ShellOf(item);
    const auto& siblings = item.Parent()->Items();
    const auto place =
        std::find_if(siblings.begin(), siblings.end(), [&](const auto& sibling) { return sibling.get() == &item; });
    gtk_widget_destroy(Widgets_.at(&item));
    gtk_menu_shell_insert(shell, CreateWidget(item), static_cast<gint>(place - siblings.begin()));
}

void TGtkMenuBar::SyncChecked(const TMenuItem& item) {
    GtkWidget* widget = Widgets_.at(&item);
    if (!GTK_IS_CHECK_MENU_ITEM(widget)) return;
    Syncing_ = true;
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), item.Checked());
    Syncing_ = false;
}

void TGtkMenuBar::Activated(GtkMenuItem* widget, gpointer self) {
    auto& bar = *static_cast<TGtkMenuBar*>(self);
    const TMenuItem* item = ItemOf(widget);
    // Opening a submenu activates its owner too: that is no choice.
    if (bar.Syncing_ || item == nullptr || gtk_menu_item_get_submenu(widget) != nullptr) return;
    // GTK has already toggled a check item; undo that first, since the handler sets
    // the check marks it wants (and may even replace the menu, so nothing of this
    // object is touched after the click).
    bar.SyncChecked(*item);
    const std::string name = item->Name();
    bar.OnClick_(name);
}

}  // namespace vandor

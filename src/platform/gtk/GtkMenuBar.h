#pragma once
// The menu bar widget that shows a TMenuModel and follows its changes. Items that are
// radio items are check items drawn as radio buttons, so that the model alone decides
// which one is checked: after every click the widgets are set back to the model.
// The bar's own items are made at once; the menu of each, with everything below it,
// when it first opens: a game that is only played never pays for its few hundred
// widgets (a megabyte, and time before the window shows).

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "shell/MenuModel.h"

namespace vandor {

class TGtkMenuBar {
public:
    // onClick receives the name of the item the user chose; it is expected to pass it
    // to TMenuModel::Click. Takes over the model's OnChange until destroyed.
    TGtkMenuBar(TMenuModel& model, std::function<void(const std::string& name)> onClick);
    ~TGtkMenuBar();
    TGtkMenuBar(const TGtkMenuBar&) = delete;
    TGtkMenuBar& operator=(const TGtkMenuBar&) = delete;

    GtkWidget* Widget() const { return Bar_; }

private:
    enum class TKind { Plain, Check, Radio, Separator };

    static TKind KindOf(const TMenuItem& item);
    static void Activated(GtkMenuItem* widget, gpointer self);
    static void MenuShown(GtkWidget* menu, gpointer self);

    // The item's widget on the bar, with an empty menu when it has items.
    void AddToBar(const TMenuItem& item);
    // Gives an item of the bar the menu its items go in once it first opens.
    void AddPendingMenu(const TMenuItem& item);
    // The item on the bar above the item (or the item itself).
    const TMenuItem& BarItemOf(const TMenuItem& item) const;
    void Build(const TMenuItem& item);
    GtkWidget* CreateWidget(const TMenuItem& item);
    // The menu shell the item's widget goes in: the bar, or its parent's submenu.
    GtkMenuShell* ShellOf(const TMenuItem& item);
    void Changed(TMenuItem& item, TMenuChange change);
    // Replaces the item's widget by one of the kind it needs now, in the same place.
    void Recreate(const TMenuItem& item);
    void SyncChecked(const TMenuItem& item);

    TMenuModel& Model_;
    std::function<void(const std::string&)> OnClick_;
    GtkWidget* Bar_;
    std::unordered_map<const TMenuItem*, GtkWidget*> Widgets_;
    std::unordered_map<const TMenuItem*, TKind> Kinds_;
    std::unordered_set<const TMenuItem*> BuiltMenus_;  // items of the bar whose menus hold their items
    // Set while the widgets are brought in line with the model, whose "activate"
    // signals are no clicks.
    bool Syncing_ = false;
};

}  // namespace vandor

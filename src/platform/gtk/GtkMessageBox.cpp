#include "platform/gtk/GtkMessageBox.h"

#include "shell/MenuModel.h"

namespace vandor {

namespace {

// Our own response numbers (GTK's predefined ones are negative).
gint ResponseOf(TMessageResult result) { return static_cast<gint>(result) + 1; }

std::vector<TMessageResult> ResultsOf(TMessageButtons buttons) {
    switch (buttons) {
        case TMessageButtons::OK: return {TMessageResult::OK};
        case TMessageButtons::OKCancel: return {TMessageResult::OK, TMessageResult::Cancel};
        case TMessageButtons::YesNo: return {TMessageResult::Yes, TMessageResult::No};
        case TMessageButtons::YesNoCancel: return {TMessageResult::Yes, TMessageResult::No, TMessageResult::Cancel};
    }
    return {TMessageResult::OK};
}

const char* UsualCaption(TMessageResult result) {
    switch (result) {
        case TMessageResult::OK: return "OK";
        case TMessageResult::Cancel: return "キャンセル";
        case TMessageResult::Yes: return "はい";
        case TMessageResult::No: return "いいえ";
    }
    return "OK";
}

void AddButtons(GtkDialog* dialog, TMessageButtons buttons, const std::vector<std::string>& captions) {
    const std::vector<TMessageResult> results = ResultsOf(buttons);
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (i < captions.size()) {
            gtk_dialog_add_button(dialog, GtkMnemonicLabel(captions[i]).c_str(), ResponseOf(results[i]));
        } else {
            gtk_dialog_add_button(dialog, UsualCaption(results[i]), ResponseOf(results[i]));
        }
    }
    const bool offersOk = buttons == TMessageButtons::OK || buttons == TMessageButtons::OKCancel;
    gtk_dialog_set_default_response(dialog, ResponseOf(offersOk ? TMessageResult::OK : TMessageResult::Yes));
}

const char* IconName(TMessageIcon icon) {
    switch (icon) {
        case TMessageIcon::None: return nullptr;
        case TMessageIcon::Information: return "dialog-information";
        case TMessageIcon::Warning: return "dialog-warning";
        case TMessageIcon::Error: return "dialog-error";
        case TMessageIcon::Question: return "dialog-question";
    }
    return nullptr;
}

// GTK 3's message dialog shows no icon of its own; its text column sits in a
// horizontal box, whose front takes the icon.
void AddIcon(GtkMessageDialog* dialog, TMessageIcon icon) {
    const char* name = IconName(icon);
    if (name == nullptr) return;
    GtkWidget* row = gtk_widget_get_parent(gtk_message_dialog_get_message_area(dialog));
    if (!GTK_IS_BOX(row)) return;
    GtkWidget* image = gtk_image_new_from_icon_name(name, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), image, 0);
    gtk_widget_show(image);
}

GtkMessageType TypeOf(TMessageIcon icon) {
    switch (icon) {
        case TMessageIcon::None: return GTK_MESSAGE_OTHER;
        case TMessageIcon::Information: return GTK_MESSAGE_INFO;
        case TMessageIcon::Warning: return GTK_MESSAGE_WARNING;
        case TMessageIcon::Error: return GTK_MESSAGE_ERROR;
        case TMessageIcon::Question: return GTK_MESSAGE_QUESTION;
    }
    return GTK_MESSAGE_OTHER;
}

}  // namespace

TMessageResult RunMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption,
                             TMessageButtons buttons, TMessageIcon icon,
                             const std::vector<std::string>& buttonCaptions) {
    GtkWidget* widget =
        gtk_message_dialog_new(parent, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                               TypeOf(icon), GTK_BUTTONS_NONE, "%s", text.c_str());
    GtkDialog* dialog = GTK_DIALOG(widget);
    gtk_window_set_title(GTK_WINDOW(widget), caption.c_str());
    AddButtons(dialog, buttons, buttonCaptions);
    AddIcon(GTK_MESSAGE_DIALOG(widget), icon);
    const gint response = gtk_dialog_run(dialog);
    gtk_widget_destroy(widget);
    for (TMessageResult result :
         {TMessageResult::OK, TMessageResult::Cancel, TMessageResult::Yes, TMessageResult::No}) {
        if (response == ResponseOf(result)) return result;
    }
    return TMessageResult::Cancel;
}

}  // namespace vandor

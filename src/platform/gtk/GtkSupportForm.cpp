#include "platform/gtk/GtkSupportForm.h"

#include <memory>
#include <string>
#include <vector>

namespace vandor {
namespace {

enum TResponse : gint { kSend = 1, kSave = 2, kClose = 3 };

// How often the dialog looks for what the probes and the post found.
constexpr guint kPollInterval = 100;  // ms
constexpr int kTextHeight = 96;
constexpr int kPreviewHeight = 150;
constexpr int kFormWidth = 520;

// GTK takes only valid UTF-8; a fact of the system (an odd os-release) might not be.
std::string Valid(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string result = valid;
    g_free(valid);
    return result;
}

struct TDialog;

// What a field's change signal needs to write the widget's value back into the form.
struct TFieldBinding {
    TDialog* Dialog = nullptr;
    std::size_t Index = 0;
};

struct TDialog {
    TFormSession* Session = nullptr;
    GtkWidget* Widget = nullptr;
    GtkWidget* Probes = nullptr;
    GtkWidget* Status = nullptr;
    GtkTextBuffer* Preview = nullptr;
    std::vector<std::unique_ptr<TFieldBinding>> Bindings;

    TFormField& Field(std::size_t index) { return Session->Form().Fields[index]; }

    void Refresh() {
        gtk_label_set_text(GTK_LABEL(Probes), Session->ProbeText().c_str());
        gtk_label_set_text(GTK_LABEL(Status), Session->Advice().c_str());
        const std::string preview =
            "送信先: " +
            (Session->Addresses().Server.empty() ? std::string("（未設定）") : Session->Addresses().Server) + "\n\n" +
            Session->Form().Preview();
        gtk_text_buffer_set_text(Preview, Valid(preview).c_str(), -1);
        gtk_dialog_set_response_sensitive(GTK_DIALOG(Widget), kSend, Session->CanSend());
    }
};

void EntryChanged(GtkEditable* editable, gpointer data) {
    auto& binding = *static_cast<TFieldBinding*>(data);
    binding.Dialog->Field(binding.Index).Value = gtk_entry_get_text(GTK_ENTRY(editable));
    binding.Dialog->Refresh();
}

void TextChanged(GtkTextBuffer* buffer, gpointer data) {
    auto& binding = *static_cast<TFieldBinding*>(data);
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    binding.Dialog->Field(binding.Index).Value = text;
    g_free(text);
    binding.Dialog->Refresh();
}

void ChoiceChanged(GtkComboBox* combo, gpointer data) {
    auto& binding = *static_cast<TFieldBinding*>(data);
    binding.Dialog->Field(binding.Index).Chosen = gtk_combo_box_get_active(combo);
    binding.Dialog->Refresh();
}

gboolean PollSession(gpointer data) {
    auto& dialog = *static_cast<TDialog*>(data);
    if (dialog.Session->Poll()) dialog.Refresh();
    if (dialog.Session->Done()) gtk_dialog_response(GTK_DIALOG(dialog.Widget), kClose);
    return G_SOURCE_CONTINUE;
}

GtkWidget* Scrolled(GtkWidget* child, int height) {
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_widget_set_size_request(scrolled, -1, height);
    gtk_container_add(GTK_CONTAINER(scrolled), child);
    return scrolled;
}

GtkWidget* WrappedLabel(const std::string& text) {
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    return label;
}

GtkWidget* FieldWidget(TDialog& dialog, std::size_t index) {
    TFormField& field = dialog.Field(index);
    auto& binding = *dialog.Bindings.emplace_back(std::make_unique<TFieldBinding>(TFieldBinding{&dialog, index}));
    switch (field.Kind) {
        case TFieldKind::Fact: {
            GtkWidget* label = WrappedLabel(Valid(field.Value));
            gtk_label_set_selectable(GTK_LABEL(label), TRUE);
            return label;
        }
        case TFieldKind::Line: {
            GtkWidget* entry = gtk_entry_new();
            gtk_entry_set_text(GTK_ENTRY(entry), field.Value.c_str());
            if (field.MaxLength > 0) gtk_entry_set_max_length(GTK_ENTRY(entry), static_cast<gint>(field.MaxLength));
            g_signal_connect(entry, "changed", G_CALLBACK(EntryChanged), &binding);
            return entry;
        }
        case TFieldKind::Text: {
            GtkWidget* view = gtk_text_view_new();
            gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_CHAR);
            GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
            gtk_text_buffer_set_text(buffer, field.Value.c_str(), -1);
            g_signal_connect(buffer, "changed", G_CALLBACK(TextChanged), &binding);
            return Scrolled(view, kTextHeight);
        }
        case TFieldKind::Choice: {
            GtkWidget* combo = gtk_combo_box_text_new();
            for (const std::string& choice : field.Choices) {
                gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), choice.c_str());
            }
            gtk_combo_box_set_active(GTK_COMBO_BOX(combo), field.Chosen);
            g_signal_connect(combo, "changed", G_CALLBACK(ChoiceChanged), &binding);
            return combo;
        }
    }
    return gtk_label_new("");
}

// A titled frame around a widget, as the form's parts are grouped.
GtkWidget* Framed(const char* title, GtkWidget* child) {
    GtkWidget* frame = gtk_frame_new(title);
    gtk_widget_set_margin_start(child, 8);
    gtk_widget_set_margin_end(child, 8);
    gtk_widget_set_margin_top(child, 4);
    gtk_widget_set_margin_bottom(child, 6);
    gtk_container_add(GTK_CONTAINER(frame), child);
    return frame;
}

void Build(TDialog& dialog) {
    const TForm& form = dialog.Session->Form();
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog.Widget));
    gtk_box_set_spacing(GTK_BOX(content), 8);
    gtk_container_set_border_width(GTK_CONTAINER(dialog.Widget), 10);
    gtk_box_pack_start(GTK_BOX(content), WrappedLabel(form.Intro), FALSE, FALSE, 0);

    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 10);
    for (std::size_t i = 0; i < form.Fields.size(); ++i) {
        const TFormField& field = form.Fields[i];
        const std::string caption = field.Label + (field.Required ? "（必須）" : "");
        GtkWidget* label = gtk_label_new(caption.c_str());
        gtk_label_set_xalign(GTK_LABEL(label), 1);
        gtk_widget_set_valign(label, field.Kind == TFieldKind::Text ? GTK_ALIGN_START : GTK_ALIGN_CENTER);
        GtkWidget* widget = FieldWidget(dialog, i);
        gtk_widget_set_hexpand(widget, TRUE);
        gtk_grid_attach(GTK_GRID(grid), label, 0, static_cast<gint>(i), 1, 1);
        gtk_grid_attach(GTK_GRID(grid), widget, 1, static_cast<gint>(i), 1, 1);
    }
    gtk_box_pack_start(GTK_BOX(content), grid, FALSE, FALSE, 0);

    dialog.Probes = WrappedLabel("");
    gtk_box_pack_start(GTK_BOX(content), Framed("接続の確認", dialog.Probes), FALSE, FALSE, 0);

    GtkWidget* preview = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(preview), FALSE);
    gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(preview), FALSE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(preview), GTK_WRAP_CHAR);
    dialog.Preview = gtk_text_view_get_buffer(GTK_TEXT_VIEW(preview));
    gtk_box_pack_start(GTK_BOX(content), Framed("送信される内容", Scrolled(preview, kPreviewHeight)), TRUE, TRUE, 0);

    dialog.Status = WrappedLabel("");
    gtk_box_pack_start(GTK_BOX(content), dialog.Status, FALSE, FALSE, 0);

    gtk_dialog_add_button(GTK_DIALOG(dialog.Widget), "送信(_S)", kSend);
    gtk_dialog_add_button(GTK_DIALOG(dialog.Widget), "報告を保存(_R)", kSave);
    gtk_dialog_add_button(GTK_DIALOG(dialog.Widget), "閉じる(_C)", kClose);
    gtk_widget_set_size_request(dialog.Widget, kFormWidth, -1);
    gtk_widget_show_all(content);
}

}  // namespace

void RunSupportForm(GtkWindow* parent, TFormSession& session) {
    TDialog dialog;
    dialog.Session = &session;
    dialog.Widget = gtk_dialog_new();
    gtk_window_set_title(GTK_WINDOW(dialog.Widget), session.Form().Caption.c_str());
    gtk_window_set_modal(GTK_WINDOW(dialog.Widget), TRUE);
    if (parent != nullptr) gtk_window_set_transient_for(GTK_WINDOW(dialog.Widget), parent);
    Build(dialog);
    dialog.Refresh();
    const guint poll = g_timeout_add(kPollInterval, PollSession, &dialog);
    while (!session.Done()) {
        switch (gtk_dialog_run(GTK_DIALOG(dialog.Widget))) {
            case kSend: session.Press(TFormButton::Send); break;
            case kSave: session.Press(TFormButton::Save); break;
            default: session.Press(TFormButton::Close); break;
        }
        dialog.Refresh();
    }
    g_source_remove(poll);
    gtk_widget_destroy(dialog.Widget);
}

}  // namespace vandor

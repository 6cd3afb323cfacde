#include "i18n/Template.h"

#include <gettext-po.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "i18n/ScriptTexts.h"

namespace vandor {
namespace {

constexpr const char* kHeader =
    "Project-Id-Version: vandor\n"
    "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"
    "Last-Translator: FULL NAME <EMAIL@ADDRESS>\n"
    "Language-Team: LANGUAGE <LL@li.org>\n"
    "Language: \n"
    "MIME-Version: 1.0\n"
    "Content-Type: text/plain; charset=UTF-8\n"
    "Content-Transfer-Encoding: 8bit\n";

// Writing only fails for an unwritable file, which the library reports as fatal.
void WriteError(int severity, po_message_t, const char*, std::size_t, std::size_t, int, const char* text) {
    if (severity == PO_SEVERITY_FATAL_ERROR) throw std::runtime_error(text ? text : "cannot write the template");
}
void WriteError2(int severity, po_message_t, const char*, std::size_t, std::size_t, int, const char* text, po_message_t,
                 const char*, std::size_t, std::size_t, int, const char*) {
    WriteError(severity, nullptr, nullptr, 0, 0, 0, text);
}
const po_xerror_handler kWriteHandler{WriteError, WriteError2};

struct TPoFileDeleter {
    void operator()(po_file_t file) const { po_file_free(file); }
};
struct TIteratorDeleter {
    void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};

}  // namespace

void TTranslationTemplate::AddScript(const std::string& name, const TNumberedScript& script) {
    const TScriptTexts texts = CollectScriptTexts(script.Lines);
    const auto reference = [&](int line) {
        const auto index = static_cast<std::size_t>(line);
        return name + ":" + std::to_string(index < script.SourceLines.size() ? script.SourceLines[index] : line + 1);
    };
    // In the order of the script, pages and choices mixed, as a translator reads it.
    std::size_t page = 0;
    std::size_t choice = 0;
    while (page < texts.Pages.size() || choice < texts.Choices.size()) {
        const bool pageFirst =
            choice >= texts.Choices.size() ||
            (page < texts.Pages.size() && texts.Pages[page].Lines.front() < texts.Choices[choice].Line);
        if (pageFirst) {
            Add(name, texts.Pages[page].Original, reference(texts.Pages[page].Lines.front()));
            ++page;
        } else {
            Add(name, texts.Choices[choice].Original, reference(texts.Choices[choice].Line));
            ++choice;
        }
    }
}

void TTranslationTemplate::AddGameText(const std::string& japanese) {
    if (!japanese.empty()) Add("", japanese, "");
}

void TTranslationTemplate::AddGameFormat(const std::string& japanese) { Add("", japanese, "").CFormat = true; }

TTemplateEntry& TTranslationTemplate::Add(const std::string& context, const std::string& original,
                                          const std::string& reference) {
    // Identical text in one context is one entry, with every place it is used.
    auto found = std::find_if(Entries_.begin(), Entries_.end(), [&](const TTemplateEntry& entry) {
        return entry.Context == context && entry.Original == original;
    });
    if (found == Entries_.end()) {
        Entries_.push_back({context, original, {}});
        found = Entries_.end() - 1;
    }
    if (!reference.empty()) found->References.push_back(reference);
    return *found;
}

void TTranslationTemplate::Write(const std::string& path) const {
    std::unique_ptr<struct po_file, TPoFileDeleter> file(po_file_create());
    std::unique_ptr<struct po_message_iterator, TIteratorDeleter> messages(po_message_iterator(file.get(), nullptr));
    po_message_t header = po_message_create();
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header, kHeader);
    po_message_insert(messages.get(), header);
    for (const TTemplateEntry& entry : Entries_) {
        po_message_t message = po_message_create();
        if (!entry.Context.empty()) po_message_set_msgctxt(message, entry.Context.c_str());
        po_message_set_msgid(message, entry.Original.c_str());
        po_message_set_msgstr(message, "");
        if (entry.CFormat) po_message_set_format(message, "c-format", 1);
        for (const std::string& reference : entry.References) {
            const std::size_t colon = reference.rfind(':');
            po_message_add_filepos(message, reference.substr(0, colon).c_str(),
                                   std::stoul(reference.substr(colon + 1)));
        }
        po_message_insert(messages.get(), message);
    }
    messages.reset();
    if (!po_file_write(file.get(), path.c_str(), &kWriteHandler)) throw std::runtime_error("cannot write " + path);
}

}  // namespace vandor

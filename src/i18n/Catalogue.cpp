#include "i18n/Catalogue.h"

#include <gettext-po.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "util/Encoding.h"

namespace vandor {
namespace {

// libgettextpo reports problems through callbacks and must not continue after a fatal
// one; we stop it by throwing, which leaves the half-read file to the library.
struct TReadProblems {
    std::string First;
};
thread_local TReadProblems* CurrentProblems = nullptr;

void Note(int severity, const char* file, std::size_t line, const char* text) {
    if (severity == PO_SEVERITY_WARNING || !CurrentProblems) return;
    if (CurrentProblems->First.empty()) {
        std::ostringstream where;
        if (file && line != static_cast<std::size_t>(-1)) where << "line " << line << ": ";
        CurrentProblems->First = where.str() + (text ? text : "unreadable");
        while (!CurrentProblems->First.empty() && CurrentProblems->First.back() == '\n') {
            CurrentProblems->First.pop_back();
        }
    }
    if (severity == PO_SEVERITY_FATAL_ERROR) throw ECatalogueError(CurrentProblems->First);
}

void XError(int severity, po_message_t, const char* file, std::size_t line, std::size_t, int, const char* text) {
    Note(severity, file, line, text);
}

void XError2(int severity, po_message_t, const char* file, std::size_t line, std::size_t, int, const char* text,
             po_message_t, const char*, std::size_t, std::size_t, int, const char*) {
    Note(severity, file, line, text);
}

const po_xerror_handler kHandler{XError, XError2};

// The library reads files only; text from an archive goes through an anonymous
// in-memory file.
class TMemoryFile {
public:
    explicit TMemoryFile(std::string_view text) : Fd_(memfd_create("catalogue", MFD_CLOEXEC)) {
        if (Fd_ < 0) throw ECatalogueError(std::string("no memory file: ") + std::strerror(errno));
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t written = write(Fd_, text.data() + done, text.size() - done);
            if (written <= 0) {
                close(Fd_);
                throw ECatalogueError("cannot write the memory file");
            }
            done += static_cast<std::size_t>(written);
        }
    }
    ~TMemoryFile() { close(Fd_); }
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;
    std::string Path() const { return "/proc/self/fd/" + std::to_string(Fd_); }

private:
    int Fd_;
};

struct TPoFileDeleter {
    void operator()(po_file_t file) const { po_file_free(file); }
};
struct TIteratorDeleter {
    void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};

}  // namespace

TCatalogue TCatalogue::FromText(std::string_view text, const std::string& name) {
    // The game keeps all text as UTF-8; a catalogue in another charset would show as
    // replacement characters, so it is refused as a whole.
    if (!IsValidUtf8(text)) throw ECatalogueError(name + ": not UTF-8 text");
    TMemoryFile memory(text);
    TReadProblems problems;
    TReadProblems* const outer = std::exchange(CurrentProblems, &problems);
    std::unique_ptr<struct po_file, TPoFileDeleter> file;
    try {
        file.reset(po_file_read(memory.Path().c_str(), &kHandler));
    } catch (const ECatalogueError& error) {
        CurrentProblems = outer;
        throw ECatalogueError(name + ": " + error.what());
    }
    CurrentProblems = outer;
    if (!problems.First.empty()) throw ECatalogueError(name + ": " + problems.First);
    if (!file) throw ECatalogueError(name + ": unreadable");

    TCatalogue catalogue;
    std::unique_ptr<struct po_message_iterator, TIteratorDeleter> messages(po_message_iterator(file.get(), nullptr));
    while (po_message_t message = po_next_message(messages.get())) {
        if (po_message_is_obsolete(message)) continue;
        const char* context = po_message_msgctxt(message);
        const std::string original = po_message_msgid(message);
        const std::string translation = po_message_msgstr(message);
        // Escapes such as "\303" can make bytes that are no UTF-8 of a valid file.
        if (!IsValidUtf8(original) || !IsValidUtf8(translation) || (context && !IsValidUtf8(context))) {
            throw ECatalogueError(name + ": an entry is not UTF-8 text once its escapes are read");
        }
        if (original.empty() && !context) {
            catalogue.Header_ = translation;
            continue;
        }
        catalogue.Entries_[{context ? context : "", original}] = {translation, po_message_is_fuzzy(message) != 0};
    }
    return catalogue;
}

TCatalogue TCatalogue::FromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ECatalogueError(path + ": cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    return FromText(text.str(), path);
}

const std::string* TCatalogue::Find(std::string_view context, std::string_view original) const {
    const auto found = Entries_.find(std::pair{std::string(context), std::string(original)});
    if (found == Entries_.end() || found->second.Fuzzy || found->second.Text.empty()) return nullptr;
    return &found->second.Text;
}

std::string TCatalogue::Translate(std::string_view context, std::string_view original) const {
    const std::string* found = Find(context, original);
    return found ? *found : std::string(original);
}

TCatalogue::TEntryState TCatalogue::State(std::string_view context, std::string_view original) const {
    const auto found = Entries_.find(std::pair{std::string(context), std::string(original)});
    if (found == Entries_.end()) return TEntryState::Missing;
    if (found->second.Text.empty()) return TEntryState::Untranslated;
    return found->second.Fuzzy ? TEntryState::Fuzzy : TEntryState::Translated;
}

std::string TCatalogue::HeaderField(std::string_view field) const {
    std::unique_ptr<char, decltype(&std::free)> value(po_header_field(Header_.c_str(), std::string(field).c_str()),
                                                      &std::free);
    return value ? std::string(value.get()) : std::string();
}

}  // namespace vandor

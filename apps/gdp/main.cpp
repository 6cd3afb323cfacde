// gdp: packs, lists, extracts and verifies the game's ".gdp" data archives.
// Reading goes through the game's own archive reader and text expansion, so what
// the tool reports is what the game will see.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/Archive.h"
#include "resources/ArchiveWriter.h"
#include "resources/TextCompression.h"
#include "util/AtomicFile.h"
#include "util/Encoding.h"

namespace fs = std::filesystem;
using namespace vandor;

namespace {

// Wrong arguments: the message is followed by the usage text.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr const char* kUsage =
    "usage: gdp pack DIR OUT.gdp [--version A.B.C.D]\n"
    "       gdp list ARCHIVE\n"
    "       gdp extract ARCHIVE DIR\n"
    "       gdp verify ARCHIVE\n"
    "\n"
    "pack     stores every file of DIR and of the data folders below it that debug mode\n"
    "         reads (scenario/, image/, fgimage/, bgimage/, sound/, bgm/, patch/) under its\n"
    "         name in lower case; a name in several folders is packed from the one the\n"
    "         game would read in debug mode (the later one), and each such clash is told;\n"
    "         \".txt\" files are compressed as the game expects\n"
    "list     prints the data version, then each entry's name, stored size and, for\n"
    "         \".txt\" entries, expanded size\n"
    "extract  writes every entry as the game loads it (text expanded) into DIR\n"
    "verify   reads and expands every entry; fails on the first problem\n";

TBytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    TBytes bytes;
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (!error) bytes.resize(size);
    if (error || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        throw std::runtime_error("cannot read \"" + path.string() + "\"");
    }
    return bytes;
}

void WriteFile(const fs::path& path, const TBytes& bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!WriteFileAtomically(path.string(), text)) throw std::runtime_error("cannot write \"" + path.string() + "\"");
}

TArchiveVersion ParseVersion(const std::string& text) {
    TArchiveVersion version{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < version.size(); ++i) {
        const auto [next, status] = std::from_chars(at, end, version[i]);
        const bool separatorOk = i + 1 < version.size() ? (next != end && *next == '.') : next == end;
        if (status != std::errc() || !separatorOk) {
            throw EUsage("version \"" + text + "\" is not four numbers 0-65535 joined by dots");
        }
        at = next + 1;
    }
    return version;
}

// The game's view of an entry: its stored bytes, expanded when it is a text.
TBytes LoadAsGame(TggDPFile& archive, int32_t index, const std::string& name) {
    std::unique_ptr<TBytes> stored = archive.ReadEntry(index);
    if (!stored) throw std::runtime_error("entry \"" + name + "\" cannot be read");
    return IsCompressedEntryName(name) ? ExpandText(*stored, name) : std::move(*stored);
}

bool IsBlankEntry(const TggDPFile& archive, int32_t index) {
    return archive.EntryName(index).empty() && archive.EntryHash(index) == -1;
}

// The folders debug mode reads beside the program, in the game's order: a later one
// wins a name over an earlier one. Files lying in DIR itself come first.
constexpr const char* kDebugFolders[] = {"scenario", "image", "fgimage", "bgimage", "sound", "bgm", "patch"};

// The files of one folder, sorted; two whose names differ only in case cannot both go
// into an archive.
std::vector<fs::path> FolderFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> names;
    for (const fs::path& file : files) {
        if (!names.insert(AsciiLower(file.filename().string())).second) {
            throw std::runtime_error("two files in \"" + folder.string() + "\" are both named \"" +
                                     AsciiLower(file.filename().string()) + "\" in lower case");
        }
    }
    return files;
}

int Pack(const std::vector<std::string>& args) {
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--version")) throw EUsage("pack needs DIR and OUT.gdp");
    const fs::path folder = args[0];
    const TArchiveVersion version = args.size() == 4 ? ParseVersion(args[3]) : TArchiveVersion{1, 0, 0, 0};
    if (!fs::is_directory(folder)) throw std::runtime_error("\"" + folder.string() + "\" is not a folder");

    std::vector<fs::path> folders{folder};
    for (const char* name : kDebugFolders) {
        if (fs::is_directory(folder / name)) folders.push_back(folder / name);
    }
    // By lower-case name: the file packed, and the folders it lies in, in order.
    std::map<std::string, std::pair<fs::path, std::vector<std::string>>> chosen;
    for (const fs::path& source : folders) {
        const std::string where = source == folder ? std::string("./") : source.filename().string() + "/";
        for (const fs::path& file : FolderFiles(source)) {
            auto& [path, places] = chosen[AsciiLower(file.filename().string())];
            path = file;
            places.push_back(where);
        }
    }

    // In the order of the file names, as a flat folder always was.
    std::vector<std::pair<fs::path, std::vector<std::string>>> packed;
    for (auto& [name, choice] : chosen) packed.push_back(std::move(choice));
    std::sort(packed.begin(), packed.end(),
              [](const auto& a, const auto& b) { return a.first.filename() < b.first.filename(); });
    std::vector<TArchiveEntry> entries;
    for (const auto& [path, places] : packed) {
        entries.push_back(MakeArchiveEntry(path.filename().string(), ReadFile(path)));
        if (places.size() < 2) continue;
        const std::string& name = entries.back().Name;
        std::string list;
        for (const std::string& place : places) list += (list.empty() ? "" : ", ") + place;
        std::cerr << "gdp: \"" << name << "\" lies in " << list << "; packed from " << places.back()
                  << ", which the game reads in debug mode\n";
    }
    WriteFile(args[1], BuildArchive(entries, version));
    std::cout << "packed " << entries.size() << " files into " << args[1] << "\n";
    return 0;
}

int List(const std::vector<std::string>& args) {
    if (args.size() != 1) throw EUsage("list needs ARCHIVE");
    TggDPFile archive(args[0]);
    const TArchiveVersion v = archive.GetVersion();
    std::cout << "version " << v[0] << "." << v[1] << "." << v[2] << "." << v[3] << "\n";
    for (int32_t i = 0; i < archive.UsableCount(); ++i) {
        const std::string name = archive.EntryName(i);
        std::cout << (IsBlankEntry(archive, i) ? "(blank)" : name) << "\t" << archive.EntrySize(i);
        if (IsCompressedEntryName(name)) std::cout << "\t" << LoadAsGame(archive, i, name).size();
        std::cout << "\n";
    }
    return 0;
}

// A stored name becomes a file name only if it cannot reach outside the folder.
void CheckSafeFileName(const std::string& name) {
    if (name == "." || name == ".." || name.find('/') != std::string::npos) {
        throw std::runtime_error("entry name \"" + name + "\" is not a plain file name");
    }
}

int Extract(const std::vector<std::string>& args) {
    if (args.size() != 2) throw EUsage("extract needs ARCHIVE and DIR");
    TggDPFile archive(args[0]);
    const fs::path folder = args[1];
    fs::create_directories(folder);
    std::set<std::string> done;
    for (int32_t i = 0; i < archive.UsableCount(); ++i) {
        const std::string name = archive.EntryName(i);
        if (IsBlankEntry(archive, i) || !done.insert(name).second) continue;
        CheckSafeFileName(name);
        const int32_t index = archive.FindEntry(name);
        if (index < 0) throw std::runtime_error("entry \"" + name + "\" cannot be found by its own name");
        WriteFile(folder / name, LoadAsGame(archive, index, name));
    }
    std::cout << "extracted " << done.size() << " files into " << folder.string() << "\n";
    return 0;
}

int Verify(const std::vector<std::string>& args) {
    if (args.size() != 1) throw EUsage("verify needs ARCHIVE");
    TggDPFile archive(args[0]);
    for (int32_t i = 0; i < archive.UsableCount(); ++i) {
        if (IsBlankEntry(archive, i)) continue;
        const std::string name = archive.EntryName(i);
        // A wrong hash or a name with capitals makes the entry unreachable for the game.
        if (archive.FindEntry(name) < 0) {
            throw std::runtime_error("entry " + std::to_string(i) + " \"" + name +
                                     "\" cannot be found by its own name (wrong hash or capital letters)");
        }
        LoadAsGame(archive, i, name);
    }
    std::cout << args[0] << ": " << archive.UsableCount() << " entries, all readable\n";
    return 0;
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) throw EUsage("no command given");
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "pack") return Pack(rest);
    if (command == "list") return List(rest);
    if (command == "extract") return Extract(rest);
    if (command == "verify") return Verify(rest);
    throw EUsage("unknown command \"" + command + "\"");
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsage& error) {
        std::cerr << "gdp: " << error.what() << "\n\n" << kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "gdp: " << error.what() << "\n";
        return 1;
    }
}

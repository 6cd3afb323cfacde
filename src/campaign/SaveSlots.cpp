#include "campaign/SaveSlots.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "resources/ScriptText.h"
#include "resources/TextCompression.h"
#include "util/AtomicFile.h"
#include "util/Encoding.h"
#include "util/Fields.h"
#include "util/Format.h"

namespace vandor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSlotLetters = "QWERTYU987654321";
constexpr const char* kLineEnd = "\r\n";
// The read-flags file grows with every script and label of a game; this is far above
// what any game reaches, and keeps a hostile file from exhausting memory.
constexpr std::size_t kMaxReadFlagsTextSize = 16u << 20;

std::string CellName(int row, int index) { return Format("d%d-%d", row, index); }

std::size_t CellIndex(int row, int index) { return static_cast<std::size_t>(index * TQTDGameDat::kRows + row); }

// A stream that expands to `limit` compresses to far less than this.
std::size_t MaxStoredSize(std::size_t limit) { return limit + limit / 2 + 1024; }

// The file's text: expanded, checked for size and decoded from CP932.
std::string ExpandFileText(std::string_view stored, const std::string& name, std::size_t limit) {
    if (stored.size() > MaxStoredSize(limit)) throw TSaveFileError("ファイル " + name + " は大きすぎます");
    try {
        const TBytes text = ExpandText(TBytes(stored.begin(), stored.end()), name, limit);
        return Cp932ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    } catch (const std::runtime_error& error) {
        throw TSaveFileError(error.what());
    }
}

std::string ReadCompressedText(const std::string& path, std::size_t limit) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) throw TSaveFileError("ファイル " + path + " を開けません");
    // A huge file is refused before it is read.
    std::error_code error;
    const std::uintmax_t size = fs::file_size(fs::u8path(path), error);
    if (error) throw TSaveFileError("ファイル " + path + " を読めません");
    if (size > MaxStoredSize(limit)) throw TSaveFileError("ファイル " + path + " は大きすぎます");
    std::string stored(static_cast<std::size_t>(size), '\0');
    if (!in.read(stored.data(), static_cast<std::streamsize>(stored.size()))) {
        throw TSaveFileError("ファイル " + path + " を読めません");
    }
    return ExpandFileText(stored, path, limit);
}

// Lines of other tools (LF alone, unsorted, doubled) read as a clean list.
void AddReadFlags(std::string_view text, TReadFlags& flags) {
    for (const std::string& key : SplitLines(text)) {
        if (!key.empty()) flags.Add(key);
    }
}

void WriteCompressedText(const std::string& path, const std::string& text) {
    const std::string bytes = Utf8ToCp932(text);
    const TBytes stored = CompressText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(stored.data()), stored.size()))) {
        const std::string reason = std::strerror(errno);
        throw TSaveFileError("ファイル " + path + " を書き込めません (" + reason + ")");
    }
}

}  // namespace

std::string SlotFileName(int slot) { return Format("save%.2d.dat", slot); }

char SlotLetter(int slot) { return kSlotLetters[slot]; }

std::string EmptySlotCaption(int slot) { return Format("データなし(&%c)", SlotLetter(slot)); }

std::string UsedSlotCaption(int slot, std::string_view time, const TQTDGameDat& campaign) {
    return SaveCaption(time, campaign) + Format("(&%c)", SlotLetter(slot));
}

std::string SaveCaption(std::string_view time, const TQTDGameDat& campaign) {
    return Format("%s %dターン 制圧%d箇所 将軍%d名", std::string(time).c_str(), campaign.Turn(),
                  campaign.ConqueredCount(), campaign.GeneralCount());
}

bool IsEmptySlotCaption(std::string_view caption) { return caption.find("データなし") != std::string_view::npos; }

TSlotCells SlotCells(const TQTDGameDat& campaign) {
    TSlotCells cells{};
    for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
        for (int row = 0; row < TQTDGameDat::kRows; ++row) cells[CellIndex(row, index)] = campaign.Raw(row, index);
    }
    return cells;
}

std::string SlotText(const TQTDGameDat& campaign, std::string_view version) {
    std::string text = "ver=" + std::string(version) + kLineEnd;
    for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
        for (int row = 0; row < TQTDGameDat::kRows; ++row) {
            text += CellName(row, index) + "=" + std::to_string(campaign.Raw(row, index)) + kLineEnd;
        }
    }
    return text;
}

TSlotCells ParseSlotText(std::string_view text) {
    // The first entry of a name counts, as a hand-edited file with a doubled line
    // would be read by most tools. Only the cells are read: "ver" names the program
    // that wrote the file, and a file without it loads all the same.
    std::unordered_map<std::string, std::string_view> entries;
    const std::vector<std::string> lines = SplitLines(text);
    for (const std::string_view line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        entries.try_emplace(AsciiLower(line.substr(0, equals)), line.substr(equals + 1));
    }
    TSlotCells cells{};
    for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
        for (int row = 0; row < TQTDGameDat::kRows; ++row) {
            const auto entry = entries.find(CellName(row, index));
            if (entry != entries.end()) cells[CellIndex(row, index)] = ToNumber(entry->second, 0);
        }
    }
    return cells;
}

void ApplySlot(TQTDGameDat& campaign, const TSlotCells& cells) {
    campaign.ResetAll();
    for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
        for (int row = 0; row < TQTDGameDat::kRows; ++row) campaign.SetRaw(row, index, cells[CellIndex(row, index)]);
    }
    campaign.ValidateAfterLoad();
}

void WriteSlotFile(const std::string& path, const TQTDGameDat& campaign, std::string_view version) {
    WriteCompressedText(path, SlotText(campaign, version));
}

TSlotCells ReadSlotFile(const std::string& path) {
    try {
        return ParseSlotText(ReadCompressedText(path, kMaxSaveTextSize));
    } catch (const TSaveFileError& error) {
        throw TSaveFileError("セーブデータ " + path + " を読み込めません: " + error.what());
    }
}

TSlotCells SlotFromFileBytes(std::string_view stored) {
    return ParseSlotText(ExpandFileText(stored, "save", kMaxSaveTextSize));
}

std::string ReadFlagsText(const TReadFlags& flags) {
    std::string text;
    for (const std::string& key : flags.Keys()) text += key + kLineEnd;
    return text;
}

void WriteReadFlagsFile(const std::string& path, const TReadFlags& flags) {
    WriteCompressedText(path, ReadFlagsText(flags));
}

void ReadReadFlagsFile(const std::string& path, TReadFlags& flags) {
    flags.Clear();
    AddReadFlags(ReadCompressedText(path, kMaxReadFlagsTextSize), flags);
}

void ReadFlagsFromFileBytes(std::string_view stored, TReadFlags& flags) {
    flags.Clear();
    AddReadFlags(ExpandFileText(stored, kReadFlagsFileName, kMaxReadFlagsTextSize), flags);
}

std::string DamagedFileName(const std::string& path) {
    const fs::path original = fs::u8path(path);
    const std::string stem = original.stem().string();
    const std::string extension = original.extension().string();
    for (int n = 1;; ++n) {
        const std::string name = stem + ".damaged" + (n > 1 ? std::to_string(n) : "") + extension;
        const fs::path candidate = original.parent_path() / fs::u8path(name);
        std::error_code error;
        if (!fs::exists(candidate, error)) return candidate.string();
    }
}

}  // namespace vandor

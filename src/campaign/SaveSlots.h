#pragma once
// The save slots and the read-flags file. A slot keeps the whole campaign plane as
// "name=value" lines ("ver", then "d<row>-<index>" for every cell), the read-flags
// file the keys of every script and label ever reached, one per line. Both are CP932
// text with CR LF lines in one zlib stream, and both are replaced atomically: a crash
// or a kill while saving leaves the old file or the new one, never a broken one.
//
// A slot file is read and checked whole before anything is applied, so that a
// missing or damaged file changes nothing.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "campaign/GameDat.h"

namespace vandor {

class TReadFlags;

// A save holds about 4 KB of text; anything that expands beyond this is not a save.
inline constexpr std::size_t kMaxSaveTextSize = 1u << 20;
inline constexpr const char* kReadFlagsFileName = "save999.dat";
// Where a loaded save resumes: the campaign's action phase.
inline constexpr const char* kResumeScript = "行動.txt";
inline constexpr const char* kResumeLabel = "*行動フェイズ";

// A slot or read-flags file that cannot be read; the message names the file and why.
class TSaveFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "save03.dat" for slot 3.
std::string SlotFileName(int slot);
// The slot's letter in its menu captions: "QWERTYU987654321"[slot].
char SlotLetter(int slot);
// "データなし(&Q)".
std::string EmptySlotCaption(int slot);
// "2012/09/25 21:05:33 12ターン 制圧3箇所 将軍2名(&9)", with `time` as shown.
std::string UsedSlotCaption(int slot, std::string_view time, const TQTDGameDat& campaign);
// The same without the slot's letter: "2012/09/25 21:05:33 12ターン 制圧3箇所 将軍2名", for
// saves that are no slot (the autosaves, whose menu letters follow their age).
std::string SaveCaption(std::string_view time, const TQTDGameDat& campaign);
// A caption of an empty slot holds "データなし".
bool IsEmptySlotCaption(std::string_view caption);

// Every cell of the saved rows, as a slot file holds them.
using TSlotCells = std::array<int32_t, TQTDGameDat::kRows * TQTDGameDat::kIndexes>;

// The cells of the campaign as a slot file of it would hold them.
TSlotCells SlotCells(const TQTDGameDat& campaign);
// The slot text, UTF-8 (it is ASCII), CR LF lines.
std::string SlotText(const TQTDGameDat& campaign, std::string_view version);
// The cells a slot text names, matched ignoring case; missing or malformed entries 0,
// other lines ("ver" among them) ignored.
TSlotCells ParseSlotText(std::string_view text);
// ResetAll, every cell, then the checks after loading.
void ApplySlot(TQTDGameDat& campaign, const TSlotCells& cells);

// Write the slot file at `path`; throws TSaveFileError when it cannot be written (the
// old file then stays as it was).
void WriteSlotFile(const std::string& path, const TQTDGameDat& campaign, std::string_view version);
// Read and check the slot file at `path`; throws TSaveFileError when it is missing,
// damaged or too large.
TSlotCells ReadSlotFile(const std::string& path);
// The same for the bytes of a slot file already in memory.
TSlotCells SlotFromFileBytes(std::string_view stored);

// The text of a read-flags file, UTF-8, keys in sorted order, CR LF lines.
std::string ReadFlagsText(const TReadFlags& flags);
// Throws TSaveFileError when the file cannot be written.
void WriteReadFlagsFile(const std::string& path, const TReadFlags& flags);
// Replaces `flags` with the keys of the file; throws TSaveFileError (leaving `flags`
// empty) when the file cannot be read or is damaged.
void ReadReadFlagsFile(const std::string& path, TReadFlags& flags);
// The same for the bytes of a read-flags file already in memory.
void ReadFlagsFromFileBytes(std::string_view stored, TReadFlags& flags);

// Where a damaged file is kept aside so that nothing overwrites it: the first free
// name of "save999.damaged.dat", "save999.damaged2.dat", ... beside it.
std::string DamagedFileName(const std::string& path);

}  // namespace vandor

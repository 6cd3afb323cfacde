// Arbitrary bytes as a save slot file and as a read-flags file, compressed or as the
// plain text inside: reading never crashes, refuses what is not a save with its own
// error, and a save that loads writes a text that loads to the same campaign.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "campaign/GameDat.h"
#include "campaign/ReadFlags.h"
#include "campaign/SaveSlots.h"

namespace {

using namespace vandor;

// The battle's whole store is large to clear; the runs share two, which every load
// resets anyway.
TCryptMaps& Store(int which) {
    static TCryptMaps stores[2];
    return stores[which];
}

void CheckRoundTrip(const TSlotCells& cells) {
    TQTDGameDat loaded(Store(0));
    ApplySlot(loaded, cells);
    TQTDGameDat again(Store(1));
    ApplySlot(again, ParseSlotText(SlotText(loaded, "1.0.0.0")));
    for (int row = 0; row < TQTDGameDat::kRows; ++row) {
        for (int index = 0; index < TQTDGameDat::kIndexes; ++index) {
            if (again.Raw(row, index) != loaded.Raw(row, index)) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        CheckRoundTrip(SlotFromFileBytes(bytes));
    } catch (const TSaveFileError&) {
    }
    try {
        CheckRoundTrip(ParseSlotText(bytes));
    } catch (const TSaveFileError&) {
    }
    TReadFlags flags;
    try {
        ReadFlagsFromFileBytes(bytes, flags);
    } catch (const TSaveFileError&) {
        if (!flags.Empty()) __builtin_trap();
    }
    return 0;
}

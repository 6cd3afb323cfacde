// Arbitrary bytes as a data archive: opening either refuses the file with an
// exception or gives an archive whose every entry can be looked up, read and,
// for texts, expanded without crashing.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "resources/Archive.h"
#include "resources/TextCompression.h"
#include "util/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vandor;
    std::unique_ptr<TggDPFile> archive;
    try {
        archive = std::make_unique<TggDPFile>("fuzz.gdp", TBytes(data, data + size));
    } catch (const EggDPError&) {
        return 0;
    }
    archive->GetVersion();
    for (int32_t i = 0; i < archive->UsableCount(); ++i) {
        const std::string name = archive->EntryName(i);
        // Whatever the lookup finds must really carry that name and its hash.
        const int32_t found = archive->FindEntry(name);
        if (found >= 0 &&
            (archive->EntryName(found) != AsciiLower(name) || archive->EntryHash(found) != NameHash(name))) {
            __builtin_trap();
        }
        const std::unique_ptr<TBytes> stored = archive->ReadEntry(i);
        if (!stored || stored->size() != archive->EntrySize(i)) __builtin_trap();
        if (IsCompressedEntryName(name)) {
            try {
                ExpandText(*stored, name);
            } catch (const std::runtime_error&) {
            }
        }
    }
    if (archive->ReadEntry(-1) || archive->ReadEntry(archive->UsableCount())) __builtin_trap();
    return 0;
}

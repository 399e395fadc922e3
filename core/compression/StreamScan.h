#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/compression/Compression.h"
#include "core/game/GameFile.h"
#include "core/table/Result.h"

namespace glyphwright {

// One packed stream found in a file.
struct FoundStream {
    std::uint64_t offset = 0;  // of its header
    Compression compression = Compression::None;
    int huffmanBits = 0;  // 4 or 8 for Huffman
    std::uint32_t unpackedSize = 0;
    std::uint64_t packedSize = 0;  // header included

    friend bool operator==(const FoundStream&, const FoundStream&) = default;
};

// Told how far a long look through a file has come; answers false to stop it.
using ScanProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct ScanFailure {
    bool cancelled = false;
    GameFileError error;  // when not cancelled
};

// What the stream scan looks for and how much it holds.
struct StreamScanLimits {
    // Smaller streams are too short to tell from chance bytes, and too short for a font.
    std::uint32_t minUnpackedSize = 256;
    // Past this many, the rest are not listed: memory stays bounded on a file made of headers.
    std::size_t maxStreams = 65536;
};

// Every stream in the file, on a whole word (4 bytes) as the BIOS reads them, that unpacks exactly to its stated size and looks as a real packer
// writes it (MeasureStream's strict check), none inside another: the scan goes on after a
// stream's end. The file is read in pieces of 16 MiB with 16 MiB more behind each, the most a
// stream may take, so the memory is about 32 MiB whatever the file's size.
[[nodiscard]] Result<std::vector<FoundStream>, ScanFailure> ScanStreams(
    const GameFile& file, const ScanProgress& progress = {}, const StreamScanLimits& limits = {});

// The same over bytes in memory, for the tests and for unpacked data.
[[nodiscard]] std::vector<FoundStream> ScanStreamsInMemory(std::span<const std::uint8_t> bytes,
                                                           const StreamScanLimits& limits = {});

}  // namespace glyphwright

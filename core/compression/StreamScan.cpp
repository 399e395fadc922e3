#include "core/compression/StreamScan.h"

#include <algorithm>

namespace glyphwright {

namespace {

constexpr std::uint64_t kPiece = 16u * 1024u * 1024u;
constexpr std::uint64_t kBehind = kMaxUnpackedSize + kStreamHeaderSize;

bool MayStartStream(std::uint8_t byte) {
    return byte == 0x10 || byte == 0x11 || byte == 0x24 || byte == 0x28 || byte == 0x30;
}

// Looks at each offset in [from, to) of `bytes` (offsets relative to the buffer) and appends what
// it finds; returns where the next piece should start looking (past the last stream's end).
std::uint64_t ScanPiece(std::span<const std::uint8_t> bytes, std::uint64_t base,
                        std::uint64_t from, std::uint64_t to, const StreamScanLimits& limits,
                        std::vector<FoundStream>& found) {
    // The BIOS reads a stream a word at a time: it starts on a whole word.
    std::uint64_t at = from + (4 - (base + from) % 4) % 4;
    while (at < to && found.size() < limits.maxStreams) {
        if (!MayStartStream(bytes[at])) {
            at += 4;
            continue;
        }
        const auto rest = bytes.subspan(at);
        const auto header = ReadStreamHeader(rest);
        if (!header || header.value().unpackedSize < limits.minUnpackedSize) {
            at += 4;
            continue;
        }
        const auto measured = MeasureStream(rest, true);
        if (!measured) {
            at += 4;
            continue;
        }
        found.push_back({base + at, header.value().compression, header.value().huffmanBits,
                         header.value().unpackedSize, measured.value()});
        at += (measured.value() + 3) / 4 * 4;
    }
    return at;
}

}  // namespace

std::vector<FoundStream> ScanStreamsInMemory(std::span<const std::uint8_t> bytes,
                                             const StreamScanLimits& limits) {
    std::vector<FoundStream> found;
    (void)ScanPiece(bytes, 0, 0, bytes.size(), limits, found);
    return found;
}

Result<std::vector<FoundStream>, ScanFailure> ScanStreams(const GameFile& file,
                                                          const ScanProgress& progress,
                                                          const StreamScanLimits& limits) {
    std::vector<FoundStream> found;
    const std::uint64_t size = file.Size();
    std::vector<std::uint8_t> buffer;
    std::uint64_t next = 0;  // the first offset still to look at
    for (std::uint64_t start = 0; start < size; start += kPiece) {
        if (progress && !progress(start, size)) return ScanFailure{true, {}};
        if (found.size() >= limits.maxStreams) break;
        const std::uint64_t want = std::min<std::uint64_t>(size - start, kPiece + kBehind);
        buffer.resize(static_cast<std::size_t>(want));
        const auto read = file.Read(start, buffer);
        if (!read) return ScanFailure{false, read.error()};
        if (read.value() != want) {
            return ScanFailure{false, GameFileError{GameFileProblem::SizeChanged, file.Path(), 0}};
        }
        const std::uint64_t to = std::min<std::uint64_t>(kPiece, want);
        const std::uint64_t from = next > start ? next - start : 0;
        if (from < to) {
            next = start + ScanPiece(buffer, start, from, to, limits, found);
        }
    }
    if (progress && !progress(size, size)) return ScanFailure{true, {}};
    return found;
}

}  // namespace glyphwright

#include "core/compression/StreamInFile.h"

#include <algorithm>

namespace glyphwright {

namespace {

// Most font streams are a few KiB; the piece grows fourfold while the stream runs past it.
constexpr std::size_t kFirstPiece = 64 * 1024;
// The most a stream stating 16 MiB takes packed: Huffman of 8-bit units may code a byte in more
// than 8 bits, so room for a quarter more, and the header and tree.
constexpr std::size_t kMostPacked = kMaxUnpackedSize + kMaxUnpackedSize / 4 + 1024;

// Out of line: GCC 12 in the sanitizer build warns falsely of an uninitialized string when the
// failure is built in place inside UnpackInFile.
[[gnu::noinline]] Result<std::vector<std::uint8_t>, StreamReadFailure> Failed(
    StreamReadFailure failure) {
    return failure;
}

}  // namespace

Result<std::vector<std::uint8_t>, StreamReadFailure> UnpackInFile(const GameFile& file,
                                                                  std::uint64_t offset,
                                                                  Compression compression) {
    std::size_t piece = kFirstPiece;
    for (;;) {
        const auto packed = file.ReadWindow(offset, piece);
        if (!packed) return Failed(StreamReadFailure(packed.error()));
        auto unpacked = Unpack(packed.value(), compression);
        if (unpacked) return std::move(unpacked).value().bytes;
        // Cut short by the piece, not by the file: read more.
        const bool pieceEnded = packed.value().size() == piece;
        if (unpacked.error() != StreamProblem::Truncated || !pieceEnded || piece >= kMostPacked) {
            return Failed(StreamReadFailure(unpacked.error()));
        }
        piece = std::min(piece * 4, kMostPacked);
    }
}

}  // namespace glyphwright

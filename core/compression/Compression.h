#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/table/Result.h"

namespace glyphwright {

// The packing schemes of the GBA and DS BIOS, which most games of those consoles use for their
// graphics. Every stream starts with a 4-byte header: the type byte (10h, 11h, 24h/28h, 30h), then
// the unpacked size in 24 bits, little-endian.
enum class Compression {
    None,     // "none"
    Lz10,     // "lz10": LZ77, 3 to 18 bytes copied from up to 4096 back
    Lz11,     // "lz11": LZ77 with longer copies (up to 65808 bytes)
    Huffman,  // "huff": Huffman coding of 4- or 8-bit units (types 24h and 28h)
    Rle,      // "rle": runs of one byte and literal stretches
};

// Every compression a stream may use, in the order the user is offered them (none first).
[[nodiscard]] std::span<const Compression> AllCompressions();
[[nodiscard]] std::string_view CompressionName(Compression compression);  // "lz10"
[[nodiscard]] std::optional<Compression> ParseCompression(std::string_view name);

// The 24 bits of a header state at most 16 MiB - 1: a lying header costs no more than that, and
// reading stops at the first byte past the data.
inline constexpr std::uint32_t kMaxUnpackedSize = 16u * 1024u * 1024u;
inline constexpr std::size_t kStreamHeaderSize = 4;

enum class StreamProblem {
    NoHeader,      // fewer than 4 bytes, or a type byte of another compression
    EmptyStream,   // the header states a size of 0
    Truncated,     // the stream needs bytes past the end of the data
    BadReference,  // a copy from before the start of the unpacked data
    Overshoots,    // the last piece unpacks past the stated size
    BadTree,       // a Huffman tree whose nodes point outside it
};

struct StreamHeader {
    Compression compression = Compression::None;
    std::uint32_t unpackedSize = 0;
    int huffmanBits = 0;  // 4 or 8 for Huffman, else 0
};

// The header at the start of `bytes`, if it is one of the known types with a size in range.
[[nodiscard]] Result<StreamHeader, StreamProblem> ReadStreamHeader(
    std::span<const std::uint8_t> bytes);

struct Unpacked {
    std::vector<std::uint8_t> bytes;  // exactly the stated size
    std::size_t packedSize = 0;       // the bytes of the stream read, header included
};

// Unpacks the stream at the start of `packed`, which must be of the given compression. It counts
// only if it unpacks to exactly its stated size, reads nothing past `packed` and copies nothing
// from before its start. Compression::None gives `packed` back as it is.
[[nodiscard]] Result<Unpacked, StreamProblem> Unpack(std::span<const std::uint8_t> packed,
                                                     Compression compression);

// Unpacks whatever stream `packed` starts with, its type read from the header.
[[nodiscard]] Result<Unpacked, StreamProblem> UnpackAny(std::span<const std::uint8_t> packed);

// Checks the stream at the start of `packed` as Unpack does, but keeps only a 4 KiB window of the
// output, so memory stays small whatever the stated size. `strict` also asks that the stream look
// as a real packer writes it: smaller than what it unpacks to, an RLE stream that never splits
// what one piece could hold, a Huffman tree with every node used once and every leaf a distinct
// unit. Returns the packed size.
[[nodiscard]] Result<std::size_t, StreamProblem> MeasureStream(
    std::span<const std::uint8_t> packed, bool strict);

}  // namespace glyphwright

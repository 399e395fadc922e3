#include "core/compression/Compression.h"

#include <array>

namespace glyphwright {

namespace {

constexpr std::array kCompressions = {Compression::None, Compression::Lz10, Compression::Lz11,
                                      Compression::Huffman, Compression::Rle};
constexpr std::array<std::string_view, 5> kNames = {"none", "lz10", "lz11", "huff", "rle"};

// The whole output, for the reader of a stream.
class WholeOutput {
public:
    explicit WholeOutput(std::uint32_t size) { bytes_.reserve(size); }
    [[nodiscard]] std::size_t Size() const { return bytes_.size(); }
    void Put(std::uint8_t byte) { bytes_.push_back(byte); }
    // The caller has checked that `back` reaches no further than the start.
    void Copy(std::size_t back, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) bytes_.push_back(bytes_[bytes_.size() - back]);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Only the last 4 KiB, as far back as an LZ copy reaches, for checking a stream.
class WindowOutput {
public:
    explicit WindowOutput(std::uint32_t /*size*/) {}
    [[nodiscard]] std::size_t Size() const { return size_; }
    void Put(std::uint8_t byte) { window_[size_++ & kMask] = byte; }
    void Copy(std::size_t back, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            window_[size_ & kMask] = window_[(size_ - back) & kMask];
            ++size_;
        }
    }

private:
    static constexpr std::size_t kWindow = 4096;
    static constexpr std::size_t kMask = kWindow - 1;
    std::array<std::uint8_t, kWindow> window_{};
    std::size_t size_ = 0;
};

using Packed = std::span<const std::uint8_t>;
using Measured = Result<std::size_t, StreamProblem>;

template <class Output>
Measured UnpackLz(Packed in, std::uint32_t size, bool lz11, bool strict, Output& out) {
    std::size_t at = kStreamHeaderSize;
    while (out.Size() < size) {
        if (at >= in.size()) return StreamProblem::Truncated;
        const std::uint8_t flags = in[at++];
        for (int bit = 7; bit >= 0 && out.Size() < size; --bit) {
            if ((flags >> bit & 1) == 0) {
                if (at >= in.size()) return StreamProblem::Truncated;
                out.Put(in[at++]);
                continue;
            }
            if (at + 2 > in.size()) return StreamProblem::Truncated;
            const std::size_t b0 = in[at];
            std::size_t length = 0;
            std::size_t back = 0;
            if (!lz11) {
                length = (b0 >> 4) + 3;
                back = ((b0 & 0xF) << 8 | in[at + 1]) + 1;
                at += 2;
            } else if ((b0 >> 4) == 0) {
                if (at + 3 > in.size()) return StreamProblem::Truncated;
                length = ((b0 & 0xF) << 4 | std::size_t{in[at + 1]} >> 4) + 0x11;
                back = ((std::size_t{in[at + 1]} & 0xF) << 8 | in[at + 2]) + 1;
                at += 3;
            } else if ((b0 >> 4) == 1) {
                if (at + 4 > in.size()) return StreamProblem::Truncated;
                length = ((b0 & 0xF) << 12 | std::size_t{in[at + 1]} << 4 |
                          std::size_t{in[at + 2]} >> 4) +
                         0x111;
                back = ((std::size_t{in[at + 2]} & 0xF) << 8 | in[at + 3]) + 1;
                at += 4;
            } else {
                length = (b0 >> 4) + 1;
                back = ((b0 & 0xF) << 8 | in[at + 1]) + 1;
                at += 2;
            }
            if (back > out.Size()) return StreamProblem::BadReference;
            if (length > size - out.Size()) return StreamProblem::Overshoots;
            out.Copy(back, length);
        }
        if (strict && at >= size + kStreamHeaderSize) return StreamProblem::Overshoots;
    }
    return at;
}

// A real packer never splits what one piece could hold: two literal stretches in a row mean the
// first was full, and so do two runs of the same byte.
template <class Output>
Measured UnpackRle(Packed in, std::uint32_t size, bool strict, Output& out) {
    std::size_t at = kStreamHeaderSize;
    int lastLiteral = -1;  // the length of the piece before if it was a literal stretch
    int lastRun = -1;
    int lastRunByte = -1;
    while (out.Size() < size) {
        if (at >= in.size()) return StreamProblem::Truncated;
        const std::uint8_t flag = in[at++];
        if ((flag & 0x80) != 0) {
            const int length = (flag & 0x7F) + 3;
            if (at >= in.size()) return StreamProblem::Truncated;
            const std::uint8_t byte = in[at++];
            if (static_cast<std::size_t>(length) > size - out.Size()) {
                return StreamProblem::Overshoots;
            }
            if (strict && lastRun >= 0 && lastRun < 130 && lastRunByte == byte) {
                return StreamProblem::Overshoots;
            }
            for (int i = 0; i < length; ++i) out.Put(byte);
            lastRun = length;
            lastRunByte = byte;
            lastLiteral = -1;
        } else {
            const int length = (flag & 0x7F) + 1;
            if (at + static_cast<std::size_t>(length) > in.size()) return StreamProblem::Truncated;
            if (static_cast<std::size_t>(length) > size - out.Size()) {
                return StreamProblem::Overshoots;
            }
            if (strict && lastLiteral >= 0 && lastLiteral < 128) return StreamProblem::Overshoots;
            for (int i = 0; i < length; ++i) out.Put(in[at++]);
            lastLiteral = length;
            lastRun = -1;
        }
        if (strict && at >= size + kStreamHeaderSize) return StreamProblem::Overshoots;
    }
    return at;
}

// Whether the tree at `in` is one a packer writes: every node reached once, leaves all different,
// and at most one spare byte at its end.
bool TreeIsTidy(Packed in, std::size_t treeEnd, int bits) {
    std::vector<std::uint8_t> seen(treeEnd, 0);
    std::array<bool, 256> leaves{};
    std::vector<std::size_t> stack{5};
    std::size_t reached = 1;
    seen[5] = 1;
    while (!stack.empty()) {
        const std::size_t node = stack.back();
        stack.pop_back();
        const std::uint8_t value = in[node];
        const std::size_t children = (node & ~std::size_t{1}) + (value & 0x3Fu) * 2 + 2;
        for (std::size_t side = 0; side < 2; ++side) {
            const std::size_t child = children + side;
            if (child >= treeEnd || seen[child] != 0) return false;
            seen[child] = 1;
            ++reached;
            const bool leaf = (value & (side == 0 ? 0x80 : 0x40)) != 0;
            if (leaf) {
                const std::uint8_t unit = in[child];
                if ((bits == 4 && unit > 0xF) || leaves[unit]) return false;
                leaves[unit] = true;
            } else {
                stack.push_back(child);
            }
        }
    }
    return reached + 1 >= treeEnd - 5;
}

template <class Output>
Measured UnpackHuffman(Packed in, std::uint32_t size, int bits, bool strict, Output& out) {
    if (in.size() < 6) return StreamProblem::Truncated;
    const std::size_t treeEnd = kStreamHeaderSize + (std::size_t{in[4]} + 1) * 2;
    if (treeEnd > in.size()) return StreamProblem::Truncated;
    if (strict && !TreeIsTidy(in, treeEnd, bits)) return StreamProblem::BadTree;
    std::size_t at = treeEnd;
    std::uint32_t word = 0;
    int bitsLeft = 0;
    std::size_t node = 5;
    std::uint32_t pending = 0;  // units gathered for the next byte
    int pendingBits = 0;
    while (out.Size() < size) {
        if (bitsLeft == 0) {
            if (at + 4 > in.size()) return StreamProblem::Truncated;
            word = static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
                   static_cast<std::uint32_t>(in[at + 2]) << 16 |
                   static_cast<std::uint32_t>(in[at + 3]) << 24;
            at += 4;
            bitsLeft = 32;
        }
        const std::uint32_t bit = word >> 31;
        word <<= 1;
        --bitsLeft;
        const std::uint8_t value = in[node];
        const std::size_t child = (node & ~std::size_t{1}) + (value & 0x3Fu) * 2 + 2 + bit;
        if (child >= treeEnd) return StreamProblem::BadTree;
        if ((value & (bit == 0 ? 0x80 : 0x40)) == 0) {
            node = child;
            continue;
        }
        node = 5;
        pending |= static_cast<std::uint32_t>(in[child] & (bits == 4 ? 0xF : 0xFF)) << pendingBits;
        pendingBits += bits;
        if (pendingBits == 8) {
            out.Put(static_cast<std::uint8_t>(pending));
            pending = 0;
            pendingBits = 0;
        }
    }
    if (strict && at >= size + kStreamHeaderSize) return StreamProblem::Overshoots;
    return at;
}

template <class Output>
Measured UnpackInto(Packed in, const StreamHeader& header, bool strict, Output& out) {
    switch (header.compression) {
        case Compression::Lz10:
            return UnpackLz(in, header.unpackedSize, false, strict, out);
        case Compression::Lz11:
            return UnpackLz(in, header.unpackedSize, true, strict, out);
        case Compression::Huffman:
            return UnpackHuffman(in, header.unpackedSize, header.huffmanBits, strict, out);
        case Compression::Rle:
            return UnpackRle(in, header.unpackedSize, strict, out);
        case Compression::None:
            break;
    }
    return StreamProblem::NoHeader;
}

}  // namespace

std::span<const Compression> AllCompressions() {
    return kCompressions;
}

std::string_view CompressionName(Compression compression) {
    return kNames[static_cast<std::size_t>(compression)];
}

std::optional<Compression> ParseCompression(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) return kCompressions[i];
    }
    return std::nullopt;
}

Result<StreamHeader, StreamProblem> ReadStreamHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kStreamHeaderSize) return StreamProblem::NoHeader;
    StreamHeader header;
    switch (bytes[0]) {
        case 0x10: header.compression = Compression::Lz10; break;
        case 0x11: header.compression = Compression::Lz11; break;
        case 0x24: header.compression = Compression::Huffman; header.huffmanBits = 4; break;
        case 0x28: header.compression = Compression::Huffman; header.huffmanBits = 8; break;
        case 0x30: header.compression = Compression::Rle; break;
        default: return StreamProblem::NoHeader;
    }
    header.unpackedSize = static_cast<std::uint32_t>(bytes[1]) |
                          static_cast<std::uint32_t>(bytes[2]) << 8 |
                          static_cast<std::uint32_t>(bytes[3]) << 16;
    if (header.unpackedSize == 0) return StreamProblem::EmptyStream;
    return header;
}

Result<Unpacked, StreamProblem> UnpackAny(std::span<const std::uint8_t> packed) {
    const auto header = ReadStreamHeader(packed);
    if (!header) return header.error();
    WholeOutput out(header.value().unpackedSize);
    const auto read = UnpackInto(packed, header.value(), false, out);
    if (!read) return read.error();
    return Unpacked{out.Take(), read.value()};
}

Result<Unpacked, StreamProblem> Unpack(std::span<const std::uint8_t> packed,
                                       Compression compression) {
    if (compression == Compression::None) {
        return Unpacked{std::vector<std::uint8_t>(packed.begin(), packed.end()), packed.size()};
    }
    const auto header = ReadStreamHeader(packed);
    if (!header) return header.error();
    if (header.value().compression != compression) return StreamProblem::NoHeader;
    return UnpackAny(packed);
}

Result<std::size_t, StreamProblem> MeasureStream(std::span<const std::uint8_t> packed,
                                                 bool strict) {
    const auto header = ReadStreamHeader(packed);
    if (!header) return header.error();
    WindowOutput out(header.value().unpackedSize);
    return UnpackInto(packed, header.value(), strict, out);
}

}  // namespace glyphwright

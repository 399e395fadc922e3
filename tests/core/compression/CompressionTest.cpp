#include "core/compression/Compression.h"

#include <gtest/gtest.h>

#include <random>

#include "support/StreamEncoder.h"

namespace glyphwright {
namespace {

using test::StreamEncoder;
using Bytes = std::vector<std::uint8_t>;

// Font-like bytes: mostly blank rows, a few repeated strokes, now and then another byte (few
// enough kinds of byte that the test's Huffman tree, laid out breadth first, fits its offsets).
Bytes FontLikeBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size, 0);
    const std::array<std::uint8_t, 6> strokes = {0x18, 0x3C, 0x66, 0x7E, 0xC3, 0xFF};
    for (std::size_t i = 0; i < size; ++i) {
        if (random() % 3 == 0) bytes[i] = strokes[random() % strokes.size()];
        if (random() % 97 == 0) bytes[i] = static_cast<std::uint8_t>(random() % 40);
    }
    return bytes;
}

Bytes Packed(Compression compression, const Bytes& data, int huffmanBits = 8) {
    switch (compression) {
        case Compression::Lz10: return StreamEncoder::Lz(data, false);
        case Compression::Lz11: return StreamEncoder::Lz(data, true);
        case Compression::Huffman: return StreamEncoder::Huffman(data, huffmanBits);
        case Compression::Rle: return StreamEncoder::Rle(data);
        case Compression::None: break;
    }
    return data;
}

struct Case {
    Compression compression;
    int huffmanBits;
};
constexpr std::array kCases = {Case{Compression::Lz10, 0}, Case{Compression::Lz11, 0},
                               Case{Compression::Huffman, 4}, Case{Compression::Huffman, 8},
                               Case{Compression::Rle, 0}};

TEST(Compression, NamesReadBack) {
    for (const Compression compression : AllCompressions()) {
        EXPECT_EQ(ParseCompression(CompressionName(compression)), compression);
    }
    EXPECT_EQ(CompressionName(Compression::Huffman), "huff");
    EXPECT_FALSE(ParseCompression("lz77"));
}

TEST(Compression, EveryTypeRoundTripsAtManySizes) {
    for (const Case c : kCases) {
        for (const std::size_t size : {1u, 2u, 17u, 300u, 4096u, 5000u, 70000u}) {
            SCOPED_TRACE(std::string(CompressionName(c.compression)) + " " +
                         std::to_string(c.huffmanBits) + " size " + std::to_string(size));
            const Bytes data = FontLikeBytes(size, static_cast<unsigned>(size));
            Bytes packed = Packed(c.compression, data, c.huffmanBits);
            const std::size_t streamSize = packed.size();
            packed.insert(packed.end(), {0xDE, 0xAD, 0xBE, 0xEF});  // what follows the stream
            const auto unpacked = Unpack(packed, c.compression);
            ASSERT_TRUE(unpacked) << static_cast<int>(unpacked.error());
            EXPECT_EQ(unpacked.value().bytes, data);
            EXPECT_EQ(unpacked.value().packedSize, streamSize);
            const auto measured = MeasureStream(packed, false);
            ASSERT_TRUE(measured);
            EXPECT_EQ(measured.value(), streamSize);
            // What a packer writes passes the strict check once packing pays.
            if (size >= 300) {
                EXPECT_TRUE(MeasureStream(packed, true));
            }
        }
    }
}

TEST(Compression, LongCopiesOfLz11AndLongRunsOfRle) {
    const Bytes zeros(100000, 0);
    for (const Compression compression : {Compression::Lz11, Compression::Rle}) {
        const auto unpacked = Unpack(Packed(compression, zeros), compression);
        ASSERT_TRUE(unpacked);
        EXPECT_EQ(unpacked.value().bytes, zeros);
    }
}

TEST(Compression, BrokenStreamsAreRefused) {
    const Bytes data = FontLikeBytes(2000, 7);
    for (const Case c : kCases) {
        SCOPED_TRACE(std::string(CompressionName(c.compression)));
        const Bytes packed = Packed(c.compression, data, c.huffmanBits);
        // Cut anywhere short of its end: the stream reads past the data.
        for (std::size_t cut = 0; cut < packed.size(); cut += 37) {
            const auto unpacked = Unpack(std::span(packed).first(cut), c.compression);
            EXPECT_FALSE(unpacked);
        }
        // A stated size larger than the stream holds, up to the most a header can state.
        Bytes lying = packed;
        lying[3] = 0x7F;
        EXPECT_FALSE(Unpack(lying, c.compression));
        lying[1] = lying[2] = lying[3] = 0xFF;
        EXPECT_FALSE(Unpack(lying, c.compression));
        EXPECT_FALSE(MeasureStream(lying, false));
        Bytes empty = packed;
        empty[1] = empty[2] = empty[3] = 0;
        EXPECT_EQ(Unpack(empty, c.compression).error(), StreamProblem::EmptyStream);
        // Another type than asked for.
        EXPECT_EQ(Unpack(packed, c.compression == Compression::Rle ? Compression::Lz10
                                                                      : Compression::Rle)
                      .error(),
                  StreamProblem::NoHeader);
    }
}

TEST(Compression, ACopyFromBeforeTheStartIsRefused) {
    // A literal, then a copy from 2 back.
    const Bytes lz10 = {0x10, 0x08, 0x00, 0x00, 0x40, 0x41, 0x40, 0x01};
    EXPECT_EQ(Unpack(lz10, Compression::Lz10).error(), StreamProblem::BadReference);
    const Bytes fine = {0x10, 0x04, 0x00, 0x00, 0x40, 0x41, 0x00, 0x00};
    const auto unpacked = Unpack(fine, Compression::Lz10);
    ASSERT_TRUE(unpacked);
    EXPECT_EQ(unpacked.value().bytes, (Bytes{0x41, 0x41, 0x41, 0x41}));
    const Bytes lz11 = {0x11, 0x08, 0x00, 0x00, 0x40, 0x41, 0x40, 0x01};
    EXPECT_EQ(Unpack(lz11, Compression::Lz11).error(), StreamProblem::BadReference);
    // A copy longer than the stated size.
    const Bytes over = {0x10, 0x03, 0x00, 0x00, 0x40, 0x41, 0x00, 0x00};
    EXPECT_EQ(Unpack(over, Compression::Lz10).error(), StreamProblem::Overshoots);
}

TEST(Compression, AHuffmanTreePointingOutsideItselfIsRefused) {
    // Tree of 3 bytes (size byte 1 = 4 bytes with the size byte): root, two leaves; the root
    // points 2 pairs on, past the tree.
    const Bytes bad = {0x28, 0x04, 0x00, 0x00, 0x01, 0xC2, 0x41, 0x42,
                       0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Unpack(bad, Compression::Huffman).error(), StreamProblem::BadTree);
    Bytes good = bad;
    good[5] = 0xC0;
    const auto unpacked = Unpack(good, Compression::Huffman);
    ASSERT_TRUE(unpacked);
    EXPECT_EQ(unpacked.value().bytes, (Bytes{0x41, 0x41, 0x41, 0x41}));
}

TEST(Compression, StrictCheckRefusesWhatNoPackerWrites) {
    // RLE: two short literal stretches in a row.
    const Bytes split = {0x30, 0x04, 0x00, 0x00, 0x01, 0x41, 0x42, 0x01, 0x43, 0x44};
    EXPECT_TRUE(MeasureStream(split, false));
    EXPECT_FALSE(MeasureStream(split, true));
    // LZ10 of literals only is larger than its data.
    const Bytes literals = StreamEncoder::Lz(FontLikeBytes(64, 1), false);
    Bytes raw = StreamEncoder::Header(0x10, 64);
    for (std::size_t i = 0; i < 64; ++i) {
        if (i % 8 == 0) raw.push_back(0);
        raw.push_back(static_cast<std::uint8_t>(i * 37 + 1));
    }
    EXPECT_TRUE(MeasureStream(raw, false));
    EXPECT_FALSE(MeasureStream(raw, true));
    // Huffman: a tree whose two children are one leaf twice.
    const Bytes twice = {0x28, 0x04, 0x00, 0x00, 0x01, 0xC0, 0x41, 0x41,
                         0x00, 0x00, 0x00, 0x00};
    EXPECT_TRUE(MeasureStream(twice, false));
    EXPECT_FALSE(MeasureStream(twice, true));
}

TEST(Compression, NoiseZerosAndOnesNeverCrash) {
    std::mt19937 random(3);
    for (int round = 0; round < 2000; ++round) {
        Bytes noise(static_cast<std::size_t>(random() % 600));
        for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
        if (!noise.empty()) noise[0] = std::array<std::uint8_t, 5>{0x10, 0x11, 0x24, 0x28, 0x30}[random() % 5];
        if (const auto unpacked = UnpackAny(noise)) {
            EXPECT_LE(unpacked.value().packedSize, noise.size());
        }
        (void)MeasureStream(noise, true);
    }
}

}  // namespace
}  // namespace glyphwright
